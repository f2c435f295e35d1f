// The options dialog, the renderer's main window: file names, the four
// output options with their sub-options, the series, Draw, Help and Exit.
//
// Every control carries its form name as its objectName (the four option
// buttons share "Option1" and tell their index by the property "index").
// Positions are the form's, in twips, at 15 twips a pixel.
#ifndef MAP_OPTIONS_DIALOG_H_
#define MAP_OPTIONS_DIALOG_H_

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/data_table.h"
#include "map/controls.h"
#include "map/map_window.h"
#include "surface/surface.h"
#include "ui/toolkit.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace map {

class OptionsDialog : public QWidget {
 public:
  // What the dialog needs from the program around it.
  struct Environment {
    std::function<std::string()> settingsPath;   // the settings file a pass reads
    ui::Toolkit* toolkit = nullptr;              // message boxes
    std::function<void(int status)> endProgram;  // Exit, or a pass that ends the program
  };

  explicit OptionsDialog(Environment environment);
  ~OptionsDialog() override;

  // The controls' values, as a pass reads them.
  MapControls controls() const;

  // The map window of the last Draw, or null.
  MapWindow* mapWindow() const { return mapWindow_.get(); }
  const RunState& state() const { return state_; }

  // Client widths of the dialog with the help hidden and shown, in pixels.
  static int closedWidthPx();
  static int openWidthPx();

 private:
  // Makes the controls, one group of the form at a time, and wires them.
  void build();
  void buildOptionButtons();
  void buildFileBoxes();
  void buildSeriesFrame();     // Frame1
  void buildVariablesFrame();  // Frame3, option (2)
  void buildExternalFrame();   // Frame2, option (3)
  void buildClassesFrame();    // Frame4, option (4)
  void buildButtons();         // Draw, Help, Exit
  void buildHelpText();
  void connectCheckBoxes();
  void selectOption(int index);
  void outlineClicked();
  void histogramClicked();
  void toggleHelp();
  void draw();
  void writeBack(const MapControls& after);

  Environment env_;
  RunState state_;
  std::unique_ptr<MapWindow> mapWindow_;
  // What the map window's menu saves: the last pass's picture and numbers.
  std::unique_ptr<surface::Surface> lastPicture_;
  std::optional<common::DataTable> lastTable_;
  std::array<QRadioButton*, 4> option_{};
  QGroupBox* frame1_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  QGroupBox* frame3_ = nullptr;
  QGroupBox* frame4_ = nullptr;
  QLineEdit* visfile_ = nullptr;
  QLineEdit* bmpout_ = nullptr;
  QLineEdit* first_ = nullptr;
  QLineEdit* num_ = nullptr;
  QLineEdit* codfile_ = nullptr;
  QLineEdit* colcod_ = nullptr;
  QLineEdit* datfile_ = nullptr;
  QLineEdit* nvarext_ = nullptr;
  QLineEdit* classfile_ = nullptr;
  QCheckBox* check1_ = nullptr;  // Outline
  QCheckBox* check2_ = nullptr;  // Distance
  QCheckBox* check3_ = nullptr;  // n. of BM patterns
  QCheckBox* check4_ = nullptr;  // SOM units: blank
  QCheckBox* histOn_ = nullptr;
  QCheckBox* connect_ = nullptr;
  QPushButton* help_ = nullptr;
  QPlainTextEdit* helptext_ = nullptr;
  bool helpShown_ = false;
};

}  // namespace map

#endif  // MAP_OPTIONS_DIALOG_H_
