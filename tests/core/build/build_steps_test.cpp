#include "core/build/build_steps.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/errors.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

THeader Header() {
  THeader header;
  header.Languages = {"ENGLISH", "FRENCH", "GERMAN", "ITALIAN", "SPANISH", "US", "JAPAN", "DUTCH"};
  header.SelectedLanguage = 0;
  return header;
}

PaneText Pane(Lines lines) {
  return PaneText{std::move(lines), 0};
}

struct Build {
  TempDir program;
  TempDir target;
  TempDir saved;
  BuildLog log;
  THeader header = Header();

  SetupSettings AllOn() const {
    SetupSettings s;
    s.CopyEnabled = s.DeleteSource = s.DeleteTarget = s.DeleteTxt = s.SaveTxt = true;
    s.DeleteStringH = true;
    s.CopyPath = target.path().string();
    s.SaveTxtPath = saved.path().string();
    return s;
  }
  void Copy(const SetupSettings& settings) {
    CopyDeleteStep(settings, header, Pane({"script"}), Pane({"lang"}), program.path(), log);
  }
};

TEST(CopyDeleteStep, DisabledCopyOnlySaysSo) {
  Build b;
  b.program.Write("script.dat", "new");
  b.Copy(SetupSettings{});
  EXPECT_EQ(b.log.lines(), Lines{"Copy is disabled.!!"});
  EXPECT_TRUE(b.program.Exists("script.dat"));
}

TEST(CopyDeleteStep, RefusesTheProgramFolderInAnySpelling) {
  Build b;
  b.program.Write("script.dat", "new");
  b.program.Write("STRINGS.H", "h");
  const std::string spellings[] = {b.program.folder(), b.program.path().string(),
                                   (b.program.path() / "." / "").string(), ""};
  for (const auto& path : spellings) {
    auto settings = b.AllOn();
    settings.CopyPath = path;
    b.Copy(settings);
    EXPECT_EQ(b.log.lines().back(), "Invalid path - operation aborted!") << path;
  }
  EXPECT_EQ(b.log.lines().size(), 4u);
  EXPECT_TRUE(b.program.Exists("script.dat"));
  EXPECT_TRUE(b.program.Exists("STRINGS.H"));
}

TEST(CopyDeleteStep, FullBuildLogsEveryStepInOrder) {
  Build b;
  b.target.Write("script.dat", "old");
  b.target.Write("FRENCH.dat", "old");
  b.program.Write("SCRIPT.DAT", "compiled script");
  b.program.Write("ENGLISH.DAT", "compiled english");
  b.program.Write("GERMAN.dat", "compiled german");
  b.program.Write("script.txt", "s");
  b.program.Write("ENGLISH.txt", "e");
  b.program.Write("STRINGS.H", "h");
  b.Copy(b.AllOn());

  const std::string t = b.target.path().string();
  const std::string p = b.program.path().string();
  EXPECT_EQ(b.log.lines(), (Lines{
                               "File deleted:" + t + "/script.dat",
                               "File deleted:" + t + "/FRENCH.dat",
                               "Copy:" + t + "/script.dat",
                               "Copy:" + t + "/ENGLISH.dat",
                               "script.txt - Save",
                               "ENGLISH.txt - Save",
                               "File deleted:" + p + "/SCRIPT.DAT",
                               "File deleted:" + p + "/ENGLISH.DAT",
                               "File deleted:" + p + "/GERMAN.dat",
                               "File deleted: script.txt",
                               "File deleted:ENGLISH.txt",
                               "File deleted: STRINGS.H",
                           }));
  EXPECT_EQ(b.target.Read("script.dat"), "compiled script");
  EXPECT_EQ(b.target.Read("ENGLISH.dat"), "compiled english");
  EXPECT_EQ(b.saved.Read("script.txt"), "script\r\n");
  EXPECT_EQ(b.saved.Read("ENGLISH.txt"), "lang\r\n");
  EXPECT_FALSE(b.program.Exists("SCRIPT.DAT"));
  EXPECT_FALSE(b.program.Exists("STRINGS.H"));
}

TEST(CopyDeleteStep, MissingCompilerOutputStopsAfterTheTargetsWereDeleted) {
  Build b;
  b.target.Write("script.dat", "old");
  b.program.Write("script.txt", "s");
  EXPECT_THAT([&] { b.Copy(b.AllOn()); }, ThrowsMessage<IoError>(StrEq("File not found")));
  EXPECT_EQ(b.log.lines(), Lines{"File deleted:" + b.target.path().string() + "/script.dat"});
  EXPECT_FALSE(b.target.Exists("script.dat"));
  EXPECT_TRUE(b.program.Exists("script.txt"));
}

TEST(CopyDeleteStep, MissingTargetFolderIsAnError) {
  Build b;
  b.program.Write("script.dat", "x");
  auto settings = b.AllOn();
  settings.CopyPath = (b.target.path() / "missing").string();
  EXPECT_THROW(b.Copy(settings), IoError);
  EXPECT_TRUE(b.program.Exists("script.dat"));
}

TEST(CopyDeleteStep, CompilerHeaderIsDeletedUnderEitherName) {
  struct Case {
    std::vector<const char*> present;
    bool enabled;
    Lines logged;
  };
  const Case cases[] = {
      {{"STRINGS.H"}, true, {"File deleted: STRINGS.H"}},
      {{"String.h"}, true, {"File deleted: String.h"}},
      {{"STRINGS.H", "String.h"}, true, {"File deleted: STRINGS.H", "File deleted: String.h"}},
      {{}, true, {}},
      {{"STRINGS.H"}, false, {}},
  };
  for (const auto& c : cases) {
    Build b;
    b.program.Write("script.dat", "s");
    b.program.Write("ENGLISH.dat", "e");
    for (const char* name : c.present) b.program.Write(name, "h");
    auto settings = b.AllOn();
    settings.DeleteSource = settings.DeleteTxt = settings.SaveTxt = settings.DeleteTarget = false;
    settings.DeleteStringH = c.enabled;
    b.Copy(settings);
    const Lines tail(b.log.lines().begin() + 2, b.log.lines().end());
    EXPECT_EQ(tail, c.logged);
    for (const char* name : c.present) EXPECT_EQ(b.program.Exists(name), !c.enabled) << name;
  }
}

TEST(CopyDeleteStep, AFileThatCannotBeRemovedIsReportedNotClaimed) {
  Build b;
  fs::create_directories(b.target.path() / "script.dat" / "inside");
  b.program.Write("script.dat", "s");
  b.program.Write("ENGLISH.dat", "e");
  auto settings = b.AllOn();
  settings.SaveTxt = settings.DeleteSource = settings.DeleteTxt = settings.DeleteStringH = false;
  EXPECT_THROW(b.Copy(settings), IoError);  // the copy cannot replace a folder either
  EXPECT_EQ(b.log.lines().front(), "Cannot delete:" + b.target.path().string() + "/script.dat");
}

TEST(CopyDeleteStep, TextsTheCodePageCannotHoldAreNotSaved) {
  Build b;
  b.program.Write("script.dat", "s");
  b.program.Write("ENGLISH.dat", "e");
  auto settings = b.AllOn();
  EXPECT_THROW(CopyDeleteStep(settings, b.header, Pane({"ok"}), PaneText{{"a", "?"}, 2},
                              b.program.path(), b.log),
               IoError);
  EXPECT_EQ(b.saved.Read("script.txt"), "ok\r\n");
  EXPECT_FALSE(b.saved.Exists("ENGLISH.txt"));
  EXPECT_EQ(b.log.lines().back(),
            "ENGLISH.txt - line 2 holds a character that the ANSI code page cannot hold; file not "
            "saved!!");
}

TEST(SaveStep, WritesBothPanesUnderTheSelectedLanguage) {
  TempDir dir;
  BuildLog log;
  THeader header = Header();
  header.SelectedLanguage = 1;
  SaveStep(Pane({"a", "\tb "}), Pane({"x"}), header, dir.path(), log);
  SaveStep(Pane({"second"}), Pane({}), header, dir.path(), log);
  EXPECT_EQ(dir.Read("script.txt"), "second\r\n");
  EXPECT_EQ(dir.Read("FRENCH.txt"), "");
  EXPECT_EQ(log.lines(),
            (Lines{"Step 3:", "script.txt - save file!!", "FRENCH.txt - save file!!",
                   "Step 3:", "script.txt - save file!!", "FRENCH.txt - save file!!"}));
}

TEST(SaveStep, AFailedSaveLogsAndSkipsTheLanguageFile) {
  TempDir dir;
  fs::create_directories(dir.path() / "script.txt" / "blocker");
  BuildLog log;
  SaveStep(Pane({"a"}), Pane({"b"}), Header(), dir.path(), log);
  EXPECT_EQ(log.lines().back(), "Error saving!!");
  EXPECT_FALSE(dir.Exists("ENGLISH.txt"));
}

TEST(SaveStep, TextOutsideTheCodePageIsReportedAndNotWritten) {
  TempDir dir;
  dir.Write("script.txt", "previous\r\n");
  BuildLog log;
  SaveStep(PaneText{{"ok", "bad"}, 2}, Pane({"b"}), Header(), dir.path(), log);
  EXPECT_EQ(dir.Read("script.txt"), "previous\r\n");
  EXPECT_EQ(log.lines()[3],
            "script.txt - line 2 holds a character that the ANSI code page cannot hold; file not "
            "saved!!");
  EXPECT_EQ(log.lines().back(), "Error saving!!");
}

}  // namespace
}  // namespace scriptdesk
