// Pixel-level drawing on a 32-bit raster: the exact, aliased routines the
// Surface is built from.  Coordinates are pixels; everything is clipped.
#ifndef SURFACE_INTERNAL_RASTER_H_
#define SURFACE_INTERNAL_RASTER_H_

#include <cstdint>
#include <vector>

namespace surface::internal {

// A view of 32-bit pixels (0xAARRGGBB), "stride" pixels per row.
struct Raster {
  std::uint32_t* pixels;
  int width;
  int height;
  int stride;

  bool inside(int col, int row) const {
    return col >= 0 && row >= 0 && col < width && row < height;
  }
  std::uint32_t& at(int col, int row) const {
    return pixels[static_cast<long>(row) * stride + col];
  }
};

// How lines and outlines are stroked.
struct Pen {
  std::uint32_t argb;
  int width = 1;        // brush diameter in pixels
  bool dotted = false;  // every other pixel, for width 1
};

// Paints the brush of "pen" (a pixel, or a round dot of pen.width) at (col, row).
void stamp(const Raster& raster, int col, int row, const Pen& pen);

// A line between two pixel positions given as unrounded doubles, both ends
// included.  Far-away ends are clipped first, so no line costs more than the
// picture's size; a line with an infinite or NaN end draws nothing.
void drawLine(const Raster& raster, double col1, double row1, double col2, double row2,
              const Pen& pen);

// The rectangle with the given corners, inclusive, filled.
void fillRect(const Raster& raster, int col1, int row1, int col2, int row2, std::uint32_t argb);

// A circle outline of "radius" pixels about (col, row); with "fill", its
// inside is painted in fillArgb first.
void drawCircle(const Raster& raster, int col, int row, int radius, const Pen& pen, bool fill,
                std::uint32_t fillArgb);

// Scratch memory of flood fills, kept between fills so that a fill costs
// time in proportion to the region it fills, not to the picture: a pixel is
// done in the current fill when its stamp equals the fill's generation.
struct FillMarks {
  std::vector<std::uint32_t> stamps;
  std::uint32_t generation = 0;
};

// Fills the 4-connected region of pixels not of colour "border" around
// (col, row) with "argb".  Iterative, by runs of pixels, with no recursion.
// When "runs" is given, each run of pixels filled is appended to it as
// (row, first column, last column).
void floodFill(const Raster& raster, int col, int row, std::uint32_t border, std::uint32_t argb,
               FillMarks& marks, std::vector<int>* runs = nullptr);

// The text in the fixed 8 x 8 font with its top-left at (col, row), only the
// glyphs' set pixels painted.
void drawFixedText(const Raster& raster, int col, int row, const char* text, int length,
                   std::uint32_t argb);

}  // namespace surface::internal

#endif  // SURFACE_INTERNAL_RASTER_H_
