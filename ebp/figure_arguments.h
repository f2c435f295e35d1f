// The figure options of Yieldex and Tremora kept from Qt: QApplication takes
// "-style" and "-title" (with one dash or two) out of the command line as
// its own, so they are passed on under other names.
#ifndef EBP_FIGURE_ARGUMENTS_H_
#define EBP_FIGURE_ARGUMENTS_H_

namespace ebp {

// The name the parser knows --style by once renamed.
inline constexpr const char* kRenamedStyle = "figure-style";
// The name the parser knows --title by once renamed.
inline constexpr const char* kRenamedTitle = "figure-title";

// Renames, in place and before QApplication sees them, every "--style",
// "-style", "--title" and "-title" argument (alone or with "=VALUE") to
// "--figure-style" or "--figure-title", up to a "--" argument; the values
// that follow are left as they are.
void renameFigureArguments(int argc, char** argv);

}  // namespace ebp

#endif  // EBP_FIGURE_ARGUMENTS_H_
