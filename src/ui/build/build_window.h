#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

#include "core/build/build_log.h"
#include "core/build/build_steps.h"
#include "core/build/language_writer.h"
#include "core/model/script_model.h"
#include "core/platform/text_lines.h"
#include "core/settings/setup_settings.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace scriptdesk {

class BatchStarter;
class Dialogs;

// The build window "Varnel": the script and language panes, the four build steps,
// "Copy,Delete" and the build log. It only reads the model.
class BuildWindow : public QWidget {
  Q_OBJECT

 public:
  BuildWindow(const ScriptModel& model, std::filesystem::path programFolder, Dialogs& dialogs,
              QWidget* parent = nullptr);

  BuildLog& log() { return log_; }

  // Where Step 2 takes the language pages' texts and "Copy,Delete" the live settings from.
  void setLanguageTextsSource(std::function<LanguageTexts()> source);
  void setSettingsSource(std::function<SetupSettings()> source);
  void setBatchStarter(BatchStarter* starter);

 public slots:
  void sbCreateScrClick();
  void sbCreateLngClick();
  void sbSaveClick();
  void sbCreateClick();
  void sbCopyClick();

 private:
  void AppendLogLine(const std::string& line);
  PaneText PaneLines(const QPlainTextEdit* pane) const;
  // Runs a command, showing a runtime failure in an error box; a command started while another
  // one lets events through (a long copy) is ignored.
  template <typename Command>
  void RunCommand(Command&& command);

  std::function<LanguageTexts()> languageTexts_;
  std::function<SetupSettings()> settings_;
  BatchStarter* batchStarter_ = nullptr;
  bool busy_ = false;

  const ScriptModel& model_;
  std::filesystem::path programFolder_;
  Dialogs& dialogs_;
  BuildLog log_;

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
