// The files a trained map is written to, in the layouts the map renderer
// reads: the codebook (.wgt), each object's best unit (.bmu) and a class
// per unit (.cls).  Every file ends its lines with CR LF and replaces an old
// one only when the run succeeds.
#ifndef SOM_MAP_FILES_H_
#define SOM_MAP_FILES_H_

#include <string>
#include <vector>

namespace som {

// The .wgt file: the line "comment", then "rows cols nVars", then a line a
// unit, row by row and column by column, its values separated by blanks,
// each the single nearest the codebook's value in 9 significant digits,
// which read back to that single.
void writeCodebook(const std::string& path, const std::string& comment,
                   const std::vector<double>& codebook, int rows, int cols, int nVars);

// The .bmu file: "hexa", the count of objects, "rows cols", then a line an
// object "label,row,col" (rows and columns from 1).  A label that holds a
// comma or a double quote, or starts or ends with a blank, is written in
// double quotes with each double quote turned into a single quote, the one
// form the renderer reads back whole.
void writeBestUnits(const std::string& path, const std::vector<std::string>& labels,
                    const std::vector<int>& best, int rows, int cols);

// The class numbers of "classes" (one an object): when every class is a
// whole number from 1 to 15 it is its own number; otherwise the distinct
// classes are numbered 1, 2, ... in byte order.  More than 15 classes is a
// ToolError naming "file".  Returns one number an object and, in "names",
// the classes in number order (names[k - 1] has number k).
std::vector<int> numberClasses(const std::vector<std::string>& classes, const std::string& file,
                               std::vector<std::string>& names);

// The .cls file: a line a map row, each unit's class (the most frequent
// class number of its objects, the lowest of a tie; 0 for a unit no object
// maps to) separated by blanks.
void writeUnitClasses(const std::string& path, const std::vector<int>& objectClasses,
                      const std::vector<int>& best, int rows, int cols);

}  // namespace som

#endif  // SOM_MAP_FILES_H_
