#include "surface/surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "common/errors.h"

namespace surface {
namespace {

using common::kBlack;
using common::kBlue;
using common::kRed;
using common::kWhite;

int countColour(const Surface& s, Colour colour) {
  int count = 0;
  for (int r = 0; r < s.heightPx(); ++r) {
    for (int c = 0; c < s.widthPx(); ++c) count += s.pixel(c, r) == colour;
  }
  return count;
}

TEST(SurfaceMapping, WindowIsBottomAnchoredWithHalvesAwayFromZero) {
  Surface s(600, 600);
  s.setWindow(0, 0, 1, 1);
  struct Row {
    double x, y;
    int col, row;
  } rows[] = {{0, 0, 0, 599}, {1, 1, 600, -1}, {0.5, 0.5, 300, 299}, {0.25, 0.02, 150, 587}};
  for (const Row& r : rows) {
    PixelPoint p = s.toPixel(r.x, r.y);
    EXPECT_EQ(p.col, r.col) << r.x;
    EXPECT_EQ(p.row, r.row) << r.y;
  }
  Surface small(4, 4);
  small.setWindow(0, 0, 1, 1);
  PixelPoint half = small.toPixel(0.125, 0.125);  // 0.5 pixel on both axes
  EXPECT_EQ(half.col, 1);
  EXPECT_EQ(half.row, 3 - 1);
  EXPECT_FALSE(s.toPixel(std::nan(""), 0).valid);
}

TEST(SurfaceMapping, ScaleAxesRunEitherWay) {
  Surface s(100, 100);
  struct Row {
    double left, top, right, bottom, x, y;
    int col, row;
  } rows[] = {
      {0, 0, 10, 10, 1, 2, 10, 20},  // y down
      {0, 10, 10, 0, 1, 2, 10, 80},  // y up
      {10, 0, 0, 10, 1, 0, 90, 0},   // x to the left
      {-5, 5, 5, -5, 0, 0, 50, 50},  // centred
  };
  for (const Row& r : rows) {
    s.setScale(r.left, r.top, r.right, r.bottom);
    PixelPoint p = s.toPixel(r.x, r.y);
    EXPECT_EQ(p.col, r.col);
    EXPECT_EQ(p.row, r.row);
    EXPECT_DOUBLE_EQ(s.toPixelsX(2), 20);
    EXPECT_DOUBLE_EQ(s.toPixelsY(2), 20);
  }
}

TEST(SurfaceDrawing, LinesIncludeBothEndsAndUseTheRightColour) {
  Surface s(20, 20);
  s.setPenColour(kBlue);
  s.line(2, 3, 12, 3);
  EXPECT_EQ(countColour(s, kBlue), 11);
  EXPECT_EQ(s.pixel(2, 3), kBlue);
  EXPECT_EQ(s.pixel(12, 3), kBlue);
  EXPECT_EQ(s.currentX(), 12);
  s.lineTo(12, 8, kRed);
  EXPECT_EQ(countColour(s, kRed), 6);  // (12,3) repainted red
  EXPECT_EQ(s.pixel(12, 8), kRed);
}

TEST(SurfaceDrawing, DottedLinesLeaveGaps) {
  Surface s(30, 5);
  s.setDrawStyle(DrawStyle::kDotted);
  s.line(0, 2, 19, 2, kBlack);
  EXPECT_EQ(countColour(s, kBlack), 10);
  for (int c = 0; c < 20; ++c) EXPECT_EQ(s.pixel(c, 2) == kBlack, c % 2 == 0) << c;
  s.setDrawWidth(3);  // wide lines are always solid
  s.line(0, 0, 29, 0, kRed);
  EXPECT_EQ(s.pixel(1, 0), kRed);
  EXPECT_EQ(s.pixel(1, 1), kRed);
}

TEST(SurfaceDrawing, BoxesOutlinedOrFilled) {
  Surface s(20, 20);
  s.line(2, 2, 6, 5, kRed, LineKind::kBox);
  EXPECT_EQ(countColour(s, kRed), 2 * 5 + 2 * 2);
  EXPECT_EQ(s.pixel(4, 3), kWhite);
  s.line(10, 10, 13, 12, kBlue, LineKind::kFilledBox);
  EXPECT_EQ(countColour(s, kBlue), 4 * 3);
  s.line(-100, -100, 100, 100, kBlack, LineKind::kFilledBox);  // clipped to the picture
  EXPECT_EQ(countColour(s, kBlack), 400);
}

TEST(SurfaceDrawing, CircleOutlineAndSolidFill) {
  Surface s(40, 40);
  s.circle(20, 20, 6, kRed);
  EXPECT_EQ(s.pixel(26, 20), kRed);
  EXPECT_EQ(s.pixel(20, 14), kRed);
  EXPECT_EQ(s.pixel(20, 20), kWhite);
  EXPECT_EQ(s.pixel(27, 20), kWhite);
  s.setFillStyle(FillStyle::kSolid);
  s.setFillColour(kBlue);
  s.circle(20, 20, 6, kRed);
  EXPECT_EQ(s.pixel(20, 20), kBlue);
  EXPECT_EQ(s.pixel(25, 20), kBlue);
  EXPECT_EQ(s.pixel(26, 20), kRed);
  EXPECT_EQ(s.pixel(30, 20), kWhite);
}

TEST(SurfaceDrawing, PointIsOnePixelOrADotAtWidthTwo) {
  Surface s(10, 10);
  s.point(3, 3, kRed);
  EXPECT_EQ(countColour(s, kRed), 1);
  s.setDrawWidth(2);
  s.point(6, 6, kBlue);
  EXPECT_EQ(countColour(s, kBlue), 4);
  EXPECT_EQ(s.pixel(6, 6), kBlue);
}

TEST(SurfaceFloodFill, StopsAtTheBorderColourOnly) {
  Surface s(30, 30);
  s.line(5, 5, 20, 20, kRed, LineKind::kBox);
  s.line(8, 8, 12, 12, kBlue, LineKind::kFilledBox);  // another colour inside: filled over
  s.setFillColour(kBlack);
  s.floodFill(15, 15, kRed);
  EXPECT_EQ(countColour(s, kBlack), 14 * 14);
  EXPECT_EQ(countColour(s, kRed), 4 * 15);
  EXPECT_EQ(s.pixel(2, 2), kWhite);
  s.floodFill(5, 5, kRed);   // on the border: nothing
  s.floodFill(-1, 3, kRed);  // outside: nothing
  EXPECT_EQ(countColour(s, kBlack), 14 * 14);
  s.floodFill(15, 15, kRed);  // a region already in the fill colour is refilled and ends
  EXPECT_EQ(countColour(s, kBlack), 14 * 14);
}

TEST(SurfaceFloodFill, DoesNotLeakThroughADiagonalLine) {
  Surface s(50, 50);
  s.line(0, 0, 49, 49, kRed);  // one pixel a step, corners touching
  s.setFillColour(kBlue);
  s.floodFill(40, 5, kRed);
  EXPECT_EQ(s.pixel(5, 40), kWhite);
  EXPECT_EQ(countColour(s, kBlue), (50 * 50 - 50) / 2);
}

TEST(SurfaceFloodFill, LeaksThroughAGapInTheBorder) {
  Surface s(30, 30);
  s.line(5, 5, 20, 20, kRed, LineKind::kBox);
  s.line(10, 5, 11, 5, kWhite);  // a two-pixel gap in the top side
  s.setFillColour(kBlue);
  s.floodFill(15, 15, kRed);
  EXPECT_EQ(s.pixel(0, 0), kBlue);
}

TEST(SurfaceText, FixedFontDrawsGlyphsAndMovesToTheNextLine) {
  Surface s(600, 600);
  s.setWindow(0, 0, 1, 1);
  s.setCurrentPoint(0.5, 0.5);  // pixel (300, 299)
  s.print("I", kBlack);
  // The 8x8 "I" has a bar in its top row and nothing in its last.
  int top = 0;
  int last = 0;
  for (int c = 300; c < 308; ++c) {
    top += s.pixel(c, 299) == kBlack;
    last += s.pixel(c, 306) == kBlack;
  }
  EXPECT_GT(top, 2);
  EXPECT_EQ(last, 0);
  EXPECT_EQ(s.currentX(), 0);
  EXPECT_EQ(s.toPixel(s.currentX(), s.currentY()).row, 299 + 8);
  EXPECT_DOUBLE_EQ(s.textWidth("abc") * 600, 24);
  EXPECT_DOUBLE_EQ(s.textHeight("abc") * 600, 8);
}

TEST(SurfaceText, FontTextIsAliasedInThePenColour) {
  Surface s(200, 60);
  s.setFontName("Arial");
  s.setFontSize(12);
  s.setPenColour(kBlue);
  s.setCurrentPoint(10, 10);
  s.print("Hello");
  std::set<Colour> colours;
  for (int r = 0; r < 60; ++r) {
    for (int c = 0; c < 200; ++c) colours.insert(s.pixel(c, r));
  }
  EXPECT_EQ(colours, (std::set<Colour>{kWhite, kBlue}));
  EXPECT_GT(s.textWidth("Hello"), s.textWidth("Hi"));
  EXPECT_GT(s.textHeight("Hello"), 10);
  EXPECT_NEAR(s.currentY(), 10 + s.textHeight("Hello"), 1e-9);
}

// A label's bytes are UTF-8 where they are valid UTF-8, else Latin-1: "été"
// written either way is the same text in the picture, its scaled copy and
// its drawing; the 8 x 8 font draws a glyph a byte, as it always has.
TEST(SurfaceText, LabelsAreUtf8ElseLatin1) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("surface_text_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string utf8 = "\xC3\xA9t\xC3\xA9", latin1 = "\xE9t\xE9", mojibake = "\xC3\x83\xC2\xA9";
  auto draw = [&](const std::string& text, const std::string& name) {
    Surface s(80, 30);
    s.keepShapes();
    s.setFontName("Arial");
    s.setFontSize(12);
    s.setCurrentPoint(5, 5);
    s.print(text);
    s.save((dir / (name + ".svg")).string());
    s.save((dir / (name + ".png")).string(), 2);
    return s;
  };
  auto file = [&](const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const Surface a = draw(utf8, "utf8"), b = draw(latin1, "latin1"), c = draw(mojibake, "mojibake");
  EXPECT_TRUE(a.image() == b.image());
  EXPECT_FALSE(a.image() == c.image());
  EXPECT_DOUBLE_EQ(a.textWidth(utf8), b.textWidth(latin1));
  EXPECT_NE(file("utf8.svg").find(">&#233;t&#233;</text>"), std::string::npos) << file("utf8.svg");
  EXPECT_EQ(file("utf8.svg"), file("latin1.svg"));
  EXPECT_EQ(file("utf8.png"), file("latin1.png"));
  EXPECT_NE(file("utf8.png"), file("mojibake.png"));
  Surface fixed(80, 30);
  EXPECT_DOUBLE_EQ(fixed.textWidth(utf8), 40);
  fs::remove_all(dir);
}

TEST(SurfaceSave, BmpAndPngRoundTripAndReplace) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("surface_test_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  Surface s(17, 9);
  s.line(0, 0, 16, 8, kRed);
  s.point(3, 7, common::rgb(10, 20, 30));
  for (const char* name : {"pic.bmp", "pic.PNG"}) {
    fs::path file = dir / name;
    { std::ofstream(file) << "old"; }
    s.save(file.string());
    QImage back(QString::fromStdString(file.string()));
    ASSERT_FALSE(back.isNull()) << name;
    EXPECT_EQ(back.size(), QSize(17, 9));
    for (int r = 0; r < 9; ++r) {
      for (int c = 0; c < 17; ++c) {
        QRgb p = back.pixel(c, r);
        EXPECT_EQ(common::rgb(qRed(p), qGreen(p), qBlue(p)), s.pixel(c, r)) << name;
      }
    }
  }
  std::ifstream bmp(dir / "pic.bmp", std::ios::binary);
  char magic[2] = {};
  bmp.read(magic, 2);
  EXPECT_EQ(std::string(magic, 2), "BM");
  EXPECT_THROW(s.save((dir / "missing" / "x.bmp").string()), common::ToolError);
  // Another ending names the bitmap format written; no ending is a Windows
  // bitmap; an ending that names no format is refused, nothing written.
  for (const auto& [name, start] :
       {std::pair<const char*, std::string>{"pic.JPG", "\xFF\xD8\xFF"}, {"pic", "BM"}}) {
    s.save((dir / name).string());
    std::ifstream in(dir / name, std::ios::binary);
    std::string head(start.size(), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    EXPECT_EQ(head, start) << name;
  }
  EXPECT_THROW(s.save((dir / "pic.jpx").string()), common::ToolError);
  EXPECT_FALSE(fs::exists(dir / "pic.jpx"));
  // A vector or scaled copy needs the shapes, kept from the start.
  for (const auto& [name, scale] :
       {std::pair{"v.svg", 1}, std::pair{"v.PDF", 1}, std::pair{"v.png", 2}}) {
    EXPECT_TRUE(Surface::needsShapes(name, scale)) << name;
    EXPECT_THROW(s.save((dir / name).string(), scale), common::ToolError) << name;
  }
  EXPECT_FALSE(Surface::needsShapes("v.png", 1));
  EXPECT_FALSE(Surface::needsShapes("v.svg.bmp", 1));
  fs::remove_all(dir);
}

// A picture that keeps its shapes is the same picture, and its scaled copy
// shows it larger: each pixel of the exact picture is found in the block
// the copy gives it, up to the smoothing of edges.
TEST(SurfaceSave, ScaledCopiesDrawTheKeptShapesLarger) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("surface_scaled_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  Surface plain(60, 40), kept(60, 40);
  kept.keepShapes();
  for (Surface* s : {&plain, &kept}) {
    s->setFillStyle(FillStyle::kSolid);
    s->setFillColour(common::rgb(0, 0, 255));
    s->line(5, 5, 30, 5, kRed, LineKind::kFilledBox);
    s->line(5, 5, 30, 30, kRed, LineKind::kFilledBox);
    s->circle(45, 20, 10, common::kBlack);
  }
  EXPECT_TRUE(plain.image() == kept.image());
  kept.save((dir / "big.png").string(), 3);
  const QImage big(QString::fromStdString((dir / "big.png").string()));
  ASSERT_EQ(big.size(), QSize(180, 120));
  EXPECT_EQ(big.pixel(3 * 15 + 1, 3 * 15 + 1) & 0xFFFFFF, 0xFF0000u);  // inside the red box
  EXPECT_EQ(big.pixel(3 * 45 + 1, 3 * 20 + 1) & 0xFFFFFF, 0x0000FFu);  // inside the blue disc
  EXPECT_EQ(big.pixel(3 * 55, 3 * 35) & 0xFFFFFF, 0xFFFFFFu);          // background
  fs::remove_all(dir);
}

}  // namespace
}  // namespace surface
