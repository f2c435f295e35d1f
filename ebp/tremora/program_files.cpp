#include "ebp/tremora/program_files.h"

#include <filesystem>
#include <system_error>

#include "common/errors.h"
#include "common/install_places.h"

namespace tremora {
namespace {

namespace fs = std::filesystem;

void makeFolder(const std::string& dir) {
  std::error_code error;
  fs::create_directories(dir, error);
  if (error) throw common::cannotWrite(dir, error.message());
}

}  // namespace

ProgramFiles programFiles(const std::string& programDir) {
  if (!common::keepsOutOfProgramDir(programDir)) {
    const std::string dir =
        programDir.empty() || programDir.back() == '/' ? programDir : programDir + "/";
    return {dir + "test.err", dir + "noise.cfg"};
  }
  const std::string config = common::userConfigDir();
  const std::string data = common::userDataDir();
  ProgramFiles files{data + "/test.err", config + "/noise.cfg"};
  makeFolder(data);
  std::error_code error;
  if (!fs::exists(files.noise, error)) {
    const std::string shared = common::installedDataDir(programDir);
    const fs::path installed = fs::path(shared.empty() ? programDir : shared) / "noise.cfg";
    if (fs::exists(installed, error)) {
      makeFolder(config);
      fs::copy_file(installed, files.noise, error);
      if (error) throw common::cannotWrite(files.noise, error.message());
    }
  }
  return files;
}

}  // namespace tremora
