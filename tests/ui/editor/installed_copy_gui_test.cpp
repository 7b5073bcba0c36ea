// An installed copy: started from a folder it cannot write, it keeps its settings in the user's
// configuration folder, and loads, saves and compiles beside the script, or in a folder the user
// picked once when the script's own folder cannot be written; the log names the folder.
#include <gtest/gtest.h>

#include <QCheckBox>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "core/import/builtin_texts.h"
#include "core/platform/text_lines.h"
#include "core/platform/work_folders.h"
#include "support/temp_dir.h"
#include "ui/editor/main_window.h"
#include "ui/pipeline/build_window.h"
#include "ui/settings/setup_dialog.h"
#include "ui/support/gui_scripted_dialogs.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using Kind = test::ScriptedDialogs::Kind;

std::size_t Count(const Lines& log, const std::string& line) {
  return static_cast<std::size_t>(std::count(log.begin(), log.end(), line));
}

TEST(InstalledCopy, StartedFromAReadOnlyFolderKeepsSettingsLoadsSavesAndCompiles) {
  test::TempDir program, config, scripts, readOnlyScripts, picked;
  // As root every folder can be written; the probe says which ones a normal user could.
  const FolderProbe probe = [&](const fs::path& folder) {
    return folder != program.path() && folder != readOnlyScripts.path();
  };
  const auto start = [&] { return WorkFolders(program.path(), config.path(), probe); };
  test::ScriptedDialogs dialogs;
  auto window = std::make_unique<MainWindow>(start(), dialogs);
  window->show();

  window->setupDialog()->findChild<QCheckBox*>("CheckBox4")->setChecked(true);
  window->setupDialog()->SpeedButton2Click();  // "OK"

  const std::string script = JoinCrLf(BuiltinLines(BuiltinText::OriginalScript));
  BuildWindow* build = window->buildWindow();
  const auto buildHere = [&](const fs::path& folder) {
    dialogs.yesNoAnswers.push_back(true);
    window->LoadScriptFile(PathToQt(folder / "script.txt"));
    build->sbCreateScrClick();
    build->sbCreateLngClick();
    build->sbSaveClick();
    build->sbCreateClick();
    EXPECT_EQ(build->log().lines().back(), "Compile finished.");
  };

  scripts.Write("script.txt", script);
  buildHere(scripts.path());
  EXPECT_EQ(Count(build->log().lines(), "Working folder: " + PathText(scripts.path())), 2u);
  EXPECT_TRUE(scripts.Exists("SCRIPT.DAT") && scripts.Exists("ENGLISH.DAT"));
  EXPECT_EQ(dialogs.Count(Kind::ChooseFolder), 0);

  // A script in a folder the user cannot write: the build asks once and keeps the answer.
  readOnlyScripts.Write("script.txt", script);
  dialogs.folderNames.push_back(PathToQt(picked.path()));
  buildHere(readOnlyScripts.path());
  EXPECT_EQ(Count(build->log().lines(), "Working folder: " + PathText(picked.path())), 2u);
  EXPECT_TRUE(picked.Exists("script.txt") && picked.Exists("SCRIPT.DAT"));
  EXPECT_EQ(test::FolderBytes(readOnlyScripts.path()).size(), 1u);
  EXPECT_EQ(dialogs.Count(Kind::ChooseFolder), 1);

  EXPECT_TRUE(test::FolderBytes(program.path()).empty());  // no Setup.ini, no scratch file
  EXPECT_TRUE(fs::exists(config.path() / "Setup.ini"));
  EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty()) << dialogs.Texts(Kind::Error).join("\n").toStdString();

  // The next start has the settings and the picked folder.
  window.reset();
  MainWindow again(start(), dialogs);
  EXPECT_TRUE(again.setupDialog()->settings().CopyEnabled);
  WorkFolders folders = start();
  folders.ScriptLoaded(readOnlyScripts.path() / "script.txt");
  EXPECT_EQ(folders.BuildFolder(), picked.path());
}

}  // namespace
}  // namespace scriptdesk
