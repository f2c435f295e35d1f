#include "map/paper_figure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "common/number_forms.h"
#include "map/draw/drawhex.h"
#include "map/draw/lattice.h"
#include "map/unit_labels.h"
#include "surface/figure_keys.h"

namespace map {
namespace {

using surface::Figure;
using surface::FigureBox;
using surface::FigurePoint;

constexpr double kMarginPt = 8;
constexpr double kKeyFontPt = 9;
constexpr double kTitlePt = 10;
constexpr double kGapPt = 12;  // between the map and its key or legend
constexpr double kOutlinePt = 0.5;
// A hexagon's centre lies this far below its top corner, in lattice units.
constexpr double kCentreDepth = 0.56;
// The share of a hexagon's width at a line's height that its text may take.
constexpr double kLabelShare = 0.9;

// Half the width of a hexagon 1 wide at depth y below its top corner.
double halfWidthAt(double y) {
  const double lattice = 1.12;
  return std::max(0.0, std::min({2 * y, 0.5, 2 * (lattice - y)}));
}

// The room, in points, for line "i" of "n" at "sizePt", centred about the
// centre of a hexagon "hexPt" wide: the width of the hexagon over the whole
// height of the line, less a little for its outline.
double lineRoom(std::size_t i, std::size_t n, double sizePt, double hexPt) {
  const double h = Figure::lineHeight(sizePt) / hexPt;
  const double top = kCentreDepth - h * static_cast<double>(n) / 2 + h * static_cast<double>(i);
  const double half = std::min(halfWidthAt(top), halfWidthAt(top + h));
  return 2 * half * hexPt * kLabelShare;
}

bool fits(const std::vector<std::string>& lines, double sizePt, double hexPt) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (Figure::textWidth(lines[i], sizePt) > lineRoom(i, lines.size(), sizePt, hexPt)) {
      return false;
    }
  }
  return true;
}

// "line" cut to its longest beginning that, followed by "...", is at most
// "widthPt" wide; empty when not even "..." is.
std::string shortened(const std::string& line, double sizePt, double widthPt) {
  if (Figure::textWidth(line, sizePt) <= widthPt) return line;
  for (std::size_t keep = line.size(); keep-- > 0;) {
    const std::string cut = line.substr(0, keep) + "...";
    if (Figure::textWidth(cut, sizePt) <= widthPt) return cut;
  }
  return {};
}

// The map's extent in lattice units: the corners of all its hexagons.
struct Extent {
  double left = std::numeric_limits<double>::max();
  double top = std::numeric_limits<double>::max();
  double right = std::numeric_limits<double>::lowest();
  double bottom = std::numeric_limits<double>::lowest();
};

Extent extentOf(const draw::SomGrid& grid) {
  Extent e;
  for (int row = 1; row <= grid.nRows; ++row) {
    for (int col = 1; col <= grid.nCols; ++col) {
      for (const draw::MapPoint& p : draw::hexCorners(row, col)) {
        e.left = std::min(e.left, p.x);
        e.right = std::max(e.right, p.x);
        e.top = std::min(e.top, p.y);
        e.bottom = std::max(e.bottom, p.y);
      }
    }
  }
  return e;
}

// Lattice units to figure points.
struct Placement {
  double scale = 1;  // points per lattice unit
  double left = 0;   // where the extent's left edge lands
  double top = 0;
  Extent extent;
  FigurePoint at(draw::MapPoint p) const {
    return {left + (p.x - extent.left) * scale, top + (p.y - extent.top) * scale};
  }
};

std::vector<std::string> unitLines(const RunState& state, const MapControls& controls, int row,
                                   int col) {
  std::string labels;
  for (const std::string& label : state.unitLabels(row, col)) labels += " " + label;
  std::vector<std::string> lines;
  for (const LabelLine& line : labelLines(labels, controls.countPatterns, controls.blankUnits)) {
    if (!line.text.empty()) lines.push_back(line.text);
  }
  return lines;
}

bool drawsLabels(const RunState& state, const MapControls& controls) {
  return !controls.histogram && !controls.outline && state.unitLabels.first().contains(1);
}

std::vector<surface::LegendRow> classRows(const RunState& state, const Settings& settings,
                                          const std::vector<std::string>& names) {
  std::vector<surface::LegendRow> rows;
  for (const int k : classesOnMap(state)) {
    const std::size_t i = rows.size();
    surface::LegendRow row;
    row.text = i < names.size() && !names[i].empty() ? names[i] : "Class " + std::to_string(k);
    const auto c = static_cast<std::size_t>(k);
    row.swatch =
        draw::fillColour(settings.classRed[c], settings.classGreen[c], settings.classBlue[c]);
    rows.push_back(row);
  }
  return rows;
}

std::optional<surface::ColourKey> colourKey(const RunState& state) {
  if (!state.colourScale) return std::nullopt;
  const ColourScale& s = *state.colourScale;
  return surface::ColourKey{s.name, common::generalForm(s.minimum, 6),
                            common::generalForm(s.maximum, 6), s.ramp};
}

void drawLabels(Figure& figure, const RunState& state, const MapControls& controls,
                const Placement& place) {
  std::vector<std::vector<std::string>> units;
  for (int row = 1; row <= state.grid.nRows; ++row) {
    for (int col = 1; col <= state.grid.nCols; ++col) {
      units.push_back(unitLines(state, controls, row, col));
    }
  }
  const double size = labelSize(units, place.scale);
  std::size_t k = 0;
  for (int row = 1; row <= state.grid.nRows; ++row) {
    for (int col = 1; col <= state.grid.nCols; ++col) {
      const FittedLabels fitted = fitLabels(units[k++], size, place.scale);
      const double lineHeight = Figure::lineHeight(fitted.sizePt);
      const FigurePoint centre = place.at(draw::hexCentre(row, col));
      double y = centre.y - lineHeight * static_cast<double>(fitted.lines.size()) / 2;
      for (const std::string& line : fitted.lines) {
        figure.text(line, {centre.x, y},
                    {fitted.sizePt, surface::HAlign::kCentre, surface::VAlign::kTop});
        y += lineHeight;
      }
    }
  }
}

}  // namespace

std::vector<int> classesOnMap(const RunState& state) {
  std::array<bool, 16> present{};
  if (state.unitClasses.first().contains(1)) {
    for (int row = 1; row <= state.grid.nRows; ++row) {
      for (int col = 1; col <= state.grid.nCols; ++col) {
        const int k = state.unitClasses(row, col);
        if (k >= 0 && k < 16) present[static_cast<std::size_t>(k)] = true;
      }
    }
  }
  std::vector<int> classes;
  for (std::size_t k = 0; k < present.size(); ++k) {
    if (present[k]) classes.push_back(static_cast<int>(k));
  }
  return classes;
}

double labelSize(const std::vector<std::vector<std::string>>& units, double hexPt) {
  for (double size = kLargestLabelPt; size > kSmallestLabelPt; size -= 0.5) {
    if (std::all_of(units.begin(), units.end(), [&](const std::vector<std::string>& lines) {
          return fits(lines, size, hexPt);
        })) {
      return size;
    }
  }
  return kSmallestLabelPt;
}

FittedLabels fitLabels(const std::vector<std::string>& lines, double sizePt, double hexPt) {
  // The first k lines, the last of them "..." when lines are left out.
  auto firstLines = [&lines](std::size_t k) {
    std::vector<std::string> kept(lines.begin(), lines.begin() + static_cast<long>(k));
    if (k < lines.size()) kept.back() = "...";
    return kept;
  };
  // Whole lines first, as many as fit; else lines cut short.
  for (std::size_t k = lines.size(); k > 0; --k) {
    if (fits(firstLines(k), sizePt, hexPt)) return {sizePt, firstLines(k)};
  }
  for (std::size_t k = lines.size(); k > 0; --k) {
    std::vector<std::string> cut = firstLines(k);
    for (std::size_t i = 0; i < k; ++i) {
      cut[i] = shortened(cut[i], sizePt, lineRoom(i, k, sizePt, hexPt));
    }
    if (std::none_of(cut.begin(), cut.end(), [](const std::string& l) { return l.empty(); })) {
      return {sizePt, cut};
    }
  }
  return {sizePt, {}};
}

surface::Figure paperMapFigure(const RunState& state, const MapControls& controls,
                               const Settings& settings, const std::vector<std::string>& names) {
  const common::FigureSettings& wanted = controls.figure;
  const std::optional<surface::ColourKey> key = colourKey(state);
  std::vector<surface::LegendRow> legend;
  if (state.mapOption == MapOption::kClasses) legend = classRows(state, settings, names);

  double sideWidth = 0;
  double sideHeight = 0;
  if (key) {
    sideWidth = kGapPt + surface::colourKeyWidth(*key, kKeyFontPt);
  } else if (!legend.empty()) {
    const FigureBox box = surface::legendBox(legend, {0, 0}, kKeyFontPt);
    sideWidth = kGapPt + box.width();
    sideHeight = box.height();
  }
  const double titleRoom = wanted.title.empty() ? 0 : Figure::lineHeight(kTitlePt) + 6;

  Placement place;
  place.extent = extentOf(state.grid);
  const double mapWidth = place.extent.right - place.extent.left;
  const double mapHeight = place.extent.bottom - place.extent.top;
  const double width = surface::pointsFromCm(wanted.size ? wanted.size->width : 12);
  const double roomWidth = width - 2 * kMarginPt - sideWidth;
  place.scale = roomWidth / mapWidth;
  double height = 0;
  if (wanted.size) {
    height = surface::pointsFromCm(wanted.size->height);
    place.scale = std::min(place.scale, (height - 2 * kMarginPt - titleRoom) / mapHeight);
  } else {
    height = 2 * kMarginPt + titleRoom + std::max(mapHeight * place.scale, sideHeight);
  }
  place.scale = std::max(place.scale, 1.0);
  place.left = kMarginPt + (roomWidth - mapWidth * place.scale) / 2;
  // A figure of a given size holds the map in the middle of its room.
  place.top = kMarginPt + titleRoom +
              std::max(0.0, (height - 2 * kMarginPt - titleRoom - mapHeight * place.scale) / 2);

  Figure figure(width, height);
  if (!wanted.title.empty()) {
    figure.text(wanted.title, {width / 2, kMarginPt},
                {kTitlePt, surface::HAlign::kCentre, surface::VAlign::kTop});
  }
  const surface::Pen outline{common::kBlack, kOutlinePt};
  for (int row = 1; row <= state.grid.nRows; ++row) {
    for (int col = 1; col <= state.grid.nCols; ++col) {
      std::vector<FigurePoint> corners;
      for (const draw::MapPoint& p : draw::hexCorners(row, col)) corners.push_back(place.at(p));
      figure.polygon(corners, state.unitColours(row, col), outline);
    }
  }
  if (drawsLabels(state, controls)) drawLabels(figure, state, controls, place);

  const double sideLeft = place.left + mapWidth * place.scale + kGapPt;
  if (key) {
    const double nameRoom = Figure::lineHeight(kKeyFontPt) + 4;
    const double barTop = place.top + nameRoom;
    const double barHeight = std::min(mapHeight * place.scale - nameRoom, 160.0);
    surface::drawColourKey(figure, *key, {sideLeft, barTop, sideLeft + 12, barTop + barHeight},
                           kKeyFontPt);
  } else if (!legend.empty()) {
    surface::drawLegend(figure, legend, {sideLeft, place.top}, kKeyFontPt);
  }
  return figure;
}

}  // namespace map
