// The drawing surface every picture of the toolkit is drawn on.
//
// A Surface is a raster of pixels with a user scale and the drawing state of
// a picture box: current point, pen colour, draw width and style, fill style
// and colour, font.  All drawing is aliased: a pixel is either painted in
// exactly the colour asked for or left alone, so flood fills can rely on
// border colours and tests on pixel values.  The picture is kept in memory
// and can be saved as BMP or PNG, or shown by a window front end.
//
// Coordinates: setScale() gives the user coordinates of the top-left and
// bottom-right corners, either axis running either way; setWindow() gives a
// bottom-anchored window in the manner of the console graphics (see there).
// Plain types only in this header: Qt stays inside the implementation.
#ifndef SURFACE_SURFACE_H_
#define SURFACE_SURFACE_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/colour.h"

class QImage;

namespace surface {

using common::Colour;

enum class DrawStyle { kSolid, kDotted };
enum class FillStyle { kSolid, kTransparent };
enum class LineKind { kLine, kBox, kFilledBox };

// A pixel position; "valid" is false when a coordinate was not a number.
struct PixelPoint {
  int col = 0;
  int row = 0;
  bool valid = true;
};

class Surface {
 public:
  // The font name that selects the built-in fixed 8 x 8 pixel font.
  static constexpr std::string_view kFixedFont = "Fixed 8x8";

  // A white picture of the given size; the scale is in pixels, (0, 0) at the
  // top-left; pen black, width 1, solid; fill transparent black; fixed font.
  Surface(int widthPx, int heightPx);
  ~Surface();
  Surface(Surface&&) noexcept;
  Surface& operator=(Surface&&) noexcept;

  int widthPx() const;
  int heightPx() const;

  // Paints the whole picture in "background" and puts the current point at
  // the scale's top-left corner.
  void clear(Colour background = common::kWhite);

  // User coordinates of the top-left (left, top) and bottom-right (right,
  // bottom) corners.  A point maps to column round((x - left) * W / (right -
  // left)) and row round((y - top) * H / (bottom - top)), halves away from 0.
  void setScale(double left, double top, double right, double bottom);

  // A window with (left, bottom) at the lower-left and (right, top) at the
  // upper-right: column round((x - left) * W / (right - left)), row
  // H - 1 - round((y - bottom) * H / (top - bottom)), halves away from zero.
  // On a 600 x 600 picture with the window (0, 0)-(1, 1), x = 1 and y = 1
  // fall one pixel outside.
  void setWindow(double left, double bottom, double right, double top);

  // The pixel of a user point (unclipped).
  PixelPoint toPixel(double x, double y) const;

  // A length (not a position) in user units converted to pixels,
  // horizontally or vertically; always non-negative for a non-negative length.
  double toPixelsX(double length) const;
  double toPixelsY(double length) const;

  // Drawing state.
  void setPenColour(Colour colour);
  Colour penColour() const;
  void setDrawWidth(int pixels);  // values below 1 count as 1
  int drawWidth() const;
  void setDrawStyle(DrawStyle style);  // dotted applies to lines of width 1
  DrawStyle drawStyle() const;
  void setFillStyle(FillStyle style);
  FillStyle fillStyle() const;
  void setFillColour(Colour colour);
  Colour fillColour() const;
  void setFontName(std::string name);  // kFixedFont or a family name ("Arial")
  const std::string& fontName() const;
  void setFontSize(double points);
  double fontSize() const;

  void setCurrentPoint(double x, double y);
  double currentX() const;
  double currentY() const;

  // A line between two points, or the box with those corners (outlined, or
  // filled in the line's colour), in "colour" or the pen colour.  The
  // current point moves to (x2, y2).
  void line(double x1, double y1, double x2, double y2, std::optional<Colour> colour = {},
            LineKind kind = LineKind::kLine);

  // As line(), from the current point.
  void lineTo(double x2, double y2, std::optional<Colour> colour = {},
              LineKind kind = LineKind::kLine);

  // A circle of "radius" horizontal user units, outlined in "colour" or the
  // pen colour, its inside painted in the fill colour first when the fill
  // style is solid.  The current point moves to the centre.
  void circle(double x, double y, double radius, std::optional<Colour> colour = {});

  // One pixel at (x, y), or a dot of the draw width's diameter; the current
  // point moves there.
  void point(double x, double y, std::optional<Colour> colour = {});

  // Prints "text" with its top-left corner at the current point, in "colour"
  // or the pen colour; then the current point moves to the start of the next
  // line: the scale's left edge, one text height further down.
  void print(std::string_view text, std::optional<Colour> colour = {});

  // The size "text" would take in the current font, in user units (>= 0).
  double textWidth(std::string_view text) const;
  double textHeight(std::string_view text) const;

  // Fills, with the fill colour, the 4-connected region around pixel (col,
  // row) bounded by pixels of the colour "border".  Nothing happens when the
  // start pixel is outside the picture or has the border colour.  "outline"
  // (x1, y1, x2, y2, ... in user coordinates), when given, is the polygon
  // that bounds the region: the kept shapes fill it rather than the pixels.
  void floodFill(int col, int row, Colour border, const std::vector<double>* outline = nullptr);

  // The colour of one pixel; pixels outside the picture read as white.
  Colour pixel(int col, int row) const;

  // From now on also keeps what is drawn as shapes (lines, circles, text,
  // filled regions), starting from the picture as it is cleared next or
  // now.  Only a picture that keeps its shapes can be saved as SVG or PDF
  // or at a scale above 1.  Costs memory in proportion to what is drawn.
  void keepShapes();
  bool keepsShapes() const;
  // Throws the ToolError save() would throw for "path" if "more" shapes were
  // drawn beyond those kept so far and then the picture saved as a drawing
  // or a scaled bitmap (over the most shapes kept); nothing when no shapes
  // are kept.  Lets a program refuse before its work what it could not save.
  void requireRoomForShapes(const std::string& path, std::size_t more) const;

  // While "on", drawing reaches the pixels only, not the kept shapes: for
  // strokes that only bound a flood fill and are drawn again over it.
  void setPixelsOnly(bool on);

  // True when saving under "path" at "scale" needs the kept shapes: an .svg
  // or .pdf name, or a scale other than 1.
  static bool needsShapes(std::string_view path, int scale);

  // The largest scale of a bitmap drawn from the shapes.
  static constexpr int kLargestScale = 8;

  // Saves the picture, replacing an existing file only once the new one is
  // complete: by the name's ending (any case, see picture_formats.h), as an
  // SVG or PDF drawing of the kept shapes at the picture's size in pixels
  // (1/96 inch), text as text; as the bitmap format the ending names (PNG,
  // JPEG, ...), or as a Windows bitmap for a name without one.  A bitmap at
  // "scale" 1 is the exact picture; at 2 to 8 it is drawn from the shapes,
  // anti-aliased, "scale" times as wide and tall.  Throws
  // ToolError(kBadFileName) when the file cannot be written, when the ending
  // names no format, and when a vector or scaled picture is asked of a
  // picture that keeps no shapes.
  void save(const std::string& path, int scale = 1) const;

  // The picture itself, for the window front ends.
  const QImage& image() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace surface

#endif  // SURFACE_SURFACE_H_
