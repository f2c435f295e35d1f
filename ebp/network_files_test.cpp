#include "ebp/network_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/errors.h"

namespace ebp {
namespace {

TEST(NumberStream, SeparatorsInAnyMix) {
  NumberStream in("1,2  3\t4\r\n5 , 6\n\n-7.5e1 +.25 8.", "f.pat");
  const double expected[] = {1, 2, 3, 4, 5, 6, -75, 0.25, 8};
  for (double e : expected) EXPECT_EQ(in.next(), e);
  EXPECT_TRUE(in.atEnd());
  EXPECT_EQ(in.itemsRead(), 9);
}

TEST(NumberStream, ErrorsNameTheItem) {
  struct Row {
    const char* text;
    int good;
    const char* message;
  } rows[] = {
      {"1 2 abc", 2, "w.wgt: item 3: type mismatch: expected a number, got \"abc\""},
      {"1 2 1d3", 2, "w.wgt: item 3: type mismatch: expected a number, got \"1d3\""},
      {"1 2 nan", 2, "w.wgt: item 3: type mismatch: expected a number, got \"nan\""},
      {"1 2 1e400", 2, "w.wgt: item 3: overflow: \"1e400\" lies beyond double precision"},
      {"1 -1e400 3", 1, "w.wgt: item 2: overflow: \"-1e400\" lies beyond double precision"},
      {"1e400 2 3", 0, "w.wgt: item 1: overflow: \"1e400\" lies beyond double precision"},
      {"1 2\n\n", 2, "w.wgt: item 3: input past end of file"},
  };
  for (const Row& r : rows) {
    NumberStream in(r.text, "w.wgt");
    for (int i = 0; i < r.good; ++i) in.next();
    try {
      in.next();
      ADD_FAILURE() << r.text;
    } catch (const common::ToolError& e) {
      EXPECT_STREQ(e.what(), r.message);
    }
  }
}

TEST(PatternFile, OneLineReadsLikeOnePatternPerLine) {
  const std::string lines = "2 1 2\n0.1 0.2 1\n0.3 0.4 0\n";
  const std::string oneLine = "2,1,2,0.1,0.2,1,0.3,0.4,0";
  for (const std::string& text : {lines, oneLine}) {
    NumberStream in(text, "p.pat");
    const PatternHeader h = readPatternHeader(in);
    const PatternSet set = readPatterns(in, h.nI, h.nO, h.nP);
    EXPECT_EQ(set.inputs, (std::vector<double>{0.1, 0.2, 1, 0.3, 0.4, 1}));
    EXPECT_EQ(set.targets, (std::vector<double>{1, 0}));
  }
}

TEST(WeightsFile, BlocksAreSourceMajor) {
  // nI = 2, nH = 1, nO = 1: w(1>1) w(1>2) w(2>1) w(2>2) w(b>1) w(b>2) v(1>1) v(b>1).
  NumberStream in("2 1 1  1 2 3 4 5 6  7 8  99 99", "w.wgt");
  const WeightsHeader h = readWeightsHeader(in);
  EbpWeights w = readWeights(in, h.nI, h.nH, h.nO);
  EXPECT_EQ(w.inputToHidden(1, 2), 2);
  EXPECT_EQ(w.inputToHidden(3, 1), 5);
  EXPECT_EQ(w.hiddenToOutput(1, 1), 7);
  EXPECT_EQ(w.hiddenToOutput(2, 1), 8);
  EXPECT_FALSE(in.atEnd());                            // the extra numbers are never read
  NumberStream none("1 0 2  0.5 0.25  3 4", "w.wgt");  // nH = 0: bias rows only
  const WeightsHeader h0 = readWeightsHeader(none);
  EbpWeights w0 = readWeights(none, h0.nI, h0.nH, h0.nO);
  EXPECT_EQ(w0.w1, (std::vector<double>{0.5, 0.25}));
  EXPECT_EQ(w0.w2, (std::vector<double>{3, 4}));
}

TEST(NetworkFiles, HeadersThatPromiseTooMuchFailBeforeAllocating) {
  NumberStream in("2000000000 10 1  1 2 3 4 5 6 7 8 9 10", "p.pat");
  const PatternHeader h = readPatternHeader(in);
  try {
    readPatterns(in, h.nI, h.nO, h.nP);
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.fault(), common::Fault::kPastEndOfFile);
  }
  // Found by the fuzzer: no inputs, no outputs, 888888888 patterns.
  NumberStream empty("\n0.02\r.05\r\n888888888\n0.8", "p.pat");
  const PatternHeader eh = readPatternHeader(empty);
  try {
    readPatterns(empty, eh.nI, eh.nO, eh.nP);
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.fault(), common::Fault::kTooLarge);
  }
  // Found by the fuzzer: counts whose sum overflows 32 bits, with no patterns.
  NumberStream wide("1010000010 2000000000 0 1 2 3", "p.pat");
  const PatternHeader wh2 = readPatternHeader(wide);
  EXPECT_EQ(readPatterns(wide, wh2.nI, wh2.nO, wh2.nP).nP, 0);
  NumberStream negative("-2 1 1 0 0 0", "w.wgt");
  const WeightsHeader wh = readWeightsHeader(negative);
  EXPECT_THROW(readWeights(negative, wh.nI, wh.nH, wh.nO), common::ToolError);
}

// Long streams are read in two halves on two threads; what they read and
// the errors they report are those of reading one number after another.
TEST(NumberStream, LongStreamsReadInHalvesAsInOrder) {
  const long count = 1200000;  // 7.2 MB: long enough to be split
  std::string text;
  for (long i = 0; i < count; ++i) text += std::to_string(i % 1000) + (i % 7 ? " " : ",\n");
  std::vector<double> values(count, -1);
  text += " 5 6";
  NumberStream in(text, "long.pat");
  readNumbers(in, count,
              [&](long index, double v) { values[static_cast<std::size_t>(index)] = v; });
  for (long i = 0; i < count; ++i) ASSERT_EQ(values[static_cast<std::size_t>(i)], i % 1000) << i;
  EXPECT_EQ(in.itemsRead(), count);
  EXPECT_EQ(in.next(), 5);  // the stream continues right after the last number taken

  // A span read in halves takes the same numbers, up to the count asked for,
  // and leaves the stream right after the last one taken.
  for (const long most : {count, count - 5, 100000L}) {
    NumberStream span(text, "long.pat");
    std::vector<double> taken;
    readSpan(span, text.size(), most, taken);
    ASSERT_EQ(static_cast<long>(taken.size()), most);
    for (long i = 0; i < most; ++i) ASSERT_EQ(taken[static_cast<std::size_t>(i)], i % 1000) << i;
    EXPECT_EQ(span.itemsRead(), most);
    EXPECT_EQ(span.next(), most < count ? most % 1000 : 5);
  }
  // Patterns a block at a time (6 numbers each) are those read all at once,
  // whatever the block's size.
  NumberStream whole(text, "long.pat");
  const PatternSet all = readPatterns(whole, 5, 1, count / 6);
  for (const long most : {7L, 30000L, 200000L}) {
    NumberStream s(text, "long.pat");
    PatternBlocks blocks(s, 5, 1, count / 6);
    PatternSet block;
    long next = 1;
    while (blocks.next(block, most)) {
      ASSERT_EQ(block.first, next);
      for (long p = block.first; p < block.first + block.nP; ++p) {
        ASSERT_TRUE(std::equal(all.inputRow(p), all.inputRow(p) + 6, block.inputRow(p))) << p;
        ASSERT_EQ(all.target(p, 1), block.target(p, 1)) << p;
      }
      next += block.nP;
    }
    EXPECT_EQ(next, count / 6 + 1);
    EXPECT_EQ(s.next(), 5);
  }

  struct Row {
    std::vector<std::pair<long, std::string>> bad;  // items (0-based) spoilt, and their text
    long read;                                      // numbers asked for
    std::string message;
  } rows[] = {
      {{{1100000, "x"}},
       count,
       "long.pat: item 1100001: type mismatch: expected a number, got \"x\""},
      {{{1100000, "x"}, {200, "x"}},
       count,
       "long.pat: item 201: type mismatch: expected a number, got \"x\""},
      {{}, count + 3, "long.pat: item 1200001: input past end of file"},
      {{{1199999, "x"}}, count - 1, ""},  // never read
      {{{1100000, "-1e400"}},
       count,
       "long.pat: item 1100001: overflow: \"-1e400\" lies beyond double precision"},
      {{{1100000, "x"}, {200, "1e400"}},
       count,
       "long.pat: item 201: overflow: \"1e400\" lies beyond double precision"},
      {{{1100000, "1e400"}, {200, "x"}},
       count,
       "long.pat: item 201: type mismatch: expected a number, got \"x\""},
  };
  for (const Row& r : rows) {
    std::string spoilt;
    for (long i = 0; i < count; ++i) {
      const auto bad =
          std::find_if(r.bad.begin(), r.bad.end(), [i](auto& b) { return b.first == i; });
      spoilt += (bad != r.bad.end() ? bad->second : std::to_string(i % 1000)) + " ";
    }
    NumberStream s(spoilt, "long.pat");
    try {
      readNumbers(s, r.read, [](long, double) {});
      EXPECT_EQ(r.message, "");
    } catch (const common::ToolError& e) {
      EXPECT_EQ(e.what(), r.message);
    }
    // Block by block: patterns of 6 numbers, the same first error.
    NumberStream b(spoilt, "long.pat");
    try {
      PatternBlocks blocks(b, 5, 1, r.read / 6 + (r.read > count ? 1 : 0));
      PatternSet block;
      while (blocks.next(block, 65536)) {
      }
      EXPECT_EQ(r.message, "");
    } catch (const common::ToolError& e) {
      EXPECT_EQ(e.what(), r.message);
    }
  }
}

TEST(NoiseFile, LevelsToTheEndAsSingles) {
  NumberStream in("3\n0.05\n0.1 0.2\n\n", "noise.cfg");
  EXPECT_EQ(readPerturbations(in), 3);
  EXPECT_EQ(readNoiseLevels(in), (std::vector<float>{0.05f, 0.1f, 0.2f}));
  std::string many = "1";
  for (int i = 0; i < 32768; ++i) many += " 0.5";
  NumberStream tooMany(many, "noise.cfg");
  readPerturbations(tooMany);
  try {
    readNoiseLevels(tooMany);
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.fault(), common::Fault::kOverflow);
  }
  std::string most = "1";
  for (int i = 0; i < 32767; ++i) most += " 0.5";
  NumberStream fits(most, "noise.cfg");
  readPerturbations(fits);
  EXPECT_EQ(readNoiseLevels(fits).size(), 32767u);
  // A level is a single, rounded once from its digits (the double of this
  // one lies halfway between two singles); one beyond the singles is an
  // overflow, not infinity.
  NumberStream once("1 8.47167444229126", "noise.cfg");
  readPerturbations(once);
  EXPECT_EQ(readNoiseLevels(once).at(0),
            std::nextafter(static_cast<float>(8.47167444229126), 9.0f));
  NumberStream beyond("1 0.5 1e39", "noise.cfg");
  readPerturbations(beyond);
  try {
    readNoiseLevels(beyond);
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_STREQ(e.what(), "noise.cfg: item 3: overflow: \"1e39\" lies beyond single precision");
  }
}

}  // namespace
}  // namespace ebp
