#include "ui/widgets/audio_edit.h"

#include <gtest/gtest.h>

#include "ui/widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

using test::LeaveField;
using test::TypeOver;

TEST(AudioEdit, ZeroFillsTrackNumbersAndKeepsOtherTexts) {
  EXPECT_EQ(AudioEdit().text(), "000");  // a new edit starts at track zero
  // clang-format off
  const struct { QString given; QString shown; } cases[] = {
      {"1", "001"}, {"7", "007"}, {"12", "012"}, {"0", "000"}, {"999", "999"}, {"0012", "012"},
      {"1000", "1000"}, {"", ""}, {"abc", "abc"}, {"-1", "-1"}, {" 5", " 5"}};
  // clang-format on
  for (const auto& c : cases) {
    AudioEdit edit;
    edit.setText(c.given);
    EXPECT_EQ(edit.text(), c.shown) << c.given.toStdString();
  }
}

TEST(AudioEdit, TakesThreeDigitsAndZeroFillsWhenLeaving) {
  // clang-format off
  const struct { QString keys; QString typed; QString left; } cases[] = {
      {"7", "7", "007"}, {"12", "12", "012"}, {"12a34", "123", "123"}, {"-5", "5", "005"},
      {"x", "000", "000"}};
  // clang-format on
  for (const auto& c : cases) {
    AudioEdit edit;
    TypeOver(&edit, c.keys);
    EXPECT_EQ(edit.text(), c.typed) << c.keys.toStdString();
    LeaveField(&edit);
    EXPECT_EQ(edit.text(), c.left) << c.keys.toStdString();
  }
}

TEST(AudioEdit, StepsWithinTheTrackRange) {
  // clang-format off
  const struct { QString text; Qt::Key key; QString stepped; } cases[] = {
      {"001", Qt::Key_Down, "000"}, {"000", Qt::Key_Down, "000"}, {"998", Qt::Key_Up, "999"},
      {"999", Qt::Key_Up, "999"}, {"", Qt::Key_Up, "001"}, {"abc", Qt::Key_Up, "001"},
      {"1000", Qt::Key_Down, "998"}, {"5", Qt::Key_PageUp, "015"}};
  // clang-format on
  for (const auto& c : cases) {
    AudioEdit edit;
    edit.setText(c.text);
    QTest::keyClick(&edit, c.key);
    EXPECT_EQ(edit.text(), c.stepped) << c.text.toStdString();
  }
}

}  // namespace
}  // namespace scriptdesk
