#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/pipeline/build_log.h"
#include "core/pipeline/build_steps.h"
#include "core/pipeline/language_writer.h"
#include "core/editor/saved_project.h"
#include "core/model/script_model.h"
#include "core/platform/text_lines.h"
#include "core/settings/setup_settings.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace scriptdesk {

class Dialogs;
class WorkFolders;

// The build window "Varnel": the script and language panes, the four build steps,
// "Copy,Delete" and the build log. It only reads the model.
class BuildWindow : public QWidget {
  Q_OBJECT

 public:
  BuildWindow(const ScriptModel& model, std::filesystem::path programFolder, Dialogs& dialogs,
              QWidget* parent = nullptr);

  ~BuildWindow() override;

  BuildLog& log() { return log_; }
  const BuildSession& session() const { return *session_; }

  // Where Step 2 takes the language pages' texts and "Copy,Delete" the live settings from.
  void setLanguageTextsSource(std::function<LanguageTexts()> source);
  void setSettingsSource(std::function<SetupSettings()> source);
  // What "Create *.dat" compiles with; by default the step Setup's "Compiler" names.
  using CompileStepFactory = std::function<std::unique_ptr<CompileStep>()>;
  void setCompileStepFactory(CompileStepFactory factory);
  // An installed copy's folders: Save, Create *.dat and Copy,Delete then work where they say,
  // and name that folder in the log. Without them, everything is in the program folder.
  void setWorkFolders(WorkFolders* folders) { workFolders_ = folders; }

 signals:
  // "Save" wrote both texts, built from the project as it stands and not edited since: the
  // project is on disk.
  void saved();

 public slots:
  void sbCreateScrClick();
  void sbCreateLngClick();
  void sbSaveClick();
  void sbCreateClick();
  void sbCopyClick();

 private:
  void AppendLogLine(const UserText& line);
  PaneText PaneLines(const QPlainTextEdit* pane, bool built) const;
  // Whether both panes hold what Steps 1 and 2 make of the project as it is now.
  bool PanesShowTheProject() const;
  // Follows a running compile; the commands that need its result wait for it.
  void FollowCompile();
  void UpdateCommands();
  // Moves the session to the folder the build works in now, asking for one when there is none;
  // false when the user gave none.
  bool UseWorkFolder();
  // Runs a command, showing a runtime failure in an error box; a command started while another
  // one lets events through (a long copy) is ignored.
  template <typename Command>
  void RunCommand(Command&& command);

  std::function<LanguageTexts()> languageTexts_;
  std::function<SetupSettings()> settings_;
  CompileStepFactory stepFactory_;
  bool busy_ = false;
  // Step 1 or 2 filled the pane in this session (Step 1 empties the language pane).
  bool scriptBuilt_ = false;
  bool languageBuilt_ = false;
  // What the panes were built from; the script pane does not depend on the language pages.
  SavedProject scriptSource_;
  SavedProject languageSource_;

  const ScriptModel& model_;
  std::filesystem::path programFolder_;
  Dialogs& dialogs_;
  BuildLog log_;
  std::unique_ptr<BuildSession> session_;
  WorkFolders* workFolders_ = nullptr;
  std::filesystem::path sessionFolder_;
  QTimer* compileTimer_ = nullptr;

  QPlainTextEdit* scriptPane_ = nullptr;
  QPlainTextEdit* languagePane_ = nullptr;
  QLabel* languageLabel_ = nullptr;
  QPlainTextEdit* logPane_ = nullptr;
  QPushButton* createScriptButton_ = nullptr;
  QPushButton* createLanguageButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* compileButton_ = nullptr;
  QPushButton* copyButton_ = nullptr;
};

}  // namespace scriptdesk
