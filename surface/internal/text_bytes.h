// How the bytes of a label become the characters a font draws.
#ifndef SURFACE_INTERNAL_TEXT_BYTES_H_
#define SURFACE_INTERNAL_TEXT_BYTES_H_

#include <QString>
#include <string_view>

namespace surface::internal {

// "bytes" read as UTF-8 when they are valid UTF-8 (plain ASCII included),
// else as Latin-1, one character a byte: labels come from files written
// either way.
QString textOf(std::string_view bytes);

}  // namespace surface::internal

#endif  // SURFACE_INTERNAL_TEXT_BYTES_H_
