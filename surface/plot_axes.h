// The axes of a figure's plot: where the data land, the ticks and their
// labels, the axis titles and the figure's title.
#ifndef SURFACE_PLOT_AXES_H_
#define SURFACE_PLOT_AXES_H_

#include <string>
#include <vector>

#include "surface/figure.h"

namespace surface {

// One axis: its title, the data range it spans, and the values that get a
// tick and a label (none: niceTicks over the range).
struct Axis {
  std::string title;
  double low = 0;
  double high = 1;
  std::vector<double> ticks;
};

// About "count" round values from "low" to "high" (steps of 1, 2 or 5 times
// a power of ten), both ends included when they are round.
std::vector<double> niceTicks(double low, double high, int count = 5);

// A tick's label: "value" with as many decimals as the ticks' step needs
// ("0", "0.2", "1"; "0.25" for a step of 0.05), never "-0".
std::string tickLabel(double value, double step);

// How a plot is laid out on its figure.
struct PlotLayout {
  double fontPt = 9;       // tick labels; titles are one point larger
  std::string title;       // over the plot, may be empty
  bool square = false;     // the plot area as wide as it is tall
  double rightRoomPt = 0;  // room kept right of the plot (a key, a legend)
};

class PlotArea {
 public:
  // The data of "x" and "y" inside "frame"; the ranges land inset from the
  // frame by a twentyfifth of its size, so nothing drawn at the ends of a
  // range meets the axes.
  PlotArea(const FigureBox& frame, Axis x, Axis y);

  // The figure point of the data point (x, y).
  FigurePoint at(double x, double y) const;
  // The box the axes frame, and the box the data ranges span inside it.
  const FigureBox& frame() const { return frame_; }
  FigureBox dataBox() const;
  const Axis& xAxis() const { return x_; }
  const Axis& yAxis() const { return y_; }

  // Draws the frame, the ticks outwards, their labels and the axis titles.
  void drawAxes(Figure& figure, double fontPt) const;

 private:
  FigureBox frame_;
  Axis x_;
  Axis y_;
};

// Lays out a plot of "x" and "y" on "figure": room at the left for the y
// tick labels and title, below for the x ones, above for the title (drawn
// here); then draws the axes and returns the area to plot in.
PlotArea layOutPlot(Figure& figure, Axis x, Axis y, const PlotLayout& layout);

}  // namespace surface

#endif  // SURFACE_PLOT_AXES_H_
