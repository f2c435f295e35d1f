// rocplot: ROC curve, best operating point and AUC of a binary classifier.
//
//   rocplot FILE [roc] [--picture FILE]
#include <QApplication>
#include <QString>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "common/console.h"
#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/strings.h"
#include "roc/point_list.h"
#include "roc/rocplot.h"
#include "surface/gui_application.h"
#include "ui/app.h"
#include "ui/picture_window.h"

namespace {

constexpr const char* kUsage = "usage: rocplot FILE [roc] [--picture FILE.bmp|FILE.png]\n";

constexpr const char* kHelp =
    "Evaluates a binary classifier from a file of (score, observed class) records.\n"
    "\n"
    "  FILE             records of a score (0 to 1) and a class (1 positive, 0 negative),\n"
    "                   separated by commas, blanks, tabs or line ends\n"
    "  roc              also write the curve's points to roc.prn in the current folder\n"
    "  --picture FILE   save the picture as a bitmap (or PNG when FILE ends in .png)\n"
    "\n"
    "The picture shows the ROC curve, the best operating point with its rates,\n"
    "Matthews coefficient and distance from the diagonal, the AUC and the confusion\n"
    "matrix.  With a display it opens in a window that a key press closes; without\n"
    "one the program waits for a key on the terminal (not when input is redirected).\n"
    "Exit status: 0 done, 1 bad command line or unreadable input file.\n";

struct Arguments {
  std::vector<std::string> positional;
  std::string picture;
};

bool parseArguments(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--picture") == 0) {
      if (i + 1 >= argc || args.positional.empty()) return false;
      args.picture = argv[++i];
    } else {
      args.positional.emplace_back(argv[i]);
    }
  }
  return !args.positional.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("rocplot " TOOLKIT_VERSION);
    return 0;
  }
  Arguments args;
  if (!parseArguments(argc, argv, args)) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  try {
    const std::string input(common::trimBlanks(args.positional[0]));
    const bool pointList = args.positional.size() > 1 && roc::wantsPointList(args.positional[1]);
    common::MappedFile file(input);
    roc::RocRun run = roc::runRoc(file.text(), input, pointList ? roc::kPointListName : "");
    if (!args.picture.empty()) run.picture.save(args.picture);
    if (surface::hasDisplay()) {
      auto app = ui::startApplication(argc, argv);
      ui::showPictureUntilKey(run.picture.image(), QStringLiteral("rocplot"));
    } else {
      common::waitForKey();
    }
  } catch (const common::ToolError& error) {
    std::fprintf(stderr, "rocplot: %s\n", error.what());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fputs("rocplot: out of memory\n", stderr);
    return 1;
  }
  return 0;
}
