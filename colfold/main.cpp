// Colfold: rewrites an ASCII data table as one value per line behind three
// header lines (input nodes, output nodes, patterns): the layout of a
// pattern file.
//
//   Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>
//   Colfold              (then answer its questions)
#include <unistd.h>

#include <cstdio>
#include <new>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "colfold/arguments.h"
#include "colfold/conversion.h"
#include "common/console.h"
#include "common/console_questions.h"
#include "common/errors.h"
#include "common/number_forms.h"

namespace {

const std::string kStars(48, '*');

colfold::Fields askFields() {
  std::cout << kStars << "\n"
            << "*        Conversione formato files ASCII       *\n"
            << "*  (dispone tutti i dati in una sola colonna)  *\n"
            << "*   separatori accettati: spazio e/o virgola   *\n"
            << kStars << "\n\n";
  common::ConsoleQuestions questions(std::cin, std::cout, isatty(STDIN_FILENO));
  colfold::Fields fields;
  fields[0] = questions.askText("- nome file da convertire");
  fields[1] = questions.askText("- nome file convertito");
  fields[2] = questions.askText("- numero di nodi di input");
  fields[3] = questions.askText("- numero di nodi di output");
  fields[4] = questions.askText("- numero di patterns");
  std::cout << "\n";
  return fields;
}

// The program's error report, and what went wrong.
void reportError(const std::string& reason) {
  std::cout << std::flush;
  common::clearConsole();
  std::cerr << "Si \u00e8 verificato un errore.\n"
            << "Controllare la sintassi della linea di comando nella finestra MS-DOS:\n"
            << "Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>\n"
            << "Colfold: " << reason << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(
        "usage: Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>\n"
        "       Colfold   (then answer its questions, or pipe the answers in)\n"
        "\n"
        "Writes every number of the input table (separated by blanks, tabs, commas or line\n"
        "ends; an empty field is 0) on a line of its own, after three lines holding the\n"
        "three counts as given: the layout of a pattern file.  The output replaces an old\n"
        "file only when complete.  Exit status: 0 done; 1 an input that cannot be read, a\n"
        "field that is not a number, or an output that cannot be written.\n",
        stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("Colfold " TOOLKIT_VERSION);
    return 0;
  }
  common::clearConsole();
  colfold::Fields fields;
  if (argc > 1) {
    fields = colfold::splitCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } else {
    fields = askFields();
  }
  try {
    const std::int64_t count = colfold::convertFile(fields);
    std::cout << common::consoleInteger(count) << "  dati convertiti\n";
  } catch (const common::ToolError& error) {
    reportError(error.what());
    return 1;
  } catch (const std::bad_alloc&) {
    reportError("out of memory");
    return 1;
  }
  return 0;
}
