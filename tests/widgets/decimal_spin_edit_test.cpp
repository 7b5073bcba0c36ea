#include "widgets/decimal_spin_edit.h"

#include <gtest/gtest.h>

#include <limits>

#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

using test::LeaveField;
using test::TypeOver;

constexpr qint64 kNoRange = 0;
constexpr qint64 kMirror = 99999999999999;

struct Range {
  qint64 minimum;
  qint64 maximum;
};

struct TextCase {
  Range range;
  QString text;
  qint64 value;
};

class DecimalSpinEditText : public testing::TestWithParam<TextCase> {};

TEST_P(DecimalSpinEditText, KeepsTextAndReadsItsValue) {
  DecimalSpinEdit edit;
  edit.setRange(GetParam().range.minimum, GetParam().range.maximum);
  edit.setText(GetParam().text);
  EXPECT_EQ(edit.text(), GetParam().text);
  EXPECT_EQ(edit.value(), GetParam().value);
  LeaveField(&edit);  // text that was set, not typed, survives leaving the field
  EXPECT_EQ(edit.text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DecimalSpinEditText,
    testing::Values(
        TextCase{{0, 1000000000}, "18000  ; frames * seconds = 60x30", 0},
        TextCase{{0, 255}, "", 0}, TextCase{{5, 10}, "abc", 5}, TextCase{{0, 255}, "007", 7},
        TextCase{{0, 255}, "300", 255}, TextCase{{-255, 255}, "-7", -7},
        TextCase{{-255, 255}, "-300", -255}, TextCase{{kNoRange, kNoRange}, "-533", -533},
        TextCase{{kNoRange, kNoRange}, " 84246 ", 84246}, TextCase{{kNoRange, kNoRange}, "+12", 12},
        TextCase{{kNoRange, kNoRange}, "1 2", 0}, TextCase{{0, kMirror}, "99999999999999", kMirror},
        TextCase{{0, kMirror}, "123456789012345678901234", kMirror},
        TextCase{{kNoRange, kNoRange}, "99999999999999999999", std::numeric_limits<qint64>::max()},
        TextCase{
            {kNoRange, kNoRange}, "-99999999999999999999", std::numeric_limits<qint64>::min()}));

struct StepCase {
  Range range;
  QString text;
  Qt::Key key;
  QString stepped;
};

class DecimalSpinEditStep : public testing::TestWithParam<StepCase> {};

TEST_P(DecimalSpinEditStep, StepsFromTheParsedClampedNumber) {
  DecimalSpinEdit edit;
  edit.setRange(GetParam().range.minimum, GetParam().range.maximum);
  edit.setText(GetParam().text);
  QTest::keyClick(&edit, GetParam().key);
  EXPECT_EQ(edit.text(), GetParam().stepped);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DecimalSpinEditStep,
    testing::Values(StepCase{{0, 1000000000}, "18000  ; frames", Qt::Key_Up, "1"},
                    StepCase{{0, 1000000000}, "18000", Qt::Key_Up, "18001"},
                    StepCase{{0, 255}, "", Qt::Key_Up, "1"}, StepCase{{5, 10}, "", Qt::Key_Up, "6"},
                    StepCase{{0, 255}, "255", Qt::Key_Up, "255"},
                    StepCase{{0, 255}, "0", Qt::Key_Down, "0"},
                    StepCase{{0, 255}, "300", Qt::Key_Down, "254"},
                    StepCase{{0, 255}, "007", Qt::Key_Up, "8"},
                    StepCase{{-255, 255}, "-255", Qt::Key_Down, "-255"},
                    StepCase{{-255, 255}, "0", Qt::Key_Down, "-1"},
                    StepCase{{kNoRange, kNoRange}, "-533", Qt::Key_Up, "-532"},
                    StepCase{{kNoRange, kNoRange}, "0", Qt::Key_Down, "-1"},
                    StepCase{{kNoRange, kNoRange}, "0", Qt::Key_PageUp, "10"},
                    StepCase{{0, kMirror}, "99999999999998", Qt::Key_Up, "99999999999999"},
                    StepCase{{0, kMirror}, "99999999999999", Qt::Key_Up, "99999999999999"}));

TEST(DecimalSpinEdit, SaturatesInsteadOfOverflowingWithoutRange) {
  DecimalSpinEdit edit;
  edit.setText("9223372036854775807");
  edit.stepBy(1);
  EXPECT_EQ(edit.text(), "9223372036854775807");
  edit.setText("-9223372036854775808");
  edit.stepBy(-1);
  EXPECT_EQ(edit.text(), "-9223372036854775808");
}

TEST(DecimalSpinEdit, StepsWithTheWheel) {
  DecimalSpinEdit edit;
  edit.setRange(0, 255);
  edit.setText("95");
  const QPointF at(5, 5);
  QWheelEvent wheel(at, edit.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&edit, &wheel);
  EXPECT_EQ(edit.text(), "96");
}

TEST(DecimalSpinEdit, StepsWithTheArrowButtons) {
  DecimalSpinEdit edit;
  edit.setRange(-255, 255);
  edit.setText("-7");
  edit.resize(edit.sizeHint());
  QStyleOptionSpinBox option;
  option.initFrom(&edit);
  option.subControls = QStyle::SC_All;
  option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
  const auto centre = [&](QStyle::SubControl control) {
    return edit.style()->subControlRect(QStyle::CC_SpinBox, &option, control, &edit).center();
  };
  QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, centre(QStyle::SC_SpinBoxUp));
  EXPECT_EQ(edit.text(), "-6");
  QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, centre(QStyle::SC_SpinBoxDown));
  QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, centre(QStyle::SC_SpinBoxDown));
  EXPECT_EQ(edit.text(), "-8");
}

TEST(DecimalSpinEdit, ReadOnlyDoesNotStep) {
  DecimalSpinEdit edit;
  edit.setText("5");
  edit.setReadOnly(true);
  QTest::keyClick(&edit, Qt::Key_Up);
  edit.stepBy(1);
  EXPECT_EQ(edit.text(), "5");
}

struct TypingCase {
  Range range;
  QString keys;
  QString typed;
};

class DecimalSpinEditTyping : public testing::TestWithParam<TypingCase> {};

TEST_P(DecimalSpinEditTyping, TakesOnlyDigitsAndALeadingMinus) {
  DecimalSpinEdit edit;
  edit.setRange(GetParam().range.minimum, GetParam().range.maximum);
  TypeOver(&edit, GetParam().keys);
  EXPECT_EQ(edit.text(), GetParam().typed);
}

INSTANTIATE_TEST_SUITE_P(
    Typing, DecimalSpinEditTyping,
    testing::Values(TypingCase{{0, 255}, "12a3", "123"}, TypingCase{{0, 255}, "-5", "5"},
                    TypingCase{{0, 255}, "+5", "5"}, TypingCase{{0, 255}, "1.5", "15"},
                    TypingCase{{-255, 255}, "-5", "-5"}, TypingCase{{-255, 255}, "5-", "5"},
                    TypingCase{{kNoRange, kNoRange}, "-5-3", "-53"},
                    TypingCase{{kNoRange, kNoRange}, "--7", "-7"},
                    TypingCase{{kNoRange, kNoRange}, " 1 ", "1"}));

TEST(DecimalSpinEdit, RefusesTypingInFrontOfTheSign) {
  DecimalSpinEdit edit;
  edit.setText("-5");
  QTest::keyClick(&edit, Qt::Key_Home);
  QTest::keyClicks(&edit, "3-");
  EXPECT_EQ(edit.text(), "-5");
}

TEST(DecimalSpinEdit, LetsTheUserTrimAStrangeText) {
  DecimalSpinEdit edit;
  edit.setText("18000  ; x");
  QTest::keyClick(&edit, Qt::Key_End);
  for (int i = 0; i < 5; ++i) QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.text(), "18000");
  QTest::keyClicks(&edit, "9;");
  EXPECT_EQ(edit.text(), "180009");
}

struct LeaveCase {
  Range range;
  QString typed;
  QString left;
};

class DecimalSpinEditLeave : public testing::TestWithParam<LeaveCase> {};

TEST_P(DecimalSpinEditLeave, ClampsATypedNumberWhenLeaving) {
  DecimalSpinEdit edit;
  edit.setRange(GetParam().range.minimum, GetParam().range.maximum);
  TypeOver(&edit, GetParam().typed);
  ASSERT_EQ(edit.text(), GetParam().typed);
  LeaveField(&edit);
  EXPECT_EQ(edit.text(), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(Leave, DecimalSpinEditLeave,
                         testing::Values(LeaveCase{{0, 255}, "300", "255"},
                                         LeaveCase{{-255, 255}, "-300", "-255"},
                                         LeaveCase{{5, 10}, "3", "5"},
                                         LeaveCase{{0, 1000000000}, "2000000000", "1000000000"},
                                         LeaveCase{{0, 255}, "007", "007"},
                                         LeaveCase{{-255, 255}, "-", "-"},
                                         LeaveCase{{kNoRange, kNoRange}, "-99999", "-99999"}));

TEST(DecimalSpinEdit, ClampsWhenTabMovesTheFocusOn) {
  QWidget window;
  auto* edit = new DecimalSpinEdit(&window);
  auto* next = new DecimalSpinEdit(&window);
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(edit);
  layout->addWidget(next);
  edit->setRange(0, 255);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  edit->setFocus();
  TypeOver(edit, "256");
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(edit->text(), "255");
}

TEST(DecimalSpinEdit, ClampsWhenEnterIsPressed) {
  DecimalSpinEdit edit;
  edit.setRange(0, 500);
  TypeOver(&edit, "999");
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_EQ(edit.text(), "500");
}

TEST(DecimalSpinEdit, SetValueClampsAndShowsDecimal) {
  DecimalSpinEdit edit;
  edit.setRange(-255, 255);
  edit.setValue(-7);
  EXPECT_EQ(edit.text(), "-7");
  edit.setValue(1000);
  EXPECT_EQ(edit.text(), "255");
  edit.setRange(0, kMirror);
  edit.setValue(kMirror);
  EXPECT_EQ(edit.text(), "99999999999999");
}

TEST(DecimalSpinEdit, SignalsEveryChangeOfText) {
  DecimalSpinEdit edit;
  edit.setRange(0, 255);
  QSignalSpy spy(&edit, &DecimalSpinEdit::textChanged);
  edit.setText("abc");
  TypeOver(&edit, "4");
  QTest::keyClick(&edit, Qt::Key_Up);
  edit.setValue(9);
  QStringList seen;
  for (const QList<QVariant>& arguments : spy) seen << arguments.at(0).toString();
  EXPECT_EQ(seen, QStringList({"abc", "4", "5", "9"}));
}

}  // namespace
}  // namespace scriptdesk
