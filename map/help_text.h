// The help text of the options dialog.
#ifndef MAP_HELP_TEXT_H_
#define MAP_HELP_TEXT_H_

#include <string>

namespace map {

// The whole help text, paragraphs separated by CR LF CR LF.
std::string helpText();

}  // namespace map

#endif  // MAP_HELP_TEXT_H_
