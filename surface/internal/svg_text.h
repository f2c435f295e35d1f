// Pieces of SVG text shared by the drawings the surface writes: numbers,
// colours and escaped characters.
#ifndef SURFACE_INTERNAL_SVG_TEXT_H_
#define SURFACE_INTERNAL_SVG_TEXT_H_

#include <cstdint>
#include <string>

namespace surface::internal {

// A number with at most three decimals and no trailing zeros ("0" for -0
// and for a value that is not finite).
void svgNumber(std::string& out, double v);

// "#rrggbb" of a colour packed as 0xAARRGGBB (the alpha is ignored).
void svgColour(std::string& out, std::uint32_t argb);

// The characters of "text" (bytes read as textOf reads them) for an SVG
// file: markup escaped, those beyond ASCII as character references, control
// characters dropped.
void svgEscaped(std::string& out, const std::string& text);

}  // namespace surface::internal

#endif  // SURFACE_INTERNAL_SVG_TEXT_H_
