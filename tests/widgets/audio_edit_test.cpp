#include "widgets/audio_edit.h"

#include <gtest/gtest.h>

#include "widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

using test::LeaveField;
using test::TypeOver;

struct ShowCase {
  QString given;
  QString shown;
};

class AudioEditShow : public testing::TestWithParam<ShowCase> {};

TEST_P(AudioEditShow, ZeroFillsTrackNumbersAndKeepsOtherTexts) {
  AudioEdit edit;
  edit.setText(GetParam().given);
  EXPECT_EQ(edit.text(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Shown, AudioEditShow,
                         testing::Values(ShowCase{"1", "001"}, ShowCase{"7", "007"},
                                         ShowCase{"12", "012"}, ShowCase{"0", "000"},
                                         ShowCase{"999", "999"}, ShowCase{"0012", "012"},
                                         ShowCase{"1000", "1000"}, ShowCase{"", ""},
                                         ShowCase{"abc", "abc"}, ShowCase{"-1", "-1"},
                                         ShowCase{" 5", " 5"}));

TEST(AudioEdit, StartsAtTrackZero) {
  EXPECT_EQ(AudioEdit().text(), "000");
}

struct TypingCase {
  QString keys;
  QString typed;
  QString left;
};

class AudioEditTyping : public testing::TestWithParam<TypingCase> {};

TEST_P(AudioEditTyping, TakesThreeDigitsAndZeroFillsWhenLeaving) {
  AudioEdit edit;
  TypeOver(&edit, GetParam().keys);
  EXPECT_EQ(edit.text(), GetParam().typed);
  LeaveField(&edit);
  EXPECT_EQ(edit.text(), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(Typing, AudioEditTyping,
                         testing::Values(TypingCase{"7", "7", "007"}, TypingCase{"12", "12", "012"},
                                         TypingCase{"12a34", "123", "123"},
                                         TypingCase{"-5", "5", "005"},
                                         TypingCase{"x", "000", "000"}));

struct StepCase {
  QString text;
  Qt::Key key;
  QString stepped;
};

class AudioEditStep : public testing::TestWithParam<StepCase> {};

TEST_P(AudioEditStep, StepsWithinTheTrackRange) {
  AudioEdit edit;
  edit.setText(GetParam().text);
  QTest::keyClick(&edit, GetParam().key);
  EXPECT_EQ(edit.text(), GetParam().stepped);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, AudioEditStep,
    testing::Values(StepCase{"001", Qt::Key_Down, "000"}, StepCase{"000", Qt::Key_Down, "000"},
                    StepCase{"998", Qt::Key_Up, "999"}, StepCase{"999", Qt::Key_Up, "999"},
                    StepCase{"", Qt::Key_Up, "001"}, StepCase{"abc", Qt::Key_Up, "001"},
                    StepCase{"1000", Qt::Key_Down, "998"}, StepCase{"5", Qt::Key_PageUp, "015"}));

}  // namespace
}  // namespace scriptdesk
