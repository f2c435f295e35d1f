// The figure options Yieldex and Tremora share on their command lines:
// --style exact|paper, --size WxH and --title TEXT.
#ifndef EBP_FIGURE_COMMAND_LINE_H_
#define EBP_FIGURE_COMMAND_LINE_H_

#include <QCommandLineParser>

#include "common/figure_options.h"

namespace ebp {

// QApplication takes "-style" and "-title" (with one dash or two) out of the
// command line as its own.  Renames, in place and before QApplication sees
// them, every "--style", "-style", "--title" and "-title" argument (alone or
// with "=VALUE") to "--figure-style" or "--figure-title", up to a "--"
// argument; the values that follow are left as they are.
void renameFigureArguments(int argc, char** argv);

// Adds --style (explained by "styleHelp"), --size (by "sizeHelp"), --title,
// and the hidden names main() passes the first and last on by.
void addFigureOptions(QCommandLineParser& parser, const char* styleHelp, const char* sizeHelp);

// The figure settings of the processed command line.  Throws ToolError
// naming the option and the value it refuses.
common::FigureSettings figureSettings(const QCommandLineParser& parser);

}  // namespace ebp

#endif  // EBP_FIGURE_COMMAND_LINE_H_
