#include "ui/support/gui_scripted_dialogs.h"

namespace scriptdesk::test {
namespace {

template <typename T>
std::optional<T> Take(std::deque<T>& queue) {
  if (queue.empty()) return std::nullopt;
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

}  // namespace

QStringList ScriptedDialogs::Texts(Kind kind) const {
  QStringList texts;
  for (const Call& call : calls) {
    if (call.kind == kind) texts << call.text;
  }
  return texts;
}

void ScriptedDialogs::Warning(QWidget* /*parent*/, const QString& text) {
  calls.push_back({Kind::Warning, QStringLiteral("Warning"), text});
}

void ScriptedDialogs::Error(QWidget* /*parent*/, const QString& text) {
  calls.push_back({Kind::Error, QStringLiteral("Error"), text});
}

void ScriptedDialogs::Information(QWidget* /*parent*/, const QString& title, const QString& text) {
  calls.push_back({Kind::Information, title, text});
}

bool ScriptedDialogs::AskYesNo(QWidget* /*parent*/, const QString& caption, const QString& text) {
  calls.push_back({Kind::AskYesNo, caption, text});
  return Take(yesNoAnswers).value_or(false);
}

Dialogs::Answer ScriptedDialogs::AskYesNoCancel(QWidget* /*parent*/, const QString& caption,
                                                const QString& text) {
  calls.push_back({Kind::AskYesNoCancel, caption, text});
  return Take(answers).value_or(Answer::Cancel);
}

std::optional<QString> ScriptedDialogs::OpenFile(QWidget* /*parent*/, const QString& filter,
                                                 const QString& initialPath) {
  calls.push_back({Kind::OpenFile, filter, initialPath});
  return Take(fileNames);
}

std::optional<QString> ScriptedDialogs::ChooseFolder(QWidget* /*parent*/,
                                                     const QString& startFolder) {
  calls.push_back({Kind::ChooseFolder, QString(), startFolder});
  return Take(folderNames);
}

}  // namespace scriptdesk::test
