#include "map/som_files.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "map/variable_maps.h"
#include "test_support/program_message.h"
#include "test_support/scratch_dir.h"

namespace map {
namespace {

using support::programMessageOf;
using support::ScratchDir;

TEST(GridType, OnlyTheWordSquareIsRefused) {
  ScratchDir dir("grid");
  struct Row {
    const char* first;
    bool refused;
  } rows[] = {{"hexa", false},      {"", false},       {"square", true},
              {"  square  ", true}, {"Square", false}, {"squares", false}};
  for (const Row& r : rows) {
    const std::string bmu = dir.file("m.bmu", std::string(r.first) + "\n5\n3,4\n");
    if (r.refused) {
      EXPECT_EQ(programMessageOf([&] { checkGridType(bmu); }),
                "Warning|This program does not support SOMs with square grids!")
          << r.first;
    } else {
      const BmuHeader h = checkGridType(bmu);
      EXPECT_EQ(h.nObjects, 5);
      EXPECT_EQ(h.nRows, 3);
      EXPECT_EQ(h.nCols, 4);
    }
  }
  EXPECT_THROW(checkGridType(dir.path("missing.bmu")), common::ToolError);
}

TEST(BmuReader, ReadsCommaQuotedAndBlankSeparatedRecords) {
  ScratchDir dir("bmu");
  const std::string bmu =
      dir.file("m.bmu", "hexa\n4\n3,4\nA12,3,4\n\"B 7\",1,2\nC3 2 1\nlabel with words 3 3\n");
  BmuReader reader(bmu);
  EXPECT_EQ(reader.header().nObjects, 4);
  struct Expected {
    const char* label;
    double row, col;
  } expected[] = {{"A12", 3, 4}, {"B 7", 1, 2}, {"C3", 2, 1}, {"label with words", 3, 3}};
  for (const Expected& e : expected) {
    const BmuRecord r = reader.next();
    EXPECT_EQ(r.label, e.label);
    EXPECT_EQ(r.row, e.row);
    EXPECT_EQ(r.col, e.col);
  }
  EXPECT_EQ(reader.recordsRead(), 4);
  EXPECT_THROW(reader.next(), common::ToolError);
}

TEST(Weights, FillRowByRowColumnByColumn) {
  ScratchDir dir("wgt");
  draw::SomGrid grid;
  readWeights(dir.file("m.wgt", "comment\n2 3 2\n1 2\n3 4\n5 6\n7 8\n9 10\n11 12\n"), grid);
  EXPECT_EQ(grid.nRows, 2);
  EXPECT_EQ(grid.nCols, 3);
  EXPECT_EQ(grid.nVars, 2);
  EXPECT_EQ(grid.weights(1, 1, 1), 1);
  EXPECT_EQ(grid.weights(2, 1, 2), 4);
  EXPECT_EQ(grid.weights(1, 2, 1), 7);
  EXPECT_EQ(grid.weights(3, 2, 2), 12);
  EXPECT_THROW(readWeights(dir.file("short.wgt", "c\n2 3 2\n1 2 3\n"), grid), common::ToolError);
}

TEST(Weights, AHeaderAnnouncingMoreThanTheFileHoldsFailsAtOnce) {
  ScratchDir dir("huge");
  draw::SomGrid grid;
  try {
    readWeights(dir.file("m.wgt", "c\n2000 2000 30000\n1 2 3\n"), grid);
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.fault(), common::Fault::kPastEndOfFile);
  }
  // A map too large to show is refused whatever its values (found by the
  // fuzzer: 12487 x 7455 units of no stored values ran for minutes).
  for (const char* header : {"c\n30000 30000 3\n1 2 3\n", "c\n12487 7455 0\n"}) {
    try {
      readWeights(dir.file("m.wgt", header), grid);
      FAIL() << header;
    } catch (const common::ToolError& e) {
      EXPECT_EQ(e.fault(), common::Fault::kTooLarge);
    }
    try {
      readOutlineCoefficients(dir.file("m.wgt", header), grid);
      FAIL() << header;
    } catch (const common::ToolError& e) {
      EXPECT_EQ(e.fault(), common::Fault::kTooLarge);
    }
  }
}

TEST(DataFile, ColumnsFollowFromTheValueCount) {
  ScratchDir dir("data");
  struct Row {
    std::string text;
    double objects;
    int nExt;  // 0: refused with the program's message; -1: a division by zero
    bool enabled;
  } rows[] = {
      {"1 2 3\n", 0, -1, false},  // a .bmu of no objects
      {"1 2 3\n4 5 6\n", 2, 3, true},
      {"1\n2\n3\n", 3, 1, false},
      {"1 2 3 4 5 6 7 8 9 10 11", 10, 0, false},
      {"1 2\n3 4\n5 6\n7 8\n9 10\n11 12\n13 14\n15 16\n17 18\n19 20\n\n", 10, 2, true},
  };
  for (const Row& r : rows) {
    bool enabled = false;
    const std::string path = dir.file("d.txt", r.text);
    if (r.nExt == -1) {
      try {
        measureDataFile(path, r.objects, enabled);
        ADD_FAILURE() << r.text;
      } catch (const common::ToolError& e) {
        EXPECT_EQ(e.fault(), common::Fault::kDivisionByZero);
        EXPECT_EQ(e.what(), path +
                                ": division by zero: 3 values shared among the 0 objects of "
                                "the .bmu file");
      }
    } else if (r.nExt == 0) {
      EXPECT_EQ(programMessageOf([&] { measureDataFile(path, r.objects, enabled); }),
                "|Errore nel file di dati");
    } else {
      EXPECT_EQ(measureDataFile(path, r.objects, enabled), r.nExt);
      EXPECT_EQ(enabled, r.enabled);
    }
  }
}

TEST(Classes, ZeroToFifteenAreAccepted) {
  ScratchDir dir("cls");
  ClassReader ok(dir.file("ok.cls", "0 15\n7,3"));
  EXPECT_EQ(ok.next(), 0);
  EXPECT_EQ(ok.next(), 15);
  EXPECT_EQ(ok.next(), 7);
  EXPECT_EQ(ok.next(), 3);
  for (const char* bad : {"16", "-1"}) {
    ClassReader reader(dir.file("bad.cls", bad));
    EXPECT_EQ(programMessageOf([&] { reader.next(); }), "|Class ID must be >0 and <15)");
  }
}

}  // namespace
}  // namespace map
