#include "core/platform/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/platform.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolder, IsTheExecutablesFolderUnlessStartedThroughALink) {
  const fs::path own = ProgramFolder();
  EXPECT_TRUE(fs::exists(own / "scriptdesk_core_tests") || fs::exists(own / "scriptdesk_core_tests.exe"));
  EXPECT_EQ(ProgramFolder("scriptdesk"), own);  // found on PATH: no folder in the name

  SKIP_ON_WINDOWS("a program started through a symbolic link");
  test::TempDir game;
  const fs::path link = game.path() / "scriptdesk";
  fs::create_symlink(own / "scriptdesk_core_tests", link);
  EXPECT_EQ(ProgramFolder(link.string().c_str()), game.path());
}

TEST(ProgramFolder, FolderWithSeparatorEndsInOneSeparator) {
  const char sep = static_cast<char>(fs::path::preferred_separator);
  EXPECT_EQ(FolderWithSeparator(fs::path("a")), std::string("a") + sep);
  EXPECT_EQ(FolderWithSeparator(fs::path(std::string("a") + sep)), std::string("a") + sep);
}

}  // namespace
}  // namespace scriptdesk
