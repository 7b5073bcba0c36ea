#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/editor/saved_project.h"
#include "core/model/script_model.h"
#include "core/platform/work_folders.h"

class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QPushButton;
class QTabWidget;

namespace scriptdesk {

enum class BuiltinText;
class AboutDialog;
class BuildWindow;
class Dialogs;
class HeaderTab;
class ImportProgress;
class LanguagePages;
class LevelsTab;
class ProgressGauge;
class SetupDialog;
struct ImportResult;

// The main window "Script for TR4": owns the one script project for the life of the program.
// Its tabs "Header", "Levels" and "<language>" sit above the bottom panel with the program's
// commands and the progress gauge.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  MainWindow(std::filesystem::path programFolder, Dialogs& dialogs, QWidget* parent = nullptr);
  // Settings and build files where `folders` say (an installed copy keeps them out of the
  // program folder).
  MainWindow(WorkFolders folders, Dialogs& dialogs, QWidget* parent = nullptr);
  ~MainWindow() override;

  ScriptModel& model() { return model_; }
  BuildWindow* buildWindow() const { return buildWindow_.get(); }
  SetupDialog* setupDialog() const { return setupDialog_.get(); }
  const std::filesystem::path& programFolder() const { return programFolder_; }
  Dialogs& dialogs() const { return dialogs_; }
  ProgressGauge* gauge() const { return gauge_; }
  HeaderTab* headerTab() const { return headerTab_; }
  LevelsTab* levelsTab() const { return levelsTab_; }
  AboutDialog* aboutDialog() const { return aboutDialog_; }

  // The "<language>" tab page; its contents are put in with setLanguagePages.
  QWidget* languageTab() const { return languageTab_; }
  // Puts the language pages widget into the "<language>" tab, which takes ownership.
  void setLanguagePages(QWidget* pages);
  QWidget* languagePages() const { return languagePages_; }

  // Shows the model's header on the "Header" tab (after an import).
  void ShowHeaderPage();

  // The script the project came from, as the title names it: a file name, "Original script",
  // "Editor script", or "untitled" before any.
  const QString& scriptName() const { return scriptName_; }
  // The project differs from what was last loaded or saved (the title then marks it).
  bool isProjectChanged() const;

 public slots:
  void SpeedButton18Click();  // "Compile"
  void SpeedButton15Click();  // "Setup"
  void SpeedButton24Click();  // "Load Script.txt"
  void sbEditorScrClick();    // "Create Editor script"
  void sbOriginalScrClick();  // "Create Original script"
  void SpeedButton25Click();  // "About"

  // "Load Script.txt" once the file is chosen; also what a dropped .txt file does.
  void LoadScriptFile(const QString& path);
  // The build's "Save" wrote the project: from here on it counts as unchanged. The build window
  // calls this after a save that succeeded.
  void ProjectSaved();

 protected:
  // Closing a changed project asks first.
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FormCreate();
  QWidget* MakeBottomPanel();
  // Runs one import: the project is replaced only when it succeeded; the Header tab and the
  // level list then show it, and lines that named no slot are reported in one warning.
  void RunImport(const std::function<ImportResult(ImportProgress&)>& import);
  // Runs a stock import under its command's name.
  void ImportStock(BuiltinText text, const char* command, const QString& name);
  // True when the project may go: it is unchanged, or the user said Yes to losing the changes.
  bool MayCloseProject();
  // The import succeeded: the project now came from `name` and is unchanged.
  void ProjectLoaded(const QString& name);
  LanguageTexts languageTexts() const;
  void UpdateTitle();
  void MakeShortcuts();

  std::filesystem::path programFolder_;
  WorkFolders folders_;
  Dialogs& dialogs_;
  ScriptModel model_;
  std::unique_ptr<BuildWindow> buildWindow_;
  std::unique_ptr<SetupDialog> setupDialog_;
  bool importing_ = false;
  SavedProject saved_;
  QString scriptName_;

  QTabWidget* pages_ = nullptr;
  HeaderTab* headerTab_ = nullptr;
  LevelsTab* levelsTab_ = nullptr;
  QWidget* languageTab_ = nullptr;
  QWidget* languagePages_ = nullptr;
  AboutDialog* aboutDialog_ = nullptr;

  QPushButton* compileButton_ = nullptr;
  QPushButton* setupButton_ = nullptr;
  QPushButton* loadButton_ = nullptr;
  QPushButton* editorScriptButton_ = nullptr;
  QPushButton* originalScriptButton_ = nullptr;
  QPushButton* aboutButton_ = nullptr;
  ProgressGauge* gauge_ = nullptr;
};

}  // namespace scriptdesk
