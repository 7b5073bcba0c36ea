#include "core/platform/child_process.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/platform/errors.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

std::optional<int> WaitForExit(ChildProcess& child) {
  for (int i = 0; i < 3000; ++i) {
    if (auto status = child.Poll()) return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return std::nullopt;
}

TEST(ChildProcess, GivesTheExitStatusAndRunsInItsFolderWithTheAddedVariables) {
  SKIP_ON_WINDOWS("a POSIX shell as the child");
  test::TempDir dir;
  ChildProcess child;
  child.Start({"/bin/sh", {"-c", "echo \"$SD_TEST\" > seen; exit 3"}, dir.path(), {"SD_TEST=x y"}});
  EXPECT_EQ(WaitForExit(child), 3);
  EXPECT_FALSE(child.running());
  EXPECT_EQ(dir.Read("seen"), "x y\n");
}

TEST(ChildProcess, AProgramThatCannotStartIsReportedWithTheReason) {
  SKIP_ON_WINDOWS("a POSIX shell as the child");
  ChildProcess child;
  EXPECT_THAT([&] { child.Start({"/nonexistent/dosbox", {}, {}, {}}); },
              ThrowsMessage<ScriptDeskError>(
                  HasSubstr("Cannot start /nonexistent/dosbox: No such file or directory")));
  EXPECT_FALSE(child.running());
}

TEST(ChildProcess, KillEndsAChildThatHangs) {
  SKIP_ON_WINDOWS("a POSIX shell as the child");
  test::TempDir dir;
  ChildProcess child;
  child.Start({"/bin/sh", {"-c", "sleep 30"}, dir.path(), {}});
  EXPECT_EQ(child.Poll(), std::nullopt);
  EXPECT_TRUE(child.running());
  child.Kill();
  EXPECT_FALSE(child.running());
  EXPECT_EQ(child.Poll(), std::nullopt);
}

}  // namespace
}  // namespace scriptdesk
