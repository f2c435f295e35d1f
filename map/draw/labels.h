// Counting the labels of a unit.
#ifndef MAP_DRAW_LABELS_H_
#define MAP_DRAW_LABELS_H_

#include <string_view>

namespace map::draw {

// The number of labels in a unit's label string: 0 when it holds only
// blanks, otherwise 1 plus the blanks between its first and last non-blank
// characters (every blank counts, consecutive ones too).  Only the blank
// character is trimmed; tabs count as text.
int countLabels(std::string_view labels);

}  // namespace map::draw

#endif  // MAP_DRAW_LABELS_H_
