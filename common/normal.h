// The standard normal distribution function and its inverse, as the kappa
// test and the ROC report compute them.
#ifndef COMMON_NORMAL_H_
#define COMMON_NORMAL_H_

namespace common {

// The x with NormalCdf(x) = y for 0 < y < 1, by rational approximations in
// three regions; for y <= 0 or y >= 1, sign(y) times 1.797693134862315e308.
double NormalQuantile(double y);

// P(Z <= x) for a standard normal Z, from a 37-term series for erf; exactly
// 1 above 8.3 and 0 below -8.3.
double NormalCdf(double x);

}  // namespace common

#endif  // COMMON_NORMAL_H_
