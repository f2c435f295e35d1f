#include "ebp/yieldex/file_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support/fake_toolkit.h"

namespace yieldex {
namespace {

// The filters and proposals the dialogs show; a cancelled dialog ends the
// run.
TEST(YieldexDialogs, FiltersProposalsAndCancel) {
  support::FakeToolkit toolkit;
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
  EXPECT_EQ(toolkit.asked[1].filter,
            "All Files (*.*)|*.*|Weights Files(*.wgt)|*.wgt|ONNX networks (*.onnx)|*.onnx");
  EXPECT_EQ(toolkit.asked[2].proposedName, "/home/u/net.out");
  EXPECT_EQ(toolkit.asked[2].kind, ui::FileChoice::Kind::kSave);
  EXPECT_TRUE(toolkit.asked[2].confirmCreate);
  support::FakeToolkit cancel;
  cancel.answers = {"a.pat"};
  EXPECT_FALSE(chooseFiles(cancel));
  EXPECT_EQ(cancel.asked.size(), 2u);
}

}  // namespace
}  // namespace yieldex
