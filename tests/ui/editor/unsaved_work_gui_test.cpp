// The project lives only in memory: the title says where it came from and whether it changed,
// and nothing closes a changed project without asking.
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include "ui/pipeline/build_window.h"
#include "ui/support/gui_main_window.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {
namespace {

using test::ScriptedDialogs;
using Kind = ScriptedDialogs::Kind;

const QString kQuestion =
    "The project has changed since it was loaded or saved.\nClose it and lose the changes?";

class UnsavedWork : public ::testing::Test, public test::MainWindowDriver {
 protected:
  void SetUp() override { Start(); }
  // A change the user stored: the header's language choice.
  void ChangeProject() {
    ShowTab(0);
    Click("rgtypLng2");
    Click("SpeedButton6");
  }
  QStringList Questions() const { return dialogs.Texts(Kind::AskYesNo); }
  // Drags the files onto the main window and drops them; false when the window refused them.
  bool Drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &drop);
    QApplication::processEvents();  // the load follows the drop
    return true;
  }
  QUrl ScriptFile(const char* name) {
    return QUrl::fromLocalFile(ToQt(input.Write(name, "[Level]\r\nName=Dropped\r\n").string()));
  }

  test::TempDir input;
};

TEST_F(UnsavedWork, TitleNamesTheOriginAndMarksEveryKindOfChange) {
  EXPECT_EQ(window->windowTitle(), "untitled[*] - Script for TR4");
  EXPECT_FALSE(window->isWindowModified());

  const struct {
    const char* what;
    std::function<void()> change;
  } changes[] = {
      {"Replace Header", [&] { ChangeProject(); }},
      {"a new level", [&] { ShowLevelsTab(); Click("SpeedButton2"); }},
      {"an item stored",
       [&] {
         ClickLevel(0);
         Find<QTabWidget>("PageControl2")->setCurrentIndex(1);
         Click("SpeedButton7");
       }},
      {"a language page typed in",
       [&] { QTest::keyClicks(Find<QPlainTextEdit>("Memo4"), "x"); }},
  };
  for (const auto& c : changes) {
    window->sbEditorScrClick();
    ASSERT_FALSE(window->isWindowModified()) << c.what;
    EXPECT_EQ(window->windowTitle(), "Editor script[*] - Script for TR4");
    c.change();
    EXPECT_TRUE(window->isWindowModified()) << c.what;
    window->ProjectSaved();
    EXPECT_FALSE(window->isWindowModified()) << c.what;
  }
  EXPECT_TRUE(Questions().isEmpty());
  // Selecting and copying are no change.
  ClickLevel(1);
  Click("sbCopyK");
  EXPECT_FALSE(window->isWindowModified());
}

// Typing on a page without storing marks the page's tab and store button, counts as a change
// for the title and the close question, and goes when the page shows the model again.
TEST_F(UnsavedWork, TypedButUnstoredEditsMarkTheirPageUntilItShowsTheModelAgain) {
  window->sbEditorScrClick();
  const auto clickRow = [&](const char* list, int row) {
    auto* items = Find<QListWidget>(list);
    QTest::mouseClick(items->viewport(), Qt::LeftButton, {},
                      items->visualItemRect(items->item(row)).center());
  };
  const struct {
    const char* edit;
    const char* store;
    int levelTab;  // -1: the Header tab
    std::function<void()> showAgain;
  } cases[] = {
      {"lePSLevel", "SpeedButton6", -1, [&] { window->ShowHeaderPage(); }},
      {"leLegend", "SpeedButton4", 0, [&] { ClickLevel(2); }},
      {"eNameKey", "SpeedButton7", 1, [&] { clickRow("lbKey", 0); }},
      {"eNameE", "SpeedButton13", 3, [&] { clickRow("lbExam", 0); }},
  };
  auto* pages = Find<QTabWidget>("PageControl1");
  auto* levelPages = Find<QTabWidget>("PageControl2");
  const auto marked = [&](const auto& c) {
    const bool store = !Find<QPushButton>(c.store)->icon().isNull();
    const bool tab = !pages->tabIcon(c.levelTab < 0 ? 0 : 1).isNull();
    const bool levelTab = c.levelTab >= 0 && !levelPages->tabIcon(c.levelTab).isNull();
    EXPECT_EQ(store, tab) << c.edit;
    if (c.levelTab >= 0) {
      EXPECT_EQ(store, levelTab) << c.edit;
    }
    return store;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.edit);
    ShowTab(c.levelTab < 0 ? 0 : 1);
    if (c.levelTab >= 0) levelPages->setCurrentIndex(c.levelTab);
    ASSERT_FALSE(marked(c));
    QTest::keyClicks(Find<QLineEdit>(c.edit), "x");
    EXPECT_TRUE(marked(c));
    EXPECT_TRUE(window->isWindowModified());
    dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(Questions().size(), 1);
    dialogs.calls.clear();

    c.showAgain();
    EXPECT_FALSE(marked(c));
    EXPECT_FALSE(window->isWindowModified());
  }
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(Questions().isEmpty());
}

TEST_F(UnsavedWork, ClosingAChangedProjectAsksAndNoKeepsItOpen) {
  ChangeProject();
  dialogs.yesNoAnswers = {false, true};
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Model().Header.SelectedLanguage, 2);
  EXPECT_TRUE(window->close());
  EXPECT_EQ(Questions(), (QStringList{kQuestion, kQuestion}));
  EXPECT_EQ(dialogs.calls.front().caption, "Script for TR4");
}

TEST_F(UnsavedWork, AnUnchangedProjectClosesWithoutAQuestion) {
  for (const auto& unchanged : std::vector<std::function<void()>>{
           [] {}, [&] { ChangeProject(); window->ProjectSaved(); },
           [&] {  // the build window's "Save" reports the project saved
             ChangeProject();
             BuildWindow* build = window->buildWindow();
             build->sbCreateScrClick();
             build->sbCreateLngClick();
             build->sbSaveClick();
           },
           [&] { window->sbOriginalScrClick(); }}) {
    Start();
    unchanged();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(Questions().isEmpty());
  }
}

// Save writes the panes as they were built: what changed after that is not on disk.
TEST_F(UnsavedWork, SaveOfPanesBuiltBeforeAChangeLeavesTheProjectChanged) {
  BuildWindow* build = window->buildWindow();
  const std::vector<std::pair<const char*, std::function<void()>>> cases = {
      {"a change after Step 2",
       [&] {
         build->sbCreateScrClick();
         build->sbCreateLngClick();
         ChangeProject();
       }},
      {"a change between the steps",
       [&] {
         build->sbCreateScrClick();
         ChangeProject();
         build->sbCreateLngClick();
       }},
      {"a pane edited by hand",
       [&] {
         ChangeProject();
         build->sbCreateScrClick();
         build->sbCreateLngClick();
         QTest::keyClicks(build->findChild<QPlainTextEdit*>("mScript"), "x");
       }},
  };
  for (const auto& [what, steps] : cases) {
    Start();
    build = window->buildWindow();
    steps();
    build->sbSaveClick();
    EXPECT_TRUE(window->isWindowModified()) << what;
  }
}

TEST_F(UnsavedWork, ADroppedScriptLoadsLikeLoadScriptTxtAfterTheQuestion) {
  // Only one local .txt file is taken.
  EXPECT_FALSE(Drop({QUrl::fromLocalFile(ToQt(input.Write("level.tr4", "x").string()))}));
  EXPECT_FALSE(Drop({ScriptFile("a.txt"), ScriptFile("b.txt")}));
  EXPECT_FALSE(Drop({QUrl("https://example.org/script.txt")}));

  ChangeProject();
  dialogs.yesNoAnswers = {false};
  ASSERT_TRUE(Drop({ScriptFile("script.txt")}));
  EXPECT_EQ(Questions(), QStringList{kQuestion});
  EXPECT_EQ(Entries(), QStringList{"Temp"});
  EXPECT_TRUE(window->isWindowModified());

  dialogs.yesNoAnswers = {true};
  ASSERT_TRUE(Drop({ScriptFile("SCRIPT.TXT")}));
  EXPECT_EQ(Questions().size(), 2);
  EXPECT_EQ(Entries(), QStringList{"Dropped"});
  EXPECT_EQ(window->windowTitle(), "SCRIPT.TXT[*] - Script for TR4");
  EXPECT_FALSE(window->isWindowModified());

  // The project just loaded is unchanged: the next drop asks nothing.
  ASSERT_TRUE(Drop({ScriptFile("other.txt")}));
  EXPECT_EQ(Questions().size(), 2);
  EXPECT_EQ(window->windowTitle(), "other.txt[*] - Script for TR4");
  EXPECT_EQ(dialogs.Count(Kind::Error) + dialogs.Count(Kind::Warning), 0);
}

TEST_F(UnsavedWork, LoadScriptTxtAsksOnlyOnceAFileIsChosen) {
  ChangeProject();
  Click("SpeedButton24");  // cancelled
  EXPECT_TRUE(Questions().isEmpty());
  dialogs.fileNames.push_back(ToQt(input.Write("script.txt", "[Level]\r\nName=Loaded\r\n").string()));
  dialogs.yesNoAnswers.push_back(false);
  Click("SpeedButton24");
  EXPECT_EQ(Questions(), QStringList{kQuestion});
  EXPECT_EQ(Entries(), QStringList{"Temp"});
}

}  // namespace
}  // namespace scriptdesk
