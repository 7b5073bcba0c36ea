#include "core/platform/work_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/platform/file_io.h"
#include "support/platform.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

enum class Where { Program, Config, Script, Chosen, Ask };

struct Case {
  const char* what;
  bool programWritable;
  bool setupInProgram;
  bool scriptLoaded;
  bool scriptWritable;
  bool chosenBefore;  // a folder the user picked in an earlier session
  Where setup;
  Where build;
};

const Case kCases[] = {
    {"portable: a writable program folder", true, false, true, true, false, Where::Program,
     Where::Program},
    {"portable: Setup.ini already beside a read-only program", false, true, true, true, false,
     Where::Program, Where::Program},
    {"installed: beside the loaded script", false, false, true, true, true, Where::Config,
     Where::Script},
    {"installed: a read-only script's build goes to the chosen folder", false, false, true, false,
     true, Where::Config, Where::Chosen},
    {"installed: no script loaded, the chosen folder", false, false, false, false, true,
     Where::Config, Where::Chosen},
    {"installed: nothing chosen yet, so the user is asked", false, false, true, false, false,
     Where::Config, Where::Ask},
};

TEST(WorkFolders, PortableOrInstalledDecidesWhereSettingsAndBuildFilesGo) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    test::TempDir program, config, script, chosen;
    std::set<fs::path> writable{config.path(), chosen.path()};
    if (c.programWritable) writable.insert(program.path());
    if (c.scriptWritable) writable.insert(script.path());
    const FolderProbe probe = [&](const fs::path& folder) { return writable.count(folder) > 0; };
    if (c.setupInProgram) program.Write("Setup.ini", "");
    if (c.chosenBefore) {
      WorkFolders(program.path(), config.path() / "ScriptDesk", probe)
          .ChooseBuildFolder(chosen.path());
    }

    WorkFolders folders(program.path(), config.path() / "ScriptDesk", probe);
    if (c.scriptLoaded) folders.ScriptLoaded(script.path() / "script.txt");

    const auto where = [&](Where w) -> std::optional<fs::path> {
      switch (w) {
        case Where::Program: return program.path();
        case Where::Config: return config.path() / "ScriptDesk";
        case Where::Script: return script.path();
        case Where::Chosen: return chosen.path();
        case Where::Ask: return std::nullopt;
      }
      return std::nullopt;
    };
    EXPECT_EQ(folders.portable(), c.setup == Where::Program);
    EXPECT_EQ(folders.setupIni(), *where(c.setup) / "Setup.ini");
    EXPECT_EQ(folders.BuildFolder(), where(c.build));
    EXPECT_EQ(folders.DefaultFolderSetting().empty(), !folders.portable());
    EXPECT_EQ(fs::exists(program.path() / "Setup.ini"), c.setupInProgram);
  }
}

TEST(WorkFolders, TheWriteProbeCreatesAndRemovesAFile) {
  test::TempDir dir;
  dir.Write("file", "x");
  EXPECT_TRUE(CanWriteFolder(dir.path()));
  EXPECT_FALSE(CanWriteFolder(dir.path() / "missing"));
  EXPECT_FALSE(CanWriteFolder(dir.path() / "file"));
  EXPECT_EQ(test::FolderBytes(dir.path()).size(), 1u);
}

TEST(WorkFolders, UserConfigFolderFollowsThePlatformsVariables) {
#if defined(_WIN32)
  test::ScopedEnv appData("APPDATA", "C:\\Users\\me\\AppData\\Roaming");
  EXPECT_EQ(UserConfigFolder(), fs::path("C:\\Users\\me\\AppData\\Roaming\\ScriptDesk"));
#elif defined(__APPLE__)
  test::ScopedEnv home("HOME", "/Users/me");
  EXPECT_EQ(UserConfigFolder(), fs::path("/Users/me/Library/Preferences/ScriptDesk"));
#else
  test::ScopedEnv home("HOME", "/home/me");
  {
    test::ScopedEnv xdg("XDG_CONFIG_HOME", "/elsewhere/config");
    EXPECT_EQ(UserConfigFolder(), fs::path("/elsewhere/config/ScriptDesk"));
  }
  {
    test::ScopedEnv xdg("XDG_CONFIG_HOME", "relative");  // to be ignored
    EXPECT_EQ(UserConfigFolder(), fs::path("/home/me/.config/ScriptDesk"));
  }
#endif
}

}  // namespace
}  // namespace scriptdesk
