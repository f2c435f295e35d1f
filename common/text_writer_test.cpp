#include "common/text_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/errors.h"

namespace common {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

fs::path scratchDir() {
  fs::path dir = fs::temp_directory_path() / ("text_writer_test_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  return dir;
}

TEST(TextFileWriter, WritesCrLfAndReplacesOnCommit) {
  fs::path file = scratchDir() / "out.txt";
  { std::ofstream(file) << "old contents"; }
  {
    TextFileWriter writer(file.string());
    writer.writeLine("1,1");
    writer.writeLine("");
    writer.write("x");
    EXPECT_EQ(slurp(file), "old contents");  // nothing shows before commit
    writer.commit();
  }
  EXPECT_EQ(slurp(file), "1,1\r\n\r\nx");
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST(TextFileWriter, AbandonedWriteKeepsTheOldFile) {
  fs::path file = scratchDir() / "keep.txt";
  { std::ofstream(file) << "precious"; }
  {
    TextFileWriter writer(file.string());
    writer.writeLine("half a result");
  }
  EXPECT_EQ(slurp(file), "precious");
}

TEST(TextFileWriter, MissingFolderIsABadFileName) {
  fs::path file = scratchDir() / "no" / "such" / "dir.txt";
  try {
    TextFileWriter writer(file.string());
    FAIL();
  } catch (const ToolError& e) {
    EXPECT_EQ(e.fault(), Fault::kBadFileName);
    EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos);
  }
}

}  // namespace
}  // namespace common
