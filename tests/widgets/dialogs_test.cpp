#include "widgets/dialogs.h"

#include <gtest/gtest.h>

#include <functional>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

struct FilterCase {
  QString filter;
  QString qt;
};

class DialogsFilter : public testing::TestWithParam<FilterCase> {};

TEST_P(DialogsFilter, ConvertsCaptionPatternPairs) {
  EXPECT_EQ(QtFileFilter(GetParam().filter), GetParam().qt);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, DialogsFilter,
    testing::Values(FilterCase{"*.tr4|*.tr4", "*.tr4 (*.tr4)"},
                    FilterCase{"sript.txt|*.txt", "sript.txt (*.txt)"},
                    FilterCase{"Text|*.txt;*.ini|All|*.*", "Text (*.txt *.ini);;All (*.*)"},
                    FilterCase{"Anything", "Anything (*)"}, FilterCase{"", ""}));

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
