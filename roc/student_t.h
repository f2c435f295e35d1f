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

// The t at which that tail is 1 - "level" (0 < level < 1): the half-width,
// in standard errors, of an interval at "level".  NaN like the tail.
double studentQuantile(double level, double df);

}  // namespace roc

#endif  // ROC_STUDENT_T_H_
