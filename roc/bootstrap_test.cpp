#include "roc/bootstrap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "roc/bootstrap_report.h"
#include "roc/compare_bootstrap.h"
#include "roc/exact_auc.h"
#include "roc/report.h"
#include "roc/sensitivity_band.h"

namespace roc {
namespace {

std::map<std::string, double> linesOf(const std::string& text) {
  std::map<std::string, double> values;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t tab = line.find('\t');
    values[line.substr(0, tab)] = std::stod(line.substr(tab + 1));
  }
  return values;
}

// The ROC points of explicit lists, from the definitions: for each distinct
// score, and for a cut above all, the rates of "score >= cut".
std::vector<std::pair<double, double>> brutePoints(const std::vector<double>& p,
                                                   const std::vector<double>& q) {
  std::vector<double> cuts(p);
  cuts.insert(cuts.end(), q.begin(), q.end());
  cuts.push_back(HUGE_VAL);
  std::sort(cuts.begin(), cuts.end(), std::greater<>());
  std::vector<std::pair<double, double>> points;
  for (double cut : cuts) {
    auto share = [cut](const std::vector<double>& v) {
      return static_cast<double>(
                 std::count_if(v.begin(), v.end(), [&](double x) { return x >= cut; })) /
             static_cast<double>(v.size());
    };
    points.emplace_back(share(q), share(p));
  }
  return points;
}

// The highest y any segment of "points" (pairs of x, y) reaches at x = at,
// reading the segments whose ends hold (x, y) by "first" and "second".
template <typename First, typename Second>
double highestAlong(const std::vector<std::pair<double, double>>& points, double at, First x,
                    Second y) {
  double best = -1;
  for (std::size_t k = 1; k < points.size(); ++k) {
    const double x0 = x(points[k - 1]), x1 = x(points[k]), y0 = y(points[k - 1]), y1 = y(points[k]);
    // Rates such as 1 - 0.9 miss the counts' own rates by a rounding.
    constexpr double kNear = 1e-12;
    if (at < std::min(x0, x1) - kNear || at > std::max(x0, x1) + kNear) continue;
    best = std::max(best, x0 == x1 ? std::max(y0, y1) : y0 + (y1 - y0) * (at - x0) / (x1 - x0));
  }
  return best;
}

// The cut "score > c" with the largest m n J = TP n - FP m in whole numbers,
// over c = every score and -inf; the highest c on a tie.
double bruteYouden(const ClassScores& s) {
  std::vector<double> cuts(s.positives);
  cuts.insert(cuts.end(), s.negatives.begin(), s.negatives.end());
  cuts.push_back(-HUGE_VAL);
  std::sort(cuts.begin(), cuts.end(), std::greater<>());
  long best = LONG_MIN;
  double threshold = 0;
  for (double c : cuts) {
    auto above = [c](const std::vector<double>& v) {
      return static_cast<long>(std::count_if(v.begin(), v.end(), [&](double x) { return x > c; }));
    };
    const long j = above(s.positives) * static_cast<long>(s.negatives.size()) -
                   above(s.negatives) * static_cast<long>(s.positives.size());
    if (j > best) best = j, threshold = c;
  }
  return threshold;
}

// The area under the curve of "points" over x from "from" to "to", by the
// midpoint rule between every two neighbouring x of the points: exact for a
// polyline, and blind to its vertical steps.
double bruteArea(const std::vector<std::pair<double, double>>& points, double from, double to) {
  std::vector<double> xs = {from, to};
  for (const auto& pt : points) {
    if (pt.first > from && pt.first < to) xs.push_back(pt.first);
  }
  std::sort(xs.begin(), xs.end());
  double area = 0;
  for (std::size_t i = 1; i < xs.size(); ++i) {
    area += (xs[i] - xs[i - 1]) * highestAlong(
                                      points, (xs[i] + xs[i - 1]) / 2,
                                      [](auto& pt) { return pt.first; },
                                      [](auto& pt) { return pt.second; });
  }
  return area;
}

// R's default sample quantile (type 7), of the values that are numbers.
double quantile(std::vector<double> v, double prob) {
  std::erase_if(v, [](double x) { return std::isnan(x); });
  std::sort(v.begin(), v.end());
  const double h = (v.size() - 1) * prob;
  const auto lo = static_cast<std::size_t>(h);
  return lo + 1 < v.size() ? v[lo] + (h - lo) * (v[lo + 1] - v[lo]) : v[lo];
}

// Each resample rebuilt as explicit lists of records, drawn with the
// resample's own generators, and every quantity computed from the
// definitions (pair counts, the cut-by-cut curve, Youden over every cut):
// the report's intervals are the percentiles of those values.
TEST(Bootstrap, IntervalsEqualAResampleByResampleBruteForce) {
  std::mt19937 random(21);
  for (int trial = 0; trial < 6; ++trial) {
    std::vector<double> p, q;
    for (int i = 0, m = 3 + random() % 12; i < m; ++i) p.push_back((random() % 9 + 2) / 10.0);
    for (int i = 0, n = 3 + random() % 12; i < n; ++i) q.push_back((random() % 9) / 10.0);
    std::sort(p.begin(), p.end());
    std::sort(q.begin(), q.end());
    Arguments args;
    args.bootstrap = 150;
    args.seed = 100 + trial;
    args.level = 0.9;
    args.seAt = {0.8, 0.5};
    args.spAt = {0.75};
    args.partial = true;
    args.partialFrom = 0.1;
    args.partialTo = 0.45;
    const auto got = linesOf(bootstrapReport(p, q, args));
    std::vector<double> aucs, youdens, se08, se05, sp075, partial, corrected;
    for (std::size_t r = 0; r < 150; ++r) {
      std::vector<std::uint32_t> cp(p.size()), cq(q.size());
      ResampleRandom rp(args.seed, r, 0), rq(args.seed, r, 1);
      drawCounts(rp, p.size(), nullptr, cp.data());
      drawCounts(rq, q.size(), nullptr, cq.data());
      ClassScores s;
      for (std::size_t i = 0; i < p.size(); ++i) s.positives.insert(s.positives.end(), cp[i], p[i]);
      for (std::size_t i = 0; i < q.size(); ++i) s.negatives.insert(s.negatives.end(), cq[i], q[i]);
      ASSERT_EQ(s.positives.size(), p.size());
      ASSERT_EQ(s.negatives.size(), q.size());
      double pairs = 0;
      for (double x : s.positives) {
        for (double y : s.negatives) pairs += x > y ? 1 : x == y ? 0.5 : 0;
      }
      aucs.push_back(pairs / (p.size() * q.size()));
      youdens.push_back(bruteYouden(s));
      const auto points = brutePoints(s.positives, s.negatives);
      auto fpr = [](const auto& pt) { return pt.first; };
      auto tpr = [](const auto& pt) { return pt.second; };
      se08.push_back(highestAlong(points, 1 - 0.8, fpr, tpr));
      se05.push_back(highestAlong(points, 1 - 0.5, fpr, tpr));
      auto specificity = [](const auto& pt) { return 1 - pt.first; };
      sp075.push_back(highestAlong(points, 0.75, tpr, specificity));
      // McClish: the diagonal's area over the band is (0.45^2 - 0.1^2) / 2 =
      // 0.09625, the largest 0.35.
      const double area = bruteArea(points, 0.1, 0.45);
      partial.push_back(area);
      corrected.push_back(area < 0.09625 ? NAN : (1 + (area - 0.09625) / (0.35 - 0.09625)) / 2);
    }
    const std::pair<const char*, std::vector<double>*> columns[] = {
        {"exact_auc", &aucs},
        {"youden_threshold", &youdens},
        {"se_at_sp_0.8", &se08},
        {"se_at_sp_0.5", &se05},
        {"sp_at_se_0.75", &sp075},
        {"partial_auc", &partial},
        {"partial_auc_corrected", &corrected}};
    for (const auto& [name, values] : columns) {
      const std::string n(name);
      EXPECT_NEAR(got.at(n + "_boot_low"), quantile(*values, 0.05), 1e-12) << n << trial;
      EXPECT_NEAR(got.at(n + "_boot_high"), quantile(*values, 0.95), 1e-12) << n << trial;
    }
    // The estimates of the whole sample, from the same definitions.
    const auto points = brutePoints(p, q);
    EXPECT_NEAR(
        got.at("se_at_sp_0.8"),
        highestAlong(
            points, 0.2, [](auto& pt) { return pt.first; }, [](auto& pt) { return pt.second; }),
        1e-12);
  }
}

// The band at 100 specificities rebuilt resample by resample: each
// resample's records drawn with its own generators, its curve cut by cut,
// the sensitivity the highest the curve reaches at each FPR; the band's low,
// median and high are those values' percentiles, on one thread or three.
TEST(Bootstrap, SensitivityBandEqualsAResampleByResampleBruteForce) {
  std::mt19937 random(25);
  const std::vector<double> specificities = bandSpecificities(100);
  ASSERT_EQ(specificities.front(), 1);
  ASSERT_EQ(specificities.back(), 0);
  EXPECT_NEAR(specificities[98], 1.0 / 99, 1e-15);
  for (int trial = 0; trial < 3; ++trial) {
    std::vector<double> p, q;
    for (int i = 0, m = 3 + random() % 10; i < m; ++i) p.push_back((random() % 9 + 2) / 10.0);
    for (int i = 0, n = 3 + random() % 10; i < n; ++i) q.push_back((random() % 9) / 10.0);
    std::sort(p.begin(), p.end());
    std::sort(q.begin(), q.end());
    BootstrapPlan plan;
    plan.resamples = 80;
    plan.seed = 40 + trial;
    plan.threads = 1;
    const std::vector<BandPoint> band = sensitivityBand(p, q, specificities, 0.9, plan);
    plan.threads = 3;
    const std::vector<BandPoint> threaded = sensitivityBand(p, q, specificities, 0.9, plan);
    std::vector<std::vector<double>> values(specificities.size());
    for (std::size_t r = 0; r < plan.resamples; ++r) {
      std::vector<std::uint32_t> cp(p.size()), cq(q.size());
      ResampleRandom rp(plan.seed, r, 0), rq(plan.seed, r, 1);
      drawCounts(rp, p.size(), nullptr, cp.data());
      drawCounts(rq, q.size(), nullptr, cq.data());
      std::vector<double> rpos, rneg;
      for (std::size_t i = 0; i < p.size(); ++i) rpos.insert(rpos.end(), cp[i], p[i]);
      for (std::size_t i = 0; i < q.size(); ++i) rneg.insert(rneg.end(), cq[i], q[i]);
      const auto points = brutePoints(rpos, rneg);
      for (std::size_t k = 0; k < specificities.size(); ++k) {
        values[k].push_back(highestAlong(
            points, 1 - specificities[k], [](auto& pt) { return pt.first; },
            [](auto& pt) { return pt.second; }));
      }
    }
    ASSERT_EQ(band.size(), specificities.size());
    for (std::size_t k = 0; k < band.size(); ++k) {
      EXPECT_EQ(band[k].specificity, specificities[k]);
      EXPECT_NEAR(band[k].low, quantile(values[k], 0.05), 1e-12) << k << " " << trial;
      EXPECT_NEAR(band[k].median, quantile(values[k], 0.5), 1e-12) << k << " " << trial;
      EXPECT_NEAR(band[k].high, quantile(values[k], 0.95), 1e-12) << k << " " << trial;
      EXPECT_EQ(threaded[k].low, band[k].low);
      EXPECT_EQ(threaded[k].high, band[k].high);
    }
  }
  // Without negatives there is no curve to resample.
  const auto none = sensitivityBand({0.2, 0.4}, {}, {0.5}, 0.95, BootstrapPlan{});
  EXPECT_TRUE(std::isnan(none[0].low) && std::isnan(none[0].median) && std::isnan(none[0].high));
}

// At a false-positive rate where the curve runs vertically, the
// sensitivity is the top of the run, even where 1 - specificity times the
// negatives (here (1 - 0.9) x 10) misses the whole count by a rounding.
TEST(Bootstrap, SensitivityAtAVerticalRunIsItsTop) {
  const std::vector<double> p = {0.75, 0.8, 0.9, 0.95};
  const std::vector<double> q = {0.02, 0.03, 0.04, 0.05, 0.1, 0.2, 0.3, 0.4, 0.5, 0.85};
  Arguments args;
  args.bootstrap = 20;
  args.seAt = {0.9};
  args.spAt = {0.5};
  const auto got = linesOf(bootstrapReport(p, q, args));
  EXPECT_EQ(got.at("se_at_sp_0.9"), 1);
  EXPECT_EQ(got.at("sp_at_se_0.5"), 1);
}

// The bootstrap comparison rebuilt resample by resample: paired, both
// classifiers take the same draws of the cases (streams 0 and 1); unpaired,
// the second draws its own (streams 2 and 3).  The differences' standard
// deviation, percentiles, z and p follow.
TEST(Bootstrap, ComparisonEqualsAResampleByResampleBruteForce) {
  std::mt19937 random(24);
  for (const bool paired : {true, false}) {
    ClassScores a, b;
    for (int i = 0; i < 14; ++i) {
      (i % 3 ? a.positives : a.negatives).push_back((random() % 7 + (i % 3 ? 2 : 0)) / 10.0);
      (i % 3 ? b.positives : b.negatives).push_back((random() % 7) / 10.0);
    }
    if (!paired) b.negatives.push_back(0.35);  // other cases: other counts
    auto draws = [](std::uint64_t seed, std::size_t r, std::uint32_t stream, std::size_t n) {
      std::vector<std::uint32_t> counts(n, 0);
      ResampleRandom random(seed, r, stream);
      drawCounts(random, n, nullptr, counts.data());
      return counts;
    };
    auto bruteAuc = [](const ClassScores& s, const std::vector<std::uint32_t>& cp,
                       const std::vector<std::uint32_t>& cn) {
      double pairs = 0, m = 0, n = 0;
      for (std::size_t i = 0; i < s.positives.size(); ++i) {
        m += cp[i];
        for (std::size_t k = 0; k < s.negatives.size(); ++k) {
          const double x = s.positives[i], y = s.negatives[k];
          pairs += cp[i] * cn[k] * (x > y ? 1 : x == y ? 0.5 : 0);
        }
      }
      for (std::uint32_t c : cn) n += c;
      return pairs / (m * n);
    };
    BootstrapPlan plan;
    plan.resamples = 120;
    plan.seed = 31;
    std::vector<double> expected;
    for (std::size_t r = 0; r < plan.resamples; ++r) {
      const auto pa = draws(31, r, 0, a.positives.size()), na = draws(31, r, 1, a.negatives.size());
      const auto pb = paired ? pa : draws(31, r, 2, b.positives.size());
      const auto nb = paired ? na : draws(31, r, 3, b.negatives.size());
      expected.push_back(bruteAuc(a, pa, na) - bruteAuc(b, pb, nb));
    }
    const std::vector<double> got = bootstrapAucDifferences(a, b, paired, plan);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t r = 0; r < got.size(); ++r) EXPECT_NEAR(got[r], expected[r], 1e-12) << r;
    double mean = 0, squares = 0;
    for (double d : expected) mean += d / expected.size();
    for (double d : expected) squares += (d - mean) * (d - mean);
    const double sd = std::sqrt(squares / (expected.size() - 1));
    const BootstrapComparison c = bootstrapComparison(0.1, got, 0.9);
    EXPECT_NEAR(c.se, sd, 1e-12);
    EXPECT_NEAR(c.z, 0.1 / sd, 1e-9);
    EXPECT_NEAR(c.p, std::erfc(0.1 / sd / std::sqrt(2.0)), 1e-9);
    EXPECT_NEAR(c.low, quantile(expected, 0.05), 1e-12);
    EXPECT_NEAR(c.high, quantile(expected, 0.95), 1e-12);
  }
}

// Resample r draws from its own generator: one thread or two, the lines are
// the same; another seed gives other lines.
TEST(Bootstrap, SameSeedSameLinesOnAnyNumberOfThreads) {
  std::mt19937 random(22);
  std::vector<double> p, q;
  for (int i = 0; i < 300; ++i) p.push_back(std::uniform_real_distribution<>(0.2, 1)(random));
  for (int i = 0; i < 400; ++i) q.push_back(std::uniform_real_distribution<>(0, 0.8)(random));
  std::sort(p.begin(), p.end());
  std::sort(q.begin(), q.end());
  Arguments args;
  args.bootstrap = 300;
  args.seed = 5;
  args.seAt = {0.9};
  const std::string one = bootstrapReport(p, q, args, 1);
  EXPECT_EQ(bootstrapReport(p, q, args, 2), one);
  EXPECT_EQ(bootstrapReport(p, q, args, 3), one);
  args.seed = 6;
  EXPECT_NE(bootstrapReport(p, q, args, 2), one);
}

// Samples of 100 positives ~ N(1, 1) and 100 negatives ~ N(0, 1), whose AUC
// is Phi(1 / sqrt 2) = 0.76025: the 90% percentile interval covers it in
// about 90% of 200 samples (the binomial spread is 2%; the percentile
// interval of samples this small runs a little short).
TEST(Bootstrap, PercentileIntervalCoversTheTrueAucAtItsLevel) {
  const double trueAuc = 0.5 * std::erfc(-0.5);
  std::mt19937_64 random(23);
  std::normal_distribution<double> normal(0, 1);
  int covered = 0;
  const int samples = 200;
  for (int s = 0; s < samples; ++s) {
    std::vector<double> p(100), q(100);
    for (double& x : p) x = 1 + normal(random);
    for (double& y : q) y = normal(random);
    std::sort(p.begin(), p.end());
    std::sort(q.begin(), q.end());
    Arguments args;
    args.bootstrap = 200;
    args.seed = static_cast<std::uint64_t>(s);
    args.level = 0.9;
    const auto got = linesOf(bootstrapReport(p, q, args));
    if (got.at("exact_auc_boot_low") <= trueAuc && trueAuc <= got.at("exact_auc_boot_high")) {
      ++covered;
    }
  }
  EXPECT_GE(covered, 0.82 * samples);
  EXPECT_LE(covered, 0.96 * samples);
}

// Past one block of 4096 records the draws take another path: over three
// full blocks and a part, each resample draws exactly one count per record,
// every block gets its share, and a record is left out of a resample about
// as often as e^-1 says (the counts are Poisson(1) for so many records).
TEST(Bootstrap, DrawsOverManyBlocksFollowTheMultinomialLaw) {
  const std::size_t records = 3 * 4096 + 100;
  const int resamples = 40;
  std::vector<double> perBlock(4, 0);
  double zeros = 0;
  for (int r = 0; r < resamples; ++r) {
    std::vector<std::uint32_t> counts(records, 0);
    ResampleRandom random(9, r, 0);
    drawCounts(random, records, nullptr, counts.data());
    std::size_t total = 0;
    for (std::size_t i = 0; i < records; ++i) {
      total += counts[i];
      perBlock[i / 4096] += counts[i];
      zeros += counts[i] == 0;
    }
    ASSERT_EQ(total, records);
  }
  for (std::size_t b = 0; b < 4; ++b) {
    const double size = b < 3 ? 4096 : 100;
    EXPECT_NEAR(perBlock[b] / (size * resamples), 1.0, b < 3 ? 0.02 : 0.1) << b;
  }
  EXPECT_NEAR(zeros / (records * resamples), std::exp(-1.0), 0.005);
}

TEST(Bootstrap, WithoutBothClassesEveryIntervalIsNan) {
  Arguments args;
  args.seAt = {0.9};
  const std::string lines = bootstrapReport({0.2, 0.4}, {}, args);
  EXPECT_NE(lines.find("exact_auc_boot_low\tnan\n"), std::string::npos) << lines;
  EXPECT_NE(lines.find("se_at_sp_0.9\tnan\n"), std::string::npos) << lines;
  EXPECT_NE(lines.find("bootstrap_resamples\t2000\n"), std::string::npos) << lines;
  // Compared, a classifier without negatives gives no difference, paired
  // (the same cases, so both lack them) or not.
  ClassScores some, none;
  some.positives = some.negatives = none.positives = {0.3, 0.6};
  BootstrapPlan plan;
  plan.resamples = 10;
  for (double d : bootstrapAucDifferences(none, none, true, plan)) EXPECT_TRUE(std::isnan(d));
  for (double d : bootstrapAucDifferences(some, none, false, plan)) EXPECT_TRUE(std::isnan(d));
  EXPECT_TRUE(std::isnan(
      bootstrapComparison(0, bootstrapAucDifferences(none, some, false, plan), 0.95).se));
}

}  // namespace
}  // namespace roc
