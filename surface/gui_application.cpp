#include "surface/gui_application.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <string>

namespace surface {
namespace {

bool named(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && value[0] != '\0';
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
  // session names none (as under cron or CI); make the one it would use.
  if (!named("XDG_RUNTIME_DIR")) {
    const std::string dir = "/tmp/runtime-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    struct stat info;
    if (stat(dir.c_str(), &info) == 0 && info.st_uid == getuid()) {
      chmod(dir.c_str(), 0700);
      setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
  }
}

void ensureGuiApplication() { ensureApplicationOf<QGuiApplication>(); }

}  // namespace surface
