// The options every drawing program shares for a figure made for a paper:
// the style (--style exact|paper) and the size (--size WxH, centimetres).
#ifndef COMMON_FIGURE_OPTIONS_H_
#define COMMON_FIGURE_OPTIONS_H_

#include <optional>
#include <string>
#include <string_view>

namespace common {

// "exact" is the program's own picture, pixel for pixel; "paper" is a
// figure with axes, legends and keys, sized in centimetres.
enum class PictureStyle { kExact, kPaper };

// The style "name" names ("exact" or "paper"), or nothing.
std::optional<PictureStyle> pictureStyleNamed(std::string_view name);

struct FigureSizeCm {
  double width = 12;
  double height = 12;
};

// The largest side a figure may have, in centimetres.
inline constexpr double kLargestFigureCm = 100;

// "WxH" in centimetres ("12x12", "8.5X6"): both numbers above 0 and at most
// kLargestFigureCm; nothing for any other text.
std::optional<FigureSizeCm> parseFigureSize(std::string_view text);

// What a program is asked to draw for a paper: the style, the figure's size
// (none: the program's default), and a title over it (may be empty).
struct FigureSettings {
  PictureStyle style = PictureStyle::kExact;
  std::optional<FigureSizeCm> size;
  std::string title;

  bool paper() const { return style == PictureStyle::kPaper; }
};

}  // namespace common

#endif  // COMMON_FIGURE_OPTIONS_H_
