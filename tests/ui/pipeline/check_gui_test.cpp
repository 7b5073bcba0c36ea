// The live check as the builder meets it: the status label, the problems list that shows a
// message's line, and the stale-save line of "Create *.dat".
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include "ui/pipeline/build_window.h"
#include "ui/support/gui_main_window.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {
namespace {

class CheckTest : public ::testing::Test, public test::MainWindowDriver {
 protected:
  // A loaded project whose key name is missing from its language file.
  void LoadBrokenProject() {
    const auto script = project.Write("script.txt",
                                      "[PSXExtensions]\r\nLevel= .PSX\r\nCut= .CUT\r\nFMV= .FMV\r\n"
                                      "[PCExtensions]\r\nLevel= .TR4\r\nCut= .TR4\r\nFMV= .BIK\r\n"
                                      "[Language]\r\nFile= 0,ENGLISH.TXT\r\n[Options]\r\n"
                                      "[Title]\r\nLevel= DATA\\TITLE,1\r\n"
                                      "[Level]\r\nName= Alpha\r\nKey= 1,Bronze Keyy,$0000,$0400,$0000,$c000,$0000,$0002\r\n"
                                      "Level= DATA\\ALPHA,001\r\n");
    project.Write("ENGLISH.TXT", "[Strings]\r\nAlpha\r\nBronze Key\r\n[PSXStrings]\r\n[PCStrings]\r\n");
    window->LoadScriptFile(PathToQt(script));
    window->RunCheck();
  }
  test::TempDir project;
};

TEST_F(CheckTest, TheStatusLabelAndTheProblemsListPointAtTheLine) {
  Start();
  window->RunCheck();
  EXPECT_EQ(window->checkStatus()->text(), "Compiles: no problems");

  LoadBrokenProject();
  EXPECT_TRUE(window->checkStatus()->toolTip().startsWith(
      "1 problem(s): ERROR : \"Bronze Keyy\" not found in strings (script.txt, line 16)"))
      << window->checkStatus()->toolTip().toStdString();

  window->SpeedButton18Click();
  auto* list = Find<QListWidget>("problemsList", window->buildWindow());
  ASSERT_EQ(list->count(), 1);
  emit list->itemActivated(list->item(0));
  auto* pane = Find<QPlainTextEdit>("mScript", window->buildWindow());
  EXPECT_EQ(pane->textCursor().blockNumber(), 15);
  EXPECT_EQ(pane->textCursor().selectedText().left(4), "Key=");

  // "Go to form" selects the level and the key's row.
  list->setCurrentRow(0);
  Click("sbGoToForm", window->buildWindow());
  EXPECT_EQ(window->levelsTab()->selectedLevel(), 0);
  EXPECT_EQ(Find<QListWidget>("lbKey")->currentRow(), 0);
}

TEST_F(CheckTest, CreateDatSaysWhenTheFilesOnDiskAreNotWhatThePanesHold) {
  Start();
  window->SpeedButton18Click();
  BuildWindow* build = window->buildWindow();
  build->setCompileStepFactory([] { return std::make_unique<BuiltinCompileStep>(); });
  build->sbCreateScrClick();
  build->sbCreateLngClick();
  build->sbCreateClick();
  const QStringList log = Find<QPlainTextEdit>("mVyst", build)->toPlainText().split('\n');
  EXPECT_TRUE(log.filter("Not saved since the last change: script.txt, ENGLISH.txt").size() == 1)
      << log.join('\n').toStdString();
  // The verdict says what was compiled.
  EXPECT_TRUE(log.back().endsWith("of the files as last saved, not the latest changes."))
      << log.back().toStdString();
}

}  // namespace
}  // namespace scriptdesk
