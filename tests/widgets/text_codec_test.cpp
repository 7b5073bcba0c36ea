#include "widgets/text_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

std::string Byte(int b) {
  return std::string(1, static_cast<char>(b));
}

TEST(TextCodec, EveryByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const QString text = ToQt(Byte(b));
    ASSERT_EQ(text.size(), 1) << "byte " << b;
    EXPECT_EQ(FromQt(text), Byte(b)) << "byte " << b;
    EXPECT_EQ(EncodeAnsi(text), Byte(b)) << "byte " << b;
  }
}

#ifndef Q_OS_WIN
TEST(TextCodec, BuiltInTableAgreesWithPlatformCodec) {
  for (int b = 0; b < 256; ++b) {
    const QString text = DecodeWindows1252(Byte(b));
    EXPECT_EQ(text, ToQt(Byte(b))) << "byte " << b;
    EXPECT_EQ(EncodeWindows1252(text), Byte(b)) << "byte " << b;
  }
}

struct CharacterCase {
  char16_t character;
  int byte;
};

class TextCodecCharacters : public testing::TestWithParam<CharacterCase> {};

TEST_P(TextCodecCharacters, MapsCharacterToByte) {
  const QString text(QChar(GetParam().character));
  EXPECT_EQ(FromQt(text), Byte(GetParam().byte));
  EXPECT_EQ(ToQt(Byte(GetParam().byte)), text);
  EXPECT_EQ(DecodeWindows1252(Byte(GetParam().byte)), text);
}

INSTANTIATE_TEST_SUITE_P(Windows1252, TextCodecCharacters,
                         testing::Values(CharacterCase{u'\u20AC', 0x80},  // euro sign
                                         CharacterCase{u'\u0081', 0x81},  // unassigned byte
                                         CharacterCase{u'\u201A', 0x82},
                                         CharacterCase{u'\u009D', 0x9D},
                                         CharacterCase{u'\u0178', 0x9F},
                                         CharacterCase{u'\u00A0', 0xA0},
                                         CharacterCase{u'\u00D6', 0xD6},  // O with diaeresis
                                         CharacterCase{u'\u00FF', 0xFF}));
#endif

TEST(TextCodec, ReportsCharactersWithoutAByte) {
  const QString chinese = QString::fromUtf8("\xE4\xB8\xAD");
  const QString aMacron = QString::fromUtf8("\xC4\x81");  // a "best fit" encoder would give 'a'
  const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
  for (const QString& text : {chinese, aMacron, emoji}) {
    EXPECT_EQ(EncodeAnsi(text), std::nullopt) << text.toStdString();
    EXPECT_EQ(EncodeWindows1252(text), std::nullopt) << text.toStdString();
  }
  EXPECT_EQ(EncodeAnsi(QStringLiteral("plain")), "plain");
}

TEST(TextCodec, LossyConversionReplacesEachForeignCharacterOnce) {
  EXPECT_EQ(FromQt(QString::fromUtf8("a\xE4\xB8\xAD\xC3\x96z")), "a?\xD6z");
  EXPECT_EQ(FromQt(QString::fromUtf8("x\xF0\x9F\x98\x80y")), "x?y");
  EXPECT_EQ(FromQt(QString()), "");
}

struct PaneCase {
  QString text;
  Lines lines;
};

class TextCodecPanes : public testing::TestWithParam<PaneCase> {};

TEST_P(TextCodecPanes, SplitsAndJoinsAtLineFeeds) {
  EXPECT_EQ(LinesFromQt(GetParam().text), GetParam().lines);
  EXPECT_EQ(LinesToQt(GetParam().lines), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Panes, TextCodecPanes,
    testing::Values(PaneCase{QString(), {}}, PaneCase{QStringLiteral("a"), {"a"}},
                    PaneCase{QStringLiteral("a\n"), {"a", ""}},
                    PaneCase{QStringLiteral("\n"), {"", ""}},
                    PaneCase{QStringLiteral("a\n\nb"), {"a", "", "b"}},
                    PaneCase{QString::fromUtf8("\xE2\x82\xAC 1\n\xC3\x96"), {"\x80 1", "\xD6"}}));

TEST(TextCodec, OneEmptyLineShowsAsAnEmptyPane) {
  EXPECT_EQ(LinesToQt({""}), QString());
}

}  // namespace
}  // namespace scriptdesk
