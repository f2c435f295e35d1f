#include "roc/point_list.h"

#include <cctype>

#include "common/errors.h"
#include "common/number_forms.h"
#include "common/output_file.h"
#include "common/strings.h"

namespace roc {

bool wantsPointList(std::string_view argument) {
  std::string word(common::trimBlanks(argument));
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return word == "roc";
}

std::string pointListText(const RocResult& r) {
  std::string text = "1,1\r\n";
  for (int i = 0; i <= kLastPoint; ++i) {
    text += common::shortSingle(r.fpr[i]);
    text += ',';
    text += common::shortSingle(r.tpr[i]);
    text += "\r\n";
  }
  return text;
}

void writePointList(const std::string& path, const RocResult& result) {
  common::OutputFile writer(path);
  writer.write(pointListText(result));
  writer.commit();
}

}  // namespace roc
