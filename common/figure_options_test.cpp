#include "common/figure_options.h"

#include <gtest/gtest.h>

namespace common {
namespace {

TEST(FigureOptions, SizesInCentimetresAndStyles) {
  struct Row {
    const char* text;
    bool valid;
    double width, height;
  } rows[] = {{"12x12", true, 12, 12}, {"8.5X6", true, 8.5, 6}, {"100x0.5", true, 100, 0.5},
              {"12", false, 0, 0},     {"0x5", false, 0, 0},    {"12x-3", false, 0, 0},
              {"101x5", false, 0, 0},  {"infx5", false, 0, 0},  {"12x12cm", false, 0, 0},
              {"x12", false, 0, 0},    {"12x", false, 0, 0},    {"1x2x3", false, 0, 0}};
  for (const Row& r : rows) {
    const std::optional<FigureSizeCm> size = parseFigureSize(r.text);
    ASSERT_EQ(size.has_value(), r.valid) << r.text;
    if (!size) continue;
    EXPECT_EQ(size->width, r.width) << r.text;
    EXPECT_EQ(size->height, r.height) << r.text;
  }
  EXPECT_EQ(pictureStyleNamed("paper"), PictureStyle::kPaper);
  EXPECT_EQ(pictureStyleNamed("exact"), PictureStyle::kExact);
  EXPECT_FALSE(pictureStyleNamed("Paper"));
}

}  // namespace
}  // namespace common
