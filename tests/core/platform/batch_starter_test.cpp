#include "core/platform/batch_starter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "core/platform/errors.h"
#include "core/platform/file_io.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

using test::ScopedEnv;
using test::TempDir;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

TEST(DosBoxCommand, MountsTheFolderAsDriveCAndCallsTheBatchFile) {
  const auto command = DosBoxCommand("/usr/bin/dosbox", "/home/me/My Game/script", "Script.bat");
  EXPECT_EQ(command.program, "/usr/bin/dosbox");
  EXPECT_EQ(command.arguments,
            (std::vector<std::string>{"-noconsole", "-c", "mount c \"/home/me/My Game/script\"",
                                      "-c", "c:", "-c", "call Script.bat", "-c", "exit"}));
  EXPECT_EQ(command.workingFolder, "/home/me/My Game/script");
}

#if !defined(_WIN32)

TEST(SystemBatchStarter, MissingBatchFileIsReported) {
  TempDir dir;
  EXPECT_THAT([&] { SystemBatchStarter().Start(dir.path(), "Script.bat"); },
              ThrowsMessage<ScriptDeskError>(HasSubstr("There is no Script.bat")));
}

TEST(SystemBatchStarter, MissingDosBoxSaysHowToInstallIt) {
  TempDir dir;
  dir.Write("SCRIPT.BAT", "echo\r\n");
  ScopedEnv path("PATH", dir.path().string().c_str());
  EXPECT_THAT([&] { SystemBatchStarter().Start(dir.path(), "Script.bat"); },
              ThrowsMessage<ScriptDeskError>(HasSubstr("apt-get install dosbox")));
}

// Runs the real DOSBox without a window, as the build's Step 4 does with one.
TEST(SystemBatchStarter, RunsScriptBatInDosBox) {
  if (FindOnPath("dosbox").empty()) GTEST_SKIP() << "DOSBox is not installed; skipping the run";
  TempDir dir;
  dir.Write("Script.bat",
            "echo compiled > SCRIPT.DAT\r\necho english > ENGLISH.DAT\r\necho h > STRINGS.H\r\n");
  ScopedEnv video("SDL_VIDEODRIVER", "dummy");
  ScopedEnv audio("SDL_AUDIODRIVER", "dummy");
  SystemBatchStarter starter;
  const auto started = std::chrono::steady_clock::now();
  starter.Start(dir.path(), "Script.bat");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1))
      << "the start must not wait for the batch file";
  const auto deadline = started + std::chrono::seconds(60);
  while (!(dir.Exists("SCRIPT.DAT") && dir.Exists("ENGLISH.DAT") && dir.Exists("STRINGS.H")) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(dir.Read("SCRIPT.DAT"), "compiled\r\n");
  EXPECT_EQ(dir.Read("ENGLISH.DAT"), "english\r\n");
}

#endif

}  // namespace
}  // namespace scriptdesk
