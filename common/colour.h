// Packed colours and the standard 16-colour palette.
//
// A colour is packed as r + 256*g + 65536*b, each component 0 to 255, the
// layout in which the toolkit's settings files store colours.
#ifndef COMMON_COLOUR_H_
#define COMMON_COLOUR_H_

#include <cstdint>

namespace common {

using Colour = std::uint32_t;

// Packs three components; a component above 255 packs as 255 and one below 0
// as 0.
Colour rgb(int red, int green, int blue);

inline int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
inline int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// Colour n (0..15) of the standard palette: 0 black, 1 dark blue, ... 7 light
// grey, 8 grey, 9 blue, ... 15 white.  Only the low four bits of n count.
Colour paletteColour(int n);

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kGreen = 0x00FF00;
inline constexpr Colour kBlue = 0xFF0000;

}  // namespace common

#endif  // COMMON_COLOUR_H_
