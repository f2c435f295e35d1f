#include "common/colour.h"

#include <algorithm>

namespace common {

Colour rgb(int red, int green, int blue) {
  auto clamp = [](int v) { return static_cast<Colour>(std::clamp(v, 0, 255)); };
  return clamp(red) | (clamp(green) << 8) | (clamp(blue) << 16);
}

Colour paletteColour(int n) {
  // Packed as blue, green, red from the high byte down.
  static constexpr Colour kPalette[16] = {
      0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
      0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
  };
  return kPalette[n & 15];
}

}  // namespace common
