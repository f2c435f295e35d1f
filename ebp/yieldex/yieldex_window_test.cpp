#include "ebp/yieldex/yieldex_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>

#include "surface/app.h"

namespace ebp {
namespace {

namespace fs = std::filesystem;

class FakeToolkit : public surface::Toolkit {
 public:
  void messageBox(std::string_view prompt, std::string_view) override {
    messages.emplace_back(prompt);
  }
  std::optional<std::string> chooseFile(const surface::FileChoice&) override {
    if (answers.empty()) return std::nullopt;
    std::string a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  std::vector<std::string> answers;
  std::vector<std::string> messages;
};

class YieldexWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    surface::ensureGuiApplication();
    fs::create_directories(dir_);
    YieldexWindow::Environment env;
    env.toolkit = &toolkit_;
    env.pause = std::chrono::milliseconds(0);
    env.endProgram = [this](int status) { ended_ = status; };
    window_ = std::make_unique<YieldexWindow>(env);
    window_->show();
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string file(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }

  fs::path dir_ = fs::temp_directory_path() / ("yieldex_window_" + std::to_string(getpid()));
  FakeToolkit toolkit_;
  int ended_ = -1;
  std::unique_ptr<YieldexWindow> window_;
};

TEST_F(YieldexWindowTest, LayoutAndCaption) {
  EXPECT_EQ(window_->windowTitle(), "NN output");
  EXPECT_EQ(window_->size(), QSize(716, 531));
  EXPECT_EQ(window_->findChild<QPushButton*>("Reload")->geometry(), QRect(528, 496, 65, 25));
  EXPECT_EQ(window_->findChild<QPushButton*>("Exit")->geometry(), QRect(616, 496, 65, 25));
  EXPECT_EQ(window_->legendSlot(9)->pos(), QPoint(441, 488));
  EXPECT_EQ(window_->legendSlot(17)->pos(), QPoint(386, 509));
  for (int k = 1; k <= 17; ++k) EXPECT_FALSE(window_->legendSlot(k)->isVisible()) << k;
}

TEST_F(YieldexWindowTest, RunFillsLegendReportAndPlot) {
  // 18 outputs, none connected to anything: every output is 0.5.
  std::string wgt = "1 0 18\n";
  for (int i = 0; i < 2 + 18; ++i) wgt += "0 ";
  std::string pat = "1 18 2\n";
  for (int p = 0; p < 2; ++p) {
    pat += std::to_string(p) + " ";
    for (int k = 0; k < 18; ++k) pat += std::to_string((p + k) % 2) + " ";
    pat += "\n";
  }
  toolkit_.answers = {file("n.pat", pat), file("n.wgt", wgt), (dir_ / "n.out").string()};
  window_->run();
  // Constant outputs: the statistics divide by zero after the output file.
  EXPECT_EQ(ended_, 1);
  ASSERT_EQ(toolkit_.messages.size(), 1u);
  EXPECT_NE(toolkit_.messages[0].find("division by zero"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir_ / "n.out"));
  for (int k = 1; k <= 17; ++k) {
    EXPECT_TRUE(window_->legendSlot(k)->isVisible()) << k;
    EXPECT_EQ(window_->legendSlot(k)->text(), QString("Output %1").arg(k));
  }
  EXPECT_NE(window_->legendSlot(4)->styleSheet().indexOf("rgb(255, 0, 0)"), -1);
}

TEST_F(YieldexWindowTest, CancelledDialogLeavesTheWindowIdle) {
  toolkit_.answers = {file("a.pat", "1 1 2\n0 0\n1 1\n")};
  window_->run();
  EXPECT_EQ(ended_, -1);
  EXPECT_TRUE(toolkit_.messages.empty());
  EXPECT_TRUE(window_->reportText().isEmpty());
}

TEST_F(YieldexWindowTest, ReportShowsAfterAGoodRun) {
  toolkit_.answers = {file("g.pat", "1 1 3\n0.1 0.2\n0.5 0.6\n0.9 0.7\n"),
                      file("g.wgt", "1 1 1\n4 0\n-2 0\n3\n-1\n"), (dir_ / "g.out").string()};
  window_->run();
  EXPECT_EQ(ended_, -1);
  EXPECT_TRUE(window_->reportText().startsWith("Patterns\t"));
  EXPECT_TRUE(window_->legendSlot(1)->isVisible());
  EXPECT_FALSE(window_->legendSlot(2)->isVisible());
  QTest::mouseClick(window_->findChild<QPushButton*>("Exit"), Qt::LeftButton);
  EXPECT_EQ(ended_, 0);
}

}  // namespace
}  // namespace ebp
