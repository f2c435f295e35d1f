#include "surface/picture_formats.h"

#include <QImageWriter>
#include <algorithm>
#include <cctype>

#include "surface/gui_application.h"

namespace surface {

std::string pictureEnding(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos) return "";
  std::string ending(name.substr(dot + 1));
  for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ending;
}

std::vector<std::string> pictureEndings() {
  ensureGuiApplication();  // the image format plugins are found through it
  std::vector<std::string> endings = {"pdf", "svg"};
  for (const QByteArray& format : QImageWriter::supportedImageFormats()) {
    endings.push_back(format.toLower().toStdString());
  }
  std::sort(endings.begin(), endings.end());
  endings.erase(std::unique(endings.begin(), endings.end()), endings.end());
  return endings;
}

std::optional<std::string> unknownPictureFormat(std::string_view path) {
  const std::string ending = pictureEnding(path);
  const std::vector<std::string> endings = pictureEndings();
  if (ending.empty() || std::binary_search(endings.begin(), endings.end(), ending)) {
    return std::nullopt;
  }
  std::string list;
  for (std::size_t i = 0; i < endings.size(); ++i) {
    list += (i == 0 ? "." : i + 1 == endings.size() ? " or ." : ", .") + endings[i];
  }
  return "no picture format ends in \"." + ending + "\"; name a " + list + " file";
}

}  // namespace surface
