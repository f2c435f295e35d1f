// rocplot --multiclass: the AUC of a classifier of K classes from its
// per-class scores (a model's predicted probabilities, one column a class).
//
// The file holds one record a line, "class,score_1,...,score_K": the class
// a whole number 0..K-1, then the model's score for each class, separated
// as the score files are (commas, blanks, tabs).  K is taken from the first
// record.
#ifndef ROC_MULTICLASS_H_
#define ROC_MULTICLASS_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/data_table.h"

namespace roc {

struct MulticlassRecords {
  int classes = 0;             // K
  std::vector<int> labels;     // one class per record
  std::vector<double> scores;  // records x K, a record's scores together
  std::vector<long> counts;    // records per class
  std::size_t size() const { return labels.size(); }
  double score(std::size_t record, int column) const {
    return scores[record * static_cast<std::size_t>(classes) + static_cast<std::size_t>(column)];
  }
};

// Reads the records of "text" (the file "fileName"), the first line left
// out when "skipHeader".  Throws ToolError naming the file and line for a
// line of another count of fields than the first, a field that is not a
// number or is empty, a score that is not a number (nan), a class that is
// not a whole number 0..K-1, fewer than two or more than 1000 score columns,
// or no record.
MulticlassRecords readMulticlass(std::string_view text, const std::string& fileName,
                                 bool skipHeader);

struct MulticlassAuc {
  // above[i][j]: the chance that a record of class i scores higher in
  // column i than a record of class j does, ties counting half (Hand and
  // Till's A(i|j)); NaN when either class has no record.
  std::vector<std::vector<double>> above;
  // Hand and Till's M: the mean over class pairs of (A(i|j) + A(j|i)) / 2.
  // It is also the one-vs-one macro AUC.
  double handTillM = 0;
  std::vector<double> oneVsRest;  // per class: its column, its class against all others
  double oneVsRestMacro = 0;      // their mean
  double oneVsRestWeighted = 0;   // their mean weighted by the classes' shares of records
};

// The AUCs of "records": each column sorted once, every pair counted in one
// pass over it.
MulticlassAuc multiclassAuc(const MulticlassRecords& records);

// The report lines ("name<TAB>value"; undefined values "nan").
std::string multiclassReport(const MulticlassRecords& records, const MulticlassAuc& auc);

// Each class's one-vs-rest curve as a table (class, threshold, fpr, tpr):
// from the highest score down, one row a distinct score (a record is
// counted positive when its score is at or above the threshold), after a
// first row at (0, 0) with threshold inf.
common::DataTable multiclassCurves(const MulticlassRecords& records);

}  // namespace roc

#endif  // ROC_MULTICLASS_H_
