#include "common/figure_options.h"

#include <cmath>

#include "common/number_parse.h"

namespace common {
namespace {

// A whole decimal number of centimetres, nothing before or after it.
std::optional<double> centimetres(std::string_view text) {
  double value = 0;
  if (!parseDecimal(text, value) || !std::isfinite(value) || value <= 0 ||
      value > kLargestFigureCm) {
    return {};
  }
  return value;
}

}  // namespace

std::optional<PictureStyle> pictureStyleNamed(std::string_view name) {
  if (name == "exact") return PictureStyle::kExact;
  if (name == "paper") return PictureStyle::kPaper;
  return {};
}

std::optional<FigureSizeCm> parseFigureSize(std::string_view text) {
  const std::size_t cross = text.find_first_of("xX");
  if (cross == std::string_view::npos) return {};
  const std::optional<double> width = centimetres(text.substr(0, cross));
  const std::optional<double> height = centimetres(text.substr(cross + 1));
  if (!width || !height) return {};
  return FigureSizeCm{*width, *height};
}

}  // namespace common
