// The renderer's settings file, Favomap5.cfg, read afresh by every drawing pass.
//
// 37 lines in a fixed order: comment lines are skipped whole, value lines
// hold their items.  Anything after line 37 is ignored.
#ifndef MAP_SETTINGS_H_
#define MAP_SETTINGS_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/colour.h"

namespace map {

inline constexpr const char* kSettingsFileName = "Favomap5.cfg";

struct Settings {
  double hexSize = 0;  // spacing of neighbouring units, twips
  std::int16_t redMode = 0, greenMode = 0, blueMode = 0;
  std::array<std::int16_t, 16> classRed{}, classGreen{}, classBlue{};
  std::int16_t distPref = 0;
  std::int16_t distWidth = 0;
  common::Colour boxColor = 0;
  common::Colour barColorEven = 0;
  common::Colour barColorOdd = 0;
  std::int16_t histFlip = 0;

  // The colour of class k (0..15), components above 255 packed as 255.
  common::Colour classColour(int k) const;
};

// Parses the settings from the text of a settings file named "fileName".
// Throws ToolError (input past end of file, type mismatch, overflow) naming
// the file and item.
Settings parseSettings(std::string_view text, const std::string& fileName);

// Reads the settings file at "path"; a missing file is a file-not-found error.
Settings loadSettings(const std::string& path);

// Which settings file a pass reads: "configOption" when given; otherwise
// Favomap5.cfg in the current folder when it exists, else the copy in
// "programDir" (beside the executable in a build folder), else the installed
// default in PREFIX/share/neural-toolkit for a program in PREFIX/bin.
std::string chooseSettingsFile(const std::string& configOption, const std::string& programDir);

}  // namespace map

#endif  // MAP_SETTINGS_H_
