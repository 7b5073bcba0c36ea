#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/editor/saved_project.h"
#include "core/model/script_model.h"
#include "core/check/project_check.h"
#include "core/project/script_project.h"
#include "core/platform/work_folders.h"

class QCloseEvent;
class QLabel;
class QTimer;
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

  ScriptModel& model() { return project_.model; }
  ScriptProject& project() { return project_; }
  // The build window and the "Setup" dialog are made when first needed (shown, or read by the
  // build), so the program starts as fast as the main window alone.
  BuildWindow* buildWindow();
  SetupDialog* setupDialog();
  const std::filesystem::path& programFolder() const { return programFolder_; }
  Dialogs& dialogs() const { return dialogs_; }
  ProgressGauge* gauge() const { return gauge_; }
  HeaderTab* headerTab() const { return headerTab_; }
  // The "Levels" tab's contents are made when the tab is first shown or asked for.
  LevelsTab* levelsTab();
  AboutDialog* aboutDialog() const { return aboutDialog_; }

  // The "<language>" tab page and what it shows.
  QWidget* languageTab() const { return languageTab_; }
  // Made when the tab is first shown or asked for; until then the texts are the stock ones.
  LanguagePages* languagePages();

  // Shows the model's header on the "Header" tab (after an import).
  void ShowHeaderPage();

  // The script the project came from, as the title names it: a file name, "Original script",
  // "Editor script", or "untitled" before any.
  const QString& scriptName() const { return scriptName_; }
  // The project differs from what was last loaded or saved, or a page holds typed edits that
  // were not stored yet (the title then marks it).
  bool isProjectChanged() const;

  // The project as it stands, compiled by the built-in compiler a moment after each change:
  // the status label `checkStatus` says how it went, the build window lists the messages.
  void RunCheck();
  QLabel* checkStatus() const { return checkStatus_; }

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
  // Some language file differs from what was loaded or last saved.
  bool LanguageFilesChanged() const;
  void UpdateTitle();
  // Runs the check a moment from now; edits in a row run it once.
  void ScheduleCheck();
  void GoToForm(int level, int itemKind, int itemSlot);
  void MakeShortcuts();
  // Builds the "Levels" tab's contents, showing the project as if they had been there all along.
  void MakeLevelsTab();

  std::filesystem::path programFolder_;
  WorkFolders folders_;
  Dialogs& dialogs_;
  ScriptProject project_;
  std::unique_ptr<BuildWindow> buildWindow_;
  std::unique_ptr<SetupDialog> setupDialog_;
  bool importing_ = false;
  SavedProject saved_;
  QString scriptName_;

  QTabWidget* pages_ = nullptr;
  HeaderTab* headerTab_ = nullptr;
  QWidget* levelsPage_ = nullptr;  // the "Levels" tab's page, which holds levelsTab_
  LevelsTab* levelsTab_ = nullptr;
  QWidget* languageTab_ = nullptr;
  LanguagePages* languagePages_ = nullptr;
  AboutDialog* aboutDialog_ = nullptr;

  QPushButton* compileButton_ = nullptr;
  QPushButton* setupButton_ = nullptr;
  QPushButton* loadButton_ = nullptr;
  QPushButton* editorScriptButton_ = nullptr;
  QPushButton* originalScriptButton_ = nullptr;
  QPushButton* aboutButton_ = nullptr;
  ProgressGauge* gauge_ = nullptr;
  QLabel* checkStatus_ = nullptr;
  QTimer* checkTimer_ = nullptr;
  CheckResult lastCheck_;
};

}  // namespace scriptdesk
