// The four input files of the map renderer: the best-matching-unit file
// (.bmu), the weights file (.wgt), the external-variable data file and the
// class file.  All are read with the free-format item reader.
#ifndef MAP_SOM_FILES_H_
#define MAP_SOM_FILES_H_

#include <cstdint>
#include <memory>
#include <string>

#include "common/mapped_file.h"
#include "map/draw/som_grid.h"
#include "map/item_reader.h"

namespace map {

// An input file opened for one step of a pass, with its item reader.
class InputFile {
 public:
  // Opens "path"; an empty or wrong name is a file-not-found error.
  // With "skipHeader" the first line is left out.
  explicit InputFile(const std::string& path, bool skipHeader = false);
  ItemReader& items() { return reader_; }
  std::string place() const { return reader_.place(); }

 private:
  common::MappedFile file_;
  ItemReader reader_;
};

// The .bmu header: grid type line, object count, rows and columns.
struct BmuHeader {
  std::string gridType;
  double nObjects = 0;
  std::int16_t nRows = 0;
  std::int16_t nCols = 0;
};

// One record: the object's label and its unit's row and column as written,
// and the line of the file on which the record begins.
struct BmuRecord {
  std::string label;
  double row = 0;
  double col = 0;
  long line = 0;
};

// Reads a .bmu file: the header, then records one at a time.
class BmuReader {
 public:
  // How the header is passed: read as items, or skipped as three lines by a
  // step that needs only the records.
  enum class Header { kRead, kSkipThreeLines };
  explicit BmuReader(const std::string& path, Header header = Header::kRead);
  const BmuHeader& header() const { return header_; }

  // The next record.  A record written "label,row,col" (or with the label
  // quoted) is the standard form; "label row col" on a line of its own is
  // accepted too.  Throws at the end of the file or on a bad number.
  BmuRecord next();

  // Records read so far.
  long recordsRead() const { return records_; }

  // True when nothing but blanks and line ends remains.
  bool atEnd() { return file_.items().atEnd(); }
  const std::string& fileName() const { return path_; }

 private:
  std::string path_;
  InputFile file_;
  BmuHeader header_;
  long records_ = 0;
};

// The grid type check that opens every pass: a first line that reads
// "square" once blanks are trimmed throws common::ProgramMessage with the
// square-grid message, titled "Warning"; any other word than "hexa" is
// warned of, the map being drawn hexagonal all the same.  Returns the header.
BmuHeader checkGridType(const std::string& bmuPath);

// Reads the .wgt file into grid: its header replaces nRows and nCols and
// sets nVars; weights(col, row, var) is filled row by row, column by column.
void readWeights(const std::string& wgtPath, draw::SomGrid& grid);

// Reads a weights file of outline coefficients: after the header (rows,
// columns, m) m values per unit, row by row, stored behind the fixed 1, 0, 0
// as weights(col, row, 1..m+3); nVars becomes m + 3.
void readOutlineCoefficients(const std::string& wgtPath, draw::SomGrid& grid);

// Counts the values of the data file and returns nExt = count / nObjects,
// throwing common::ProgramMessage "Errore nel file di dati" when that is not
// a whole number, and ToolError(kDivisionByZero) when nObjects is 0.
// "enableColumnBox" is set when nExt > 1.  With "skipHeader" the first
// line (column names) is left out.
int measureDataFile(const std::string& dataPath, double nObjects, bool& enableColumnBox,
                    bool skipHeader = false);

// Reads class numbers one at a time, throwing common::ProgramMessage "Class
// ID must be >0 and <15)" on a value outside 0..15.
class ClassReader {
 public:
  explicit ClassReader(const std::string& path);
  int next();

  // True when nothing but blanks and line ends remains.
  bool atEnd() { return file_.items().atEnd(); }

  // "item N (line L)" of the value next() would read.
  std::string place() const { return file_.place(); }

 private:
  InputFile file_;
};

// A map larger than this many units cannot be told apart on any picture the
// window can hold (every unit would be under a pixel); its files are refused
// before anything is allocated for it.
inline constexpr double kMostUnits = 4000000;

// Throws ToolError(kTooLarge), naming "file", when rows x cols is above kMostUnits.
void checkMapSize(double rows, double cols, const std::string& file, const std::string& place);

// The messages the renderer shows for the faults it tests itself.
inline constexpr const char* kSquareGridMessage =
    "This program does not support SOMs with square grids!";
inline constexpr const char* kDataFileMessage = "Errore nel file di dati";
inline constexpr const char* kClassMessage = "Class ID must be >0 and <15)";

}  // namespace map

#endif  // MAP_SOM_FILES_H_
