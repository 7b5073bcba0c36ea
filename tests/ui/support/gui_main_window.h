#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <QTabWidget>
#include <QTest>

#include "ui/editor/levels_page.h"
#include "ui/editor/main_window.h"
#include "ui/support/gui_scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/widgets/text_spin_edit.h"

namespace scriptdesk::test {

// The real main window on a temporary program folder, driven as a user drives it; every dialog
// is answered by `dialogs`.
class MainWindowDriver {
 public:
  void Start() {
    window = std::make_unique<MainWindow>(folder, dialogs);
    // The tests find the tabs' controls by name from the start.
    window->levelsTab();
    window->languagePages();
    window->show();
  }

  template <typename T = QWidget>
  T* Find(const char* name, const QWidget* in = nullptr) const {
    T* found = (in ? in : window.get())->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  // Clicks a button as the user does, so it must be in sight. A check box takes clicks on its
  // box and caption only, not on the stretched rest.
  void Click(const char* name, const QWidget* in = nullptr) const {
    auto* button = Find<QAbstractButton>(name, in);
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isVisible()) << name;
    const QPoint at = qobject_cast<QCheckBox*>(button) != nullptr ? QPoint(4, button->height() / 2)
                                                                  : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
  }
  void SetText(const char* edit, const QString& text) const {
    Find<QLineEdit>(edit)->setText(text);
  }
  void SetSpin(const char* spin, const QString& text) const {
    Find<TextSpinEdit>(spin)->setText(text);
  }
  QString SpinText(const char* spin) const { return Find<TextSpinEdit>(spin)->text(); }

  void ShowTab(int index) const { Find<QTabWidget>("PageControl1")->setCurrentIndex(index); }
  void ShowLevelsTab() const { ShowTab(1); }
  QListWidget* List() const { return Find<QListWidget>("lbLevel"); }
  QStringList Entries() const {
    QStringList entries;
    for (int i = 0; i < List()->count(); ++i) entries << List()->item(i)->text();
    return entries;
  }
  // Clicks an entry of the level list as the user does.
  void ClickLevel(int row) const {
    ShowLevelsTab();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualItemRect(List()->item(row)).center());
  }
  const ScriptModel& Model() const { return window->model(); }

  TempDir root;
  std::filesystem::path folder = root.path();  // the program folder
  ScriptedDialogs dialogs;
  std::unique_ptr<MainWindow> window;
};

}  // namespace scriptdesk::test
