#include "map/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/errors.h"
#include "test_support/example_settings.h"

namespace map {
namespace {

std::string exampleSettings() {
  std::ifstream in(std::string(EXAMPLES_DIR) + "/som/Favomap5.cfg", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

using support::exampleSettingsWith;

TEST(Settings, ExampleFileLoads) {
  const Settings s = parseSettings(exampleSettings(), "Favomap5.cfg");
  EXPECT_EQ(s.hexSize, 600);
  EXPECT_EQ(s.classColour(0), common::rgb(255, 255, 255));
  EXPECT_EQ(s.classColour(15), common::rgb(251, 154, 153));
  EXPECT_EQ(s.distPref, 0);
  EXPECT_EQ(s.distWidth, 4);
  EXPECT_EQ(s.boxColor, common::rgb(96, 96, 96));
  EXPECT_EQ(s.barColorEven, common::rgb(70, 130, 180));
  EXPECT_EQ(s.barColorOdd, common::rgb(230, 120, 40));
  EXPECT_EQ(s.histFlip, 0);
}

TEST(Settings, ValuesLandInTheirFields) {
  Settings s = parseSettings(exampleSettingsWith(4, "1,0,2"), "c.cfg");
  EXPECT_EQ(s.redMode, 1);
  EXPECT_EQ(s.blueMode, 2);
  s = parseSettings(exampleSettingsWith(28, "13"), "c.cfg");
  EXPECT_EQ(s.distPref, 13);
  s = parseSettings(exampleSettingsWith(37, "1"), "c.cfg");
  EXPECT_EQ(s.histFlip, 1);
  s = parseSettings(exampleSettingsWith(8, "7,8,9"), "c.cfg");
  EXPECT_EQ(s.classColour(2), common::rgb(7, 8, 9));
}

TEST(Settings, TrailingLinesAreIgnoredAndColoursClamp) {
  const Settings s =
      parseSettings(exampleSettingsWith(32, "300,0,1000") + "extra notes\nmore, 1, 2\n", "c.cfg");
  EXPECT_EQ(s.boxColor, common::rgb(255, 0, 255));
  const Settings c = parseSettings(exampleSettingsWith(6, "256,0,0"), "c.cfg");
  EXPECT_EQ(c.classColour(0), common::rgb(255, 0, 0));
}

TEST(Settings, BadFilesStopWithTheirFault) {
  struct Row {
    std::string text;
    common::Fault fault;
  } rows[] = {
      {exampleSettings().substr(0, 200), common::Fault::kPastEndOfFile},
      {exampleSettingsWith(30, "wide"), common::Fault::kTypeMismatch},
      {exampleSettingsWith(2, "six hundred"), common::Fault::kTypeMismatch},
  };
  for (const Row& r : rows) {
    try {
      parseSettings(r.text, "Favomap5.cfg");
      ADD_FAILURE();
    } catch (const common::ToolError& e) {
      EXPECT_EQ(e.fault(), r.fault) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind("Favomap5.cfg: item ", 0), 0u) << e.what();
    }
  }
  try {
    loadSettings("/nonexistent/Favomap5.cfg");
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.fault(), common::Fault::kFileNotFound);
  }
}

TEST(Settings, ChoosesTheFileToRead) {
  namespace fs = std::filesystem;
  const fs::path here = fs::current_path();
  const fs::path dir = fs::temp_directory_path() / ("settings_test_" + std::to_string(getpid()));
  fs::create_directories(dir / "program");
  fs::current_path(dir);
  EXPECT_EQ(chooseSettingsFile("", (dir / "program").string()), "Favomap5.cfg");
  std::ofstream(dir / "program" / "Favomap5.cfg") << "x";
  EXPECT_EQ(chooseSettingsFile("", (dir / "program").string()),
            (dir / "program" / "Favomap5.cfg").string());
  std::ofstream(dir / "Favomap5.cfg") << "x";
  EXPECT_EQ(chooseSettingsFile("", (dir / "program").string()), "Favomap5.cfg");
  EXPECT_EQ(chooseSettingsFile("mine.cfg", (dir / "program").string()), "mine.cfg");
  fs::current_path(here);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace map
