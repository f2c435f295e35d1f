#include "map/options_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "common/errors.h"
#include "map/drawing_pass.h"
#include "map/help_text.h"
#include "map/map_table.h"
#include "map/settings.h"
#include "ui/caption_frame.h"
#include "ui/save_menu.h"

namespace map {
namespace {

constexpr double kClientHeightTwips = 6390;
// The form sets its outer width: 5200 twips with the help hidden, 9100 shown.
// Its frame takes 100 twips of that (the client area is 5100 wide), and Qt
// sizes the client area, so the widths below are the outer ones less the frame.
constexpr double kFrameTwips = 100;
constexpr double kClosedWidthTwips = 5200 - kFrameTwips;
constexpr double kOpenWidthTwips = 9100 - kFrameTwips;

int px(double twips) { return qRound(twips / 15.0); }

void place(QWidget* w, const char* name, int left, int top, int width, int height) {
  w->setObjectName(name);
  w->setGeometry(px(left), px(top), px(width), px(height));
}

// A control of kind T (label, text box, check box, frame, button) with its
// text, form name and place.
template <typename T>
T* control(QWidget* parent, const char* name, const char* text, int l, int t, int w, int h) {
  auto* widget = new T(text, parent);
  place(widget, name, l, t, w, h);
  return widget;
}

std::string textOf(const QLineEdit* box) { return box->text().toStdString(); }

}  // namespace

int OptionsDialog::closedWidthPx() { return px(kClosedWidthTwips); }
int OptionsDialog::openWidthPx() { return px(kOpenWidthTwips); }

OptionsDialog::OptionsDialog(Environment environment) : env_(std::move(environment)) { build(); }

OptionsDialog::~OptionsDialog() = default;

// The controls are made in the form's order, which is also the order of
// focus and of painting.
void OptionsDialog::build() {
  setObjectName("Favomap5");
  setWindowTitle("Favomap options");
  QFont font("Arial");
  font.setPointSizeF(7.5);
  setFont(font);

  buildOptionButtons();
  buildFileBoxes();
  buildSeriesFrame();
  buildVariablesFrame();
  buildExternalFrame();
  buildClassesFrame();
  buildButtons();
  buildHelpText();

  frame2_->setEnabled(false);
  frame3_->setEnabled(false);
  frame4_->setEnabled(false);
  connectCheckBoxes();

  setFixedSize(closedWidthPx(), px(kClientHeightTwips));
}

void OptionsDialog::buildOptionButtons() {
  control<QLabel>(this, "Label11", "Select output options", 120, 480, 975, 495)->setWordWrap(true);
  const char* optionTexts[4] = {"(1) Plain SOM with object labes only",
                                "(2) SOM with info about variables",
                                "(3) SOM with interpolated external variable",
                                "(4) SOM with color coded virtual units (max=16)"};
  for (int i = 0; i < 4; ++i) {
    option_[i] = new QRadioButton(optionTexts[i], this);
    place(option_[i], "Option1", 1200, 120 + 300 * i, 3735, 255);
    option_[i]->setProperty("index", i);
    connect(option_[i], &QRadioButton::clicked, this, [this, i] { selectOption(i); });
  }
  option_[0]->setChecked(true);
}

void OptionsDialog::buildFileBoxes() {
  control<QLabel>(this, "Label1", ".bmu file name", 195, 1605, 1020, 255);
  visfile_ = control<QLineEdit>(this, "visfile", "", 1320, 1560, 2250, 285);
  control<QLabel>(this, "Label2", ".bmp file name", 120, 2080, 1095, 255);
  bmpout_ = control<QLineEdit>(this, "bmpout", kDefaultPicture, 1320, 2035, 2250, 285);
  check4_ = control<QCheckBox>(this, "Check4", "SOM units:   blank", 180, 2520, 1660, 255);
  check3_ = control<QCheckBox>(this, "Check3", "n. of BM patterns", 1995, 2520, 1560, 255);
}

void OptionsDialog::buildSeriesFrame() {
  frame1_ = control<ui::CaptionFrame>(this, "Frame1", "Show series", 3720, 1440, 1215, 1335);
  control<QLabel>(frame1_, "Label9", "First", 120, 280, 375, 255);
  first_ = control<QLineEdit>(frame1_, "first", "", 600, 240, 495, 285);
  control<QLabel>(frame1_, "Label10", "n", 120, 680, 375, 255);
  num_ = control<QLineEdit>(frame1_, "num", "", 600, 640, 495, 285);
  connect_ = control<QCheckBox>(frame1_, "Connect", "Connect", 120, 1020, 975, 255);
}

void OptionsDialog::buildVariablesFrame() {
  frame3_ = control<ui::CaptionFrame>(this, "Frame3", "(2)", 120, 2880, 4815, 1200);
  control<QLabel>(frame3_, "Label5", ".wgt file name", 45, 315, 1050, 255);
  codfile_ = control<QLineEdit>(frame3_, "codfile", "", 1200, 285, 2250, 285);
  control<QLabel>(frame3_, "Label6", "color coded variable (.wgt file column #)", 120, 720, 2895,
                  255);
  colcod_ = control<QLineEdit>(frame3_, "colcod", "", 3045, 720, 405, 285);
  check1_ = control<QCheckBox>(frame3_, "Check1", "Outline", 3600, 240, 1000, 255);
  histOn_ = control<QCheckBox>(frame3_, "hist_on", "Histogram", 3600, 540, 1000, 255);
  check2_ = control<QCheckBox>(frame3_, "Check2", "Distance", 3600, 840, 1000, 255);
}

void OptionsDialog::buildExternalFrame() {
  frame2_ = control<ui::CaptionFrame>(this, "Frame2", "(3)", 120, 4200, 3615, 1215);
  control<QLabel>(frame2_, "Label3", "data file name", 120, 300, 1000, 255);
  datfile_ = control<QLineEdit>(frame2_, "datfile", "", 1200, 265, 2250, 285);
  control<QLabel>(frame2_, "Label7", "color coded variable (data file column #)", 120, 720, 2895,
                  255);
  nvarext_ = control<QLineEdit>(frame2_, "nvarext", "1", 3045, 720, 405, 285);
  nvarext_->setEnabled(false);
}

void OptionsDialog::buildClassesFrame() {
  frame4_ = control<ui::CaptionFrame>(this, "Frame4", "(4)", 120, 5520, 3615, 720);
  control<QLabel>(frame4_, "Label8", "class file name", 120, 305, 1050, 255);
  classfile_ = control<QLineEdit>(frame4_, "classfile", "", 1275, 265, 2160, 285);
}

void OptionsDialog::buildButtons() {
  QPushButton* drawButton = control<QPushButton>(this, "OKButton", "Draw", 3960, 4320, 975, 375);
  help_ = control<QPushButton>(this, "Command2", "Help", 3960, 4800, 975, 375);
  QPushButton* exitButton = control<QPushButton>(this, "Command1", "Exit", 3960, 5880, 975, 375);
  connect(help_, &QPushButton::clicked, this, [this] { toggleHelp(); });
  connect(exitButton, &QPushButton::clicked, this, [this] { env_.endProgram(0); });
  connect(drawButton, &QPushButton::clicked, this, [this] { draw(); });
}

void OptionsDialog::buildHelpText() {
  helptext_ = new QPlainTextEdit(this);
  place(helptext_, "helptext", 5160, 120, 3735, 6015);
  helptext_->setPlainText(QString::fromStdString(helpText()));
  helptext_->setReadOnly(true);
  helptext_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

// A check set or cleared in code runs the box's rule as a click does:
// toggled fires for both.
void OptionsDialog::connectCheckBoxes() {
  connect(check1_, &QCheckBox::toggled, this, [this] { outlineClicked(); });
  connect(histOn_, &QCheckBox::toggled, this, [this] { histogramClicked(); });
  connect(check3_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) check4_->setChecked(false);
  });
  connect(check4_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) check3_->setChecked(false);
  });
}

void OptionsDialog::selectOption(int index) {
  // The buttons' indexes are the options' values, (1) to (4) as 0 to 3.
  const auto option = static_cast<MapOption>(index);
  state_.mapOption = option;
  frame3_->setEnabled(option == MapOption::kVariables);
  frame2_->setEnabled(option == MapOption::kExternal);
  frame4_->setEnabled(option == MapOption::kClasses);
}

void OptionsDialog::outlineClicked() {
  if (check1_->isChecked()) colcod_->setEnabled(false);
  if (!check1_->isChecked() && !histOn_->isChecked()) colcod_->setEnabled(true);
  if (check1_->isChecked()) histOn_->setChecked(false);
}

void OptionsDialog::histogramClicked() {
  if (histOn_->isChecked()) colcod_->setEnabled(false);
  if (!histOn_->isChecked() && !check1_->isChecked()) colcod_->setEnabled(true);
  if (histOn_->isChecked()) check1_->setChecked(false);
}

void OptionsDialog::toggleHelp() {
  helpShown_ = !helpShown_;
  help_->setText(helpShown_ ? "Close help" : "Help");
  setFixedSize(helpShown_ ? openWidthPx() : closedWidthPx(), height());
}

MapControls OptionsDialog::controls() const {
  MapControls c;
  c.visfile = textOf(visfile_);
  c.codfile = textOf(codfile_);
  c.datfile = textOf(datfile_);
  c.classfile = textOf(classfile_);
  c.option = state_.mapOption;
  c.outline = check1_->isChecked();
  c.distance = check2_->isChecked();
  c.countPatterns = check3_->isChecked();
  c.blankUnits = check4_->isChecked();
  c.histogram = histOn_->isChecked();
  c.connect = connect_->isChecked();
  c.colcod = textOf(colcod_);
  c.nvarext = textOf(nvarext_);
  c.nvarextEnabled = nvarext_->isEnabled();
  c.first = textOf(first_);
  c.num = textOf(num_);
  c.bmpout = textOf(bmpout_);
  return c;
}

void OptionsDialog::writeBack(const MapControls& after) {
  colcod_->setText(QString::fromStdString(after.colcod));
  nvarext_->setText(QString::fromStdString(after.nvarext));
  if (after.nvarextEnabled) nvarext_->setEnabled(true);
}

void OptionsDialog::draw() {
  mapWindow_.reset();
  MapControls c = controls();
  takeDialogValues(state_, c);
  mapWindow_ = std::make_unique<MapWindow>();
  lastPicture_.reset();
  lastTable_.reset();
  ui::addSaveMenu(*mapWindow_,
                  {[this] { return lastPicture_.get(); }, [this] { return lastTable_; }},
                  *env_.toolkit);
  mapWindow_->show();
  c.keepShapes = true;
  // The dialog takes no clicks while the pass runs: no second Draw can start.
  setEnabled(false);
  int ended = -1;
  PassResult result;
  // A pass that stops leaves on screen what it drew, behind its message.
  auto showPartial = [&] {
    if (result.picture.widthPx() > 1) {
      lastPicture_ = std::make_unique<surface::Surface>(std::move(result.picture));
      result.picture = surface::Surface(1, 1);
      mapWindow_->showPicture(
          lastPicture_->image(), result.geometry,
          QString::fromStdString(result.caption.empty() ? "Favomap" : result.caption));
    }
  };
  try {
    const std::string settings = env_.settingsPath();
    drawingPass(state_, c, settings, result);
    writeBack(c);
    lastPicture_ = std::make_unique<surface::Surface>(std::move(result.picture));
    lastTable_ = mapTable(state_, c, loadSettings(settings));
    mapWindow_->showPicture(lastPicture_->image(), result.geometry,
                            QString::fromStdString(result.caption));
  } catch (const common::ProgramMessage& message) {
    showPartial();
    env_.toolkit->messageBox(message.what(), message.title());
    ended = 1;
  } catch (const common::ToolError& error) {
    showPartial();
    env_.toolkit->messageBox(error.what(), "");
    ended = 1;
  }
  setEnabled(true);
  if (ended >= 0) env_.endProgram(ended);
}

}  // namespace map
