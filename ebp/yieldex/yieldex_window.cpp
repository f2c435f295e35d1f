#include "ebp/yieldex/yieldex_window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>

#include "common/errors.h"
#include "ebp/yieldex/file_dialogs.h"
#include "ebp/yieldex/plot.h"
#include "ebp/yieldex/yieldex_run.h"
#include "ui/save_menu.h"

namespace yieldex {

YieldexWindow::YieldexWindow(Environment environment)
    : env_(std::move(environment)), plot_(kPlotSizePx, kPlotSizePx) {
  setWindowTitle("NN output");
  setFixedSize(716, 531);
  QFont font("Arial");
  font.setPointSizeF(8);
  setFont(font);
  plotArea_ = new QLabel(this);
  plotArea_->setObjectName("plot");
  plotArea_->setGeometry(8, 8, kPlotSizePx, kPlotSizePx);
  plot_.keepShapes();
  ui::addSaveMenu(*plotArea_,
                  {[this] { return &plot_; },
                   [this]() -> std::optional<common::DataTable> {
                     if (!pairsComplete_) return std::nullopt;
                     common::DataTable table({"pattern", "output", "network_output", "target"});
                     for (const PlotPair& p : pairs_) {
                       table.add(static_cast<std::int64_t>(p.pattern)).add(p.output).add(p.y);
                       table.add(p.t).endRow();
                     }
                     return table;
                   }},
                  *env_.toolkit);
  report_ = new QPlainTextEdit(this);
  report_->setObjectName("report");
  report_->setGeometry(496, 8, 209, 473);
  report_->setReadOnly(true);
  report_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // A vertical scroll bar only: long lines (paths, many digits) wrap.
  report_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  report_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  report_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  for (int k = 1; k <= 17; ++k) {
    QLabel* slot = new QLabel(this);
    slot->setObjectName(QString("legend%1").arg(k));
    const int column = k <= 9 ? k - 1 : k - 10;
    const int x = k == 9 ? 441 : 8 + 54 * column;
    slot->setGeometry(x, k <= 9 ? 488 : 509, 54, 17);
    slot->hide();
    legend_[static_cast<std::size_t>(k - 1)] = slot;
  }
  auto* reload = new QPushButton("Reload", this);
  reload->setObjectName("Reload");
  reload->setGeometry(528, 496, 65, 25);
  auto* exitButton = new QPushButton("Exit", this);
  exitButton->setObjectName("Exit");
  exitButton->setGeometry(616, 496, 65, 25);
  connect(reload, &QPushButton::clicked, this, [this] {
    initPlot(plot_);
    showPlot();
    run();
  });
  connect(exitButton, &QPushButton::clicked, this, [this] {
    ending_ = true;
    env_.endProgram(0);
  });
  initPlot(plot_);
  showPlot();
}

void YieldexWindow::showPlot() {
  plotArea_->setPixmap(QPixmap::fromImage(plot_.image()));
  plotArea_->repaint();
}

void YieldexWindow::showLegend(int nO) {
  for (int k = 1; k <= nO && k <= 17; ++k) {
    QLabel* slot = legend_[static_cast<std::size_t>(k - 1)];
    slot->setText(QString("Output %1").arg(k));
    // The colour goes in the palette: a style sheet set again on a later
    // run would re-polish the label and lose the window's font.
    const common::Colour c = outputColour(k);
    QPalette palette = slot->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(common::redOf(c), common::greenOf(c), common::blueOf(c)));
    slot->setPalette(palette);
    slot->show();
  }
}

void YieldexWindow::pause() {
  // The window stays responsive while it waits; Exit pressed meanwhile ends
  // the run at once, before anything is computed or written.
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() <= env_.pause.count() && !ending_) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(10);
  }
  if (ending_) throw common::ProgramEnded("Exit pressed during the pause");
}

void YieldexWindow::run() {
  const std::optional<YieldexFiles> files = chooseFiles(*env_.toolkit);
  if (!files) return;
  YieldexHooks hooks;
  hooks.refresh = [this] { showPlot(); };
  hooks.wait = [this] { pause(); };
  hooks.legend = [this](int nO) { showLegend(nO); };
  pairs_.clear();
  pairsComplete_ = false;
  bool fits = true;
  hooks.point = [this, &fits](long p, int k, double y, double t) {
    if (pairs_.size() < kMostPairs) {
      pairs_.push_back({p, k, y, t});
    } else {
      fits = false;
    }
  };
  try {
    const YieldexResult result = runYieldex(*files, plot_, hooks);
    pairsComplete_ = fits;
    report_->setPlainText(QString::fromStdString(result.report));
    showPlot();
  } catch (const common::ProgramEnded&) {
    // The program is ending; the run unwound without touching the output.
  } catch (const common::ToolError& error) {
    showPlot();
    env_.toolkit->messageBox(error.what(), "");
    env_.endProgram(1);
  }
}

QImage YieldexWindow::plotImage() const { return plot_.image(); }

QString YieldexWindow::reportText() const { return report_->toPlainText(); }

}  // namespace yieldex
