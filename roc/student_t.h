// The two-sided tail of Student's t distribution, for DeLong's unpaired test
// (whose statistic pROC refers to t with Welch-Satterthwaite's degrees of
// freedom).
#ifndef ROC_STUDENT_T_H_
#define ROC_STUDENT_T_H_

namespace roc {

// P(|T| >= |t|) for T of Student's t with "df" degrees of freedom (df > 0,
// not necessarily whole; infinite gives the normal tail).  NaN when t or
// df is NaN or df is not positive.
double studentTwoSidedP(double t, double df);

}  // namespace roc

#endif  // ROC_STUDENT_T_H_
