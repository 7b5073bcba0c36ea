// The watched compile's time limit on the real batch runner: a Script.bat that never ends is
// stopped at 60 s, with everything it started, and leaves no helper file.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/pipeline/build_log.h"
#include "core/pipeline/build_steps.h"
#include "core/pipeline/compile_step.h"
#include "core/platform/batch_starter.h"
#include "core/platform/file_io.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

using namespace std::chrono_literals;

TEST(CompileTimeLimit, AScriptBatStillRunningAfterSixtySecondsIsStopped) {
  SKIP_UNLESS_WINDOWS("cmd.exe runs Script.bat (DOSBox's run is checked by the build tests)");
  test::TempDir dir;
  WriteFileAtomic(dir.path() / "Script.bat", ":again\r\ngoto again\r\n");
  BuildLog log;
  BuildSession session(dir.path(), log);
  const auto start = BuildSession::Clock::now();
  session.StartCompile(std::make_unique<ScriptBatStep>(std::make_unique<SystemBatchRunner>()),
                       start);
  EXPECT_TRUE(session.Tick(start + 59s));
  EXPECT_FALSE(session.Tick(start + 60s));
  EXPECT_EQ(session.compileState(), CompileState::Failed);
  ASSERT_GE(log.lines().size(), 2u);
  EXPECT_EQ(log.lines()[log.lines().size() - 2],
            "Script.bat was still running after 60 s and was stopped.");
  EXPECT_EQ(log.lines().back(), "Compile failed.");
  // The interpreter held the output helper open; it is gone only when the run really ended.
  EXPECT_EQ(test::FolderBytes(dir.path()).size(), 1u);
}

}  // namespace
}  // namespace scriptdesk
