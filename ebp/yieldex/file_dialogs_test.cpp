#include "ebp/yieldex/file_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ebp {
namespace {

// Proposals are what the dialogs show; a cancelled dialog ends the run.
class ScriptedToolkit : public ui::Toolkit {
 public:
  void messageBox(std::string_view, std::string_view) override {}
  std::optional<std::string> chooseFile(const ui::FileChoice& choice) override {
    asked.push_back(choice);
    if (answers.empty()) return std::nullopt;
    std::string answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  std::vector<std::string> answers;
  std::vector<ui::FileChoice> asked;
};

TEST(YieldexDialogs, FiltersProposalsAndCancel) {
  ScriptedToolkit toolkit;
  toolkit.answers = {"/home/u/run.d/run", "/home/u/net", "/tmp/o.txt"};
  const auto files = chooseFiles(toolkit);
  ASSERT_TRUE(files);
  EXPECT_EQ(files->patterns, "/home/u/run.d/run");
  EXPECT_EQ(files->weights, "/home/u/net.wgt");
  EXPECT_EQ(files->output, "/tmp/o.txt");
  ASSERT_EQ(toolkit.asked.size(), 3u);
  EXPECT_EQ(toolkit.asked[0].filter, "All Files (*.*)|*.*|Patterns Files(*.pat)|*.pat");
  EXPECT_EQ(toolkit.asked[0].filterIndex, 2);
  EXPECT_TRUE(toolkit.asked[0].mustExist);
  EXPECT_EQ(toolkit.asked[1].proposedName, "/home/u/run.wgt");
  EXPECT_EQ(toolkit.asked[1].filter, "All Files (*.*)|*.*|Weights Files(*.wgt)|*.wgt");
  EXPECT_EQ(toolkit.asked[2].proposedName, "/home/u/net.out");
  EXPECT_EQ(toolkit.asked[2].kind, ui::FileChoice::Kind::kSave);
  EXPECT_TRUE(toolkit.asked[2].confirmCreate);
  ScriptedToolkit cancel;
  cancel.answers = {"a.pat"};
  EXPECT_FALSE(chooseFiles(cancel));
  EXPECT_EQ(cancel.asked.size(), 2u);
}

}  // namespace
}  // namespace ebp
