#include "ui/widgets/dialogs.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "ui/widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

TEST(DialogsFilter, ConvertsCaptionPatternPairs) {
  const std::pair<QString, QString> cases[] = {
      {"*.tr4|*.tr4", "*.tr4 (*.tr4)"},
      {"sript.txt|*.txt", "sript.txt (*.txt)"},
      {"Text|*.txt;*.ini|All|*.*", "Text (*.txt *.ini);;All (*.*)"},
      {"Anything", "Anything (*)"},
      {"", ""}};
  for (const auto& [filter, qt] : cases) EXPECT_EQ(QtFileFilter(filter), qt);
}

// Runs `inspect` on the message box once it is up, then closes it with `answer`.
void WhenBoxShows(std::function<void(QMessageBox*)> inspect, QMessageBox::StandardButton answer) {
  QTimer::singleShot(0, [inspect, answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    inspect(box);
    box->button(answer)->click();
  });
}

TEST(QtDialogs, WarningHasItsTitleIconAndOneButton) {
  bool inspected = false;
  WhenBoxShows(
      [&](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Warning");
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->text(), "Select level");
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        inspected = true;
      },
      QMessageBox::Ok);
  QtDialogs().Warning(nullptr, "Select level");
  EXPECT_TRUE(inspected);
}

TEST(QtDialogs, AskYesNoIsTrueOnlyForYes) {
  QtDialogs dialogs;
  WhenBoxShows(
      [](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Delete");
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      },
      QMessageBox::Yes);
  EXPECT_TRUE(dialogs.AskYesNo(nullptr, "Delete", "Delete level ?"));
  WhenBoxShows([](QMessageBox*) {}, QMessageBox::No);
  EXPECT_FALSE(dialogs.AskYesNo(nullptr, "Delete", "Delete level ?"));
}

}  // namespace
}  // namespace scriptdesk
