#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/document/text_document.h"
#include "core/check/project_check.h"
#include "core/pipeline/build_log.h"
#include "core/pipeline/build_steps.h"
#include "core/pipeline/language_writer.h"
#include "core/editor/saved_project.h"
#include "core/model/script_model.h"
#include "core/platform/text_lines.h"
#include "core/settings/setup_settings.h"

class QComboBox;
class QListWidget;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextDocument;
class QTimer;

namespace scriptdesk {

class Dialogs;
class NumberedPane;
class ScriptProject;
class WorkFolders;

// The build window "Varnel": the script and language panes, the four build steps,
// "Copy,Delete" and the build log. For a loaded project the script pane holds each file Save
// writes (the main script and the files it includes), one at a time through a file chooser.
// Apart from Save's record of what it wrote, it only reads the project.
class BuildWindow : public QWidget {
  Q_OBJECT

 public:
  BuildWindow(ScriptProject& project, std::filesystem::path programFolder, Dialogs& dialogs,
              QWidget* parent = nullptr);

  ~BuildWindow() override;

  BuildLog& log() { return log_; }
  const BuildSession& session() const { return *session_; }

  // Where "Copy,Delete" takes the live settings from.
  void setSettingsSource(std::function<SetupSettings()> source);
  // What "Create *.dat" compiles with; by default the step Setup's "Compiler" names.
  using CompileStepFactory = std::function<std::unique_ptr<CompileStep>()>;
  void setCompileStepFactory(CompileStepFactory factory);
  // An installed copy's folders: Save, Create *.dat and Copy,Delete then work where they say,
  // and name that folder in the log. Without them, everything is in the program folder.
  void setWorkFolders(WorkFolders* folders) { workFolders_ = folders; }

  // The panes hold built text that was edited: the check then reads them, not the project.
  bool panesEdited() const;
  // The check of what the panes hold, as Save would write it.
  CheckResult CheckPanes() const;
  // The messages of the last check, in `problemsList`.
  void ShowProblems(const CheckResult& result);

 signals:
  // "Save" wrote every text, built from the project as it stands and not edited since: the
  // project is on disk.
  void saved();
  // A pane's text was typed in.
  void panesChanged();
  // "Go to form" on a message about a level (and an item of it).
  void goToForm(int level, int itemKind, int itemSlot);

 public slots:
  // After a load: panes built from the project it replaced are emptied, so that nothing of it
  // is ever saved over the new one.
  void ShowProject();

  void sbCreateScrClick();
  void sbCreateLngClick();
  void sbSaveClick();
  void sbCreateClick();
  void sbCopyClick();

 private:
  // One file of the script pane. A loaded file keeps its bytes, which Save writes as long as
  // its text is not edited; an edit is written in that file's encoding and line ends.
  struct ScriptFileBuffer {
    std::string name;  // "script.txt", "Levels/Title.txt"
    QTextDocument* text = nullptr;
    QString builtText;                 // as Step 1 filled it
    std::optional<TextDocument> file;  // a loaded file's bytes and form
  };

  void AppendLogLine(const UserText& line);
  PaneText PaneLines(const QTextDocument* pane, bool built) const;
  PaneText BufferText(const ScriptFileBuffer& buffer) const;
  PaneText LanguageText() const;
  // The panes of the files the script includes, each under its name relative to the script.
  std::vector<PaneText> IncludedTexts() const;
  // Replaces the script pane's files; without any, one empty "script.txt".
  void SetScriptFiles(std::vector<ScriptFileBuffer> files);
  ScriptFileBuffer MakeBuffer(std::string name, const QString& text,
                              std::optional<TextDocument> file);
  void ShowScriptFile(int index);
  // Fills the language pane with the builder's language file as Save writes it.
  void SetLanguageFile(const std::string& bytes);
  // Empties both panes: nothing built.
  void EmptyPanes();
  // Whether both panes hold what Steps 1 and 2 make of the project as it is now.
  bool PanesShowTheProject() const;
  // Follows a running compile; the commands that need its result wait for it.
  void FollowCompile();
  void UpdateCommands();
  // Moves the session to the folder the build works in now, asking for one when there is none;
  // false when the user gave none.
  bool UseWorkFolder();
  // Shows the line a message of the check is about in its pane, building the panes first.
  void ShowProblem(int row);
  // The files the project was loaded from, which "Delete .txt" never deletes.
  std::vector<std::filesystem::path> LoadedFiles() const;
  // What a compile would read: the panes as Save writes them, or the project when none is built.
  std::vector<PaneText> FilesToBuild() const;
  // Runs a command, showing a runtime failure in an error box; a command started while another
  // one lets events through (a long copy) is ignored.
  template <typename Command>
  void RunCommand(Command&& command);

  std::function<SetupSettings()> settings_;
  CompileStepFactory stepFactory_;
  bool busy_ = false;
  // Step 1 or 2 filled the pane in this session (Step 1 empties the language pane).
  bool scriptBuilt_ = false;
  bool languageBuilt_ = false;
  // What the panes were built from; the script pane does not depend on the language pages.
  SavedProject scriptSource_;
  SavedProject languageSource_;
  int builtGeneration_ = 0;  // the project's generation the panes were built from
  std::vector<ScriptFileBuffer> scriptFiles_;
  // The builder's language file as Step 2 filled the pane (none: the stock texts).
  std::optional<TextDocument> languageFile_;
  std::string languageFileName_;
  QString languageBuiltText_;

  ScriptProject& project_;
  const ScriptModel& model_;
  std::filesystem::path programFolder_;
  Dialogs& dialogs_;
  BuildLog log_;
  std::unique_ptr<BuildSession> session_;
  WorkFolders* workFolders_ = nullptr;
  std::filesystem::path sessionFolder_;
  QTimer* compileTimer_ = nullptr;

  QComboBox* scriptFileChooser_ = nullptr;
  NumberedPane* scriptPane_ = nullptr;
  NumberedPane* languagePane_ = nullptr;
  QLabel* languageLabel_ = nullptr;
  QPlainTextEdit* logPane_ = nullptr;
  QListWidget* problemsList_ = nullptr;
  QPushButton* goToFormButton_ = nullptr;
  CheckResult problems_;
  QPushButton* createScriptButton_ = nullptr;
  QPushButton* createLanguageButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* compileButton_ = nullptr;
  QPushButton* copyButton_ = nullptr;
};

}  // namespace scriptdesk
