#include "core/platform/batch_starter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "core/platform/errors.h"
#include "core/platform/file_io.h"
#include "core/platform/text_lines.h"
#include "support/scoped_env.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

using test::ScopedEnv;
using test::TempDir;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

TEST(DosBoxHelperBatch, IsTheBatchFollowedByHiddenLinesThatWriteTheErrorlevel) {
  struct Case {
    std::string batch;
    std::string head;  // what comes before the added lines
  };
  const Case cases[] = {
      {"script script.txt\r\n", "script script.txt\r\n"},
      {"script script.txt", "script script.txt\r\n"},
      {"script script.txt\r\n\x1A", "script script.txt\r\n"},
      {"", ""},
  };
  for (const auto& c : cases) {
    const std::string helper = DosBoxHelperBatch(c.batch, "SDESK_C.RC");
    ASSERT_EQ(helper.substr(0, c.head.size()), c.head);
    const Lines added = SplitFileLines(helper.substr(c.head.size()));
    ASSERT_EQ(added.size(), 257u);
    EXPECT_EQ(added[0], "@set SDESK_RC=0");
    EXPECT_EQ(added[1], "@if errorlevel 1 set SDESK_RC=1");
    EXPECT_EQ(added[255], "@if errorlevel 255 set SDESK_RC=255");
    EXPECT_EQ(added[256], "@echo %SDESK_RC%>C:\\SDESK_C.RC");
  }
}

TEST(DosBoxCommand, MountsTheFolderAsDriveCAndRunsTheHelperWithItsOutputCaptured) {
  SKIP_ON_WINDOWS("DOSBox runs Script.bat");
  const auto command = DosBoxCommand("/usr/bin/dosbox", "/home/me/My Game/script");
  EXPECT_EQ(command.program, "/usr/bin/dosbox");
  EXPECT_EQ(command.arguments,
            (std::vector<std::string>{"-conf", "/home/me/My Game/script/SDESK_C.CNF", "-noconsole",
                                      "-c", "mount c \"/home/me/My Game/script\"", "-c", "c:",
                                      "-c", "command /c C:\\SDESK_C.BAT < NUL > C:\\SDESK_C.OUT",
                                      "-c", "exit"}));
  EXPECT_EQ(command.workingFolder, "/home/me/My Game/script");
  EXPECT_EQ(command.environment,
            (std::vector<std::string>{"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"}));
}

TEST(SystemBatchRunner, MissingBatchFileIsReported) {
  TempDir dir;
  EXPECT_THAT([&] { SystemBatchRunner().Start(dir.path(), "Script.bat"); },
              ThrowsMessage<ScriptDeskError>(
                  StrEq("There is no Script.bat in " + dir.path().string() + ".")));
}

TEST(SystemBatchRunner, MissingDosBoxSaysHowToInstallIt) {
  SKIP_ON_WINDOWS("DOSBox runs Script.bat");
  for (const char* folder : {"/opt/homebrew/bin/dosbox", "/usr/local/bin/dosbox"}) {
    if (std::filesystem::exists(folder)) GTEST_SKIP() << "DOSBox is found at " << folder;
  }
  TempDir dir;
  dir.Write("SCRIPT.BAT", "echo\r\n");
  ScopedEnv path("PATH", dir.path().string().c_str());
  EXPECT_THAT([&] { SystemBatchRunner().Start(dir.path(), "Script.bat"); },
              ThrowsMessage<ScriptDeskError>(HasSubstr("apt-get install dosbox")));
  EXPECT_EQ(test::FolderBytes(dir.path()).size(), 1u);
}

TEST(SystemBatchRunner, AStartThatFailsHalfwayLeavesNoHelperBehind) {
  SKIP_ON_WINDOWS("DOSBox runs Script.bat");
  TempDir dir;
  dir.Write("SCRIPT.BAT", "echo\r\n");
  dir.Write("dosbox", "#!/bin/sh\n");
  std::filesystem::permissions(dir.path() / "dosbox", std::filesystem::perms::owner_all);
  std::filesystem::create_directory(dir.path() /
                                    "SDESK_C.CNF");  // the second helper cannot be written
  ScopedEnv path("PATH", dir.path().string().c_str());
  EXPECT_ANY_THROW(SystemBatchRunner().Start(dir.path(), "Script.bat"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "SDESK_C.BAT"));
}

// The real DOSBox: the output is captured, a PAUSE does not wait for a key, the batch file is
// left as it was and the helper files are gone afterwards.
TEST(SystemBatchRunner, CapturesWhatScriptBatPrintsInDosBox) {
  SKIP_ON_WINDOWS("DOSBox runs Script.bat");
  if (FindOnPath("dosbox").empty()) GTEST_SKIP() << "DOSBox is not installed; skipping the run";
  TempDir dir;
  const std::string batch = "echo compiling\r\npause\r\necho done > SCRIPT.DAT\r\n";
  dir.Write("Script.bat", batch);
  SystemBatchRunner runner;
  runner.Start(dir.path(), "Script.bat");
  std::optional<BatchOutcome> outcome;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!(outcome = runner.Poll()) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(outcome) << "DOSBox did not end within 60 s";
  EXPECT_EQ(outcome->exitStatus, 0);
  EXPECT_THAT(outcome->console, HasSubstr("compiling\r\n"));
  EXPECT_THAT(outcome->console, HasSubstr("Press any key"));
  EXPECT_THAT(outcome->console, Not(HasSubstr("errorlevel")));
  EXPECT_EQ(test::FolderBytes(dir.path()),
            (std::map<std::string, std::string>{{"Script.bat", batch}, {"SCRIPT.DAT", "done\r\n"}}));
}

std::optional<BatchOutcome> WaitForOutcome(SystemBatchRunner& runner) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  std::optional<BatchOutcome> outcome;
  while (!(outcome = runner.Poll()) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return outcome;
}

// Script.bat through the command interpreter, in a folder the ANSI code page cannot name: what
// it printed, the errorlevel it ended with (also through EXIT), a PAUSE that does not wait, and
// no helper file left behind.
TEST(SystemBatchRunner, RunsScriptBatThroughTheCommandInterpreter) {
  SKIP_UNLESS_WINDOWS("cmd.exe runs Script.bat");
  struct Case {
    const char* batch;
    std::optional<int> status;
    const char* printed;
  };
  const Case cases[] = {
      {"@echo off\r\necho compiling\r\npause\r\necho done> SCRIPT.DAT\r\n", 0, "compiling\r\n"},
      {"@echo off\r\necho ERROR : no\r\nexit /b 3\r\n", 3, "ERROR : no\r\n"},
      {"@echo off\r\necho bye\r\nexit 2\r\n", 2, "bye\r\n"},
      {"@echo off\r\necho last\r\ncmd /c exit 4\r\n", 4, "last\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.batch);
    TempDir dir;
    const auto folder = dir.path() / std::filesystem::path(u8"\u03A9mega Raider");
    std::filesystem::create_directory(folder);
    WriteFileAtomic(folder / "Script.bat", c.batch);
    SystemBatchRunner runner;
    runner.Start(folder, "SCRIPT.BAT");
    const auto outcome = WaitForOutcome(runner);
    ASSERT_TRUE(outcome) << "Script.bat did not end within 60 s";
    EXPECT_EQ(outcome->exitStatus, c.status);
    EXPECT_THAT(outcome->console, HasSubstr(c.printed));
    auto left = test::FolderBytes(folder);
    EXPECT_EQ(left.at("Script.bat"), c.batch);
    left.erase("Script.bat");
    left.erase("SCRIPT.DAT");
    EXPECT_TRUE(left.empty()) << left.begin()->first;
  }
}

}  // namespace
}  // namespace scriptdesk
