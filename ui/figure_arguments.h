// The figure options the window programs share on their command lines:
// --style exact|paper, --size WxH and --title TEXT, and how they get past
// Qt's application object, which takes -style and -title as its own.
#ifndef UI_FIGURE_ARGUMENTS_H_
#define UI_FIGURE_ARGUMENTS_H_

#include <QCommandLineParser>

#include "common/figure_options.h"

namespace ui {

// QApplication takes "-style" and "-title" (with one dash or two) out of the
// command line as its own.  Renames, in place and before QApplication sees
// them, every "--style", "-style", "--title" and "-title" argument (alone or
// with "=VALUE") to "--figure-style" or "--figure-title", up to a "--"
// argument; the values that follow are left as they are.  startApplication
// does this before it starts the application.
void renameFigureArguments(int argc, char** argv);

// The names the renamed --style and --title reach the parser under.
inline constexpr const char* kStyleInside = "figure-style";
inline constexpr const char* kTitleInside = "figure-title";

// Adds --style (explained by "styleHelp"), --size (by "sizeHelp"), --title,
// and the hidden names main() passes the first and last on by.
void addFigureOptions(QCommandLineParser& parser, const char* styleHelp, const char* sizeHelp);

// The figure settings of the processed command line.  Throws ToolError
// naming the option and the value it refuses.
common::FigureSettings figureSettings(const QCommandLineParser& parser);

}  // namespace ui

#endif  // UI_FIGURE_ARGUMENTS_H_
