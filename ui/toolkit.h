// What the window programs' logic asks of the window toolkit, so that the
// same logic runs under the Qt front end, in batch mode and under tests.
#ifndef UI_TOOLKIT_H_
#define UI_TOOLKIT_H_

#include <optional>
#include <string>
#include <string_view>

namespace ui {

// What a common file dialog is asked for.
struct FileChoice {
  enum class Kind { kOpen, kSave };
  Kind kind = Kind::kOpen;
  std::string title;             // empty: the platform's own
  std::string filter;            // pairs "description|pattern" joined by "|"
  int filterIndex = 1;           // the preselected pair, counted from 1
  std::string proposedName;      // empty: none
  bool mustExist = false;        // open: only existing files
  bool confirmCreate = false;    // save: ask before a new file is created
  std::string defaultExtension;  // added to a typed name without one ("pat")
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Shows "prompt" with an OK button and returns when it is dismissed;
  // "title" is empty for a box without a title of its own.
  virtual void messageBox(std::string_view prompt, std::string_view title) = 0;

  // Lets the user choose a file; nothing when the dialog is cancelled (and
  // always nothing where there is no one to ask).
  virtual std::optional<std::string> chooseFile(const FileChoice&) { return std::nullopt; }
};

}  // namespace ui

#endif  // UI_TOOLKIT_H_
