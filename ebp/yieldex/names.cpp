#include "ebp/yieldex/names.h"

namespace yieldex {

std::string withExtension(const std::string& name, const std::string& extension) {
  return name.find('.') == std::string::npos ? name + extension : name;
}

std::string proposedName(const std::string& path, const std::string& extension) {
  return path.substr(0, path.find('.')) + extension;
}

}  // namespace yieldex
