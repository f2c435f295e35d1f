#include "map/drawing_pass.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "common/errors.h"
#include "map/draw/hex2hex.h"
#include "map/draw/lattice.h"
#include "map/unit_labels.h"
#include "test_support/example_settings.h"
#include "test_support/program_message.h"
#include "test_support/scratch_dir.h"

namespace map {
namespace {

using common::Colour;
using support::programMessageOf;
using support::ScratchDir;

// A 10 x 10 map with objects o1..o30 and a class file of stripes.
struct TenByTen {
  ScratchDir dir{"pass"};
  std::string bmu;
  std::string classes;
  std::string settings;
  MapControls controls;
  RunState state;

  TenByTen() {
    std::string text = "hexa\n30\n10,10\n";
    for (int i = 1; i <= 30; ++i) {
      text += "o" + std::to_string(i) + "," + std::to_string((i * 7) % 10 + 1) + "," +
              std::to_string((i * 3) % 10 + 1) + "\n";
    }
    bmu = dir.file("m.bmu", text);
    std::string cls;
    for (int row = 1; row <= 10; ++row) {
      for (int col = 1; col <= 10; ++col) cls += std::to_string(classOf(row, col)) + " ";
      cls += "\n";
    }
    classes = dir.file("m.cls", cls);
    settings = dir.file("Favomap5.cfg", support::exampleSettingsWith(2, "300"));
    controls.visfile = "  " + bmu + " ";
    controls.classfile = classes;
    controls.bmpout = dir.path("map.bmp");
  }
  static int classOf(int row, int col) { return (row + col) % 4 + 1; }
  PassResult run() {
    takeDialogValues(state, controls);
    return drawingPass(state, controls, settings);
  }
};

Colour at(const surface::Surface& s, double x, double y) {
  const surface::PixelPoint p = s.toPixel(x, y);
  return s.pixel(p.col, p.row);
}

TEST(DrawingPass, ClassMapColoursEveryUnitWithBlackBordersBetween) {
  TenByTen map;
  map.controls.option = MapOption::kClasses;
  map.controls.blankUnits = true;
  const PassResult r = map.run();
  const Settings settings = loadSettings(map.settings);
  for (int row = 1; row <= 10; ++row) {
    for (int col = 1; col <= 10; ++col) {
      const draw::MapPoint c = draw::hexCentre(row, col);
      EXPECT_EQ(at(r.picture, c.x, c.y), settings.classColour(TenByTen::classOf(row, col)))
          << row << "," << col;
      EXPECT_EQ(at(r.picture, c.x + 0.5, c.y), common::kBlack) << row << "," << col;
    }
  }
  EXPECT_EQ(r.caption, "Favomap [" + map.bmu + ", " + map.classes + "]");
  EXPECT_EQ(r.savedPath, map.controls.bmpout);
  EXPECT_TRUE(std::filesystem::exists(map.controls.bmpout));
}

TEST(DrawingPass, PlainMapIsWhiteAndCarriesLabels) {
  TenByTen map;
  const PassResult r = map.run();
  EXPECT_EQ(r.caption, "Favomap [" + map.bmu + "]");
  // Object i sits at row 7i mod 10 + 1, column 3i mod 10 + 1: unit (1, 2)
  // holds none, unit (8, 4) holds o1, o11 and o21.
  const draw::MapPoint empty = draw::hexCentre(1, 2);
  EXPECT_EQ(at(r.picture, empty.x, empty.y), common::kWhite);
  int black = 0;
  const draw::MapPoint labelled = draw::hexCentre(8, 4);
  const surface::PixelPoint p = r.picture.toPixel(labelled.x, labelled.y);
  for (int dr = -8; dr <= 8; ++dr) {
    for (int dc = -8; dc <= 8; ++dc)
      black += r.picture.pixel(p.col + dc, p.row + dr) == common::kBlack;
  }
  EXPECT_GT(black, 5);  // the label's pixels around the centre
}

TEST(DrawingPass, LabelLinesForOneToFourObjects) {
  using Lines = std::vector<LabelLine>;
  EXPECT_EQ(labelLines("", false, false), Lines{});
  EXPECT_EQ(labelLines(" A", false, false), (Lines{{"A", 0.45}}));
  EXPECT_EQ(labelLines(" A B", false, false), (Lines{{"A", 0.85}, {"B", 0.05}}));
  EXPECT_EQ(labelLines(" A B C", false, false), (Lines{{"A", 1.1}, {"B", 0.4}, {"C", -0.2}}));
  EXPECT_EQ(labelLines(" A B C D", false, false), (Lines{{"A", 1.1}, {"B", 0.4}, {"...", -0.2}}));
  EXPECT_EQ(labelLines(" A B C", true, false), (Lines{{"3", 0.45}}));
  EXPECT_EQ(labelLines("", true, false), (Lines{{"0", 0.45}}));
  EXPECT_EQ(labelLines(" A B C", true, true), (Lines{{"", 0.45}}));
}

TEST(DrawingPass, LastRowOfASmallMapIsFilled) {
  TenByTen map;
  map.controls.option = MapOption::kClasses;
  map.controls.blankUnits = true;
  const PassResult r = map.run();
  EXPECT_GT(r.geometry.extraRowsPx, 0);
  const Settings settings = loadSettings(map.settings);
  const draw::MapPoint c = draw::hexCentre(10, 5);
  const surface::PixelPoint p = r.picture.toPixel(c.x, c.y + 0.4);  // low in the cell
  ASSERT_LT(p.row, r.picture.heightPx());
  EXPECT_EQ(r.picture.pixel(p.col, p.row), settings.classColour(TenByTen::classOf(10, 5)));
}

TEST(DrawingPass, ConnectedSeriesShadesFromBlueToRed) {
  TenByTen map;
  map.controls.blankUnits = true;
  map.controls.first = "2";
  map.controls.num = "3";
  map.controls.connect = true;
  const PassResult r = map.run();
  // Objects 2 to 4; the last, o4, sits at row 9, column 3, with the end
  // circle in the colour 255 * 2 / 3, 0, 255 - 255 * 2 / 3.
  const draw::MapPoint end = draw::markerPoint(9, 3);
  EXPECT_EQ(at(r.picture, end.x, end.y), common::rgb(170, 0, 85));
}

// A series of one pattern draws nothing; one of two has a single segment,
// passed as the last: the end circle is drawn, the start square is not.
TEST(DrawingPass, SeriesOfOneAndTwoPatterns) {
  TenByTen plain;
  plain.controls.blankUnits = true;
  const QImage none = plain.run().picture.image();
  TenByTen one;
  one.controls.blankUnits = true;
  one.controls.first = "2";
  one.controls.num = "1";
  one.controls.connect = true;
  EXPECT_TRUE(one.run().picture.image() == none);

  TenByTen two;  // cells of about 80 pixels, so that the markers are many pixels wide
  two.settings = two.dir.file("Favomap5.cfg", support::exampleSettingsWith(2, "1500"));
  two.controls.blankUnits = true;
  two.controls.first = "2";
  two.controls.num = "2";
  two.controls.connect = true;
  const PassResult r = two.run();
  // o2 sits at row 5, column 7 and o3 at row 2, column 10; the colour is
  // 255 / 2 = 127.5 of red and of blue, rounded to 128.
  const Colour c = common::rgb(128, 0, 128);
  const draw::MapPoint p0 = draw::markerPoint(5, 7);
  const draw::MapPoint p1 = draw::markerPoint(2, 10);
  EXPECT_EQ(at(r.picture, (p0.x + p1.x) / 2, (p0.y + p1.y) / 2), c);   // the segment
  EXPECT_EQ(at(r.picture, p1.x, p1.y + 0.05), c);                      // the end circle
  EXPECT_EQ(at(r.picture, p0.x - 0.06, p0.y - 0.06), common::kWhite);  // no start square
  EXPECT_EQ(at(r.picture, p0.x - 0.06, p0.y + 0.06), common::kWhite);
}

// Labels are 7 points, or 7 + hexSize / 550 above a hexSize of 550, the
// same whatever the map's scale.
TEST(DrawingPass, LabelFontGrowsWithLargeCells) {
  for (const auto& [hexSize, points] :
       {std::pair{"300", 7.0}, std::pair{"550", 7.0}, std::pair{"825", 8.5}, std::pair{"1100", 9.0},
        std::pair{"5500", 17.0}}) {
    TenByTen map;
    map.settings = map.dir.file("Favomap5.cfg", support::exampleSettingsWith(2, hexSize));
    const PassResult r = map.run();
    EXPECT_EQ(r.picture.fontName(), "Arial");
    EXPECT_DOUBLE_EQ(r.picture.fontSize(), points) << hexSize;
  }
}

TEST(DrawingPass, SeriesPastTheLastObjectStops) {
  TenByTen map;
  map.controls.first = "29";
  map.controls.num = "5";
  try {
    map.run();
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.fault(), common::Fault::kPastEndOfFile);
  }
  EXPECT_FALSE(std::filesystem::exists(map.controls.bmpout));
}

TEST(DrawingPass, FaultsStopBeforeAnythingIsSaved) {
  TenByTen map;
  { std::ofstream(map.controls.bmpout) << "earlier picture"; }
  map.controls.option = MapOption::kClasses;
  map.classes = map.dir.file("m.cls", "1 2 3 16\n");
  EXPECT_EQ(programMessageOf([&] { map.run(); }), "|Class ID must be >0 and <15)");
  std::ifstream kept(map.controls.bmpout);
  std::string contents;
  std::getline(kept, contents);
  EXPECT_EQ(contents, "earlier picture");

  TenByTen far;
  far.bmu = far.dir.file("m.bmu", "hexa\n2\n10,10\nA,3,4\nB,11,2\n");
  try {
    far.run();
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(std::string(e.what()),
              far.bmu + ": record 2: subscript out of range: row 11 is outside 0..10");
  }

  TenByTen unnamed;
  unnamed.controls.bmpout = "   ";
  try {
    unnamed.run();
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.fault(), common::Fault::kBadFileName);
  }
}

// An object on row 0 or column 0 is read, and its label is written nowhere:
// the picture is that of a map with no objects.
TEST(DrawingPass, RowZeroIsAcceptedButNeverShown) {
  TenByTen empty;
  empty.bmu = empty.dir.file("m.bmu", "hexa\n0\n10,10\n");
  const QImage none = empty.run().picture.image();
  for (const char* record : {"LABEL,0,0", "LABEL,0,3", "LABEL,4,0"}) {
    TenByTen map;
    map.bmu = map.dir.file("m.bmu", std::string("hexa\n1\n10,10\n") + record + "\n");
    EXPECT_TRUE(map.run().picture.image() == none) << record;
  }
}

}  // namespace
}  // namespace map
