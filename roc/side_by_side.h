// Two pieces of rocplot's work at once, one on a thread of its own, with
// that thread joined however either piece ends.
#ifndef ROC_SIDE_BY_SIDE_H_
#define ROC_SIDE_BY_SIDE_H_

#include <functional>

namespace roc {

// Calls "second" on a thread of its own and "first" on this one, and
// returns once both have ended, whatever either throws.  Then throws what
// "first" threw, else what "second" threw: when both fail, the error
// reported is always the first's.
void sideBySide(const std::function<void()>& first, const std::function<void()>& second);

}  // namespace roc

#endif  // ROC_SIDE_BY_SIDE_H_
