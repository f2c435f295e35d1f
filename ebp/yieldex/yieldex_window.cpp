#include "ebp/yieldex/yieldex_window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>

#include "common/errors.h"
#include "ebp/yieldex/plot.h"
#include "ebp/yieldex/yieldex_run.h"

namespace ebp {

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
  report_ = new QPlainTextEdit(this);
  report_->setObjectName("report");
  report_->setGeometry(496, 8, 209, 473);
  report_->setReadOnly(true);
  report_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  report_->setLineWrapMode(QPlainTextEdit::NoWrap);
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
    graphini(plot_);
    showPlot();
    run();
  });
  connect(exitButton, &QPushButton::clicked, this, [this] { env_.endProgram(0); });
  graphini(plot_);
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
    const common::Colour c = outputColour(k);
    slot->setStyleSheet(QString("color: rgb(%1, %2, %3);")
                            .arg(common::redOf(c))
                            .arg(common::greenOf(c))
                            .arg(common::blueOf(c)));
    slot->show();
  }
}

void YieldexWindow::pause() {
  // The window stays responsive while it waits.
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() <= env_.pause.count()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(10);
  }
}

void YieldexWindow::run() {
  const std::optional<YieldexFiles> files = chooseFiles(*env_.toolkit);
  if (!files) return;
  YieldexHooks hooks;
  hooks.refresh = [this] { showPlot(); };
  hooks.wait = [this] { pause(); };
  hooks.legend = [this](int nO) { showLegend(nO); };
  try {
    const YieldexResult result = runYieldex(*files, plot_, hooks);
    report_->setPlainText(QString::fromStdString(result.report));
    showPlot();
  } catch (const common::ToolError& error) {
    showPlot();
    env_.toolkit->messageBox(error.what(), "");
    env_.endProgram(1);
  }
}

QImage YieldexWindow::plotImage() const { return plot_.image(); }

QString YieldexWindow::reportText() const { return report_->toPlainText(); }

}  // namespace ebp
