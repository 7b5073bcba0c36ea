#pragma once

#include <QDialog>
#include <QString>

namespace scriptdesk {

// "About": the program's name and version, the Qt version and the system it runs on, with a
// button that copies that system information to the clipboard for a bug report.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);

  // Qt and system versions, one fact per line.
  static QString SystemInformation();

 public slots:
  void sbCopyInfoClick();
};

}  // namespace scriptdesk
