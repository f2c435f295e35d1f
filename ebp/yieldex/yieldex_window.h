// The Yieldex window: "NN output", the plot, the report, the legend of up to
// 17 outputs, Reload and Exit.
#ifndef EBP_YIELDEX_YIELDEX_WINDOW_H_
#define EBP_YIELDEX_YIELDEX_WINDOW_H_

#include <QWidget>
#include <array>
#include <chrono>
#include <functional>
#include <vector>

#include "surface/surface.h"
#include "ui/toolkit.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace yieldex {

class YieldexWindow : public QWidget {
 public:
  struct Environment {
    ui::Toolkit* toolkit = nullptr;              // file dialogs and message boxes
    std::chrono::milliseconds pause{2000};       // the wait before computing
    std::function<void(int status)> endProgram;  // Exit, or an error that ends the program
  };

  explicit YieldexWindow(Environment environment);

  // One run: dialogs, reading, computing, plotting, report.  A cancelled
  // dialog ends the run and leaves the window idle; an error shows in a
  // message box and ends the program.
  void run();

  QImage plotImage() const;
  QString reportText() const;
  QLabel* legendSlot(int k) const { return legend_[static_cast<std::size_t>(k - 1)]; }

 private:
  void showPlot();
  void showLegend(int nO);
  void pause();

  Environment env_;
  surface::Surface plot_;
  QLabel* plotArea_ = nullptr;
  QPlainTextEdit* report_ = nullptr;
  std::array<QLabel*, 17> legend_{};
  bool ending_ = false;  // Exit was pressed: a run in its pause stops there
  // The plotted pairs of the last run, for the menu's "Save data as..."; up
  // to kMostPairs of them, the table is not offered beyond.
  struct PlotPair {
    long pattern;
    int output;
    double y, t;
  };
  static constexpr std::size_t kMostPairs = 2000000;
  std::vector<PlotPair> pairs_;
  bool pairsComplete_ = false;
};

}  // namespace yieldex

#endif  // EBP_YIELDEX_YIELDEX_WINDOW_H_
