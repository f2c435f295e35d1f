#include "ebp/tremora/input_evaluator.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>

#include "common/errors.h"

namespace tremora {

InputEvaluator::InputEvaluator(const ebp::PatternSet& set, const ebp::EbpWeights& w)
    : set_(set),
      w_(w),
      hiddenCount_(w.nH + 1),
      prefix_(static_cast<std::size_t>(set.nP) * hiddenCount_),
      base_(static_cast<std::size_t>(set.nP) * set.nO),
      terms_(base_.size()) {
  computeBase();
}

void InputEvaluator::startInput(int i) {
  if (i == 1) {
    std::fill(prefix_.begin(), prefix_.end(), 0.0);
  } else {
    addTerm(i - 1);
  }
}

const std::vector<double>& InputEvaluator::perturbedTerms(int i,
                                                          const std::vector<double>& values) {
  std::exception_ptr error;
  long errorPattern = -1;
  std::mutex errorMutex;
  pool_.run(set_.nP, [&](long begin, long end) {
    std::vector<double> hidden(static_cast<std::size_t>(hiddenCount_));
    std::vector<double> y(static_cast<std::size_t>(set_.nO));
    for (long p = begin; p < end; ++p) {
      try {
        evaluate(p, i, values[static_cast<std::size_t>(p)], hidden.data(), y.data());
      } catch (const common::ToolError&) {
        std::lock_guard<std::mutex> lock(errorMutex);
        if (errorPattern < 0 || p < errorPattern) {
          errorPattern = p;
          error = std::current_exception();
        }
        return;
      }
    }
  });
  if (error) rethrowFor(error, errorPattern);
  return terms_;
}

void InputEvaluator::rethrowFor(std::exception_ptr error, long p) {
  try {
    std::rethrow_exception(error);
  } catch (const common::ToolError& e) {
    throw common::withContext("pattern " + std::to_string(p + 1), e);
  }
}

void InputEvaluator::computeBase() {
  std::vector<double> hidden(static_cast<std::size_t>(hiddenCount_));
  std::vector<double> y(static_cast<std::size_t>(set_.nO));
  for (long p = 0; p < set_.nP; ++p) {
    try {
      ebp::forwardPass(set_.inputRow(p + 1), w_, hidden.data(), y.data());
    } catch (const common::ToolError&) {
      rethrowFor(std::current_exception(), p);
    }
    storeTerms(base_, p, y.data());
  }
}

void InputEvaluator::storeTerms(std::vector<double>& into, long p, const double* y) const {
  for (int k = 0; k < set_.nO; ++k) {
    const double d = set_.target(p + 1, k + 1) - y[k];
    into[static_cast<std::size_t>(p) * set_.nO + k] = d * d;
  }
}

void InputEvaluator::addTerm(int t) {
  const double* row = &w_.w1[static_cast<std::size_t>(t - 1) * hiddenCount_];
  for (long p = 0; p < set_.nP; ++p) {
    const double x = set_.inputRow(p + 1)[t - 1];
    double* s = &prefix_[static_cast<std::size_t>(p) * hiddenCount_];
    for (int j = 0; j < hiddenCount_; ++j) s[j] = s[j] + row[j] * x;
  }
}

void InputEvaluator::evaluate(long p, int i, double value, double* hidden, double* y) {
  const double* x = set_.inputRow(p + 1);
  if (std::memcmp(&value, &x[i - 1], sizeof value) == 0) {
    for (int k = 0; k < set_.nO; ++k) {
      terms_[static_cast<std::size_t>(p) * set_.nO + k] =
          base_[static_cast<std::size_t>(p) * set_.nO + k];
    }
    return;
  }
  const double* s = &prefix_[static_cast<std::size_t>(p) * hiddenCount_];
  const double* first = &w_.w1[static_cast<std::size_t>(i - 1) * hiddenCount_];
  for (int j = 0; j < hiddenCount_; ++j) hidden[j] = s[j] + first[j] * value;
  ebp::addWeightedRows(hidden, &w_.w1[static_cast<std::size_t>(i) * hiddenCount_], x + i,
                       w_.nI + 1 - i, hiddenCount_);
  ebp::applyLogistic(hidden, hiddenCount_);
  hidden[w_.nH] = 1.0;
  std::fill(y, y + set_.nO, 0.0);
  ebp::addWeightedRows(y, w_.w2.data(), hidden, hiddenCount_, set_.nO);
  ebp::applyLogistic(y, set_.nO);
  storeTerms(terms_, p, y);
}

}  // namespace tremora
