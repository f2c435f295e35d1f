#include "common/install_places.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace common {
namespace {

namespace fs = std::filesystem;

// $VARIABLE when set to an absolute path, else $HOME/fallback.
std::string baseDir(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/" + fallback;
}

}  // namespace

std::string installedDataDir(const std::string& programDir) {
  if (programDir.empty()) return "";
  const fs::path dir = fs::path(programDir).lexically_normal();
  const fs::path bin = dir.filename().empty() ? dir.parent_path() : dir;
  if (bin.filename() != "bin") return "";
  const fs::path share = bin.parent_path() / "share" / kPackageName;
  std::error_code error;
  return fs::is_directory(share, error) ? share.string() : "";
}

bool keepsOutOfProgramDir(const std::string& programDir) {
  if (!installedDataDir(programDir).empty()) return true;
  const std::string dir = programDir.empty() ? "." : programDir;
  return ::access(dir.c_str(), W_OK) != 0;
}

std::string userConfigDir() {
  return baseDir("XDG_CONFIG_HOME", ".config") + "/" + kPackageName;
}

std::string userDataDir() {
  return baseDir("XDG_DATA_HOME", ".local/share") + "/" + kPackageName;
}

}  // namespace common
