// A figure for a paper: a drawing measured in points (1/72 inch) from its
// top-left corner, y growing downwards, with lines of any width and dash,
// filled shapes, and text in Liberation Sans at sizes in points.
//
// Unlike a Surface it has no pixels: it keeps what is drawn and writes it as
// SVG or PDF (text stays text, sizes are the figure's own) or as a bitmap
// drawn smooth at 96 dots per inch times a scale.  Nothing is clipped.
// Plain types only in this header: Qt stays inside the implementation.
#ifndef SURFACE_FIGURE_H_
#define SURFACE_FIGURE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/colour.h"

namespace surface {

using common::Colour;

// A position on a figure, in points from the top-left corner.
struct FigurePoint {
  double x = 0;
  double y = 0;
};

// A rectangle on a figure, in points; left <= right and top <= bottom.
struct FigureBox {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  double width() const { return right - left; }
  double height() const { return bottom - top; }
  // True when the two boxes share more than an edge.
  bool overlaps(const FigureBox& other) const;
  // True when "p" lies inside or on the edge (within a thousandth of a point).
  bool contains(FigurePoint p) const;
  bool contains(const FigureBox& other) const;
};

enum class Dash { kSolid, kDashed, kDotted, kDashDot, kLongDash };

// How a line is stroked: its colour, its width in points and its dashes
// (the dashes scale with the width, as in SVG and PDF).
struct Pen {
  Colour colour = common::kBlack;
  double widthPt = 1.0;
  Dash dash = Dash::kSolid;
};

enum class HAlign { kLeft, kCentre, kRight };
// Which line of the text stands at the anchor: the top of its tallest
// letters, the middle of its capitals, its baseline, or the bottom of its
// descenders.
enum class VAlign { kTop, kMiddle, kBaseline, kBottom };

struct TextStyle {
  double sizePt = 9;
  HAlign horizontal = HAlign::kLeft;
  VAlign vertical = VAlign::kBaseline;
  // Turned counter-clockwise about the anchor: 0 or 90 (a y-axis title).
  int quarterTurns = 0;
  Colour colour = common::kBlack;
  bool bold = false;
};

class Figure {
 public:
  // The family every text is drawn in; SVG names fallbacks after it.
  static constexpr std::string_view kFontFamily = "Liberation Sans";

  // One thing drawn, as kept: for the writers and for tests that check where
  // things landed.  A text's "box" is the room its letters take (turned with
  // it); "points" of a circle hold its centre, "radiusPt" its radius.
  struct Item {
    enum class Kind { kPolyline, kPolygon, kCircle, kText };
    Kind kind = Kind::kPolyline;
    std::vector<FigurePoint> points;
    std::optional<Pen> pen;
    std::optional<Colour> fill;
    double fillOpacity = 1.0;
    double radiusPt = 0;
    std::string text;
    TextStyle style;
    FigureBox box;
  };

  // An empty white figure; sizes below one point count as one.
  Figure(double widthPt, double heightPt);

  double widthPt() const { return widthPt_; }
  double heightPt() const { return heightPt_; }

  // An open line through "points" (nothing for fewer than two).
  void polyline(std::vector<FigurePoint> points, const Pen& pen);
  // A closed shape: filled (at an opacity from 0 to 1) and/or outlined.
  void polygon(std::vector<FigurePoint> points, std::optional<Colour> fill,
               std::optional<Pen> outline = {}, double fillOpacity = 1.0);
  void rectangle(const FigureBox& box, std::optional<Colour> fill, std::optional<Pen> outline = {});
  void circle(FigurePoint centre, double radiusPt, std::optional<Colour> fill,
              std::optional<Pen> outline = {});
  // "text" (UTF-8, or Latin-1 when it is not valid UTF-8; one line) placed
  // by "style" about "anchor"; returns the box its letters take.
  FigureBox text(std::string_view text, FigurePoint anchor, const TextStyle& style);

  // The box "text" would take at "anchor" in "style", drawn or not.
  static FigureBox textBox(std::string_view text, FigurePoint anchor, const TextStyle& style);
  // The advance width of "text" and the height of a line (ascent plus
  // descent) at "sizePt", in points.
  static double textWidth(std::string_view text, double sizePt, bool bold = false);
  static double lineHeight(double sizePt);

  const std::vector<Item>& items() const { return items_; }

  // The most items a figure is drawn with: a program that streams its input
  // refuses before its work a figure of more.
  static constexpr std::size_t kMostItems = 2000000;
  // Throws ToolError(kTooLarge) naming "path" when "items" exceed kMostItems.
  static void requireRoom(const std::string& path, std::size_t items);

  // The drawing as an SVG document "widthPt" by "heightPt" points.
  std::string svg() const;

  // Saves by the name's ending, replacing an existing file only once the new
  // one is complete: ".svg" or ".pdf" as a drawing, any other ending Qt can
  // write as a bitmap of round(size / 72 * 96 * scale) pixels, a name
  // without an ending as a Windows bitmap.  Throws ToolError(kBadFileName)
  // when the file cannot be written or the ending names no format.
  void save(const std::string& path, int scale = 1) const;

 private:
  double widthPt_;
  double heightPt_;
  std::vector<Item> items_;
};

// Points in "centimetres" (1 cm = 72 / 2.54 points).
double pointsFromCm(double centimetres);

}  // namespace surface

#endif  // SURFACE_FIGURE_H_
