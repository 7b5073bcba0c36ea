// The harness that runs the game's compiler: what it reports must be what the compiler did.
#include "support/game_compiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "support/temp_dir.h"

namespace scriptdesk::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kScript =
    "[Language]\r\nFile= 0,ENGLISH.TXT\r\n[Options]\r\n[Title]\r\nLevel= DATA\\TITLE,104\r\n"
    "[Level]\r\nName= Test\r\n";
constexpr const char* kLevelLine = "Level= DATA\\TEST,101\r\n";
constexpr const char* kLanguage = "[Strings]\r\nTest\r\n[PSXStrings]\r\n[PCStrings]\r\n";

void WriteAt(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

fs::path MakeFolder(const TempDir& root, const char* name, const char* extraLine) {
  const auto folder = root.path() / name;
  fs::create_directory(folder);
  if (extraLine != nullptr)
    WriteAt(folder / "script.txt", kScript + std::string(extraLine) + kLevelLine);
  WriteAt(folder / "ENGLISH.TXT", kLanguage);
  return folder;
}

TEST(GameCompiler, ReportsStatusAndConsoleOfEachFolderInOneStart) {
  if (!GameCompilerAvailable()) GTEST_SKIP() << GameCompilerSkipReason();
  TempDir root;
  const auto good = MakeFolder(root, "GOOD", "");
  const auto bad = MakeFolder(root, "BAD", nullptr);

  const auto runs = RunGameCompilerInEach({good, bad});

  ASSERT_EQ(runs.size(), 2u);
  ASSERT_TRUE(runs[0].has_value());
  EXPECT_EQ(runs[0]->exitStatus, 0);
  EXPECT_NE(runs[0]->console.find("\r\nSCRIPT.DAT\r\n"), std::string::npos) << runs[0]->console;
  EXPECT_TRUE(fs::exists(good / "SCRIPT.DAT"));
  ASSERT_TRUE(runs[1].has_value());
  EXPECT_EQ(runs[1]->exitStatus, 1);
  EXPECT_NE(runs[1]->console.find("ERROR : No such file or directory (SCRIPT.TXT)"),
            std::string::npos)
      << runs[1]->console;
  // Only the compiler's own outputs stay behind.
  for (const auto& name : {"SCRIPT.EXE", "DOS4GW.EXE", "SD_OUT.TXT", "SD_RC.TXT"}) {
    EXPECT_FALSE(fs::exists(good / name)) << name;
  }
  EXPECT_FALSE(fs::exists(root.path() / "SD_RUN.BAT"));
}

TEST(GameCompiler, HangIsKilledAtTheTimeout) {
  if (!GameCompilerAvailable()) GTEST_SKIP() << GameCompilerSkipReason();
  TempDir root;
  const auto folder = MakeFolder(root, "HANG", "ResidentCut= 0,2\r\n");

  EXPECT_FALSE(RunGameCompiler(folder, "script.txt", 4s).has_value());
}

TEST(GameCompiler, RefusesFoldersDosCannotName) {
  TempDir root;
  EXPECT_THROW(RunGameCompilerInEach({root.path() / "much_too_long_name"}), std::invalid_argument);
}

}  // namespace
}  // namespace scriptdesk::test
