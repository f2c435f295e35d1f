#include "ebp/tremora/sensitivity_pages.h"

#include <gtest/gtest.h>

#include "test_support/sensitivity_table.h"

namespace tremora {
namespace {

using support::sensitivityTable;

TEST(DataPage, OneInput) {
  const SensitivityTable t = sensitivityTable({0.005f, 0.05f}, {{0.1234f}, {-0.031f}});
  EXPECT_EQ(dataPage(t),
            " NN Mean Square Error = 0.0123\r\n"
            "\r\n"
            " ----------------\r\n"
            "Changes in Mean Square Error\r\n"
            " Noise  Input #01  \r\n"
            " ----------------\r\n"
            " .5%     12.34%  \r\n"
            " 5.0%     -3.10%  \r\n"
            " ----------------\r\n");
}

TEST(DataPage, TitleIndentsForTwoAndThreeInputs) {
  const SensitivityTable two = sensitivityTable({0.1f}, {{0.5f, 1.0f}});
  EXPECT_NE(dataPage(two).find("\r\n     Changes in"), std::string::npos);
  EXPECT_NE(dataPage(two).find(" Noise  Input #01  Input #02  \r\n"), std::string::npos);
  EXPECT_NE(dataPage(two).find(" 10.0%     50.00%    100.00%  \r\n"), std::string::npos);
  const SensitivityTable three = sensitivityTable({0.1f}, {{0, 0, 0}});
  EXPECT_NE(dataPage(three).find("\r\n          Changes in"), std::string::npos);
  EXPECT_EQ(dataPage(three).find("\r\n           Changes in"), std::string::npos);
}

TEST(InfoPage, CountsAndFiles) {
  const SensitivityFiles f{"a.pat", "b.wgt", "/p/test.err", "/p/noise.cfg"};
  SensitivityRun run;
  run.nP = 569;
  run.nI = 30;
  run.nH = 0;
  run.nO = 1;
  run.perturbations = 10;
  EXPECT_EQ(infoPage(f, run),
            " patterns: a.pat\r\n\r\n    number of patterns = 569\r\n\r\n\r\n"
            " weights: b.wgt\r\n\r\n    number of input nodes = 30\r\n"
            "    number of hidden nodes = \r\n    number of output nodes = 1\r\n\r\n\r\n"
            " noise levels: /p/noise.cfg\r\n\r\n    perturbations per pattern: 10\r\n\r\n\r\n"
            " output saved to: /p/test.err");
}

}  // namespace
}  // namespace tremora
