#include "ebp/tremora/permutation_importance.h"

#include <bit>
#include <boost/math/distributions/students_t.hpp>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "common/errors.h"
#include "ebp/tremora/input_evaluator.h"

namespace tremora {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

double meanSquaredError(const std::vector<double>& terms, const ebp::PatternSet& set) {
  double sum = 0;
  for (const double t : terms) sum = sum + t;
  return sum / (static_cast<double>(set.nP) * static_cast<double>(set.nO));
}

// Mean, standard deviation and interval of the increases of one input.
InputImportance summarize(const std::vector<double>& increases) {
  const double n = static_cast<double>(increases.size());
  InputImportance s;
  for (const double d : increases) s.mean += d;
  s.mean /= n;
  double squares = 0;
  for (const double d : increases) squares += (d - s.mean) * (d - s.mean);
  s.std = std::sqrt(squares / n);
  if (increases.size() < 2) {
    s.low = s.high = kNan;
    return s;
  }
  const boost::math::students_t t(n - 1);
  const double half = boost::math::quantile(t, 0.975) * std::sqrt(squares / (n - 1) / n);
  s.low = s.mean - half;
  s.high = s.mean + half;
  return s;
}

std::string number(double v) {
  if (std::isnan(v)) return "nan";
  char buffer[40];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  return std::string(buffer, end);
}

void line(std::string& out, const std::string& name, const std::string& value) {
  out += name + '\t' + value + '\n';
}

}  // namespace

PermutationSequence::PermutationSequence(std::uint64_t seed, long n)
    : random_(seed), index_(static_cast<std::size_t>(n)) {
  for (long p = 0; p < n; ++p) index_[static_cast<std::size_t>(p)] = p;
}

std::uint64_t PermutationSequence::below(std::uint64_t bound) {
  const std::uint64_t mask = bound == 0 ? 0 : ~std::uint64_t{0} >> std::countl_zero(bound);
  for (;;) {
    const std::uint64_t v = random_() & mask;
    if (v <= bound) return v;
  }
}

const std::vector<long>& PermutationSequence::next() {
  for (std::size_t i = index_.size(); i > 1; --i) {
    std::swap(index_[i - 1], index_[below(i - 1)]);
  }
  return index_;
}

PermutationImportance permutationImportance(const ebp::PatternSet& set, const ebp::EbpWeights& w,
                                            long repeats, std::uint64_t seed,
                                            const std::function<void(int, int)>& progress) {
  if (set.nP == 0) {
    throw common::makeError(common::Fault::kDivisionByZero, "", "",
                            "no patterns to average the error over");
  }
  PermutationImportance result;
  result.repeats = repeats;
  result.seed = seed;
  InputEvaluator evaluator(set, w);
  result.baseMse = meanSquaredError(evaluator.baseTerms(), set);
  const std::size_t n = static_cast<std::size_t>(set.nP);
  std::vector<double> column(n), shuffled(n), increases;
  for (int i = 1; i <= set.nI; ++i) {
    if (progress) progress(i, set.nI);
    evaluator.startInput(i);
    for (std::size_t p = 0; p < n; ++p) column[p] = set.inputRow(set.first + p)[i - 1];
    PermutationSequence order(seed, set.nP);
    increases.clear();
    for (long r = 0; r < repeats; ++r) {
      const std::vector<long>& index = order.next();
      for (std::size_t p = 0; p < n; ++p) shuffled[p] = column[index[p]];
      column.swap(shuffled);
      increases.push_back(meanSquaredError(evaluator.perturbedTerms(i, column), set) -
                          result.baseMse);
    }
    result.inputs.push_back(summarize(increases));
  }
  return result;
}

std::string permutationText(const PermutationImportance& result) {
  std::string out;
  line(out, "repeats", std::to_string(result.repeats));
  line(out, "seed", std::to_string(result.seed));
  line(out, "base_mse", number(result.baseMse));
  for (std::size_t i = 0; i < result.inputs.size(); ++i) {
    const std::string input = "_input_" + std::to_string(i + 1);
    const InputImportance& m = result.inputs[i];
    line(out, "importance_mean" + input, number(m.mean));
    line(out, "importance_std" + input, number(m.std));
    line(out, "importance_low" + input, number(m.low));
    line(out, "importance_high" + input, number(m.high));
  }
  return out;
}

common::DataTable permutationTable(const PermutationImportance& result) {
  common::DataTable table(
      {"input", "importance_mean", "importance_std", "importance_low", "importance_high"});
  for (std::size_t i = 0; i < result.inputs.size(); ++i) {
    const InputImportance& m = result.inputs[i];
    table.add(static_cast<int>(i + 1)).add(m.mean).add(m.std).add(m.low).add(m.high).endRow();
  }
  return table;
}

}  // namespace tremora
