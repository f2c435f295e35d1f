#include "common/install_places.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "common/errors.h"

namespace common {
namespace {

// Sets (or, for nullopt, unsets) an environment variable for the life of
// the object, then puts back what was there.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
  }
  ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserFolders, FromXdgThenHomeThenThePasswordDatabase) {
  const std::string passwordHome = ::getpwuid(::geteuid())->pw_dir;
  const std::string package = std::string("/") + kPackageName;
  const struct {
    std::optional<std::string> home, xdgData;
    std::string dataDir;
  } cases[] = {
      {"/home/ann", "/data/ann", "/data/ann" + package},
      {"/home/ann", std::nullopt, "/home/ann/.local/share" + package},
      {"/home/ann", "relative/data", "/home/ann/.local/share" + package},
      // A service or "env -i": never the root folder.
      {std::nullopt, std::nullopt, passwordHome + "/.local/share" + package},
      {"", std::nullopt, passwordHome + "/.local/share" + package},
      {std::nullopt, "/data/ann", "/data/ann" + package},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dataDir);
    ScopedVariable home("HOME", c.home);
    ScopedVariable data("XDG_DATA_HOME", c.xdgData);
    if (passwordHome == "/" && !c.xdgData && (!c.home || c.home->empty())) {
      EXPECT_THROW(userDataDir(), ToolError);
    } else {
      EXPECT_EQ(userDataDir(), c.dataDir);
    }
  }
}

}  // namespace
}  // namespace common
