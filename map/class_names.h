// The names of the classes in the legend of a paper figure of option (4).
#ifndef MAP_CLASS_NAMES_H_
#define MAP_CLASS_NAMES_H_

#include <string>
#include <string_view>
#include <vector>

namespace map {

// The names in "text", one a line, blanks around a name and the CR of a CR
// LF line end left out; an empty line is a class without a name.  A last
// line without a line end counts; nothing after the last line end does.
std::vector<std::string> classNamesIn(std::string_view text);

// The names in the file at "path" for the "classes" classes drawn on the
// map, in the order of their numbers: the first line names the lowest class
// on the map.  A file that cannot be read is a ToolError naming it; one with
// fewer names than classes draws a warning (the classes without a name show
// their numbers).
std::vector<std::string> readClassNames(const std::string& path, std::size_t classes);

}  // namespace map

#endif  // MAP_CLASS_NAMES_H_
