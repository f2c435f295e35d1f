// The file formats a picture is saved in, chosen by the ending of its name.
//
// ".svg" and ".pdf" are drawings of the kept shapes; every other ending is
// a bitmap format Qt's image writers know (".bmp", ".png", ".jpg", ...).  A
// name without an ending is saved as a Windows bitmap.
#ifndef SURFACE_PICTURE_FORMATS_H_
#define SURFACE_PICTURE_FORMATS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace surface {

// The ending of the file name in "path", lower case and without its dot:
// "png" for "out/Map.PNG", "" for "out/map" or "/dev/stdout".
std::string pictureEnding(std::string_view path);

// Every ending a picture can be saved under, sorted: "bmp", "jpg", "pdf",
// "png", "svg" and the other bitmap formats Qt writes on this machine.
std::vector<std::string> pictureEndings();

// Nothing when a picture can be saved under "path"; otherwise why not, e.g.
// 'no picture format ends in ".jpx"; name a .bmp, .jpg, ... or .svg file'.
std::optional<std::string> unknownPictureFormat(std::string_view path);

}  // namespace surface

#endif  // SURFACE_PICTURE_FORMATS_H_
