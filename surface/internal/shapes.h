// The drawing kept as shapes, for the vector backends (SVG, PDF) and for
// bitmaps drawn larger than the exact picture.
//
// Coordinates are those of the exact picture's pixels, unrounded where the
// drawing gave them unrounded: pixel (c, r) covers the square from (c, r) to
// (c + 1, r + 1), so a line the raster draws through pixel centres runs here
// through (c + 0.5, r + 0.5).
#ifndef SURFACE_INTERNAL_SHAPES_H_
#define SURFACE_INTERNAL_SHAPES_H_

#include <cstdint>
#include <string>
#include <vector>

class QImage;
class QPainter;

namespace surface::internal {

struct Stroke {
  std::uint32_t argb = 0xFF000000u;
  int width = 1;
  bool dotted = false;  // every other pixel, width 1 only
};

class ShapeList {
 public:
  // A picture of width x height pixels painted in one colour, forgetting what
  // came before.
  void clear(std::uint32_t argb, int width, int height);
  // A line between pixel positions (unrounded).
  void line(double c1, double r1, double c2, double r2, const Stroke& stroke);
  // The pixels from (c1, r1) to (c2, r2), both included, filled.
  void filledRect(int c1, int r1, int c2, int r2, std::uint32_t argb);
  // A circle of "radius" pixels about pixel (c, r), its inside painted in
  // fillArgb first when "filled".
  void circle(int c, int r, int radius, const Stroke& stroke, bool filled, std::uint32_t fillArgb);
  // A dot of the stroke's width at pixel (c, r).
  void dot(int c, int r, const Stroke& stroke);
  // A polygon of pixel positions (unrounded) filled in argb.
  void polygon(const std::vector<double>& colsRows, std::uint32_t argb);
  // Runs of pixels (row, first, last) filled in argb: a region known only
  // by its pixels.
  void runs(const std::vector<int>& rowFirstLast, std::uint32_t argb);
  // Text with its top-left corner at pixel (c, r): in "family" at "points"
  // (96 dots per inch), or in the fixed 8 x 8 font when "fixed".
  void text(int c, int r, const std::string& text, const std::string& family, double points,
            bool fixed, std::uint32_t argb);

  // Paints every shape in order with "painter", whose coordinates are the
  // exact picture's pixels (scale the painter for a larger picture).
  void paint(QPainter& painter) const;

  // The shapes as an SVG document of width x height pixels (at 96 dots per
  // inch): runs of lines of one stroke as one path, text as text.
  std::string svg(int width, int height) const;

  std::size_t size() const { return shapes_.size(); }

  // A picture of more shapes than this is not kept whole (a plot of
  // millions of points): complete() turns false and later shapes are
  // dropped, so memory stays bounded.
  static constexpr std::size_t kMostShapes = 2000000;
  bool complete() const { return !overflowed_; }

 private:
  enum class Kind { kClear, kLine, kFilledRect, kCircle, kDot, kPolygon, kRuns, kText };
  struct Shape {
    explicit Shape(Kind k, double a0 = 0, double b0 = 0, double c0 = 0, double d0 = 0)
        : kind(k), a(a0), b(b0), c(c0), d(d0) {}
    Kind kind;
    double a = 0, b = 0, c = 0, d = 0;  // positions, or a radius in c
    Stroke stroke;
    bool filled = false;
    std::uint32_t fillArgb = 0;
    std::uint32_t first = 0, count = 0;  // into numbers_ (polygon, runs) or texts_
  };
  struct TextRun {
    std::string text, family;
    double points = 0;
    bool fixed = false;
  };
  // One painter per kind of shape that takes more than a call, for paint().
  void paintShape(QPainter& painter, const Shape& s) const;
  static void paintLine(QPainter& painter, const Shape& s);
  static void paintDot(QPainter& painter, const Shape& s);
  void paintPolygon(QPainter& painter, const Shape& s) const;
  void paintRuns(QPainter& painter, const Shape& s) const;
  void paintText(QPainter& painter, const Shape& s) const;

  // One SVG writer per kind of shape, for svg(); each appends its element to
  // "out".  svgLines writes the line shapes_[i] and those that continue it
  // as one path and returns the index of the last one written; svgText
  // measures the font on "probe", a picture at 96 dots per inch.
  static void svgClear(std::string& out, const Shape& s);
  std::size_t svgLines(std::string& out, std::size_t i) const;
  static void svgFilledRect(std::string& out, const Shape& s);
  static void svgCircle(std::string& out, const Shape& s);
  static void svgDot(std::string& out, const Shape& s);
  void svgPolygon(std::string& out, const Shape& s) const;
  void svgRuns(std::string& out, const Shape& s) const;
  void svgText(std::string& out, const Shape& s, const QImage& probe) const;

  bool add(const Shape& s);  // false (and nothing kept) once over kMostShapes

  std::vector<Shape> shapes_;
  bool overflowed_ = false;
  std::vector<double> numbers_;
  std::vector<TextRun> texts_;
};

}  // namespace surface::internal

#endif  // SURFACE_INTERNAL_SHAPES_H_
