#include "colfold/dialogue.h"

#include <iostream>

#include "common/console.h"
#include "common/console_questions.h"

namespace colfold {
namespace {

const std::string kStars(48, '*');

}  // namespace

Fields askFields(std::istream& in, std::ostream& out, bool showQuestions) {
  out << kStars << "\n"
      << "*        Conversione formato files ASCII       *\n"
      << "*  (dispone tutti i dati in una sola colonna)  *\n"
      << "*   separatori accettati: spazio e/o virgola   *\n"
      << kStars << "\n\n";
  common::ConsoleQuestions questions(in, out, showQuestions);
  Fields fields;
  fields[0] = questions.askText("- nome file da convertire");
  fields[1] = questions.askText("- nome file convertito");
  fields[2] = questions.askText("- numero di nodi di input");
  fields[3] = questions.askText("- numero di nodi di output");
  fields[4] = questions.askText("- numero di patterns");
  out << "\n";
  return fields;
}

void reportError(std::ostream& out, std::ostream& err, const std::string& reason) {
  out << std::flush;
  common::clearConsole();
  err << "Si \u00e8 verificato un errore.\n"
      << "Controllare la sintassi della linea di comando nella finestra MS-DOS:\n"
      << "Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>\n"
      << "Colfold: " << reason << "\n";
}

}  // namespace colfold
