#pragma once

#include <exception>
#include <optional>

#include <QString>

#include "core/platform/errors.h"
#include "ui/widgets/text_codec.h"

class QWidget;

namespace scriptdesk {

// Every message box, file dialog and folder browser of the program goes through this seam,
// so tests answer them with a scripted double instead of blocking on a modal window.
class Dialogs {
 public:
  enum class Answer { Yes, No, Cancel };

  virtual ~Dialogs() = default;

  // Warning icon, title "Warning", one OK button.
  virtual void Warning(QWidget* parent, const QString& text) = 0;
  // Critical icon, title "Error", one OK button.
  virtual void Error(QWidget* parent, const QString& text) = 0;
  virtual void Information(QWidget* parent, const QString& title, const QString& text) = 0;
  // Exclamation icon, Yes and No, kept on top; true only for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
  // Question icon, Yes, No and Cancel; closing the box is Cancel.
  virtual Answer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text) = 0;
  // `filter` in the program's own form "caption|pattern[|caption|pattern...]", patterns
  // separated by ';'. The chosen file's full path in native separators, or nullopt.
  virtual std::optional<QString> OpenFile(QWidget* parent, const QString& filter,
                                          const QString& initialPath) = 0;
  // Any folder may be picked. Its full path in native separators, without a trailing
  // separator except for a root; nullopt when cancelled.
  virtual std::optional<QString> ChooseFolder(QWidget* parent, const QString& startFolder) = 0;
};

// The real dialogs, built on QMessageBox and QFileDialog.
class QtDialogs final : public Dialogs {
 public:
  void Warning(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
  void Information(QWidget* parent, const QString& title, const QString& text) override;
  bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) override;
  Answer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text) override;
  std::optional<QString> OpenFile(QWidget* parent, const QString& filter,
                                  const QString& initialPath) override;
  std::optional<QString> ChooseFolder(QWidget* parent, const QString& startFolder) override;
};

// Runs one command at the boundary between the user and the core: a runtime failure ends the
// command where it happened and is shown in an error box. False when it failed.
template <typename Command>
bool RunShowingFailure(Dialogs& dialogs, QWidget* parent, Command&& command) {
  try {
    command();
    return true;
  } catch (const ScriptDeskError& error) {
    dialogs.Error(parent, UserTextToQt(error.text()));
    return false;
  } catch (const std::exception& error) {
    dialogs.Error(parent, ToQt(error.what()));
    return false;
  }
}

// "Text|*.txt;*.ini|All|*.*" becomes Qt's "Text (*.txt *.ini);;All (*.*)". A caption without
// a pattern offers every file.
QString QtFileFilter(const QString& filter);

}  // namespace scriptdesk
