#include "map/drawing_pass.h"

#include <cmath>

#include "common/errors.h"
#include "common/number_forms.h"
#include "common/output_file.h"
#include "common/program_run.h"
#include "common/strings.h"
#include "map/class_names.h"
#include "map/draw/drawhex.h"
#include "map/outline_map.h"
#include "map/paper_figure.h"
#include "map/series.h"
#include "map/som_files.h"
#include "map/unit_labels.h"
#include "map/variable_maps.h"
#include "surface/picture_formats.h"

namespace map {

void takeDialogValues(RunState& state, const MapControls& controls) {
  state.bmuFile = common::trimBlanks(controls.visfile);
  state.wgtFile = common::trimBlanks(controls.codfile);
  state.dataFile = common::trimBlanks(controls.datfile);
  state.dataHeader = controls.dataHeader;
  state.clsFile = common::trimBlanks(controls.classfile);
  state.mapOption = controls.option;
}

namespace {

std::string drawPlainMap(PassContext& pass) {
  draw::SomGrid& grid = pass.state.grid;
  for (int col = 1; col <= grid.nCols; ++col) {
    for (int row = 1; row <= grid.nRows; ++row) {
      paintUnit(pass, row, col, 255, 255, 255, draw::kPlainSides);
    }
  }
  return "Favomap [" + pass.state.bmuFile + "]";
}

std::string drawClassMap(PassContext& pass) {
  draw::SomGrid& grid = pass.state.grid;
  ClassReader classes(pass.state.clsFile);
  pass.state.unitClasses = common::Grid2<int>({1, grid.nRows}, {1, grid.nCols}, 0);
  for (int row = 1; row <= grid.nRows; ++row) {
    for (int col = 1; col <= grid.nCols; ++col) {
      const int k = classes.next();
      pass.state.unitClasses(row, col) = k;
      paintUnit(pass, row, col, pass.settings.classRed[k], pass.settings.classGreen[k],
                pass.settings.classBlue[k], draw::kPlainSides);
    }
  }
  if (!classes.atEnd()) {
    common::warn(kProgram, pass.state.clsFile,
                 "the file holds more values than the " + std::to_string(grid.nRows * grid.nCols) +
                     " units of the map: " + classes.place() +
                     " and those after it are left out (a class per unit, row by row)");
  }
  return "Favomap [" + pass.state.bmuFile + ", " + pass.state.clsFile + "]";
}

// A spacing of 0 or below, or one so large that no shrinking fits the map
// in a window, would save a picture of nothing.
void checkHexSize(double hexSize, const MapGeometry& geometry, const std::string& settingsPath) {
  // Under a pixel between units the hexagons shrink to nothing.
  if (hexSize >= kTwipsPerPixel && geometry.fits) return;
  throw common::ToolError(
      common::Fault::kOverflow,
      settingsPath + ": line 2: hexSize " + common::generalForm(hexSize, 15) +
          " draws nothing: the spacing of the units takes a number of twips from 15 (a pixel) "
          "up, small enough for the map to fit a window (600 in the example settings)");
}

}  // namespace

std::string drawMap(PassContext& pass) {
  switch (pass.state.mapOption) {
    case MapOption::kPlain:
      return drawPlainMap(pass);
    case MapOption::kVariables:
      return drawVariableMap(pass);
    case MapOption::kExternal:
      return drawExternalMap(pass);
    case MapOption::kClasses:
      return drawClassMap(pass);
  }
  return "Favomap";
}

std::vector<std::string> passInputs(const RunState& state, const std::string& settingsPath) {
  return {state.bmuFile, state.wgtFile, state.dataFile, state.clsFile, settingsPath};
}

void drawingPass(RunState& state, MapControls& controls, const std::string& settingsPath,
                 PassResult& result) {
  // A picture written over an input would destroy it: refused before any
  // file is read.  Any other fault of the name shows once the map is drawn.
  common::checkNoneIsAnInput(passInputs(state, settingsPath),
                             {std::string(common::trimBlanks(controls.bmpout))});
  const std::string picturePath(common::trimBlanks(controls.bmpout));
  if (const auto why = surface::unknownPictureFormat(picturePath)) {
    throw common::cannotWrite(picturePath, *why);
  }
  const BmuHeader header = checkGridType(state.bmuFile);
  const Settings settings = loadSettings(settingsPath);
  state.nObjects = header.nObjects;
  state.grid = draw::SomGrid{};
  state.unitLabels = {};
  state.unitClasses = {};
  state.colourScale.reset();
  state.grid.nRows = header.nRows;
  state.grid.nCols = header.nCols;
  checkMapSize(header.nRows, header.nCols, state.bmuFile, "line 3");
  state.unitColours =
      common::Grid2<common::Colour>({1, header.nRows}, {1, header.nCols}, common::kWhite);
  if (!std::isfinite(settings.hexSize)) {
    throw common::makeError(common::Fault::kOverflow, settingsPath, "line 2",
                            "hexSize is not a finite number");
  }

  result.geometry = fitWindow(header.nRows, header.nCols, settings.hexSize);
  checkHexSize(settings.hexSize, result.geometry, settingsPath);
  result.picture = surface::Surface(result.geometry.widthPx, result.geometry.heightPx);
  const std::string name(common::trimBlanks(controls.bmpout));
  if (controls.keepShapes || surface::Surface::needsShapes(name, controls.pictureScale)) {
    result.picture.keepShapes();
  }
  result.picture.setScale(0, 0.5, result.geometry.x2, result.geometry.y2);

  PassContext pass{state, controls, settings, result.picture};
  result.caption = drawMap(pass);
  writeLabels(pass);
  traceSeries(pass);

  if (name.empty()) {
    throw common::cannotWrite("", "the picture's file name is empty");
  }
  if (controls.figure.paper()) {
    std::vector<std::string> names;
    if (!controls.classNamesFile.empty() && state.mapOption == MapOption::kClasses) {
      names = readClassNames(controls.classNamesFile, classesOnMap(state).size());
    }
    paperMapFigure(state, controls, settings, names).save(name, controls.pictureScale);
  } else {
    result.picture.save(name, controls.pictureScale);
  }
  result.savedPath = name;
}

PassResult drawingPass(RunState& state, MapControls& controls, const std::string& settingsPath) {
  PassResult result;
  drawingPass(state, controls, settingsPath, result);
  return result;
}

}  // namespace map
