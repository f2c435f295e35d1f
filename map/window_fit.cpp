#include "map/window_fit.h"

#include <algorithm>
#include <cmath>

namespace map {

MapGeometry fitWindow(int nRows, int nCols, double hexSize) {
  const double gridW = nCols * hexSize;
  const double gridH = hexSize * nRows * std::sqrt(3.0) / 2;
  const double L = kPictureLeft;
  const double T = kPictureTop;
  MapGeometry g;
  // Bounded: a hexSize that is not a finite number never fits.
  for (int step = 0; step < 2000; ++step) {
    g.mapScale = g.mapScale * 0.9;
    g.pictureWidth = (gridW + 1.5 * hexSize) * g.mapScale;
    g.pictureHeight = (gridH + 1.5 * hexSize) * g.mapScale;
    g.windowWidth = g.pictureWidth + 3 * L;
    g.windowHeight = g.pictureHeight + 6 * T;
    if (g.windowWidth <= 28800 && g.windowHeight <= 16000) {
      g.fits = true;
      break;
    }
  }
  g.x2 = (nCols + 1.5) * (gridW + 1.5 * hexSize + 2 * L) * g.mapScale * 1.01 / g.windowWidth;
  g.y2 = ((nCols + 1.5) * g.pictureHeight / g.pictureWidth + 0.5) * (gridH + 1.5 * hexSize + T) *
         g.mapScale * 1.05 / g.windowHeight;

  auto pixels = [](double twips) {
    const double px = std::round(twips / kTwipsPerPixel);
    return static_cast<int>(std::clamp(std::isfinite(px) ? px : 1.0, 1.0, 4000.0));
  };
  g.widthPx = pixels(g.pictureWidth);
  g.heightPx = pixels(g.pictureHeight);

  const double rowsPerUnit = g.heightPx / (g.y2 - 0.5);
  const double needed = 0.87 * nRows + 1.12 + 0.1;
  if (rowsPerUnit > 0 && std::isfinite(rowsPerUnit) && g.y2 < needed) {
    int height = g.heightPx;
    while (0.5 + height / rowsPerUnit < needed && height < 4000) ++height;
    g.extraRowsPx = height - g.heightPx;
    g.heightPx = height;
    g.y2 = 0.5 + height / rowsPerUnit;
  }

  const double colsPerUnit = g.widthPx / g.x2;
  const double neededX = nCols + (nRows >= 2 ? 1.0 : 0.5) + 0.1;
  if (colsPerUnit > 0 && std::isfinite(colsPerUnit) && g.x2 < neededX) {
    int width = g.widthPx;
    while (width / colsPerUnit < neededX && width < 4000) ++width;
    g.extraColsPx = width - g.widthPx;
    g.widthPx = width;
    g.x2 = width / colsPerUnit;
  }
  return g;
}

}  // namespace map
