#include "ebp/network_files.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/errors.h"
#include "common/number_forms.h"

namespace ebp {
namespace {

// Every number takes at least one character and one separator.
void checkCounts(NumberStream& in, double numbers, std::initializer_list<double> counts) {
  for (double c : counts) {
    if (c < 0) {
      throw common::makeError(common::Fault::kSubscriptOutOfRange, in.fileName(),
                              "item " + std::to_string(in.itemsRead()),
                              "a negative count cannot size the network");
    }
  }
  const double room = (static_cast<double>(in.rest().size()) + 1) / 2;
  if (numbers > room) {
    throw common::makeError(
        common::Fault::kPastEndOfFile, in.fileName(), "item " + std::to_string(in.itemsRead() + 1),
        "the header announces " + std::to_string(static_cast<long long>(numbers)) +
            " more numbers than the file holds");
  }
}

}  // namespace

PatternHeader readPatternHeader(NumberStream& in) {
  PatternHeader h;
  h.nI = in.nextCount();
  h.nO = in.nextCount();
  h.nP = in.nextCount();
  return h;
}

WeightsHeader readWeightsHeader(NumberStream& in) {
  WeightsHeader h;
  h.nI = in.nextCount();
  h.nH = in.nextCount();
  h.nO = in.nextCount();
  return h;
}

std::string countsDiffer(const PatternHeader& p, const WeightsHeader& w) {
  if (p.nI == w.nI && p.nO == w.nO) return "";
  return "the header announces " + std::to_string(p.nI) +
         (p.nI == 1 ? " input and " : " inputs and ") + std::to_string(p.nO) +
         (p.nO == 1 ? " output" : " outputs") + " where the network holds " + std::to_string(w.nI) +
         " and " + std::to_string(w.nO);
}

std::string shortFileReason(const PatternHeader& p, const WeightsHeader& w, bool byNetwork) {
  if (p.nI == w.nI && p.nO == w.nO) return "";
  if (byNetwork) {
    return "the network takes " + std::to_string(static_cast<long>(w.nI) + w.nO) +
           " numbers a pattern, where the header announced " + std::to_string(p.nI) + " + " +
           std::to_string(p.nO) + " = " + std::to_string(static_cast<long>(p.nI) + p.nO);
  }
  return "the weights are read by the pattern file's counts, " + std::to_string(p.nI) +
         " inputs and " + std::to_string(p.nO) + " outputs, where the network's header announced " +
         std::to_string(w.nI) + " and " + std::to_string(w.nO);
}

namespace {

// Refuses counts that are negative, or that announce more numbers (or more
// stored values) than the rest of the file can hold.
void checkPatternCounts(NumberStream& in, int nI, int nO, long nP) {
  const double total = static_cast<double>(nP) * (static_cast<double>(nI) + nO);
  checkCounts(in, total, {double(nI), double(nO), double(nP)});
  // Every stored value but the bias input is a number of the file; patterns
  // of no numbers at all would have the file justify nothing.
  const double cells = static_cast<double>(nP) * (static_cast<double>(nI) + 1 + nO);
  if (cells > 16.0 * (static_cast<double>(in.rest().size()) + 1) + (1 << 20)) {
    throw common::makeError(
        common::Fault::kTooLarge, in.fileName(), "item " + std::to_string(in.itemsRead()),
        "the header announces " + std::to_string(nP) + " patterns of " + std::to_string(nI) +
            " inputs and " + std::to_string(nO) + " outputs, more than the file can describe");
  }
}

// Reads the next set.nP records into "set", sized for them.
void readRecords(NumberStream& in, PatternSet& set) {
  const int nI = set.nI, nO = set.nO;
  const long nP = set.nP;
  set.inputs.resize(static_cast<std::size_t>(nP) * (static_cast<std::size_t>(nI) + 1));
  set.targets.resize(static_cast<std::size_t>(nP) * static_cast<std::size_t>(nO));
  // Each thread's numbers arrive in index order: a cursor per thread follows
  // them, dividing only when a thread starts.
  const long perRecord = static_cast<long>(nI) + nO;
  struct Cursor {
    long expected = -1, p = 0, c = 0;
  };
  thread_local Cursor cursor;
  cursor = Cursor{};
  const double total = static_cast<double>(nP) * static_cast<double>(perRecord);
  readNumbers(in, static_cast<long>(total), [&](long index, double value) {
    Cursor& at = cursor;
    if (index != at.expected) {
      at.p = index / perRecord;
      at.c = index % perRecord;
    }
    if (at.c < nI) {
      set.inputs[static_cast<std::size_t>(at.p) * (static_cast<std::size_t>(nI) + 1) +
                 static_cast<std::size_t>(at.c)] = value;
    } else {
      set.targets[static_cast<std::size_t>(at.p) * nO + (at.c - nI)] = value;
    }
    at.expected = index + 1;
    if (++at.c == perRecord) {
      at.c = 0;
      ++at.p;
    }
  });
  for (long p = 0; p < nP; ++p) {
    set.inputs[static_cast<std::size_t>(p) * (static_cast<std::size_t>(nI) + 1) +
               static_cast<std::size_t>(nI)] = 1.0;
  }
}

}  // namespace

PatternSet readPatterns(NumberStream& in, int nI, int nO, long nP) {
  checkPatternCounts(in, nI, nO, nP);
  PatternSet set;
  set.nI = nI;
  set.nO = nO;
  set.nP = nP;
  readRecords(in, set);
  return set;
}

PatternBlocks::PatternBlocks(NumberStream& in, int nI, int nO, long nP)
    : in_(in), nI_(nI), nO_(nO), nP_(nP) {
  checkPatternCounts(in, nI, nO, nP);
}

bool PatternBlocks::next(PatternSet& block, long most) {
  if (read_ >= nP_) return false;
  const long n = std::min(most, nP_ - read_);
  const long perRecord = static_cast<long>(nI_) + nO_;
  const auto needed = static_cast<std::size_t>(n * perRecord);
  values_.clear();
  reserveLarge(values_, needed);
  while (values_.size() < needed) {
    // The bytes the numbers still wanted take, as if every number of the rest
    // took as many; a little less, so that the halves seldom read past them.
    const double left = static_cast<double>(nP_ - read_) * static_cast<double>(perRecord) -
                        static_cast<double>(values_.size());
    const double perNumber = static_cast<double>(in_.rest().size()) / std::max(left, 1.0);
    const double wanted = static_cast<double>(needed - values_.size());
    const auto bytes = static_cast<std::size_t>(wanted * perNumber * 0.98) + 64;
    const std::size_t had = values_.size();
    readSpan(in_, bytes, static_cast<long>(needed - had), values_);
    if (values_.size() == had && in_.atEnd()) {
      throw common::makeError(common::Fault::kPastEndOfFile, in_.fileName(),
                              "item " + std::to_string(in_.itemsRead() + 1));
    }
  }
  block.nI = nI_;
  block.nO = nO_;
  block.nP = n;
  block.first = read_ + 1;
  reserveLarge(block.inputs, static_cast<std::size_t>(n) * (static_cast<std::size_t>(nI_) + 1));
  reserveLarge(block.targets, static_cast<std::size_t>(n) * static_cast<std::size_t>(nO_));
  block.inputs.resize(static_cast<std::size_t>(n) * (static_cast<std::size_t>(nI_) + 1));
  block.targets.resize(static_cast<std::size_t>(n) * static_cast<std::size_t>(nO_));
  const double* v = values_.data();
  for (long p = 0; p < n; ++p) {
    double* row = block.inputs.data() + static_cast<std::size_t>(p) * (nI_ + 1);
    std::copy(v, v + nI_, row);
    row[nI_] = 1.0;
    std::copy(v + nI_, v + perRecord, block.targets.data() + static_cast<std::size_t>(p) * nO_);
    v += perRecord;
  }
  read_ += n;
  return true;
}

void PatternBlocks::checkRest() {
  const double numbers = static_cast<double>(nP_ - read_) * (static_cast<double>(nI_) + nO_);
  read_ = nP_;
  readNumbers(in_, static_cast<long>(numbers), [](long, double) {});
}

EbpWeights readWeights(NumberStream& in, int nI, int nH, int nO) {
  const double numbers = (static_cast<double>(nI) + 1) * (static_cast<double>(nH) + 1) +
                         (static_cast<double>(nH) + 1) * nO;
  checkCounts(in, numbers, {double(nI), double(nH), double(nO)});
  EbpWeights w;
  w.nI = nI;
  w.nH = nH;
  w.nO = nO;
  w.w1.resize((static_cast<std::size_t>(nI) + 1) * (static_cast<std::size_t>(nH) + 1));
  w.w2.resize((static_cast<std::size_t>(nH) + 1) * static_cast<std::size_t>(nO));
  for (double& v : w.w1) v = in.next();
  for (double& v : w.w2) v = in.next();
  return w;
}

long readPerturbations(NumberStream& in) { return in.nextCount(); }

std::vector<float> readNoiseLevels(NumberStream& in) {
  std::vector<float> levels;
  do {
    if (levels.size() == 32767) {
      throw common::makeError(common::Fault::kOverflow, in.fileName(),
                              "item " + std::to_string(in.itemsRead() + 1),
                              "more than 32767 noise levels");
    }
    levels.push_back(in.nextSingle());
  } while (!in.atEnd());
  return levels;
}

}  // namespace ebp
