#include "map/variable_maps.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "common/errors.h"
#include "map/draw/lattice.h"
#include "map/drawing_pass.h"
#include "map/map_table.h"
#include "test_support/example_settings.h"
#include "test_support/program_message.h"
#include "test_support/scratch_dir.h"

namespace map {
namespace {

using common::Colour;
using support::programMessageOf;
using support::ScratchDir;

// A map of 2 rows x 3 columns with a weights file of two variables: variable
// 1 runs 0, 1, ..., 5 over the units row by row, variable 2 is 10 - that.
struct SmallMap {
  ScratchDir dir{"varmap"};
  MapControls controls;
  RunState state;
  std::string settings;

  explicit SmallMap(const std::string& modes = "0,0,0") {
    controls.visfile = dir.file("m.bmu", "hexa\n3\n2,3\nA,1,1\nB,1,1\nC,2,3\n");
    controls.codfile = dir.file("m.wgt", "units\n2 3 2\n0 10\n1 9\n2 8\n3 7\n4 6\n5 5\n");
    controls.bmpout = dir.path("out.bmp");
    controls.option = MapOption::kVariables;
    controls.blankUnits = true;
    settings = dir.file("Favomap5.cfg", support::exampleSettingsWith(4, modes));
  }
  PassResult run() {
    takeDialogValues(state, controls);
    return drawingPass(state, controls, settings);
  }
};

Colour centreOf(const PassResult& r, int row, int col) {
  const draw::MapPoint c = draw::hexCentre(row, col);
  const surface::PixelPoint p = r.picture.toPixel(c.x, c.y);
  return r.picture.pixel(p.col, p.row);
}

Colour at(const PassResult& r, double x, double y) {
  const surface::PixelPoint p = r.picture.toPixel(x, y);
  return r.picture.pixel(p.col, p.row);
}

TEST(VariableMap, ColoursRunFromYellowToMagenta) {
  SmallMap map;
  map.controls.colcod = "1";
  const PassResult r = map.run();
  EXPECT_EQ(centreOf(r, 1, 1), common::rgb(255, 255, 0));  // vmin
  EXPECT_EQ(centreOf(r, 2, 3), common::rgb(255, 0, 255));  // vmax
  // f = 2/5: green 255 - roundHalfEven(102) = 153, blue roundHalfEven(102) = 102.
  EXPECT_EQ(centreOf(r, 1, 3), common::rgb(255, 153, 102));
  EXPECT_EQ(r.caption, "Favomap [" + map.state.bmuFile + ", " + map.state.wgtFile + ", var. #1]");
}

TEST(VariableMap, NonZeroModesTurnChannelsIntoThePaleRamp) {
  SmallMap map("1,0,1");
  map.controls.colcod = "2";  // 10 at (1,1) down to 5 at (2,3)
  const PassResult r = map.run();
  EXPECT_EQ(centreOf(r, 2, 3), common::rgb(255, 255, 255));  // vmin: f = 0
  EXPECT_EQ(centreOf(r, 1, 1), common::rgb(159, 0, 159));    // vmax: 255 - 96
  // f = 0.5 at 7.5: no unit; f = 0.4 at 7 (unit (2,1)): 255 - roundHalfEven(38.4) = 217.
  EXPECT_EQ(centreOf(r, 2, 1), common::rgb(217, 255 - 102, 217));
}

TEST(VariableMap, VariableNumberIsClampedAndWrittenBack) {
  struct Row {
    const char* colcod;
    const char* shown;
    int var;
  } rows[] = {{"0", "1", 1},  {"", "1", 1},      {"99", "2", 2},
              {"-4", "1", 1}, {"2.5", "2.5", 2}, {"abc", "1", 1}};
  for (const Row& row : rows) {
    SmallMap map;
    map.controls.colcod = row.colcod;
    const PassResult r = map.run();
    EXPECT_EQ(map.controls.colcod, row.shown) << row.colcod;
    EXPECT_NE(r.caption.find("var. #" + std::to_string(row.var) + "]"), std::string::npos)
        << row.colcod;
  }
}

TEST(Histograms, BarsShowEveryVariableInItsColour) {
  SmallMap map;
  map.controls.histogram = true;
  map.controls.colcod = "not read";
  const PassResult r = map.run();
  EXPECT_EQ(map.controls.colcod, "not read");
  const Settings s = loadSettings(map.settings);
  // Unit (1,1): variable 1 is 0 (no bar), variable 2 is 10, the largest value
  // of all: a full bar in the even colour.
  const double left = 1 - 0.4;
  const double bottom = 0.87 + 0.56 + 0.3;
  EXPECT_EQ(at(r, left + 0.6, bottom - 0.3), s.barColorEven);
  EXPECT_EQ(at(r, left + 0.6, bottom - 0.55), s.barColorEven);
  EXPECT_NE(at(r, left + 0.2, bottom - 0.3), s.barColorOdd);
  // Unit (2,3) (even row, offset): variable 1 is 5 of 0..10: half a bar.
  const double left2 = 3 + 0.5 - 0.4;
  const double bottom2 = 0.87 * 2 + 0.56 + 0.3;
  EXPECT_EQ(at(r, left2 + 0.2, bottom2 - 0.2), s.barColorOdd);
  EXPECT_NE(at(r, left2 + 0.2, bottom2 - 0.4), s.barColorOdd);
  EXPECT_EQ(r.caption,
            "Favomap [" + map.state.bmuFile + ", " + map.state.wgtFile + ", all vars histogram]");
}

TEST(Histograms, FlippedBarsHangFromTheTop) {
  SmallMap map;
  map.settings = map.dir.file("flip.cfg", support::exampleSettingsWith(37, "1"));
  map.controls.histogram = true;
  const PassResult r = map.run();
  const Settings s = loadSettings(map.settings);
  const double left2 = 3 + 0.5 - 0.4;
  const double bottom2 = 0.87 * 2 + 0.56 + 0.3;
  EXPECT_EQ(at(r, left2 + 0.2, bottom2 - 0.5), s.barColorOdd);
  EXPECT_NE(at(r, left2 + 0.2, bottom2 - 0.1), s.barColorOdd);
}

// Option (3) on a 3 x 4 map.
struct ExternalMap {
  ScratchDir dir{"extmap"};
  MapControls controls;
  RunState state;
  std::string settings;

  ExternalMap(const std::string& bmuRecords, int objects, const std::string& data) {
    controls.visfile =
        dir.file("m.bmu", "hexa\n" + std::to_string(objects) + "\n3,4\n" + bmuRecords);
    controls.datfile = dir.file("m.dat", data);
    controls.bmpout = dir.path("out.bmp");
    controls.option = MapOption::kExternal;
    controls.blankUnits = true;
    settings = dir.file("Favomap5.cfg", support::exampleSettingsWith(2, "600"));
  }
  PassResult run() {
    takeDialogValues(state, controls);
    return drawingPass(state, controls, settings);
  }
};

std::vector<std::vector<std::string>> cellsOf(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, '\t');) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

// The numbers behind the map: a row per unit with its place, its objects
// and, for option (2) with Distance, the variable shown and the
// dissimilarity across each side: the same seen from either unit, NaN at
// the map's edge.
TEST(MapTable, UnitsObjectsVariableAndDistances) {
  SmallMap map;
  map.controls.colcod = "2";
  map.controls.distance = true;
  map.run();
  const auto rows = cellsOf(mapTable(map.state, map.controls, loadSettings(map.settings)).text());
  ASSERT_EQ(rows.size(), 1u + 6);
  EXPECT_EQ(rows[0], (std::vector<std::string>{
                         "row", "column", "x", "y", "labels", "objects", "variable_2", "distance_1",
                         "distance_2", "distance_3", "distance_4", "distance_5", "distance_6"}));
  EXPECT_EQ(rows[1][4], "A;B");  // unit (1, 1)
  EXPECT_EQ(rows[1][5], "2");
  EXPECT_EQ(rows[6][4], "C");  // unit (2, 3)
  EXPECT_EQ(rows[2][6], "9");  // unit (1, 2): variable 2 is 10 - 1
  // Unit (2, 3)'s centre, read back exactly: half a cell right of column 3
  // (an even row), 2 x 0.87 + 0.56 down.
  EXPECT_EQ(std::stod(rows[6][2]), 3.5);
  EXPECT_EQ(std::stod(rows[6][3]), 2.3);
  auto at = [&](int row, int col) { return rows[static_cast<std::size_t>(3 * (row - 1) + col)]; };
  int edges = 0;
  for (int row = 1; row <= 2; ++row) {
    for (int col = 1; col <= 3; ++col) {
      for (int side = 1; side <= 6; ++side) {
        const std::string d = at(row, col)[static_cast<std::size_t>(6 + side)];
        const draw::RowCol n = draw::neighbourAcross(side, row, col);
        if (n.row < 1 || n.row > 2 || n.col < 1 || n.col > 3) {
          EXPECT_EQ(d, "NaN");
          ++edges;
          continue;
        }
        const int back = (side + 2) % 6 + 1;  // the same side seen from the neighbour
        EXPECT_EQ(d, at(n.row, n.col)[static_cast<std::size_t>(6 + back)])
            << row << "," << col << " side " << side;
      }
    }
  }
  EXPECT_GT(edges, 0);
}

TEST(ExternalVariable, AllObjectsOnOneUnitSpreadTheirMean) {
  ExternalMap map("A,2,2\nB,2,2\nC,2,2\n", 3, "1\n2\n6\n");
  const PassResult r = map.run();
  for (int c = 1; c <= 4; ++c) {
    for (int row = 1; row <= 3; ++row) EXPECT_EQ(map.state.interpGrid(c, row), 3.0f);
  }
  // One value over the whole range: f = (3 - 1) / (6 - 1) = 0.4, grey 255 - roundHalfEven(51.2).
  EXPECT_EQ(centreOf(r, 3, 4), common::rgb(204, 204, 204));
  EXPECT_EQ(r.caption, "Favomap [" + map.state.bmuFile + ", " + map.state.dataFile + "]");
}

TEST(ExternalVariable, ColumnsAndTheirBox) {
  // Two columns per object; column 2 is shown: unit (1,1) holds the mean of
  // 10 and 30, unit (3,4) holds 50.
  ExternalMap map("A,1,1\nB,1,1\nC,3,4\n", 3, "1 10\n2 30\n3 50\n");
  map.controls.nvarext = "7";
  map.run();
  EXPECT_EQ(map.controls.nvarext, "2");
  EXPECT_TRUE(map.controls.nvarextEnabled);
  EXPECT_EQ(map.state.interpGrid(1, 1), 20.0f);
  EXPECT_EQ(map.state.interpGrid(4, 3), 50.0f);

  ExternalMap first("A,1,1\nB,1,1\nC,3,4\n", 3, "1 10\n2 30\n3 50\n");
  first.controls.nvarext = "";
  first.run();
  EXPECT_EQ(first.controls.nvarext, "1");
  EXPECT_EQ(first.state.interpGrid(1, 1), 1.5f);

  // Below 1 the text stays as typed and the first column is shown.
  for (const char* typed : {"0", "-2"}) {
    ExternalMap below("A,1,1\nB,1,1\nC,3,4\n", 3, "1 10\n2 30\n3 50\n");
    below.controls.nvarext = typed;
    below.run();
    EXPECT_EQ(below.controls.nvarext, typed);
    EXPECT_EQ(below.state.interpGrid(1, 1), 1.5f);
  }
}

TEST(ExternalVariable, DataFileMustHoldWholeObjects) {
  ExternalMap map("A,1,1\nB,1,1\n", 2, "1 2 3\n");
  EXPECT_EQ(programMessageOf([&] { map.run(); }), "|Errore nel file di dati");
}

TEST(ExternalVariable, RowZeroStopsTheGatheringPass) {
  ExternalMap map("A,0,1\nB,1,1\n", 2, "1\n2\n");
  try {
    map.run();
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.fault(), common::Fault::kSubscriptOutOfRange);
  }
}

}  // namespace
}  // namespace map
