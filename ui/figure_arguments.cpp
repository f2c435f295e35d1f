#include "ui/figure_arguments.h"

#include <deque>
#include <string>
#include <string_view>

#include "common/errors.h"
#include "ui/argument_bytes.h"

namespace ui {
namespace {

[[noreturn]] void refuseOption(const char* option, const std::string& why) {
  throw common::makeError(common::Fault::kSubscriptOutOfRange, "", option, why);
}

// The value of "option", given under its own name or (as main() passes it
// on past Qt) under "renamed".
std::string renamedValue(const QCommandLineParser& parser, const char* option,
                         const char* renamed) {
  return argumentBytes(parser.value(parser.isSet(renamed) ? renamed : option));
}

}  // namespace

void renameFigureArguments(int argc, char** argv) {
  // The renamed arguments live as long as the program.
  static std::deque<std::string> renamed;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--") return;
    if (argument.starts_with("--")) argument.remove_prefix(1);
    for (const std::string_view name : {std::string_view("-style"), std::string_view("-title")}) {
      if (!argument.starts_with(name)) continue;
      const std::string_view rest = argument.substr(name.size());
      if (!rest.empty() && rest.front() != '=') continue;
      renamed.push_back("--figure" + std::string(name) + std::string(rest));
      argv[i] = renamed.back().data();
      break;
    }
  }
}

void addFigureOptions(QCommandLineParser& parser, const char* styleHelp, const char* sizeHelp) {
  parser.addOption(QCommandLineOption("style", styleHelp, "STYLE", "exact"));
  parser.addOption(QCommandLineOption("size", sizeHelp, "WxH"));
  parser.addOption(QCommandLineOption("title", "A title over the paper figure.", "TEXT"));
  for (const char* renamed : {kStyleInside, kTitleInside}) {
    QCommandLineOption option(renamed, "", "VALUE");
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

common::FigureSettings figureSettings(const QCommandLineParser& parser) {
  common::FigureSettings settings;
  const std::string style = renamedValue(parser, "style", kStyleInside);
  const auto named = common::pictureStyleNamed(style);
  if (!named) refuseOption("--style", "exact or paper, not '" + style + "'");
  settings.style = *named;
  if (parser.isSet("size")) {
    const std::string size = argumentBytes(parser.value("size"));
    settings.size = common::parseFigureSize(size);
    if (!settings.size) {
      refuseOption("--size",
                   "WxH in centimetres, each above 0 and at most 100, not '" + size + "'");
    }
  }
  settings.title = renamedValue(parser, "title", kTitleInside);
  return settings;
}

}  // namespace ui
