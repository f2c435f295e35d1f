#include "map/options_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "map/draw/lattice.h"
#include "map/help_text.h"
#include "map/window_fit.h"
#include "surface/surface.h"
#include "test_support/example_settings.h"
#include "test_support/fake_toolkit.h"
#include "test_support/layout_faults.h"
#include "test_support/scratch_dir.h"
#include "ui/app.h"

namespace map {
namespace {

using support::ScratchDir;

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A dialog on screen (off-screen platform), with its messages recorded and
// its "end of program" noted instead of carried out.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::ensureApplication();
    settings_ = dir_.file("Favomap5.cfg", support::exampleSettingsWith(2, "300"));
    OptionsDialog::Environment env;
    env.settingsPath = [this] { return settings_; };
    env.toolkit = &toolkit_;
    env.endProgram = [this](int status) { ended_ = status; };
    dialog_ = std::make_unique<OptionsDialog>(env);
    dialog_->show();
  }

  template <typename T>
  T* find(const char* name) {
    T* widget = dialog_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QRadioButton* option(int index) {
    for (QRadioButton* b : dialog_->findChildren<QRadioButton*>("Option1")) {
      if (b->property("index").toInt() == index) return b;
    }
    ADD_FAILURE() << "no Option1 " << index;
    return nullptr;
  }
  void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void type(const char* box, const std::string& text) {
    QLineEdit* edit = find<QLineEdit>(box);
    edit->clear();
    QTest::keyClicks(edit, QString::fromStdString(text));
  }

  ScratchDir dir_{"dialog"};
  std::string settings_;
  support::FakeToolkit toolkit_;
  int ended_ = -1;
  std::unique_ptr<OptionsDialog> dialog_;
};

TEST_F(DialogTest, OpensAsTheFormSays) {
  EXPECT_EQ(dialog_->windowTitle(), "Favomap options");
  EXPECT_EQ(dialog_->width(), 340);  // 5100 twips of client area
  EXPECT_EQ(dialog_->height(), 426);
  EXPECT_TRUE(option(0)->isChecked());
  EXPECT_EQ(option(3)->text(), "(4) SOM with color coded virtual units (max=16)");
  EXPECT_TRUE(find<QGroupBox>("Frame1")->isEnabled());
  for (const char* f : {"Frame2", "Frame3", "Frame4"})
    EXPECT_FALSE(find<QGroupBox>(f)->isEnabled());
  EXPECT_FALSE(find<QLineEdit>("nvarext")->isEnabled());
  EXPECT_EQ(find<QLineEdit>("nvarext")->text(), "1");
  EXPECT_EQ(find<QLineEdit>("bmpout")->text(), "Favomap_output.bmp");
  // The help text area lies beyond the closed width: the layout is checked
  // with the help shown.
  EXPECT_EQ(
      support::layoutFaults(*dialog_, QRect(0, 0, OptionsDialog::openWidthPx(), dialog_->height())),
      std::vector<std::string>{});
  EXPECT_EQ(find<QCheckBox>("Connect")->parentWidget()->objectName(), "Frame1");
  EXPECT_EQ(find<QCheckBox>("Check4")->text(), "SOM units:   blank");
  EXPECT_FALSE(find<QCheckBox>("Check3")->isChecked());
  EXPECT_EQ(dialog_->controls().option, MapOption::kPlain);
}

TEST_F(DialogTest, HelpTextIsExactReadOnlyAndShownOnDemand) {
  QPlainTextEdit* help = find<QPlainTextEdit>("helptext");
  EXPECT_TRUE(help->isReadOnly());
  EXPECT_EQ(help->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  const std::string text = helpText();
  EXPECT_EQ(
      text.rfind("This program draws hexagonal SOMs using the ouput files obtained from "
                 "Lattix.exe.\r\n\r\nOnly a Best Matching Unit (BMU) file is needed to draw a "
                 "simple SOM with labels (option 1).Two check boxes",
                 0),
      0u);
  EXPECT_NE(text.find("Fourier shape analysis.If Distance is checked (option 2), then"),
            std::string::npos);
  EXPECT_NE(text.find("preserved). Keep a back-up copy"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 40), "whose name can be specified by the user.");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);
  // The widget holds the same text (its own line breaks are LF).
  QString shown = help->toPlainText();
  EXPECT_EQ(shown.count('\n'), 12);
  // Hidden at first: the help lies beyond the closed width.
  EXPECT_GE(help->x(), dialog_->width());
  QPushButton* button = find<QPushButton>("Command2");
  click(button);
  EXPECT_EQ(button->text(), "Close help");
  EXPECT_EQ(dialog_->width(), 600);  // 9000 twips
  EXPECT_LE(help->geometry().right(), dialog_->width());
  click(button);
  EXPECT_EQ(button->text(), "Help");
  EXPECT_EQ(dialog_->width(), 340);
}

TEST_F(DialogTest, OptionButtonsEnableExactlyTheirFrame) {
  struct Row {
    int index;
    const char* frame;
  } rows[] = {{1, "Frame3"}, {2, "Frame2"}, {3, "Frame4"}, {0, nullptr}};
  for (const Row& r : rows) {
    click(option(r.index));
    EXPECT_EQ(static_cast<int>(dialog_->controls().option), r.index);
    for (const char* f : {"Frame2", "Frame3", "Frame4"}) {
      EXPECT_EQ(find<QGroupBox>(f)->isEnabled(), r.frame && std::string(f) == r.frame)
          << "option " << r.index << " " << f;
    }
    EXPECT_TRUE(find<QGroupBox>("Frame1")->isEnabled());
  }
  // A file name typed for option (4) stays when option (1) is chosen.
  click(option(3));
  type("classfile", "kept.cls");
  click(option(0));
  EXPECT_EQ(dialog_->controls().classfile, "kept.cls");
}

TEST_F(DialogTest, OutlineAndHistogramExcludeEachOther) {
  click(option(1));
  QCheckBox* outline = find<QCheckBox>("Check1");
  QCheckBox* histogram = find<QCheckBox>("hist_on");
  QLineEdit* colcod = find<QLineEdit>("colcod");
  click(histogram);
  EXPECT_FALSE(colcod->isEnabled());
  click(outline);
  EXPECT_TRUE(outline->isChecked());
  EXPECT_FALSE(histogram->isChecked());
  EXPECT_FALSE(colcod->isEnabled());
  click(outline);
  EXPECT_FALSE(outline->isChecked());
  EXPECT_TRUE(colcod->isEnabled());
}

TEST_F(DialogTest, CountAndBlankExcludeEachOther) {
  QCheckBox* count = find<QCheckBox>("Check3");
  QCheckBox* blank = find<QCheckBox>("Check4");
  click(count);
  click(blank);
  EXPECT_TRUE(blank->isChecked());
  EXPECT_FALSE(count->isChecked());
  click(count);
  EXPECT_TRUE(count->isChecked());
  EXPECT_FALSE(blank->isChecked());
}

TEST_F(DialogTest, DrawShowsTheMapAndWritesBackTheVariable) {
  const std::string bmu = dir_.file("m.bmu", "hexa\n2\n2,3\nA,1,1\nB,2,3\n");
  // Variable 2 runs the other way from variable 1: another picture.
  const std::string wgt = dir_.file("m.wgt", "w\n2 3 2\n1 12\n3 10\n5 8\n7 6\n9 4\n11 2\n");
  type("visfile", "  " + bmu + "  ");
  click(option(1));
  type("codfile", wgt);
  type("colcod", "0");
  type("bmpout", dir_.path("map.bmp"));
  click(find<QPushButton>("OKButton"));
  EXPECT_EQ(ended_, -1) << (toolkit_.messages.empty() ? "" : toolkit_.messages[0]);
  EXPECT_EQ(find<QLineEdit>("colcod")->text(), "1");
  ASSERT_NE(dialog_->mapWindow(), nullptr);
  EXPECT_EQ(dialog_->mapWindow()->windowTitle().toStdString(),
            "Favomap [" + bmu + ", " + wgt + ", var. #1]");
  EXPECT_FALSE(dialog_->mapWindow()->picture().isNull());
  EXPECT_TRUE(std::filesystem::exists(dir_.path("map.bmp")));
  EXPECT_EQ(dialog_->state().bmuFile, bmu);  // trimmed
  EXPECT_TRUE(dialog_->isEnabled());

  // Draw again: one map window, showing the new map, and the saved picture
  // replaced by it.
  const std::string firstSaved = readAll(dir_.path("map.bmp"));
  type("colcod", "7");
  click(find<QPushButton>("OKButton"));
  EXPECT_EQ(find<QLineEdit>("colcod")->text(), "2");
  ASSERT_NE(dialog_->mapWindow(), nullptr);
  EXPECT_EQ(dialog_->mapWindow()->windowTitle().toStdString(),
            "Favomap [" + bmu + ", " + wgt + ", var. #2]");
  int mapWindows = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    mapWindows += dynamic_cast<MapWindow*>(w) != nullptr && w->isVisible();
  }
  EXPECT_EQ(mapWindows, 1);
  EXPECT_TRUE(readAll(dir_.path("map.bmp")) != firstSaved);
  EXPECT_TRUE(
      dialog_->mapWindow()->picture().convertToFormat(QImage::Format_RGB32) ==
      QImage(QString::fromStdString(dir_.path("map.bmp"))).convertToFormat(QImage::Format_RGB32));

  // The map window's menu saves the map as a drawing and its numbers.
  const QList<QAction*> menu = dialog_->mapWindow()->actions();
  ASSERT_EQ(menu.size(), 2);
  EXPECT_EQ(dialog_->mapWindow()->contextMenuPolicy(), Qt::ActionsContextMenu);
  toolkit_.answers = {dir_.path("map.svg"), dir_.path("map.tsv")};
  menu[0]->trigger();
  menu[1]->trigger();
  EXPECT_EQ(readAll(dir_.path("map.svg")).rfind("<?xml", 0), 0u);
  EXPECT_NE(readAll(dir_.path("map.svg")).find("<polygon"), std::string::npos);
  EXPECT_EQ(
      readAll(dir_.path("map.tsv")).rfind("row\tcolumn\tx\ty\tlabels\tobjects\tvariable_2", 0), 0u);
  EXPECT_EQ(toolkit_.asked.back().filter.rfind("Tab-separated", 0), 0u);
}

// A pass that stops leaves what it drew on screen behind its message, and
// saves nothing: the class units before a bad class value, or the whole map
// when the picture's name is bad.
TEST_F(DialogTest, AStoppedPassShowsWhatItDrew) {
  type("visfile", dir_.file("m.bmu", "hexa\n2\n2,3\nA,1,1\nB,2,3\n"));
  click(option(3));
  type("classfile", dir_.file("m.cls", "1 2 16\n"));
  type("bmpout", dir_.path("map.bmp"));
  click(find<QPushButton>("OKButton"));
  EXPECT_EQ(toolkit_.messages, std::vector<std::string>{"|Class ID must be >0 and <15)"});
  EXPECT_EQ(ended_, 1);
  ASSERT_NE(dialog_->mapWindow(), nullptr);
  const MapGeometry g = fitWindow(2, 3, 300);
  surface::Surface scale(g.widthPx, g.heightPx);
  scale.setScale(0, 0.5, g.x2, g.y2);
  const QImage shown = dialog_->mapWindow()->picture();
  ASSERT_EQ(shown.size(), QSize(g.widthPx, g.heightPx));
  auto colourOf = [&](int row, int col) {
    const draw::MapPoint c = draw::hexCentre(row, col);
    const surface::PixelPoint p = scale.toPixel(c.x, c.y);
    return shown.pixel(p.col, p.row);
  };
  const QRgb background = shown.pixel(0, 0);
  EXPECT_NE(colourOf(1, 1), background);  // drawn before the bad value
  EXPECT_NE(colourOf(1, 2), background);
  EXPECT_EQ(colourOf(2, 1), background);  // never reached
  EXPECT_FALSE(std::filesystem::exists(dir_.path("map.bmp")));

  ended_ = -1;
  toolkit_.messages.clear();
  click(option(0));
  type("bmpout", dir_.path("no folder/map.bmp"));
  click(find<QPushButton>("OKButton"));
  ASSERT_EQ(toolkit_.messages.size(), 1u);
  EXPECT_NE(toolkit_.messages[0].find("bad file name"), std::string::npos) << toolkit_.messages[0];
  ASSERT_NE(dialog_->mapWindow(), nullptr);
  EXPECT_EQ(dialog_->mapWindow()->windowTitle().toStdString(),
            "Favomap [" + dir_.path("m.bmu") + "]");
  const QImage whole = dialog_->mapWindow()->picture();
  long black = 0;
  for (int y = 0; y < whole.height(); ++y) {
    for (int x = 0; x < whole.width(); ++x) black += whole.pixel(x, y) == qRgb(0, 0, 0);
  }
  EXPECT_GT(black, 100);  // the outlines of the six units and the labels
}

TEST_F(DialogTest, ColumnBoxIsEnabledByADataFileWithSeveralColumns) {
  type("visfile", dir_.file("m.bmu", "hexa\n2\n2,3\nA,1,1\nB,2,3\n"));
  click(option(2));
  type("datfile", dir_.file("m.dat", "1 2\n3 4\n"));
  type("bmpout", dir_.path("map.bmp"));
  click(find<QPushButton>("OKButton"));
  EXPECT_TRUE(find<QLineEdit>("nvarext")->isEnabled());
}

TEST_F(DialogTest, MessagesEndTheProgram) {
  type("visfile", dir_.file("sq.bmu", "square\n1\n1,1\nA,1,1\n"));
  click(find<QPushButton>("OKButton"));
  EXPECT_EQ(
      toolkit_.messages,
      std::vector<std::string>{"Warning|This program does not support SOMs with square grids!"});
  EXPECT_EQ(ended_, 1);

  ended_ = -1;
  toolkit_.messages.clear();
  type("visfile", dir_.path("missing.bmu"));
  click(find<QPushButton>("OKButton"));
  ASSERT_EQ(toolkit_.messages.size(), 1u);
  EXPECT_NE(toolkit_.messages[0].find("missing.bmu"), std::string::npos);
  EXPECT_EQ(ended_, 1);
}

TEST_F(DialogTest, ExitEndsTheProgram) {
  click(find<QPushButton>("Command1"));
  EXPECT_EQ(ended_, 0);
}

}  // namespace
}  // namespace map
