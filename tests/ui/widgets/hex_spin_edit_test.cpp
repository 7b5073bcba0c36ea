#include "ui/widgets/hex_spin_edit.h"

#include <gtest/gtest.h>

#include "ui/widgets/widget_test_helpers.h"

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

TEST(HexSpinEdit, StepsToUpperCaseWithoutLeadingZeros) {
  // clang-format off
  const struct { QString text; Qt::Key key; QString stepped; } cases[] = {
      {"0300", Qt::Key_Up, "301"}, {"000a", Qt::Key_Up, "B"}, {"c000", Qt::Key_Down, "BFFF"},
      {"", Qt::Key_Up, "1"}, {"", Qt::Key_Down, ""}, {"0", Qt::Key_Down, "0"},
      {"FFFF", Qt::Key_Up, "FFFF"}, {"ffff", Qt::Key_Down, "FFFE"},
      {"12345", Qt::Key_Down, "FFFE"}, {"zz", Qt::Key_Up, "1"}, {"0", Qt::Key_PageUp, "A"},
      {"FFFA", Qt::Key_PageUp, "FFFF"}};
  // clang-format on
  for (const auto& c : cases) {
    HexSpinEdit edit;
    edit.setText(c.text);
    QTest::keyClick(&edit, c.key);
    EXPECT_EQ(edit.text(), c.stepped) << c.text.toStdString();
  }
}

TEST(HexSpinEdit, TakesAtMostFourHexDigits) {
  // clang-format off
  const struct { QString keys; QString typed; } cases[] = {
      {"c0g0x", "c00"}, {"12345", "1234"}, {"-1", "1"}, {"+a", "a"}, {"aBcD", "aBcD"},
      {"0 3", "03"}};
  // clang-format on
  for (const auto& c : cases) {
    HexSpinEdit edit;
    TypeOver(&edit, c.keys);
    EXPECT_EQ(edit.text(), c.typed) << c.keys.toStdString();
    LeaveField(&edit);
    EXPECT_EQ(edit.text(), c.typed) << c.keys.toStdString();
  }
}

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
