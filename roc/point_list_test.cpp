#include "roc/point_list.h"

#include <gtest/gtest.h>

#include <cmath>

namespace roc {
namespace {

TEST(PointList, SecondArgumentChoosesIt) {
  struct Row {
    const char* argument;
    bool wanted;
  } rows[] = {{"roc", true},      {"ROC", true},    {"Roc", true},
              {"  ROC  ", true},  {"", false},      {"roc.txt", false},
              {"rocplot", false}, {"r o c", false}, {"\troc", false}};
  for (const Row& row : rows) EXPECT_EQ(wantsPointList(row.argument), row.wanted) << row.argument;
}

TEST(PointList, StartsWithOneOneAndHasOneLinePerPoint) {
  RocResult r;
  r.fpr[0] = 1.0f;
  r.tpr[0] = 1.0f;
  r.fpr[1] = 0.5f;
  r.tpr[1] = 1.0f / 3.0f;
  r.fpr[2] = std::nanf("");
  r.tpr[2] = 1e-5f;
  const std::string text = pointListText(r);
  EXPECT_EQ(text.substr(0, 41), "1,1\r\n1,1\r\n0.5,0.3333333\r\nnan,1e-05\r\n0,0\r\n");
  int lines = 0;
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  EXPECT_EQ(lines, 102);
  EXPECT_EQ(text.substr(text.size() - 5), "0,0\r\n");
}

}  // namespace
}  // namespace roc
