#include "common/install_places.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "common/errors.h"

namespace common {
namespace {

namespace fs = std::filesystem;

// The user's home: $HOME when it is an absolute path, else the one the
// password database gives (services and "env -i" run without HOME).  Throws
// when there is none: the user's files are never put at the root.
std::string homeDir() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const struct passwd* entry = ::getpwuid(::geteuid());
  if (entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/' &&
      std::string_view(entry->pw_dir) != "/") {
    return entry->pw_dir;
  }
  throw makeError(Fault::kBadFileName, "", "",
                  "no folder for the user's files: HOME is not set and the user has no home "
                  "directory; set HOME, or XDG_CONFIG_HOME and XDG_DATA_HOME");
}

// $VARIABLE when set to an absolute path, else HOME/fallback.
std::string baseDir(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  return homeDir() + "/" + fallback;
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

std::string userConfigDir() { return baseDir("XDG_CONFIG_HOME", ".config") + "/" + kPackageName; }

std::string userDataDir() { return baseDir("XDG_DATA_HOME", ".local/share") + "/" + kPackageName; }

}  // namespace common
