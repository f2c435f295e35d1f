// The temporaries a run has open, removed when the run is interrupted.
//
// A temporary is listed from its creation until it is renamed into place or
// removed.  On SIGINT, SIGTERM or SIGHUP every listed temporary is removed
// and the program ends by the same signal (a shell shows 128 + signal).  A
// signal the program was started ignoring (nohup's SIGHUP) stays ignored.
#ifndef COMMON_TEMPORARY_FILES_H_
#define COMMON_TEMPORARY_FILES_H_

#include <string>

namespace common {

// Lists "path" (a temporary just created) and returns its entry for
// forgetTemporary(); -1 when the list is full, in which case the file is
// still removed by its writer on every path but an interrupt.
int listTemporary(const std::string& path);

// Takes entry "entry" off the list (after the file was renamed or removed);
// -1 is ignored.
void forgetTemporary(int entry);

}  // namespace common

#endif  // COMMON_TEMPORARY_FILES_H_
