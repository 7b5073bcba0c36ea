#include "core/platform/text_lines.h"

#include <gtest/gtest.h>

namespace scriptdesk {
namespace {

TEST(TextLines, AppendingATextFollowsTheMemoRules) {
  struct Case {
    const char* text;
    Lines added;
  };
  const Case cases[] = {
      {"", {""}},
      {"a", {"a"}},
      {"a\r\n", {"a", ""}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\r\n", {"a\nb", ""}},  // only CR LF breaks a line
  };
  for (const auto& c : cases) {
    Lines pane = {"top"};
    AppendText(pane, c.text);
    Lines expected = {"top"};
    expected.insert(expected.end(), c.added.begin(), c.added.end());
    EXPECT_EQ(pane, expected) << "text '" << c.text << "'";
  }
}

TEST(TextLines, AnAppendedListIsFollowedByOneEmptyLine) {
  Lines pane;
  AppendList(pane, {});
  AppendList(pane, {"x", "y"});
  EXPECT_EQ(pane, (Lines{"", "x", "y", ""}));
}

TEST(TextLines, FileFormEndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinCrLf({}), "");
  EXPECT_EQ(JoinCrLf({"", "a\tb "}), "\r\na\tb \r\n");
}

TEST(TextLines, FileLinesSplitAtAnyLineEnd) {
  EXPECT_EQ(SplitFileLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitFileLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitFileLines(""), Lines{});
}

}  // namespace
}  // namespace scriptdesk
