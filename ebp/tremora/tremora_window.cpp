#include "ebp/tremora/tremora_window.h"

#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "common/errors.h"
#include "ebp/tremora/file_dialogs.h"
#include "ebp/tremora/tremora_run.h"
#include "ui/save_menu.h"

namespace tremora {
namespace {

constexpr const char* kCaption = "EBP NN Sensitivity Analysis";

QPlainTextEdit* textPage(QWidget* page, const char* name) {
  auto* text = new QPlainTextEdit(page);
  text->setObjectName(name);
  text->setGeometry(16, 40 - 24, 617, 425);
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont fixedPitch("Liberation Mono");
  fixedPitch.setStyleHint(QFont::TypeWriter);
  fixedPitch.setPointSize(9);
  text->setFont(fixedPitch);
  return text;
}

}  // namespace

TremoraWindow::TremoraWindow(Environment environment)
    : env_(std::move(environment)), plot_(kPlotWidthPx, kPlotHeightPx) {
  setWindowTitle(kCaption);
  setFixedSize(682, 537);
  QFont font("Arial");
  font.setPointSizeF(8);
  setFont(font);
  tabs_ = new QTabWidget(this);
  tabs_->setGeometry(16, 16, 651, 481);
  // The pages' contents stand at (16, 40) of the tab control, whose tab bar
  // takes the first 24 pixels.
  auto* plotPage = new QWidget;
  plotArea_ = new QLabel(plotPage);
  plotArea_->setObjectName("plot");
  plotArea_->setGeometry(16, 16, kPlotWidthPx, kPlotHeightPx);
  plot_.keepShapes();
  ui::addSaveMenu(*plotArea_,
                  {[this] { return &plot_; },
                   [this]() -> std::optional<common::DataTable> {
                     if (!lastTable_) return std::nullopt;
                     return sensitivityTable(*lastTable_);
                   }},
                  *env_.toolkit);
  plotNote_ = new QLabel(plotPage);
  plotNote_->setObjectName("plotNote");
  plotNote_->setGeometry(24, 24, 600, 20);
  auto* dataPage = new QWidget;
  data_ = textPage(dataPage, "data");
  auto* infoPage = new QWidget;
  info_ = textPage(infoPage, "info");
  tabs_->addTab(plotPage, "Plot");
  tabs_->addTab(dataPage, "Data");
  tabs_->addTab(infoPage, "Info");

  auto* label = new QLabel("Input perturbation:", this);
  label->setGeometry(8, 508, 96, 17);
  auto* random = new QRadioButton("random", this);
  random->setObjectName("random");
  random->setGeometry(104, 504, 65, 25);
  random->setChecked(true);
  fixed_ = new QRadioButton("fixed", this);
  fixed_->setObjectName("fixed");
  fixed_->setGeometry(176, 504, 65, 25);
  auto* startButton = new QPushButton("Start", this);
  startButton->setObjectName("Start");
  startButton->setGeometry(496, 504, 81, 25);
  auto* exitButton = new QPushButton("Exit", this);
  exitButton->setObjectName("Exit");
  exitButton->setGeometry(592, 504, 81, 25);
  connect(startButton, &QPushButton::clicked, this, [this] { start(); });
  connect(exitButton, &QPushButton::clicked, this, [this] { env_.endProgram(0); });
  showPlot("");
}

void TremoraWindow::showPlot(const QString& message) {
  plotArea_->setPixmap(QPixmap::fromImage(plot_.image()));
  plotNote_->setText(message);
  plotNote_->setVisible(!message.isEmpty());
}

void TremoraWindow::start() {
  plot_.clear(common::kWhite);
  lastTable_.reset();
  showPlot("");
  data_->clear();
  info_->clear();
  const auto files = chooseFiles(*env_.toolkit, env_.programDir);
  if (!files) return;
  SensitivityHooks hooks;
  hooks.fixed = [this] { return fixed_->isChecked(); };
  hooks.progress = [this](int level, int input, int) {
    setWindowTitle(QString("%1 - level %2, input %3").arg(kCaption).arg(level).arg(input));
    repaint();
  };
  try {
    const TremoraOutcome outcome = runTremora(*files, hooks, random_, plot_);
    lastTable_ = outcome.table;
    data_->setPlainText(QString::fromStdString(outcome.data));
    info_->setPlainText(QString::fromStdString(outcome.info));
    showPlot(QString::fromStdString(std::string(whyNoPlot(outcome.plot))));
    setWindowTitle(kCaption);
  } catch (const common::ToolError& error) {
    setWindowTitle(kCaption);
    env_.toolkit->messageBox(error.what(), "");
    env_.endProgram(1);
  }
}

QString TremoraWindow::dataText() const { return data_->toPlainText(); }
QString TremoraWindow::infoText() const { return info_->toPlainText(); }
QString TremoraWindow::plotMessage() const { return plotNote_->text(); }

}  // namespace tremora
