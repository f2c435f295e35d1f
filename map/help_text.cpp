#include "map/help_text.h"

namespace map {

std::string helpText() {
  // Paragraphs are separated by an empty line; the pieces of a paragraph are
  // joined as they stand, so a piece ending without a blank runs on.
  const char* const kBreak = "\r\n\r\n";
  std::string text;
  text +=
      "This program draws hexagonal SOMs using the ouput files "
      "obtained from Lattix.exe.";
  text += kBreak;
  text +=
      "Only a Best Matching Unit (BMU) file is needed to draw a simple SOM with labels (option 1)."
      "Two check boxes allow choosing blanks or the number of best matching patterns as labels. "
      "Otherwise, the labels of the first 2 or 3 best matching patterns will be displayed. "
      "The Connect option allows displaying an ordered series (e.g. a time series) by connecting a "
      "set of BMUs."
      " The polyline that connects the BMUs turns from blue (start) to red (end). The user must "
      "enter the number of first pattern "
      "to be highlighted and the number of patterns in the series.";
  text += kBreak;
  text +=
      "The values for each variable in SOM units can be shown in color over the "
      "whole SOM (option 2). In this case a weights file is also needed and the "
      "user has to select a variable (as column number in the weights file). All the variables can "
      "be simultaneously "
      "displayed as histograms in the SOM units if Histogram is checked (option 2). By editing the "
      "Favomap5.cfg file the user "
      "can turn the histogram upside down and change the color of bars and bounding boxes. The "
      "Outline option assumes that"
      " SOM weights can be regarded as harmonic coefficient in a Fourier shape analysis."
      "If Distance is checked (option 2), then the thickness of the SOM units boundaries "
      "will be proportional to distances between them.";
  text += kBreak;
  text +=
      "An external variable, whose values "
      "are known for the best matching units, can be interpolated "
      "and mapped onto the SOM (option 3). "
      "In this case, the values for the external variable(s) have to "
      "be provided in a separate data file that contains as many lines "
      "(i.e. SOM units) as the BMU file and as many columns as external variables. The lines in "
      "the data file must be arranged in the "
      "same order as objects in the BMU file.";
  text += kBreak;
  text +=
      "Finally, this program allows to assign different colors to classes or other groups of SOM "
      "units (option 4). "
      "The user must provide a file with class memberships for each "
      "SOM unit and class memebership must be assigned using integer numbers ranging from 0 to k, "
      "with k<=15. The class membership values must be in the same order as objects in the .bmu "
      "file.";
  text += kBreak;
  text +=
      "Several other options are available by editing the Favomap5.cfg file (Warning: values can "
      "be changed, while the structure of the file must be preserved). Keep a back-up copy of the "
      "file somewhere in case you want to change the default settings.";
  text += kBreak;
  text +=
      "The last SOM picture is always saved in a .bmp file, whose name can be specified by the "
      "user.";
  return text;
}

}  // namespace map
