// Where a program of the toolkit finds its defaults and keeps what it
// writes, in a build folder, a portable copy or an installed prefix.
//
// In a build folder or a portable copy the files a program keeps beside
// itself stay there.  An installed program lives in PREFIX/bin with its
// defaults in PREFIX/share/neural-toolkit/; it never writes into the
// installation: its settings go to the user's configuration folder
// ($XDG_CONFIG_HOME/neural-toolkit, ~/.config/neural-toolkit without it)
// and its results to the user's data folder ($XDG_DATA_HOME/neural-toolkit,
// ~/.local/share/neural-toolkit).  Every place is found from the program's
// own folder, so a relocated prefix works as well.
#ifndef COMMON_INSTALL_PLACES_H_
#define COMMON_INSTALL_PLACES_H_

#include <string>

namespace common {

// The package's name: the folder under share/ and under the user's folders.
inline constexpr const char* kPackageName = "neural-toolkit";

// PREFIX/share/neural-toolkit when "programDir" is PREFIX/bin and that
// folder exists; empty otherwise.
std::string installedDataDir(const std::string& programDir);

// True when the program in "programDir" must not write beside itself: it is
// installed, or its folder is not writable.
bool keepsOutOfProgramDir(const std::string& programDir);

// The user's configuration and data folders of the package (not created):
// under $XDG_CONFIG_HOME and $XDG_DATA_HOME, else under the home folder
// ($HOME, else the password database's).  Throws ToolError when there is no
// home to put them in.
std::string userConfigDir();
std::string userDataDir();

}  // namespace common

#endif  // COMMON_INSTALL_PLACES_H_
