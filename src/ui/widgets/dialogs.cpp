#include "ui/widgets/dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace scriptdesk {
namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

QString QtFileFilter(const QString& filter) {
  if (filter.isEmpty()) return {};
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns.isEmpty()) patterns = QStringLiteral("*");
    entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return entries.join(QStringLiteral(";;"));
}

void QtDialogs::Warning(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::Warning, QStringLiteral("Warning"), text);
}

void QtDialogs::Error(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::Critical, QStringLiteral("Error"), text);
}

void QtDialogs::Information(QWidget* parent, const QString& title, const QString& text) {
  ShowBox(parent, QMessageBox::Information, title, text);
}

bool QtDialogs::AskYesNo(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
  // These questions guard deletions, so Enter alone must not confirm one.
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  return box.exec() == QMessageBox::Yes;
}

Dialogs::Answer QtDialogs::AskYesNoCancel(QWidget* parent, const QString& caption,
                                          const QString& text) {
  QMessageBox box(QMessageBox::Question, caption, text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

std::optional<QString> QtDialogs::OpenFile(QWidget* parent, const QString& filter,
                                           const QString& initialPath) {
  const QString chosen =
      QFileDialog::getOpenFileName(parent, QString(), initialPath, QtFileFilter(filter));
  if (chosen.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(chosen);
}

std::optional<QString> QtDialogs::ChooseFolder(QWidget* parent, const QString& startFolder) {
  const QString chosen =
      QFileDialog::getExistingDirectory(parent, QString(), startFolder, QFileDialog::ShowDirsOnly);
  if (chosen.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(QDir::cleanPath(chosen));
}

}  // namespace scriptdesk
