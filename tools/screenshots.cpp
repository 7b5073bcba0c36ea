// Takes the README's screenshots from the real windows: scriptdesk_screenshots <folder>.
// Runs on any Qt platform; scripts/screenshots.sh uses the offscreen one.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

#include "ui/build/build_window.h"
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
  std::optional<QString> OpenFile(QWidget*, const QString&, const QString&) override { return {}; }
  std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return {}; }

 private:
  static void Report(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};

void Save(QWidget* widget, const QDir& folder, const char* name) {
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

void WriteFile(const QString& path, const char* text) {
  std::ofstream out(path.toStdString(), std::ios::binary);
  out << text;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder for the PNG files>\n", argv[0]);
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir program;
  QTemporaryDir game;
  const QString setup = QString("[Copy]\r\nEnabled=1\r\nPath=%1\r\nDeleteSource=1\r\n").arg(game.path());
  WriteFile(program.filePath("Setup.ini"), setup.toLocal8Bit().constData());

  SilentDialogs dialogs;
  scriptdesk::MainWindow window(program.path().toStdString(), dialogs);
  window.show();
  Save(&window, out, "main-header.png");

  window.sbEditorScrClick();
  auto* tabs = Find<QTabWidget>(&window, "PageControl1");
  if (tabs != nullptr) tabs->setCurrentIndex(1);
  auto* list = window.levelsTab()->levelList();
  list->setCurrentRow(2);
  window.levelsTab()->lbLevelClick();
  Save(&window, out, "main-levels.png");
  if (auto* levelTabs = Find<QTabWidget>(&window, "PageControl2")) levelTabs->setCurrentIndex(2);
  Save(&window, out, "main-items.png");
  if (tabs != nullptr) tabs->setCurrentIndex(2);
  Save(&window, out, "main-language.png");

  window.SpeedButton18Click();
  auto* build = window.buildWindow();
  Click(build, "sbCreateScr");
  Click(build, "sbCreateLng");
  Click(build, "sbSave");
  WriteFile(program.filePath("SCRIPT.DAT"), "compiled");
  WriteFile(program.filePath("ENGLISH.DAT"), "compiled");
  Click(build, "sbCopy");
  Save(build, out, "build.png");

  window.SpeedButton15Click();
  Save(window.setupDialog(), out, "setup.png");
  return 0;
}
