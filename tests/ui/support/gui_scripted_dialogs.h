#pragma once

#include <deque>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "ui/widgets/dialogs.h"

namespace scriptdesk::test {

// A Dialogs double for GUI tests: records every call and answers from queues the test fills.
// An empty queue answers like a user who cancels (or says No).
class ScriptedDialogs final : public Dialogs {
 public:
  enum class Kind { Warning, Error, Information, AskYesNo, AskYesNoCancel, OpenFile, ChooseFolder };

  // caption: "Warning", "Error", the title or caption given, the filter (OpenFile) or empty
  // (ChooseFolder). text: the message, or the initial path / start folder.
  struct Call {
    Kind kind;
    QString caption;
    QString text;
  };

  std::vector<Call> calls;
  std::deque<bool> yesNoAnswers;
  std::deque<Answer> answers;  // AskYesNoCancel
  std::deque<QString> fileNames;
  std::deque<QString> folderNames;

  // The texts of the calls of one kind, in call order.
  QStringList Texts(Kind kind) const;
  int Count(Kind kind) const { return static_cast<int>(Texts(kind).size()); }

  void Warning(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
  void Information(QWidget* parent, const QString& title, const QString& text) override;
  bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) override;
  Answer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text) override;
  std::optional<QString> OpenFile(QWidget* parent, const QString& filter,
                                  const QString& initialPath) override;
  std::optional<QString> ChooseFolder(QWidget* parent, const QString& startFolder) override;
};

}  // namespace scriptdesk::test
