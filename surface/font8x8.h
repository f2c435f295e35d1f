// The built-in fixed 8 x 8 pixel font of the console pictures.
#ifndef SURFACE_FONT8X8_H_
#define SURFACE_FONT8X8_H_

#include <cstdint>

namespace surface {

// Glyphs of the printable ASCII characters 32 (' ') to 126 ('~'); row r of
// character c is kFont8x8[c - 32][r], bit 7 the leftmost pixel.
extern const std::uint8_t kFont8x8[95][8];

// The glyph rows of "c"; characters outside 32..126 show as '?'.
inline const std::uint8_t* glyph8x8(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return kFont8x8[(u >= 32 && u <= 126) ? u - 32 : '?' - 32];
}

}  // namespace surface

#endif  // SURFACE_FONT8X8_H_
