#include "ebp/yieldex/yieldex_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>

#include "test_support/fake_toolkit.h"
#include "test_support/layout_faults.h"
#include "test_support/scratch_dir.h"
#include "ui/app.h"

namespace yieldex {
namespace {

namespace fs = std::filesystem;

class YieldexWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::ensureApplication();
    makeWindow(std::chrono::milliseconds(0));
  }
  void makeWindow(std::chrono::milliseconds pause) {
    YieldexWindow::Environment env;
    env.toolkit = &toolkit_;
    env.pause = pause;
    env.endProgram = [this](int status) { ended_ = status; };
    window_ = std::make_unique<YieldexWindow>(env);
    window_->show();
  }
  std::string file(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }

  support::ScratchDir scratch_{"yieldex_window_"};
  const fs::path& dir_ = scratch_.dir;
  support::FakeToolkit toolkit_;
  int ended_ = -1;
  std::unique_ptr<YieldexWindow> window_;
};

TEST_F(YieldexWindowTest, LayoutAndCaption) {
  EXPECT_EQ(window_->windowTitle(), "NN output");
  EXPECT_EQ(window_->size(), QSize(716, 531));
  // Two rows of legend slots under the plot, 9 and 8, in order.
  for (int k = 1; k <= 17; ++k) {
    EXPECT_FALSE(window_->legendSlot(k)->isVisible()) << k;
    window_->legendSlot(k)->setText(QString("Output %1").arg(k));  // the longest texts
  }
  EXPECT_EQ(window_->legendSlot(10)->y(), window_->legendSlot(17)->y());
  EXPECT_GT(window_->legendSlot(10)->y(), window_->legendSlot(9)->y());
  for (int k : {1, 10}) EXPECT_EQ(window_->legendSlot(k)->x(), window_->legendSlot(1)->x());
  EXPECT_LT(window_->legendSlot(8)->x(), window_->legendSlot(9)->x());
  EXPECT_EQ(support::layoutFaults(*window_), std::vector<std::string>{});
}

// A pattern file and a network of n outputs, output k = s(3 s(4x - 2) - 1)
// for every k, with targets that vary.
std::pair<std::string, std::string> risingNet(int n) {
  std::string wgt = "1 1 " + std::to_string(n) + "\n4 0\n-2 0\n";
  for (int k = 0; k < n; ++k) wgt += "3 ";
  wgt += "\n";
  for (int k = 0; k < n; ++k) wgt += "-1 ";
  std::string pat = "1 " + std::to_string(n) + " 3\n";
  for (int p = 0; p < 3; ++p) {
    pat += std::to_string(0.1 + 0.4 * p) + " ";
    for (int k = 0; k < n; ++k) pat += std::to_string((p * 7 + k) % 5 / 4.0) + " ";
    pat += "\n";
  }
  return {pat, wgt + "\n"};
}

// Runs with 18, 1 and 18 outputs (Reload twice): every legend slot reads,
// looks and sits the same as after the first run, in its output's colour;
// the report and the plot belong to the last run.
TEST_F(YieldexWindowTest, LegendLooksTheSameOnEveryRun) {
  const auto [pat18, wgt18] = risingNet(18);
  const auto [pat1, wgt1] = risingNet(1);
  auto runWith = [&](const std::string& pat, const std::string& wgt) {
    toolkit_.answers = {file("n.pat", pat), file("n.wgt", wgt), (dir_ / "n.out").string()};
    window_->run();
    ASSERT_EQ(ended_, -1) << (toolkit_.messages.empty() ? "" : toolkit_.messages[0]);
  };
  struct Look {
    QString text;
    QFont font;
    QRect geometry;
    QColor colour;
    QSize hint;
  };
  auto looks = [&] {
    std::vector<Look> all;
    for (int k = 1; k <= 17; ++k) {
      QLabel* slot = window_->legendSlot(k);
      all.push_back({slot->text(), slot->font(), slot->geometry(),
                     slot->palette().color(QPalette::WindowText), slot->sizeHint()});
    }
    return all;
  };
  runWith(pat18, wgt18);
  const std::vector<Look> first = looks();
  EXPECT_EQ(first[3].colour, QColor(255, 0, 0));
  EXPECT_EQ(first[16].colour, QColor(0, 0, 255));
  EXPECT_LE(first[9].hint.width(), 54);  // "Output 10" fits its slot
  runWith(pat1, wgt1);
  runWith(pat18, wgt18);
  const std::vector<Look> third = looks();
  for (int k = 1; k <= 17; ++k) {
    SCOPED_TRACE(k);
    const Look& a = first[static_cast<std::size_t>(k - 1)];
    const Look& b = third[static_cast<std::size_t>(k - 1)];
    EXPECT_EQ(b.text, QString("Output %1").arg(k));
    EXPECT_TRUE(window_->legendSlot(k)->isVisible());
    EXPECT_EQ(b.text, a.text);
    EXPECT_EQ(b.font, a.font);
    EXPECT_EQ(b.geometry, a.geometry);
    EXPECT_EQ(b.colour, a.colour);
    EXPECT_EQ(b.hint, a.hint);
  }
  EXPECT_TRUE(window_->reportText().contains("Output 18"));
  // Output 18's points are green (palette 10) on the plot.
  const QImage plot = window_->plotImage();
  long green = 0;
  for (int y = 0; y < plot.height(); ++y) {
    for (int x = 0; x < plot.width(); ++x) green += plot.pixel(x, y) == qRgb(0, 255, 0);
  }
  EXPECT_GT(green, 10);
}

// Exit pressed during the pause ends the run at once: nothing computed, the
// old output file as it was, no temporary file left.
TEST_F(YieldexWindowTest, ExitDuringThePauseEndsBeforeTheRun) {
  makeWindow(std::chrono::milliseconds(2000));
  const auto [pat, wgt] = risingNet(1);
  file("n.out", "old results\r\n");
  toolkit_.answers = {file("n.pat", pat), file("n.wgt", wgt), (dir_ / "n.out").string()};
  QTimer::singleShot(300, window_.get(), [this] {
    QTest::mouseClick(window_->findChild<QPushButton*>("Exit"), Qt::LeftButton);
  });
  QElapsedTimer clock;
  clock.start();
  window_->run();
  EXPECT_LT(clock.elapsed(), 1500);
  EXPECT_EQ(ended_, 0);
  EXPECT_TRUE(toolkit_.messages.empty());
  std::ifstream in(dir_ / "n.out", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old results\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3);
  EXPECT_TRUE(window_->reportText().isEmpty());
}

// The report area scrolls only vertically: a line longer than the area wraps.
TEST_F(YieldexWindowTest, LongReportLinesWrap) {
  const fs::path deep = dir_ / std::string(120, 'd');
  fs::create_directories(deep);
  const auto [pat, wgt] = risingNet(1);
  std::ofstream((deep / "n.pat").string(), std::ios::binary) << pat;
  toolkit_.answers = {(deep / "n.pat").string(), file("n.wgt", wgt), (dir_ / "n.out").string()};
  window_->run();
  ASSERT_EQ(ended_, -1);
  auto* report = window_->findChild<QPlainTextEdit*>("report");
  EXPECT_TRUE(window_->reportText().contains(QString::fromStdString(deep.string())));
  EXPECT_EQ(report->horizontalScrollBar()->maximum(), 0);
  EXPECT_FALSE(report->horizontalScrollBar()->isVisible());
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
  // The plot's menu saves it as a drawing, and its points as a table.
  const QList<QAction*> menu = window_->findChild<QLabel*>("plot")->actions();
  ASSERT_EQ(menu.size(), 2);
  toolkit_.answers = {(dir_ / "plot.pdf").string(), (dir_ / "plot.tsv").string()};
  menu[0]->trigger();
  menu[1]->trigger();
  std::ifstream pdf(dir_ / "plot.pdf", std::ios::binary);
  std::string magic(4, ' ');
  pdf.read(magic.data(), 4);
  EXPECT_EQ(magic, "%PDF");
  std::ifstream tsv(dir_ / "plot.tsv", std::ios::binary);
  const std::string table(std::istreambuf_iterator<char>(tsv), {});
  EXPECT_EQ(table.rfind("pattern\toutput\tnetwork_output\ttarget\r\n1\t1\t", 0), 0u) << table;
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 4);
  QTest::mouseClick(window_->findChild<QPushButton*>("Exit"), Qt::LeftButton);
  EXPECT_EQ(ended_, 0);
}

}  // namespace
}  // namespace yieldex
