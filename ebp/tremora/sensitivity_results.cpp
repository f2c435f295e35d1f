#include "ebp/tremora/sensitivity_results.h"

#include <cmath>
#include <string_view>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "ebp/network_files.h"
#include "ebp/number_stream.h"

namespace tremora {
namespace {

// The text after the first "lines" lines.
std::string_view afterLines(std::string_view text, int lines) {
  std::size_t pos = 0;
  for (int n = 0; n < lines && pos < text.size(); ++n) {
    while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r') ++pos;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return text.substr(pos);
}

}  // namespace

SensitivityTable rereadResults(const SensitivityFiles& files, std::string_view results, int levels,
                               int nI) {
  SensitivityTable t;
  {
    ebp::NumberStream in(afterLines(results, 3), files.results);
    t.e0 = in.nextSingle();
    std::vector<std::vector<float>>& errors = t.errors;
    errors.resize(static_cast<std::size_t>(levels));
    for (auto& row : errors) {
      for (int i = 0; i < nI; ++i) row.push_back(in.nextSingle());
    }
    if (t.e0 == 0) {
      throw common::makeError(common::Fault::kDivisionByZero, files.results, "line 4",
                              "the base error E0 is 0, so no relative change can be given");
    }
    for (const auto& row : errors) {
      std::vector<float> d;
      for (float e : row) d.push_back(e / t.e0 - 1.0f);
      t.change.push_back(d);
    }
  }
  {
    common::MappedFile noise(files.noise);
    ebp::NumberStream in(noise.text(), files.noise);
    in.next();
    for (int l = 0; l < levels; ++l) t.levels.push_back(in.nextSingle());
  }
  measureRange(t);
  return t;
}

void measureRange(SensitivityTable& t) {
  float dmax = 0;
  float dmin = 9e9f;
  for (const auto& row : t.change) {
    for (float d : row) {
      if (d > dmax) dmax = d;
      if (d < dmin) dmin = d;
    }
  }
  t.dmax = dmax;
  t.dmin = dmin > 0 ? 0 : dmin;
  t.range = std::fabs(t.dmin) + t.dmax;
}

common::DataTable sensitivityTable(const SensitivityTable& t) {
  common::DataTable table({"level", "input", "error", "change"});
  for (std::size_t l = 0; l < t.errors.size() && l < t.levels.size(); ++l) {
    for (std::size_t i = 0; i < t.errors[l].size(); ++i) {
      table.add(t.levels[l]).add(static_cast<std::int64_t>(i + 1)).add(t.errors[l][i]);
      table.add(t.change[l][i]).endRow();
    }
  }
  return table;
}

}  // namespace tremora
