#include "map/som_files.h"

#include <cctype>
#include <cmath>
#include <sstream>

#include "common/errors.h"
#include "common/number_parse.h"
#include "common/program_run.h"
#include "common/strings.h"
#include "map/controls.h"

namespace map {

InputFile::InputFile(const std::string& path, bool skipHeader)
    : file_(path), reader_(file_.text(), path) {
  if (skipHeader && !file_.text().empty()) reader_.readLine();
}

namespace {

// The grid word "hexa" in any case, with blanks or tabs around it.
bool namesHexa(std::string_view word) {
  const std::size_t start = word.find_first_not_of(" \t");
  const std::size_t end = word.find_last_not_of(" \t");
  if (start == std::string_view::npos) return false;
  const std::string_view core = word.substr(start, end - start + 1);
  if (core.size() != 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if (std::tolower(static_cast<unsigned char>(core[i])) != "hexa"[i]) return false;
  }
  return true;
}

BmuHeader readBmuHeader(ItemReader& in) {
  BmuHeader h;
  h.gridType = in.readLine();
  h.nObjects = in.readNumber();
  h.nRows = in.readInteger();
  h.nCols = in.readInteger();
  return h;
}

// "label row col": the last two blank-separated words are numbers.
bool splitBlankRecord(const std::string& text, BmuRecord& record) {
  std::string_view s = common::trimBlanks(text);
  const std::size_t lastBlank = s.find_last_of(' ');
  if (lastBlank == std::string_view::npos) return false;
  const std::string_view colWord = s.substr(lastBlank + 1);
  std::string_view rest = common::trimBlanks(s.substr(0, lastBlank));
  const std::size_t middleBlank = rest.find_last_of(' ');
  if (middleBlank == std::string_view::npos) return false;
  const std::string_view rowWord = rest.substr(middleBlank + 1);
  double row = 0, col = 0;
  if (!common::parseDecimal(rowWord, row) || !common::parseDecimal(colWord, col)) return false;
  record.label = std::string(common::trimBlanks(rest.substr(0, middleBlank)));
  record.row = row;
  record.col = col;
  return true;
}

}  // namespace

BmuReader::BmuReader(const std::string& path, Header header) : path_(path), file_(path) {
  if (header == Header::kRead) {
    header_ = readBmuHeader(file_.items());
  } else {
    for (int i = 0; i < 3; ++i) file_.items().readLine();
  }
}

BmuRecord BmuReader::next() {
  ItemReader& in = file_.items();
  BmuRecord record;
  record.label = in.readText();
  record.line = in.lastItemLine();
  if (!(in.lastItemEndedLine() && splitBlankRecord(record.label, record))) {
    record.row = in.readNumber();
    record.col = in.readNumber();
  }
  ++records_;
  return record;
}

BmuHeader checkGridType(const std::string& bmuPath) {
  InputFile file(bmuPath);
  ItemReader& in = file.items();
  const std::string first = in.readLine();
  if (common::trimBlanks(first) == "square") {
    throw common::ProgramMessage(kSquareGridMessage, "Warning");
  }
  BmuHeader h;
  h.gridType = first;
  h.nObjects = in.readNumber();
  h.nRows = in.readInteger();
  h.nCols = in.readInteger();
  // Said of a header that reads, so that a file of another kind gets its error alone.
  if (!namesHexa(first)) {
    common::warn(kProgram, bmuPath,
                 "line 1 names the grid \"" + std::string(common::trimBlanks(first)) +
                     "\" where \"hexa\" is expected: the map is drawn with a hexagonal lattice");
  }
  return h;
}

void checkMapSize(double rows, double cols, const std::string& file, const std::string& place) {
  if (rows * cols > kMostUnits) {
    throw common::makeError(common::Fault::kTooLarge, file, place,
                            "a map of " + std::to_string(static_cast<long>(rows)) + " x " +
                                std::to_string(static_cast<long>(cols)) + " units is more than " +
                                std::to_string(static_cast<long>(kMostUnits)) + " units can show");
  }
}

namespace {

// The header of a SOM weights file (a comment line, then rows, columns and
// the values per unit) into grid.nRows and grid.nCols; returns the values
// per unit.  A header that announces more values than the file could hold
// (each takes at least one character) is refused before anything is
// allocated.
int readWeightsHeader(ItemReader& in, const std::string& wgtPath, draw::SomGrid& grid) {
  in.readLine();
  grid.nRows = in.readInteger();
  grid.nCols = in.readInteger();
  const int perUnit = in.readInteger();
  checkMapSize(grid.nRows, grid.nCols, wgtPath, "line 2");
  const double announced =
      static_cast<double>(std::max(grid.nRows, 0)) * std::max(grid.nCols, 0) * std::max(perUnit, 0);
  if (announced > static_cast<double>(in.remaining()) + 1) {
    throw common::makeError(common::Fault::kPastEndOfFile, wgtPath, in.place(),
                            "the header announces " + std::to_string(grid.nRows) + " x " +
                                std::to_string(grid.nCols) + " units of " +
                                std::to_string(perUnit) + " values, more than the file holds");
  }
  return perUnit;
}

}  // namespace

void readWeights(const std::string& wgtPath, draw::SomGrid& grid) {
  InputFile file(wgtPath);
  ItemReader& in = file.items();
  grid.nVars = readWeightsHeader(in, wgtPath, grid);
  grid.weights =
      common::Grid3<float>({grid.colLo, grid.nCols}, {grid.rowLo, grid.nRows}, {1, grid.nVars});
  for (int row = grid.rowLo; row <= grid.nRows; ++row) {
    for (int col = grid.colLo; col <= grid.nCols; ++col) {
      for (int var = 1; var <= grid.nVars; ++var) grid.weights(col, row, var) = in.readSingle();
    }
  }
}

void readOutlineCoefficients(const std::string& wgtPath, draw::SomGrid& grid) {
  InputFile file(wgtPath);
  ItemReader& in = file.items();
  const int m = readWeightsHeader(in, wgtPath, grid);
  grid.nVars = m + 3;
  grid.weights = common::Grid3<float>({grid.colLo, grid.nCols}, {grid.rowLo, grid.nRows},
                                      {1, std::max(grid.nVars, 3)});
  for (int row = grid.rowLo; row <= grid.nRows; ++row) {
    for (int col = grid.colLo; col <= grid.nCols; ++col) {
      grid.weights(col, row, 1) = 1;
      grid.weights(col, row, 2) = 0;
      grid.weights(col, row, 3) = 0;
      for (int k = 4; k <= grid.nVars; ++k) grid.weights(col, row, k) = in.readSingle();
    }
  }
}

int measureDataFile(const std::string& dataPath, double nObjects, bool& enableColumnBox,
                    bool skipHeader) {
  InputFile file(dataPath, skipHeader);
  ItemReader& in = file.items();
  long count = 0;
  do {
    in.readNumber();
    ++count;
  } while (!in.atEnd());
  if (nObjects == 0) {
    throw common::makeError(common::Fault::kDivisionByZero, dataPath, "",
                            std::to_string(count) +
                                " values shared among the 0 objects of the "
                                ".bmu file");
  }
  const float ratio = static_cast<float>(count / nObjects);
  if (!(std::isfinite(ratio) && ratio == std::floor(ratio))) {
    throw common::ProgramMessage(kDataFileMessage, "");
  }
  if (ratio > 1) enableColumnBox = true;
  if (ratio > 32767) {
    throw common::makeError(common::Fault::kOverflow, dataPath, "",
                            "more than 32767 values per object");
  }
  return static_cast<int>(ratio);
}

ClassReader::ClassReader(const std::string& path) : file_(path) {}

int ClassReader::next() {
  const int k = file_.items().readInteger();
  if (k > 15 || k < 0) {
    throw common::ProgramMessage(kClassMessage, "");
  }
  return k;
}

}  // namespace map
