#include "ebp/tremora/sensitivity_report.h"

#include <cmath>

#include "common/errors.h"
#include "common/format_mask.h"
#include "common/mapped_file.h"
#include "common/rounding.h"
#include "ebp/network_files.h"
#include "ebp/number_stream.h"

namespace ebp {
namespace {

using common::formatMask;

// The text after the first "lines" lines.
std::string_view afterLines(std::string_view text, int lines) {
  std::size_t pos = 0;
  for (int n = 0; n < lines && pos < text.size(); ++n) {
    while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r') ++pos;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return text.substr(pos);
}

std::string rule(int nI) {
  std::string line = " -----";
  for (int i = 0; i < nI; ++i) line += "-----------";
  return line;
}

std::string padLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

SensitivityTable rereadResults(const SensitivityFiles& files, int levels, int nI) {
  SensitivityTable t;
  {
    common::MappedFile results(files.results);
    NumberStream in(afterLines(results.text(), 3), files.results);
    t.e0 = static_cast<float>(in.next());
    std::vector<std::vector<float>> errors(static_cast<std::size_t>(levels));
    for (auto& row : errors) {
      for (int i = 0; i < nI; ++i) row.push_back(static_cast<float>(in.next()));
    }
    if (t.e0 == 0) {
      throw common::ToolError(common::Fault::kDivisionByZero,
                              "division by zero: the base error E0 is 0, so no relative change "
                              "can be given (the results are in \"" +
                                  files.results + "\")");
    }
    for (const auto& row : errors) {
      std::vector<float> d;
      for (float e : row) d.push_back(e / t.e0 - 1.0f);
      t.change.push_back(d);
    }
  }
  {
    common::MappedFile noise(files.noise);
    NumberStream in(noise.text(), files.noise);
    in.next();
    for (int l = 0; l < levels; ++l) t.levels.push_back(static_cast<float>(in.next()));
  }
  measureRange(t);
  return t;
}

void measureRange(SensitivityTable& t) {
  float dmax = 0;
  float dmin = 9e9f;
  for (const auto& row : t.change) {
    for (float d : row) {
      if (d > dmax) dmax = d;
      if (d < dmin) dmin = d;
    }
  }
  t.dmax = dmax;
  t.dmin = dmin > 0 ? 0 : dmin;
  t.range = std::fabs(t.dmin) + t.dmax;
}

std::string dataPage(const SensitivityTable& t) {
  const int nI = t.change.empty() ? 0 : static_cast<int>(t.change[0].size());
  std::string page = " NN Mean Square Error = " + formatMask(t.e0, "0.#######") + "\r\n\r\n";
  page += rule(nI) + "\r\n";
  const int indent = static_cast<int>(common::CInt((11.0 * nI - 28) / 2 + 8));
  page += std::string(static_cast<std::size_t>(std::max(indent, 0)), ' ') +
          "Changes in Mean Square Error\r\n";
  page += " Noise  ";
  for (int i = 1; i <= nI; ++i) page += formatMask(i, "I\\nput \\#00  ");
  page += "\r\n" + rule(nI) + "\r\n";
  for (std::size_t l = 0; l < t.change.size(); ++l) {
    page += formatMask(t.levels[l], " ###.0%  ");
    for (float d : t.change[l]) page += padLeft(formatMask(d, "#####.00%  "), 11);
    page += "\r\n";
  }
  page += rule(nI) + "\r\n";
  return page;
}

std::string infoPage(const SensitivityFiles& files, const SensitivityRun& run) {
  std::string page = " patterns: " + files.patterns + "\r\n\r\n";
  page += "    number of patterns = " + formatMask(static_cast<double>(run.nP), "#####") +
          "\r\n\r\n\r\n";
  page += " weights: " + files.weights + "\r\n\r\n";
  page += "    number of input nodes = " + formatMask(run.nI, "###") + "\r\n";
  page += "    number of hidden nodes = " + formatMask(run.nH, "###") + "\r\n";
  page += "    number of output nodes = " + formatMask(run.nO, "###") + "\r\n\r\n\r\n";
  page += " noise levels: " + files.noise + "\r\n\r\n";
  page += "    perturbations per pattern: " +
          formatMask(static_cast<double>(run.perturbations), "###") + "\r\n\r\n\r\n";
  page += " output saved to: " + files.results;
  return page;
}

namespace {

// Prints "text" with its top-left corner at (x, y).
void printAt(surface::Surface& plot, const std::string& text, double x, double y) {
  plot.setCurrentPoint(x, y);
  plot.print(text);
}

void drawAxes(surface::Surface& plot, const SensitivityTable& t, double llast) {
  const double dmin = t.dmin, range = t.range;
  for (const auto& [x, label] : levelLabels(t.levels.back())) {
    const double tickEnd = dmin - 0.02 * range;
    plot.line(x, dmin, x, tickEnd);
    printAt(plot, label, x - plot.textWidth(label) / 2, tickEnd - plot.textHeight(label) / 2);
  }
  for (double y : changeTicks(t.dmax, dmin)) {
    plot.line(0, y, -0.02 * llast, y);
    const std::string label = formatMask(y, "####0%");
    printAt(plot, label, -0.04 * llast - plot.textWidth(label), y + plot.textHeight(label) / 2);
  }
}

void drawLegend(surface::Surface& plot, const SensitivityTable& t, double llast) {
  const double line = 1.15 * t.dmax;
  const std::string title = "Inputs:";
  printAt(plot, title, -0.04 * llast - plot.textWidth(title), line + plot.textHeight(title) / 2);
  const int nI = static_cast<int>(t.change[0].size());
  double x = 0;
  for (int i = 1; i <= nI; ++i) {
    const common::Colour colour = inputColour(i);
    const std::string number = formatMask(i, "#00");
    const double width = plot.textWidth(number);
    const double height = plot.textHeight(number);
    plot.setPenColour(colour);
    printAt(plot, number, x, line + height / 2);
    plot.setDrawWidth(2);
    plot.line(x, line - height / 4, x + width, line - height / 4, colour);
    plot.setDrawWidth(1);
    x = x + 1.5 * width;
  }
  plot.setPenColour(common::kBlack);
}

}  // namespace

std::vector<std::pair<double, std::string>> levelLabels(float llast) {
  const bool fine = llast < 0.5;
  const double step = fine ? 0.05 : 0.1;
  const char* mask = fine ? "##0.0%" : "##0%";
  const float tenfold = 10.0f * llast;  // in single precision: 0.7f gives 7, not 6.99999988
  const double end = common::Int(static_cast<double>(tenfold)) / 10;
  std::vector<std::pair<double, std::string>> labels;
  for (double x = 0; x <= end && labels.size() < 10000; x = x + step) {
    labels.emplace_back(x, formatMask(x, mask));
  }
  return labels;
}

std::vector<double> changeTicks(double dmax, double dmin) {
  const double step = dmax < 3 ? 0.5 : 1;
  std::vector<double> ticks;
  // Bounded: the plot shows some hundred ticks at the most.
  for (double y = 0; y <= dmax && ticks.size() < 10000; y = y + step) ticks.push_back(y);
  if (-step > dmin) {
    for (double y = -step; y >= dmin && ticks.size() < 20000; y = y - step) ticks.push_back(y);
  }
  return ticks;
}

common::Colour inputColour(int i) { return common::paletteColour(i % 15); }

std::optional<std::string> drawSensitivityPlot(surface::Surface& plot, const SensitivityTable& t) {
  plot.clear(common::kWhite);
  if (t.levels.empty() || t.change.empty() || t.change[0].empty()) return "No plot: no results.";
  const double llast = t.levels.back();
  if (!(llast != 0)) return "No plot: the last noise level is 0, so the levels span nothing.";
  if (!(t.range != 0)) return "No plot: no noise level changed the error.";
  const double dmin = t.dmin, dmax = t.dmax, range = t.range;
  plot.setScale(-0.15 * llast, 1.3 * dmax, 1.075 * llast, dmin - 0.15 * range);
  plot.setFontName("Arial");
  plot.setFontSize(8);
  plot.setPenColour(common::kBlack);
  const common::Colour grid = common::rgb(223, 223, 223);
  for (float level : t.levels) plot.line(level, dmin, level, 1.075 * dmax, grid);
  const int nI = static_cast<int>(t.change[0].size());
  plot.setDrawWidth(2);
  for (int i = 1; i <= nI; ++i) {
    const common::Colour colour = inputColour(i);
    for (std::size_t l = 0; l < t.levels.size(); ++l) {
      const double x = t.levels[l];
      const double y = t.change[l][static_cast<std::size_t>(i - 1)];
      if (l == 0) {
        plot.point(x, y, colour);
      } else {
        plot.lineTo(x, y, colour);
      }
      plot.circle(x, y, 0.005, colour);
    }
  }
  plot.line(0, dmin, 1.01875 * llast, 1.075 * dmax, {}, surface::LineKind::kBox);
  plot.setDrawWidth(1);
  plot.setDrawStyle(surface::DrawStyle::kDotted);
  plot.line(0, 0, llast, 0);
  plot.setDrawStyle(surface::DrawStyle::kSolid);
  drawAxes(plot, t, llast);
  drawLegend(plot, t, llast);
  plot.setPenColour(common::kBlack);
  return std::nullopt;
}

}  // namespace ebp
