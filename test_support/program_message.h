// The program's own message ("Errore nel file di dati", ...) that a piece of
// a run throws, as a test compares it.
#ifndef TEST_SUPPORT_PROGRAM_MESSAGE_H_
#define TEST_SUPPORT_PROGRAM_MESSAGE_H_

#include <string>

#include "common/errors.h"

namespace support {

// "TITLE|TEXT" of the program's own message that "run" throws, or "" when
// it throws none; other errors pass through.
template <class Run>
std::string programMessageOf(Run&& run) {
  try {
    run();
  } catch (const common::ProgramMessage& m) {
    return m.title() + "|" + m.what();
  }
  return "";
}

}  // namespace support

#endif  // TEST_SUPPORT_PROGRAM_MESSAGE_H_
