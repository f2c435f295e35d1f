// The console programs' readers: the token reader, rocplot's score and
// multi-class records, kappatest's matrix statistics, Colfold's conversion
// and its command line, somtrain's table and column lists.
#include <cstdint>
#include <string>
#include <vector>

#include "colfold/arguments.h"
#include "colfold/conversion.h"
#include "common/errors.h"
#include "common/tokens.h"
#include "fuzz/fuzz_support.h"
#include "kappa/kappa_statistics.h"
#include "roc/multiclass.h"
#include "roc/score_file.h"
#include "roc/sweep.h"
#include "som/training_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    common::TokenReader reader(text, "t.txt");
    for (int i = 0; i < 256 && !reader.atEnd(); ++i) {
      if (i % 3 == 0) reader.readDouble();
      if (i % 3 == 1) reader.readSingle();
      if (i % 3 == 2) reader.readWholeLowBits();
    }
  } catch (const common::ToolError&) {
  }
  try {
    const roc::ScoreHistogram h = roc::readScores(text, "scores.txt");
    roc::RocResult r = roc::sweep(h);
    r.auc = roc::areaUnderCurve(r);
  } catch (const common::ToolError&) {
  }
  try {
    std::string out;
    colfold::convertValues(text, "table.txt", out);
  } catch (const common::ToolError&) {
  }
  try {
    common::TokenReader reader(text, "m.txt");
    const int k = 1 + static_cast<int>(size % 5);
    std::vector<std::int64_t> m(static_cast<std::size_t>(k * k));
    for (auto& v : m) v = static_cast<std::int64_t>(reader.readWholeLowBits() % 1000);
    std::string weights = size % 2 ? "linear" : "";
    kappa::kappaStatistics(k, m, weights, 0.95,
                           [](const std::string&) { return std::vector<double>(); });
  } catch (const common::ToolError&) {
  }
  try {
    const roc::MulticlassRecords records = roc::readMulticlass(text, "m.txt", size % 2 == 1);
    roc::multiclassAuc(records);
  } catch (const common::ToolError&) {
  }
  {
    const fuzz::TempFile file(data, size);
    som::TableColumns columns;
    columns.header = size % 2 == 1;
    columns.labels = static_cast<int>(size % 3);
    columns.classes = static_cast<int>(size % 4 == 3 ? 2 : 0);
    try {
      som::readTrainingTable(file.path(), columns);
    } catch (const common::ToolError&) {
    }
    std::string fault;
    som::parseColumnList(std::string(text.substr(0, 64)), fault);
  }
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back() += static_cast<char>(data[i]);
    }
  }
  colfold::splitCommandLine(args);
  return 0;
}
