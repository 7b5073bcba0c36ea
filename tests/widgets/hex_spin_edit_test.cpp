#include "widgets/hex_spin_edit.h"

#include <gtest/gtest.h>

#include "widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

using test::LeaveField;
using test::TypeOver;

TEST(HexSpinEdit, ShowsTextsAsGiven) {
  HexSpinEdit edit;
  for (const QString text : {"000a", "c000", "0300", "", "12345", "zz"}) {
    edit.setText(text);
    EXPECT_EQ(edit.text(), text);
    LeaveField(&edit);
    EXPECT_EQ(edit.text(), text);
  }
}

struct StepCase {
  QString text;
  Qt::Key key;
  QString stepped;
};

class HexSpinEditStep : public testing::TestWithParam<StepCase> {};

TEST_P(HexSpinEditStep, StepsToUpperCaseWithoutLeadingZeros) {
  HexSpinEdit edit;
  edit.setText(GetParam().text);
  QTest::keyClick(&edit, GetParam().key);
  EXPECT_EQ(edit.text(), GetParam().stepped);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, HexSpinEditStep,
    testing::Values(StepCase{"0300", Qt::Key_Up, "301"}, StepCase{"000a", Qt::Key_Up, "B"},
                    StepCase{"c000", Qt::Key_Down, "BFFF"}, StepCase{"", Qt::Key_Up, "1"},
                    StepCase{"", Qt::Key_Down, ""}, StepCase{"0", Qt::Key_Down, "0"},
                    StepCase{"FFFF", Qt::Key_Up, "FFFF"}, StepCase{"ffff", Qt::Key_Down, "FFFE"},
                    StepCase{"12345", Qt::Key_Down, "FFFE"}, StepCase{"zz", Qt::Key_Up, "1"},
                    StepCase{"0", Qt::Key_PageUp, "A"}, StepCase{"FFFA", Qt::Key_PageUp, "FFFF"}));

struct TypingCase {
  QString keys;
  QString typed;
};

class HexSpinEditTyping : public testing::TestWithParam<TypingCase> {};

TEST_P(HexSpinEditTyping, TakesAtMostFourHexDigits) {
  HexSpinEdit edit;
  TypeOver(&edit, GetParam().keys);
  EXPECT_EQ(edit.text(), GetParam().typed);
  LeaveField(&edit);
  EXPECT_EQ(edit.text(), GetParam().typed);
}

INSTANTIATE_TEST_SUITE_P(Typing, HexSpinEditTyping,
                         testing::Values(TypingCase{"c0g0x", "c00"}, TypingCase{"12345", "1234"},
                                         TypingCase{"-1", "1"}, TypingCase{"+a", "a"},
                                         TypingCase{"aBcD", "aBcD"}, TypingCase{"0 3", "03"}));

TEST(HexSpinEdit, LongTextCanOnlyBeShortened) {
  HexSpinEdit edit;
  edit.setText("12345");
  QTest::keyClick(&edit, Qt::Key_End);
  QTest::keyClicks(&edit, "6");
  EXPECT_EQ(edit.text(), "12345");
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.text(), "1234");
}

}  // namespace
}  // namespace scriptdesk
