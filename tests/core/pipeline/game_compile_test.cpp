// The whole build against the game's own compiler under DOSBox: Save, the watched Script.bat,
// Copy,Delete. Two DOSBox starts.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "core/pipeline/build_steps.h"
#include "core/pipeline/language_writer.h"
#include "core/pipeline/script_writer.h"
#include "core/editor/header_commands.h"
#include "core/editor/level_commands.h"
#include "core/import/builtin_texts.h"
#include "support/game_compiler.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;

ScriptModel Project() {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  StoreHeaderPage(DefaultHeaderPage(), model.Header);
  LevelPage page = DefaultLevelPage();
  AddLevel(model, page);
  page.Name = "Karnak Gate";
  page.LevelFile = "KARNAK";
  AddLevel(model, page);
  return model;
}

LanguageTexts Pages() {
  LanguageTexts pages;
  for (int i = 0; i < kLanguagePageCount; ++i) {
    pages[static_cast<std::size_t>(i)] = BuiltinLines(static_cast<BuiltinText>(i));
  }
  return pages;
}

struct GameBuild {
  test::TempDir program;
  test::TempDir game;
  BuildLog log;
  BuildSession session{program.path(), log};
  ScriptModel model = Project();

  GameBuild() {
    for (const char* name : {"SCRIPT.EXE", "DOS4GW.EXE"}) {
      fs::copy_file(test::GameCompilerFolder() / name, program.path() / name);
    }
    program.Write("Script.bat", "@echo off\r\nSCRIPT.EXE script.txt\r\n");
  }

  // Steps 3 and 4, then Copy,Delete with every option on.
  void Build(const PaneText& script, const PaneText& language) {
    session.Save(script, language, model.Header);
    session.StartCompile(
        std::make_unique<ScriptBatStep>(std::make_unique<SystemBatchRunner>()),
        BuildSession::Clock::now());
    while (session.Tick(BuildSession::Clock::now())) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    SetupSettings settings;
    settings.CopyEnabled = settings.DeleteTarget = settings.DeleteSource = true;
    settings.DeleteTxt = settings.DeleteStringH = true;
    settings.CopyPath = game.path().string();
    session.CopyDelete(settings, model.Header, script, language);
  }
};

TEST(GameCompile, AGoodProjectReachesTheGameAndABrokenOneLeavesItAsItWas) {
  if (!test::GameCompilerAvailable()) GTEST_SKIP() << test::GameCompilerSkipReason();
  GameBuild b;
  const PaneText script{ScriptWriter::Write(b.model), 0, true};
  const PaneText language{
      LanguageWriter::Write(b.model, Pages(), BuiltinLines(BuiltinText::LevelStrings),
                            BuiltinLines(BuiltinText::ItemNames))
          .Text,
      0, true};

  b.Build(script, language);

  EXPECT_THAT(b.log.lines(), Contains("Compile finished."));
  const auto compiled = test::FolderBytes(b.game.path());
  ASSERT_EQ(compiled.size(), 2u) << b.log.lines().back();
  EXPECT_GT(compiled.at("script.dat").size(), 100u);
  EXPECT_GT(compiled.at("ENGLISH.dat").size(), 1000u);
  EXPECT_EQ(test::FolderBytes(b.program.path()).count("SCRIPT.DAT"), 0u);  // DeleteSource

  // The level renamed in the Script pane after "Create <lang>": its name is no string.
  PaneText renamed = script;
  auto name = std::find(renamed.lines.begin(), renamed.lines.end(), "Name=\t\tKarnak Gate");
  ASSERT_NE(name, renamed.lines.end());
  *name = "Name=\t\tKarnak Gates";
  const std::size_t before = b.log.lines().size();

  b.Build(renamed, language);

  const Lines second(b.log.lines().begin() + static_cast<std::ptrdiff_t>(before),
                     b.log.lines().end());
  EXPECT_THAT(second, Contains("ERROR : \"Karnak Gates\" not found in strings"));
  EXPECT_THAT(second, Contains("Script.bat ended with exit status 1."));
  ASSERT_GE(second.size(), 2u);
  EXPECT_EQ(second[second.size() - 2], "Compile failed.");
  EXPECT_EQ(second.back(), "Compile failed - operation aborted!");
  EXPECT_EQ(test::FolderBytes(b.game.path()), compiled);
  // What the compiler left behind stays where it was made.
  EXPECT_EQ(test::FolderBytes(b.program.path()).count("SCRIPT.DAT"), 1u);
}

}  // namespace
}  // namespace scriptdesk
