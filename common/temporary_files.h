// The temporaries a run has open, removed when the run is interrupted.
//
// A temporary is listed from its creation until it is renamed into place or
// removed.  On SIGINT, SIGTERM, SIGHUP or SIGPIPE every listed temporary is
// removed and the program ends by the same signal (a shell shows 128 +
// signal).  A signal the program was started ignoring (nohup's SIGHUP)
// stays ignored.
#ifndef COMMON_TEMPORARY_FILES_H_
#define COMMON_TEMPORARY_FILES_H_

#include <string>

namespace common {

struct Temporary {
  int fd = -1;     // open for writing; -1 when it could not be made (errno says why)
  int entry = -1;  // for forgetTemporary(); -1 when the list was full, and the
                   // file is then removed by its writer on every path but an
                   // interrupt
};

// Creates and opens a new file from "name", a template ending in
// "XXXXXX.part" whose X's are replaced by an unpredictable name (O_EXCL: a
// file or link planted under that name is never opened), mode 0600, and
// lists it.  Interrupts are held off between the two, so that no
// interrupt finds a temporary it does not know.
Temporary createTemporary(std::string& name);

// Lists "path", a folder the program made for its own use and removes at
// exit, so that an interrupt removes it too (when it is empty); returns its
// entry as createTemporary() does.
int listTemporaryFolder(const std::string& path);

// Takes entry "entry" off the list (after the file was renamed or removed);
// -1 is ignored.
void forgetTemporary(int entry);

}  // namespace common

#endif  // COMMON_TEMPORARY_FILES_H_
