#include "ui/widgets/text_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/widgets/widget_test_helpers.h"

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

TEST(TextCodec, MapsCharacterToByte) {
  const struct {
    char16_t character;
    int byte;
  } cases[] = {{u'\u20AC', 0x80},  // euro sign
               {u'\u0081', 0x81},  // unassigned byte
               {u'\u201A', 0x82}, {u'\u009D', 0x9D}, {u'\u0178', 0x9F},
               {u'\u00A0', 0xA0}, {u'\u00D6', 0xD6},  // O with diaeresis
               {u'\u00FF', 0xFF}};
  for (const auto& c : cases) {
    const QString text(QChar(c.character));
    EXPECT_EQ(FromQt(text), Byte(c.byte)) << c.byte;
    EXPECT_EQ(ToQt(Byte(c.byte)), text) << c.byte;
    EXPECT_EQ(DecodeWindows1252(Byte(c.byte)), text) << c.byte;
  }
}
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

TEST(TextCodec, SplitsAndJoinsAtLineFeeds) {
  const struct {
    QString text;
    Lines lines;
  } cases[] = {{QString(), {}},
               {QStringLiteral("a"), {"a"}},
               {QStringLiteral("a\n"), {"a", ""}},
               {QStringLiteral("\n"), {"", ""}},
               {QStringLiteral("a\n\nb"), {"a", "", "b"}},
               {QString::fromUtf8("\xE2\x82\xAC 1\n\xC3\x96"), {"\x80 1", "\xD6"}}};
  for (const auto& c : cases) {
    EXPECT_EQ(LinesFromQt(c.text), c.lines) << c.text.toStdString();
    EXPECT_EQ(LinesToQt(c.lines), c.text);
  }
}

TEST(TextCodec, AFileShownInAPaneGivesItsBytesBack) {
  const std::string files[] = {
      "",
      "\r\n",
      "a\r\nb",
      "a\nb\n",
      "a\r\nb\nc\rd\r\n",                       // mixed line ends
      "\xEF\xBB\xBFName= Caf\xC3\xA9 \xC5\x81\n",  // UTF-8, a byte-order mark
      "Name= Caf\xE9\xA0\r\n",                    // ANSI
  };
  for (const std::string& bytes : files) {
    const TextDocument file = TextDocument::FromBytes(bytes);
    int badLine = 0;
    EXPECT_EQ(DocumentBytesFromQt(DocumentToQt(file), file, badLine), bytes) << bytes;
  }
}

TEST(TextCodec, AnEditedPaneKeepsTheFilesEncodingAndLineEnds) {
  const struct {
    std::string file;
    QString pane;
    std::optional<std::string> bytes;
    int badLine;
  } cases[] = {
      {"a\nb", QString::fromUtf8("a\nb\xC3\xA9\nc"), "a\nb\xE9\nc", 0},
      {"\xEF\xBB\xBF\xC5\x81\r\n", QString::fromUtf8("\xC5\x81\n\xE4\xB8\xAD\n"),
       "\xEF\xBB\xBF\xC5\x81\r\n\xE4\xB8\xAD\r\n", 0},
      {"a\r\n", QString::fromUtf8("a\n\xE4\xB8\xAD\n"), std::nullopt, 2},
  };
  for (const auto& c : cases) {
    int badLine = 0;
    EXPECT_EQ(DocumentBytesFromQt(c.pane, TextDocument::FromBytes(c.file), badLine), c.bytes)
        << c.file;
    EXPECT_EQ(badLine, c.badLine) << c.file;
  }
}

TEST(TextCodec, OneEmptyLineShowsAsAnEmptyPane) {
  EXPECT_EQ(LinesToQt({""}), QString());
}

}  // namespace
}  // namespace scriptdesk
