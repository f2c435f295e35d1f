#include "colfold/colfold_run.h"

#include <unistd.h>

#include <cstdint>
#include <iostream>

#include "colfold/arguments.h"
#include "colfold/conversion.h"
#include "colfold/counts.h"
#include "colfold/dialogue.h"
#include "common/console.h"
#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/output_file.h"
#include "common/program_run.h"
#include "common/progress.h"

namespace colfold {

int runColfold(const std::vector<std::string>& arguments) {
  common::clearConsole();
  const auto work = [&] {
    const Fields fields = !arguments.empty() ? splitCommandLine(arguments)
                                             : askFields(std::cin, std::cout, isatty(STDIN_FILENO));
    // Only on a terminal, and only once the conversion has taken a second.
    common::ProgressLine progress("Colfold", 1.0);
    const std::int64_t count = convertFile(fields, [&](double done, double total) {
      progress.show(done, total, "converting " + fields[0]);
    });
    progress.finish();
    // The converted table stands whatever follows, and a name it cannot be
    // put in place under fails the run before the count is printed; a table
    // that changed while it was read replaces nothing.
    common::throwIfInputChanged();
    common::OutputBatch::publishOpen();
    std::cout << common::consoleInteger(count) << "  dati convertiti\n" << std::flush;
    for (const CountWarning& warning : countWarnings(fields, count)) {
      common::warn("Colfold", warning.file, warning.text);
    }
    return 0;
  };
  return common::runReportingFailures(
      "Colfold", work, [](const std::string& text) { reportError(std::cout, std::cerr, text); });
}

}  // namespace colfold
