#include "ebp/tremora/tremora_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>

#include "test_support/fake_toolkit.h"
#include "test_support/layout_faults.h"
#include "test_support/scratch_dir.h"
#include "ui/app.h"

namespace tremora {
namespace {

namespace fs = std::filesystem;

class TremoraWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::ensureApplication();
    TremoraWindow::Environment env;
    env.toolkit = &toolkit_;
    env.programDir = dir_.string();
    env.endProgram = [this](int status) { ended_ = status; };
    window_ = std::make_unique<TremoraWindow>(env);
    window_->show();
  }
  std::string file(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }
  support::ScratchDir scratch_{"tremora_window_"};
  const fs::path& dir_ = scratch_.dir;
  support::FakeToolkit toolkit_;
  int ended_ = -1;
  std::unique_ptr<TremoraWindow> window_;
};

TEST_F(TremoraWindowTest, Layout) {
  EXPECT_EQ(window_->windowTitle(), "EBP NN Sensitivity Analysis");
  EXPECT_EQ(window_->size(), QSize(682, 537));
  auto* tabs = window_->findChild<QTabWidget*>();
  ASSERT_NE(tabs, nullptr);

  EXPECT_EQ(tabs->tabText(0), "Plot");
  EXPECT_EQ(tabs->tabText(1), "Data");
  EXPECT_EQ(tabs->tabText(2), "Info");
  EXPECT_TRUE(window_->findChild<QRadioButton*>("random")->isChecked());
  EXPECT_EQ(support::layoutFaults(*window_), std::vector<std::string>{});
  EXPECT_EQ(window_->findChild<QPlainTextEdit*>("data")->horizontalScrollBarPolicy(),
            Qt::ScrollBarAlwaysOn);
}

TEST_F(TremoraWindowTest, StartRunsTheAnalysisAndCancelLeavesItIdle) {
  file("noise.cfg", "3\n0.1\n0.2\n");
  toolkit_.answers = {file("n.pat", "2 1 3\n0.2 0.3 0.5\n0.7 0.6 0.1\n0.4 0.4 0.9\n"),
                      file("n.wgt", "2 1 1\n2 0\n-1 0\n0.5 0\n1.5\n-0.7\n")};
  QTest::mouseClick(window_->findChild<QRadioButton*>("fixed"), Qt::LeftButton);
  QTest::mouseClick(window_->findChild<QPushButton*>("Start"), Qt::LeftButton);
  EXPECT_EQ(ended_, -1) << (toolkit_.messages.empty() ? "" : toolkit_.messages[0]);
  ASSERT_EQ(toolkit_.asked.size(), 2u);
  EXPECT_EQ(toolkit_.asked[0].title, "Open patterns file");
  EXPECT_EQ(toolkit_.asked[0].filter, "Patterns (*.pat)|*.pat|All files (*.*)|*.*");
  EXPECT_EQ(toolkit_.asked[1].title, "Open synaptic weights data file");
  EXPECT_TRUE(window_->dataText().startsWith(" NN Mean Square Error = "));
  EXPECT_TRUE(window_->infoText().contains("perturbations per pattern: 2"));
  EXPECT_TRUE(fs::exists(dir_ / "test.err"));
  EXPECT_EQ(window_->windowTitle(), "EBP NN Sensitivity Analysis");
  // The plot page's menu saves the numbers: a row per level and input.
  const QList<QAction*> menu = window_->findChild<QLabel*>("plot")->actions();
  ASSERT_EQ(menu.size(), 2);
  toolkit_.answers = {(dir_ / "t.tsv").string()};
  menu[1]->trigger();
  std::ifstream tsv(dir_ / "t.tsv", std::ios::binary);
  const std::string table(std::istreambuf_iterator<char>(tsv), {});
  EXPECT_EQ(table.rfind("level\tinput\terror\tchange\r\n0.100000001\t1\t", 0), 0u) << table;
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + 2 * 2);

  fs::remove(dir_ / "test.err");
  toolkit_.answers = {file("n.pat", "2 1 1\n0 0 0\n")};  // the second dialog is cancelled
  QTest::mouseClick(window_->findChild<QPushButton*>("Start"), Qt::LeftButton);
  EXPECT_EQ(ended_, -1);
  EXPECT_TRUE(window_->dataText().isEmpty());
  EXPECT_FALSE(fs::exists(dir_ / "test.err"));
}

TEST_F(TremoraWindowTest, NoPlotIsSaidOnThePlotPage) {
  file("noise.cfg", "1\n0\n");
  toolkit_.answers = {file("n.pat", "1 1 2\n0.2 0.3\n0.7 0.6\n"),
                      file("n.wgt", "1 1 1\n2 0\n-1 0\n1\n0\n")};
  window_->start();
  EXPECT_EQ(ended_, -1);
  EXPECT_FALSE(window_->plotMessage().isEmpty());
  EXPECT_FALSE(window_->dataText().isEmpty());
}

}  // namespace
}  // namespace tremora
