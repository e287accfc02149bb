#include "packing/output_file.h"

#include <gtest/gtest.h>

#include "setuppack_test_support.h"

namespace {

TEST(OutputFile, ReplacesTheTargetOnlyOnCommitAndLeavesNothingBehindOtherwise) {
  TTempFolder temp;
  const fs::path target = temp / "Setup.exe";
  WriteFile(target, "old");
  {
    TOutputFile out(target);
    out.Stream().WriteText("half of a new setup");
    EXPECT_EQ(ReadFile(target), "old");  // not yet
  }
  EXPECT_EQ(ReadFile(target), "old");
  EXPECT_EQ(ReadTree(temp.Path()).size(), 1u);

  {
    TOutputFile out(target);
    out.Stream().WriteText("new");
    out.Commit();
  }
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_EQ(ReadTree(temp.Path()).size(), 1u);
}

}  // namespace
