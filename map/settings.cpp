#include "map/settings.h"

#include <filesystem>

#include "common/install_places.h"
#include "common/mapped_file.h"
#include "map/item_reader.h"

namespace map {

common::Colour Settings::classColour(int k) const {
  return common::rgb(classRed.at(k), classGreen.at(k), classBlue.at(k));
}

namespace {

common::Colour readColour(ItemReader& in) {
  const int r = in.readInteger();
  const int g = in.readInteger();
  const int b = in.readInteger();
  return common::rgb(r, g, b);
}

}  // namespace

Settings parseSettings(std::string_view text, const std::string& fileName) {
  ItemReader in(text, fileName);
  Settings s;
  in.readLine();
  s.hexSize = in.readNumber();
  in.readLine();
  s.redMode = in.readInteger();
  s.greenMode = in.readInteger();
  s.blueMode = in.readInteger();
  in.readLine();
  for (int k = 0; k < 16; ++k) {
    s.classRed[k] = in.readInteger();
    s.classGreen[k] = in.readInteger();
    s.classBlue[k] = in.readInteger();
  }
  for (int i = 0; i < 6; ++i) in.readLine();
  s.distPref = in.readInteger();
  in.readLine();
  s.distWidth = in.readInteger();
  in.readLine();
  s.boxColor = readColour(in);
  in.readLine();
  s.barColorEven = readColour(in);
  s.barColorOdd = readColour(in);
  in.readLine();
  s.histFlip = in.readInteger();
  return s;
}

Settings loadSettings(const std::string& path) {
  common::MappedFile file(path);
  return parseSettings(file.text(), path);
}

std::string chooseSettingsFile(const std::string& configOption, const std::string& programDir) {
  if (!configOption.empty()) return configOption;
  if (std::filesystem::exists(kSettingsFileName)) return kSettingsFileName;
  const std::filesystem::path beside = std::filesystem::path(programDir) / kSettingsFileName;
  if (!programDir.empty() && std::filesystem::exists(beside)) return beside.string();
  const std::string shared = common::installedDataDir(programDir);
  if (!shared.empty()) {
    const std::filesystem::path installed = std::filesystem::path(shared) / kSettingsFileName;
    if (std::filesystem::exists(installed)) return installed.string();
  }
  return kSettingsFileName;  // reported as not found by the loader
}

}  // namespace map
