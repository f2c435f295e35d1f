// The Tremora window: "EBP NN Sensitivity Analysis", the Plot, Data and Info
// pages, the random/fixed choice, Start and Exit.
#ifndef EBP_TREMORA_TREMORA_WINDOW_H_
#define EBP_TREMORA_TREMORA_WINDOW_H_

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "ebp/tremora/sensitivity_results.h"
#include "ebp/tremora/uniform_random.h"
#include "surface/surface.h"
#include "ui/toolkit.h"

class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;

namespace tremora {

class TremoraWindow : public QWidget {
 public:
  struct Environment {
    ui::Toolkit* toolkit = nullptr;
    std::string programDir;                      // where test.err and noise.cfg live
    std::function<void(int status)> endProgram;  // Exit, or an error that ends the program
  };

  explicit TremoraWindow(Environment environment);

  // One run, as the Start button starts it.
  void start();

  QString dataText() const;
  QString infoText() const;
  QString plotMessage() const;
  QImage plotImage() const { return plot_.image(); }

 private:
  void showPlot(const QString& message);

  Environment env_;
  UniformRandom random_;  // one sequence for the life of the program
  surface::Surface plot_;
  std::optional<SensitivityTable> lastTable_;  // the last run's results, for the menu
  QTabWidget* tabs_ = nullptr;
  QLabel* plotArea_ = nullptr;
  QLabel* plotNote_ = nullptr;
  QPlainTextEdit* data_ = nullptr;
  QPlainTextEdit* info_ = nullptr;
  QRadioButton* fixed_ = nullptr;
};

}  // namespace tremora

#endif  // EBP_TREMORA_TREMORA_WINDOW_H_
