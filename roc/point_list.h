// The point list "roc.prn": the line 1,1 and then one line "FPR,TPR" per
// point, 0 to m, each number a single in "%.7g" form; CR LF line ends.
#ifndef ROC_POINT_LIST_H_
#define ROC_POINT_LIST_H_

#include <string>
#include <string_view>

#include "roc/sweep.h"

namespace roc {

inline constexpr const char* kPointListName = "roc.prn";

// True when the second argument asks for the point list: "roc" once blanks
// are trimmed from both ends and letters lower-cased.
bool wantsPointList(std::string_view argument);

// The whole text of the point list.
std::string pointListText(const RocResult& result);

// Writes the point list to "path", replacing any old file.  Throws ToolError
// when it cannot be written: a point list asked for and not written is a
// failed run, not a quiet one.
void writePointList(const std::string& path, const RocResult& result);

}  // namespace roc

#endif  // ROC_POINT_LIST_H_
