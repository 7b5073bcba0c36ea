#include "ui/widgets/decimal_spin_edit.h"

#include <gtest/gtest.h>

#include <limits>

#include <QClipboard>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "ui/widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

using test::LeaveField;
using test::TypeOver;

constexpr qint64 kNoRange = 0;
constexpr qint64 kMirror = 99999999999999;
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

struct Range {
  qint64 minimum;
  qint64 maximum;
};
const Range kNone{kNoRange, kNoRange};

// An edit with the range; without one (0, 0) it takes any 64-bit number.
std::unique_ptr<DecimalSpinEdit> Edit(Range range) {
  auto edit = std::make_unique<DecimalSpinEdit>();
  edit->setRange(range.minimum, range.maximum);
  return edit;
}

TEST(DecimalSpinEdit, KeepsTextAndReadsItsValue) {
  // clang-format off
  const struct { Range range; QString text; qint64 value; } cases[] = {
      {{0, 1000000000}, "18000  ; frames * seconds = 60x30", 0}, {{0, 255}, "", 0},
      {{5, 10}, "abc", 5}, {{0, 255}, "007", 7}, {{0, 255}, "300", 255}, {{-255, 255}, "-7", -7},
      {{-255, 255}, "-300", -255}, {kNone, "-533", -533}, {kNone, " 84246 ", 84246},
      {kNone, "+12", 12}, {kNone, "1 2", 0}, {{0, kMirror}, "99999999999999", kMirror},
      {{0, kMirror}, "123456789012345678901234", kMirror}, {kNone, "99999999999999999999", kMax},
      {kNone, "-99999999999999999999", kMin}};
  // clang-format on
  for (const auto& c : cases) {
    auto edit = Edit(c.range);
    edit->setText(c.text);
    EXPECT_EQ(edit->text(), c.text);
    EXPECT_EQ(edit->value(), c.value) << c.text.toStdString();
    LeaveField(edit.get());  // text that was set, not typed, survives leaving the field
    EXPECT_EQ(edit->text(), c.text);
  }
}

TEST(DecimalSpinEdit, StepsFromTheParsedClampedNumber) {
  // clang-format off
  const struct { Range range; QString text; Qt::Key key; QString stepped; } cases[] = {
      {{0, 1000000000}, "18000  ; frames", Qt::Key_Up, "1"},
      {{0, 1000000000}, "18000", Qt::Key_Up, "18001"}, {{0, 255}, "", Qt::Key_Up, "1"},
      {{5, 10}, "", Qt::Key_Up, "6"}, {{0, 255}, "255", Qt::Key_Up, "255"},
      {{0, 255}, "0", Qt::Key_Down, "0"}, {{0, 255}, "300", Qt::Key_Down, "254"},
      {{0, 255}, "007", Qt::Key_Up, "8"}, {{-255, 255}, "-255", Qt::Key_Down, "-255"},
      {{-255, 255}, "0", Qt::Key_Down, "-1"}, {kNone, "-533", Qt::Key_Up, "-532"},
      {kNone, "0", Qt::Key_Down, "-1"}, {kNone, "0", Qt::Key_PageUp, "10"},
      {{0, kMirror}, "99999999999998", Qt::Key_Up, "99999999999999"},
      {{0, kMirror}, "99999999999999", Qt::Key_Up, "99999999999999"},
      // Without a range a step stops at the ends of the 32-bit numbers the compiler reads.
      {kNone, "2147483647", Qt::Key_Up, "2147483647"},
      {kNone, "-2147483648", Qt::Key_Down, "-2147483648"},
      {kNone, "9223372036854775807", Qt::Key_Down, "2147483647"}};
  // clang-format on
  for (const auto& c : cases) {
    auto edit = Edit(c.range);
    edit->setText(c.text);
    QTest::keyClick(edit.get(), c.key);
    EXPECT_EQ(edit->text(), c.stepped) << c.text.toStdString();
  }
}

TEST(DecimalSpinEdit, StepsWithTheWheel) {
  auto edit = Edit({0, 255});
  edit->setText("95");
  const QPointF at(5, 5);
  QWheelEvent wheel(at, edit->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(edit.get(), &wheel);
  EXPECT_EQ(edit->text(), "96");
}

TEST(DecimalSpinEdit, StepsWithTheArrowButtons) {
  auto edit = Edit({-255, 255});
  edit->setText("-7");
  edit->resize(edit->sizeHint());
  QStyleOptionSpinBox option;
  option.initFrom(edit.get());
  option.subControls = QStyle::SC_All;
  option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
  const auto click = [&](QStyle::SubControl control) {
    const QRect rect =
        edit->style()->subControlRect(QStyle::CC_SpinBox, &option, control, edit.get());
    QTest::mouseClick(edit.get(), Qt::LeftButton, Qt::NoModifier, rect.center());
  };
  click(QStyle::SC_SpinBoxUp);
  EXPECT_EQ(edit->text(), "-6");
  click(QStyle::SC_SpinBoxDown);
  click(QStyle::SC_SpinBoxDown);
  EXPECT_EQ(edit->text(), "-8");
}

TEST(DecimalSpinEdit, ReadOnlyDoesNotStep) {
  DecimalSpinEdit edit;
  edit.setText("5");
  edit.setReadOnly(true);
  QTest::keyClick(&edit, Qt::Key_Up);
  edit.stepBy(1);
  EXPECT_EQ(edit.text(), "5");
}

TEST(DecimalSpinEdit, TakesOnlyDigitsAndALeadingMinus) {
  // clang-format off
  const struct { Range range; QString keys; QString typed; } cases[] = {
      {{0, 255}, "12a3", "123"}, {{0, 255}, "-5", "5"}, {{0, 255}, "+5", "5"},
      {{0, 255}, "1.5", "15"}, {{-255, 255}, "-5", "-5"}, {{-255, 255}, "5-", "5"},
      {kNone, "-5-3", "-53"}, {kNone, "--7", "-7"}, {kNone, " 1 ", "1"}};
  // clang-format on
  for (const auto& c : cases) {
    auto edit = Edit(c.range);
    TypeOver(edit.get(), c.keys);
    EXPECT_EQ(edit->text(), c.typed) << c.keys.toStdString();
  }
}

// The game's compiler keeps numbers as 32-bit integers; a longer one would be read as another.
TEST(DecimalSpinEdit, TypingStopsAtThirtyTwoBits) {
  // clang-format off
  const struct { Range range; QString keys; QString typed; } cases[] = {
      {kNone, "123456789012345678901234567890", "1234567890"}, {kNone, "2147483647", "2147483647"},
      {kNone, "2147483648", "214748364"}, {kNone, "-2147483648", "-2147483648"},
      {kNone, "-2147483649", "-214748364"}, {{0, kMirror}, "99999999999999", "999999999"},
      {{0, 1000000000}, "3000000000", "300000000"}};
  // clang-format on
  for (const auto& c : cases) {
    auto edit = Edit(c.range);
    TypeOver(edit.get(), c.keys);
    EXPECT_EQ(edit->text(), c.typed) << c.keys.toStdString();
  }
  // A pasted number that does not fit is refused whole; a comment after a number does not count.
  auto edit = Edit(kNone);
  edit->setText("12 ; camera");
  QTest::keyClick(edit.get(), Qt::Key_Home);
  QTest::keyClicks(edit.get(), "9");
  EXPECT_EQ(edit->text(), "912 ; camera");
  TypeOver(edit.get(), "5");
  QApplication::clipboard()->setText("123456789012345678901234567890");
  QTest::keyClick(edit.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), "5");
}

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

TEST(DecimalSpinEdit, ClampsATypedNumberWhenLeavingOrOnEnter) {
  // clang-format off
  const struct {
    Range range;
    QString typed;
    QString left;
    bool enter;  // Return pressed instead of leaving the field
  } cases[] = {
      {{0, 255}, "300", "255", false}, {{-255, 255}, "-300", "-255", false},
      {{5, 10}, "3", "5", false}, {{0, 1000000000}, "2000000000", "1000000000", false},
      {{0, 255}, "007", "007", false}, {{-255, 255}, "-", "-", false},
      {kNone, "-99999", "-99999", false}, {{0, 500}, "999", "500", true}};
  // clang-format on
  for (const auto& c : cases) {
    auto edit = Edit(c.range);
    TypeOver(edit.get(), c.typed);
    ASSERT_EQ(edit->text(), c.typed);
    if (c.enter) {
      QTest::keyClick(edit.get(), Qt::Key_Return);
    } else {
      LeaveField(edit.get());
    }
    EXPECT_EQ(edit->text(), c.left) << c.typed.toStdString();
  }
}

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

TEST(DecimalSpinEdit, SetValueClampsAndShowsDecimal) {
  auto edit = Edit({-255, 255});
  edit->setValue(-7);
  EXPECT_EQ(edit->text(), "-7");
  edit->setValue(1000);
  EXPECT_EQ(edit->text(), "255");
  edit->setRange(0, kMirror);
  edit->setValue(kMirror);
  EXPECT_EQ(edit->text(), "99999999999999");
}

TEST(DecimalSpinEdit, SignalsEveryChangeOfText) {
  auto edit = Edit({0, 255});
  QSignalSpy spy(edit.get(), &DecimalSpinEdit::textChanged);
  edit->setText("abc");
  TypeOver(edit.get(), "4");
  QTest::keyClick(edit.get(), Qt::Key_Up);
  edit->setValue(9);
  QStringList seen;
  for (const QList<QVariant>& arguments : spy) seen << arguments.at(0).toString();
  EXPECT_EQ(seen, QStringList({"abc", "4", "5", "9"}));
}

}  // namespace
}  // namespace scriptdesk
