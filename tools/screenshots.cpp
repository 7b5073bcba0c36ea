// Takes the README's screenshots from the real windows:
//   scriptdesk_screenshots <folder> [--review] [--font <points>]
// The main window stands at its starting size with the game's own script loaded. --review also
// writes every page at the starting, the smallest and a large size, to look at before a change
// goes in (run it once more with QT_SCALE_FACTOR=2); --font gives the program a larger system
// font. scripts/screenshots.sh uses the offscreen platform.
#include <algorithm>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "ui/pipeline/build_window.h"
#include "ui/editor/levels_page.h"
#include "ui/editor/main_window.h"
#include "ui/settings/setup_dialog.h"
#include "ui/widgets/dialogs.h"

namespace {

// Nothing may block while the pictures are taken: every question is answered "No".
class SilentDialogs : public scriptdesk::Dialogs {
 public:
  void Warning(QWidget*, const QString& text) override { Report(text); }
  void Error(QWidget*, const QString& text) override { Report(text); }
  void Information(QWidget*, const QString&, const QString&) override {}
  bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
  Answer AskYesNoCancel(QWidget*, const QString&, const QString&) override {
    return Answer::Cancel;
  }
  std::optional<QString> OpenFile(QWidget*, const QString&, const QString&) override { return {}; }
  std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return {}; }

 private:
  static void Report(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};

void Save(QWidget* widget, const QDir& folder, const QString& name) {
  QApplication::processEvents();
  const QString path = folder.filePath(name);
  if (!widget->grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

template <typename T>
T* Find(QWidget* root, const char* name) {
  auto* found = root->findChild<T*>(name);
  if (found == nullptr) std::fprintf(stderr, "no control %s\n", name);
  return found;
}

void Click(QWidget* root, const char* name) {
  if (auto* button = Find<QPushButton>(root, name)) button->click();
}

// The build window enables Copy,Delete again when the compile has ended.
void WaitForCompile(QWidget* build) {
  auto* copy = Find<QPushButton>(build, "sbCopy");
  QElapsedTimer waited;
  waited.start();
  while (copy != nullptr && !copy->isEnabled() && waited.elapsed() < 10000) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
}

void ShowTab(QWidget* root, const char* tabs, int index) {
  if (auto* found = Find<QTabWidget>(root, tabs)) found->setCurrentIndex(index);
}

void WriteFile(const QString& path, const char* text) {
  std::ofstream out(path.toStdString(), std::ios::binary);
  out << text;
}

// Level 1 of the game's script, "Race For The Iris", has the eight-character level file ANG_RACE.
constexpr int kShownLevel = 1;

// The first level whose keys are in use, so the key page shows named rows.
int FirstLevelWithKeys(const scriptdesk::ScriptModel& model) {
  for (int level = 0; level < model.LevelCount; ++level) {
    const auto& keys = model.Levels[static_cast<std::size_t>(level)].Keys;
    if (std::any_of(keys.begin(), keys.end(), [](const auto& key) { return key.Enabled; })) {
      return level;
    }
  }
  return kShownLevel;
}

void SelectLevel(scriptdesk::MainWindow& window, int row) {
  window.levelsTab()->levelList()->setCurrentRow(row);
  window.levelsTab()->lbLevelClick();
}

// Every page of the main window at one size, named <size>-<page>.png.
void SavePages(scriptdesk::MainWindow& window, const QDir& out, const QString& size) {
  struct Page {
    int tab, levelTab, infTab;
    const char* name;
  };
  const Page pages[] = {{0, 0, 0, "header"}, {1, 0, 0, "levels-1"}, {1, 0, 1, "levels-2"},
                        {1, 1, 0, "key"},    {1, 3, 0, "pickups"},  {2, 0, 0, "language"}};
  for (const Page& page : pages) {
    ShowTab(&window, "PageControl1", page.tab);
    ShowTab(&window, "PageControl2", page.levelTab);
    ShowTab(&window, "PageControl3", page.infTab);
    Save(&window, out, size + "-" + page.name + ".png");
  }
  ShowTab(&window, "PageControl2", 0);
  ShowTab(&window, "PageControl1", 0);
}

// A builder's project of its own files: a level in an included file, lines of another tool's
// commands, and a language file with a section of its own. Shows what only such a project has:
// the "Other lines" page, the language file on the language tab, the build window's file chooser.
void SaveLoadedProject(scriptdesk::MainWindow& window, const QDir& out) {
  QTemporaryDir project;
  QDir(project.path()).mkpath("Levels");
  WriteFile(project.filePath("script.txt"),
            "; My own adventure\r\n[PCExtensions]\r\nLevel= .TR4\r\nCut= .TR4\r\nFMV= .BIK\r\n"
            "[Language]\r\nFile= 0,ENGLISH.TXT\r\n[Options]\r\nLoadSave= ENABLED\r\n"
            "[Title]\r\nLevel= DATA\\TITLE,104\r\n"
            "[Level]\r\nName= Catacombs\r\nLevel= DATA\\CATACOMB,105\r\n"
            "; the fog comes in slowly here\r\nLevelFarView= 40\r\n"
            "Customize= CUST_SHATTER_RANGE, 410, 420\r\nAnimation= 1, FAN_START_ANIM, 70, 0\r\n"
            "TriggerGroup= 1, $2000, 120, $0000\r\n#INCLUDE \"Levels\\Temple.txt\"\r\n");
  WriteFile(project.filePath("Levels/Temple.txt"),
            "[Level]\r\nName= Temple Of Karnak\r\nLevel= DATA\\KARNAK1,108\r\n"
            "Plugin= 1, Plugin_trng, IGNORE\r\n");
  WriteFile(project.filePath("ENGLISH.TXT"),
            "[Strings]\r\nCatacombs\r\nTemple Of Karnak\r\n\r\n[PSXStrings]\r\n\r\n"
            "[PCStrings]\r\nSound Options\r\n\r\n[ExtraNG]\r\n1: Passport\r\n"
            "2: \\nWerner's Notebook\r\n");
  window.LoadScriptFile(project.filePath("script.txt"));
  window.RunCheck();
  SelectLevel(window, 0);
  ShowTab(&window, "PageControl1", 1);
  ShowTab(&window, "PageControl2", 4);
  Save(&window, out, "project-other-lines.png");
  ShowTab(&window, "PageControl2", 0);
  ShowTab(&window, "PageControl1", 2);
  Save(&window, out, "project-language-file.png");
  ShowTab(&window, "PageControl1", 0);

  window.SpeedButton18Click();
  auto* build = window.buildWindow();
  Click(build, "sbCreateScr");
  Click(build, "sbCreateLng");
  Save(build, out, "project-build.png");
  if (auto* chooser = Find<QComboBox>(build, "cbScriptFile")) chooser->setCurrentIndex(1);
  Save(build, out, "project-build-included.png");
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder for the PNG files> [--review] [--font <points>]\n",
                 argv[0]);
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  bool review = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--review") == 0) review = true;
    if (std::strcmp(argv[i], "--font") == 0 && i + 1 < argc) {
      QFont font = QApplication::font();
      font.setPointSize(std::atoi(argv[++i]));
      QApplication::setFont(font);
    }
  }
  QTemporaryDir program;
  QTemporaryDir game;
  const QString setup = QString("[Copy]\r\nEnabled=1\r\nPath=%1\r\n").arg(game.path());
  WriteFile(program.filePath("Setup.ini"), setup.toLocal8Bit().constData());

  SilentDialogs dialogs;
  scriptdesk::MainWindow window(program.path().toStdString(), dialogs);
  window.show();
  window.sbOriginalScrClick();
  window.RunCheck();  // what the status label says a moment after the load
  SelectLevel(window, kShownLevel);
  Save(&window, out, "main-header.png");
  ShowTab(&window, "PageControl1", 1);
  Save(&window, out, "main-levels.png");
  SelectLevel(window, FirstLevelWithKeys(window.model()));
  ShowTab(&window, "PageControl2", 1);
  if (auto* keys = Find<QListWidget>(&window, "lbKey")) keys->setCurrentRow(0);
  Save(&window, out, "main-items.png");
  SelectLevel(window, kShownLevel);
  ShowTab(&window, "PageControl1", 2);
  Save(&window, out, "main-language.png");
  ShowTab(&window, "PageControl2", 0);
  ShowTab(&window, "PageControl1", 0);

  if (review) {
    const QSize start = window.size();
    SavePages(window, out, "start");
    window.resize(window.minimumSize().expandedTo(window.minimumSizeHint()));
    SavePages(window, out, "smallest");
    window.resize(1600, 1000);
    SavePages(window, out, "large");
    window.resize(start);

    // A level whose keys have names, and a name typed but not stored: the pages' marks.
    ShowTab(&window, "PageControl1", 1);
    SelectLevel(window, FirstLevelWithKeys(window.model()));
    ShowTab(&window, "PageControl2", 1);
    if (auto* name = Find<QLineEdit>(&window, "eNameKey")) name->setText("Typed, not stored");
    Save(&window, out, "start-pending.png");
    window.resize(1600, 1000);
    Save(&window, out, "large-pending.png");
    window.resize(start);
    SelectLevel(window, kShownLevel);
    ShowTab(&window, "PageControl2", 0);
    ShowTab(&window, "PageControl1", 0);
  }

  window.SpeedButton18Click();
  auto* build = window.buildWindow();
  Click(build, "sbCreateScr");
  Click(build, "sbCreateLng");
  Click(build, "sbSave");
  // No Script.bat in the program folder: the built-in compiler writes the .DAT files.
  Click(build, "sbCreate");
  WaitForCompile(build);
  Click(build, "sbCopy");
  window.RunCheck();
  Save(build, out, "build.png");

  window.SpeedButton15Click();
  Save(window.setupDialog(), out, "setup.png");
  window.setupDialog()->close();

  if (review) SaveLoadedProject(window, out);
  return 0;
}
