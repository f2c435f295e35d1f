#include "surface/gui_application.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/temporary_files.h"

namespace surface {
namespace {

bool named(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && value[0] != '\0';
}

// The user's own runtime folder: the system's /run/user/UID when it is the
// user's private folder (not a link, nobody else's), else a fresh folder of
// an unpredictable name, removed at exit or on an interrupt.  A name in /tmp that anyone could
// plant beforehand, as a link to another file, is never used.
std::string createdFolder;

void removeCreatedFolder() { ::rmdir(createdFolder.c_str()); }

std::string privateRuntimeFolder() {
  const std::string system = "/run/user/" + std::to_string(getuid());
  struct stat info {};
  if (lstat(system.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
      (info.st_mode & 0777) == 0700) {
    return system;
  }
  char name[] = "/tmp/neural-toolkit-runtime-XXXXXX";
  if (mkdtemp(name) == nullptr) return "";
  createdFolder = name;
  std::atexit(removeCreatedFolder);
  common::listTemporaryFolder(createdFolder);  // an interrupt removes it too
  return createdFolder;
}

}  // namespace

bool hasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && std::strcmp(platform, "offscreen") == 0) return false;
  return named("DISPLAY") || named("WAYLAND_DISPLAY");
}

void prepareHeadless() {
  if (!hasDisplay() && !named("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Qt wants a private runtime folder and warns on standard error when the
  // session names none (as under cron or CI).
  if (!named("XDG_RUNTIME_DIR")) {
    const std::string dir = privateRuntimeFolder();
    if (!dir.empty()) setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
}

void ensureGuiApplication() { ensureApplicationOf<QGuiApplication>(); }

}  // namespace surface
