#include "core/platform/ini_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "core/platform/errors.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

// An object over bytes in memory that never writes them anywhere.
struct Over {
  explicit Over(std::string bytes) : ini(IniFile::FromBytes("unused.ini", std::move(bytes))) {}
  ~Over() { ini->Discard(); }
  IniFile* operator->() const { return ini.get(); }
  IniFile& operator*() const { return *ini; }
  std::unique_ptr<IniFile> ini;
};

TEST(IniFileRead, FollowsProfileLookupRules) {
  auto ini = Over(
      "Orphan=before any section\r\n"
      "[Options]\r\n"
      "LoadSave=ENABLED\r\n"
      "loadsave=second line\r\n"
      "; Comment=never a key\r\n"
      "   ;Indented=comment too\r\n"
      "no equals sign here\r\n"
      "=no key\r\n"
      " \t Spaced Key \t=\t  spaced value \t \r\n"
      "Empty=\r\n"
      "Inner=a = b\r\n"
      "  [ Title ] trailing\r\n"
      "Level=DATA\\TITLE\r\n"
      "[OPTIONS]\r\n"
      "Hidden=in the second section\r\n"
      "LoadSave=DISABLED\r\n");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"Options", "LoadSave", "ENABLED"}, {"options", "LOADSAVE", "ENABLED"},
      {"Options", "Comment", "<none>"},   {"Options", "; Comment", "<none>"},
      {"Options", ";Indented", "<none>"}, {"Options", "no equals sign here", "<none>"},
      {"Options", "", "<none>"},          {"Options", "Spaced Key", "spaced value"},
      {"Options", "Empty", ""},           {"Options", "Inner", "a = b"},
      {"Title", "Level", "DATA\\TITLE"},  {"Options", "Hidden", "<none>"},
      {"", "Orphan", "<none>"},           {"Missing", "LoadSave", "<none>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ini->ReadString(c.section, c.key, "<none>"), c.expected)
        << "[" << c.section << "] " << c.key;
  }
}

TEST(IniFileRead, ReadsDuplicateKeysInFileOrderByDeleting) {
  auto ini = Over(
      "[Language]\r\nFile=0,ENGLISH.TXT\r\nOther=x\r\nfile=1,FRENCH.TXT\r\n"
      "[Next]\r\nFile=not this one\r\n"
      "[language]\r\nFile=invisible\r\n");
  std::vector<std::string> seen;
  for (int i = 0; i < 8; ++i) {
    auto value = ini->ReadString("Language", "File", "");
    if (value.empty()) break;
    seen.push_back(value);
    ini->DeleteKey("Language", "File");
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"0,ENGLISH.TXT", "1,FRENCH.TXT"}));
  EXPECT_EQ(ini->ReadString("Language", "Other", ""), "x");

  // Once the first section is gone, the next one of that name is the one seen.
  ini->EraseSection("LANGUAGE");
  EXPECT_EQ(ini->ReadString("Language", "File", ""), "invisible");
  EXPECT_EQ(ini->Bytes(), "[Next]\r\nFile=not this one\r\n[language]\r\nFile=invisible\r\n");
}

TEST(IniFileRead, ReadIntegerTrimsThenParsesOrFallsBack) {
  auto ini = Over("[L]\r\nUVrotate=\t 12 \r\nBad=12abc\r\nEmpty=\r\n");
  EXPECT_EQ(ini->ReadInteger("L", "uvrotate", 7), 12);
  for (const char* key : {"Bad", "Empty", "Missing"}) EXPECT_EQ(ini->ReadInteger("L", key, -3), -3);
}

TEST(IniInteger, ParsesDecimalAndBothHexSpellings) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  };
  // clang-format off
  const Case cases[] = {
      {"42", 42},    {"-42", -42},        {"+7", 7},            {"007", 7},
      {"0x1F", 31},  {"0X1f", 31},        {"$ff", 255},         {"$FFFFFFFF", -1},
      {"0x", {}},    {"0xG", {}},         {"$", {}},            {"", {}},
      {"-", {}},     {"12abc", {}},       {"1F", {}},           {"1 2", {}},
      {"-0x1F", {}}, {"2147483648", {}},  {"-2147483649", {}},  {"0x100000000", {}},
      {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"99999999999999999999", {}},
  };
  // clang-format on
  for (const auto& c : cases) {
    std::int32_t value = 0;
    const bool ok = ParseIniInteger(c.text, value);
    EXPECT_EQ(ok ? std::optional(value) : std::nullopt, c.value) << "'" << c.text << "'";
  }
}

TEST(IniFileRead, ReadBoolIsIntegerNotZero) {
  struct Case {
    const char* text;
    bool whenDefaultFalse;
    bool whenDefaultTrue;
  };
  const Case cases[] = {
      {"1", true, true},     {"0", false, false}, {"2", true, true},    {"-1", true, true},
      {"0x1", true, true},   {"$1", true, true},  {"$0", false, false}, {"yes", false, true},
      {"true", false, true}, {"", false, true},
  };
  for (const auto& c : cases) {
    auto ini = Over(std::string("[S]\r\nFlag=") + c.text + "\r\n");
    EXPECT_EQ(ini->ReadBool("S", "Flag", false), c.whenDefaultFalse) << "'" << c.text << "'";
    EXPECT_EQ(ini->ReadBool("S", "Flag", true), c.whenDefaultTrue) << "'" << c.text << "'";
  }
}

TEST(IniFileRead, KeepsLongValuesAndBinaryBytes) {
  using namespace std::string_literals;
  const std::string longValue(5000, 'v');
  const auto bytes =
      "[S]\r\nLong="s + longValue + "\r\nNul=a\0b\r\n\0\0junk\r\n[\0]\r\nK\0=\0\xFF\r\n"s;
  auto ini = Over(bytes);
  EXPECT_EQ(ini->ReadString("S", "Long", ""), longValue);
  EXPECT_EQ(ini->ReadString("S", "Nul", ""), "a\0b"s);
  EXPECT_EQ(ini->ReadString("\0"s, "k\0"s, "-"), "\0\xFF"s);
  EXPECT_EQ(ini->Bytes(), bytes);
}

TEST(IniFileRead, LargeFilesStayFast) {
  std::string bytes;
  for (int i = 0; i < 10000; ++i) {
    bytes += "[Level" + std::to_string(i) + "]\nName=L" + std::to_string(i) + "\nKey=a\nKey=b\n";
  }
  bytes += "[Huge]\rValue=" + std::string(1 << 20, 'x') + "\r";
  auto ini = Over(bytes);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 10000; ++i) {
    const auto section = "level" + std::to_string(i);
    ASSERT_EQ(ini->ReadString(section, "name", ""), "L" + std::to_string(i));
    ini->DeleteKey(section, "Key");
    ASSERT_EQ(ini->ReadString(section, "Key", ""), "b");
    ini->EraseSection(section);
  }
  EXPECT_EQ(ini->ReadString("Huge", "Value", "").size(), std::size_t{1} << 20);
  EXPECT_EQ(ini->Bytes().size(), std::size_t{8 + 6 + (1 << 20) + 2});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(IniFileWrite, ReplacesFirstLineKeepingTheKeysSpelling) {
  auto ini = Over("[Setup]\r\n  CopyPath = old\r\ncopypath=second\r\n");
  ini->WriteString("SETUP", "COPYPATH", "C:\\Game\\data");
  EXPECT_EQ(ini->Bytes(), "[Setup]\r\n  CopyPath = C:\\Game\\data\r\ncopypath=second\r\n");
  EXPECT_EQ(ini->ReadString("setup", "copypath", ""), "C:\\Game\\data");
}

TEST(IniFileWrite, AddsKeyAfterTheSectionsLastKey) {
  auto ini = Over("[A]\r\nX=1\r\n; about B\r\n\r\n[B]\r\n\r\n[A]\r\nY=hidden\r\n");
  ini->WriteString("a", "Y", "2");
  ini->WriteBool("B", "On", true);
  ini->WriteBool("B", "Off", false);
  EXPECT_EQ(
      ini->Bytes(),
      "[A]\r\nX=1\r\nY=2\r\n; about B\r\n\r\n[B]\r\nOn=1\r\nOff=0\r\n\r\n[A]\r\nY=hidden\r\n");
}

TEST(IniFileWrite, BuildsANewFileInWriteOrder) {
  test::TempDir dir;
  const auto path = dir.path() / "Setup.ini";
  {
    IniFile ini(path);
    ini.WriteString("DefaultNum", "N1", "0000");
    ini.WriteString("DefaultNum", "N2", "0001");
    ini.WriteBool("Setup", "Copy", true);
    ini.WriteString("Setup", "CopyPath", "");
    ini.WriteString("DefaultNum", "N3", "0002");
    ini.Close();
  }
  EXPECT_EQ(dir.Read("Setup.ini"),
            "[DefaultNum]\r\nN1=0000\r\nN2=0001\r\nN3=0002\r\n\r\n"
            "[Setup]\r\nCopy=1\r\nCopyPath=\r\n");
  IniFile again(path);
  EXPECT_TRUE(again.ReadBool("setup", "copy", false));
  EXPECT_EQ(again.ReadString("Setup", "CopyPath", "<none>"), "");
}

TEST(IniFileWrite, ValueEndsAtALineBreak) {
  auto ini = Over("");
  ini->WriteString("Setup", "CopyPath", "/tmp/x\nDeleteSource=1");
  EXPECT_EQ(ini->ReadString("Setup", "CopyPath", ""), "/tmp/x");
  auto reread = Over(ini->Bytes());
  EXPECT_EQ(reread->ReadString("Setup", "DeleteSource", "<none>"), "<none>");
}

TEST(IniFileWrite, WriteAfterDeletingTheOnlyLineAddsItAgain) {
  auto ini = Over("[S]\r\nK=1\r\nL=2\r\n");
  ini->DeleteKey("S", "K");
  ini->DeleteKey("S", "K");  // nothing left: no failure
  ini->DeleteKey("Missing", "K");
  EXPECT_EQ(ini->ReadString("S", "K", "<none>"), "<none>");
  ini->WriteString("S", "K", "3");
  EXPECT_EQ(ini->Bytes(), "[S]\r\nL=2\r\nK=3\r\n");
}

TEST(IniFileErase, RemovesHeaderAndLinesUpToTheNextSection) {
  auto ini = Over("top\r\n[Title]\r\nLevel=TITLE\r\n; note\r\n\r\n[Options]\r\nTitle=ENABLED\r\n");
  ini->EraseSection("title");
  ini->EraseSection("Nowhere");
  EXPECT_EQ(ini->ReadString("Title", "Level", "<none>"), "<none>");
  EXPECT_EQ(ini->ReadString("Options", "Title", ""), "ENABLED");
  EXPECT_EQ(ini->Bytes(), "top\r\n[Options]\r\nTitle=ENABLED\r\n");
  ini->WriteString("Title", "Level", "NEW");
  EXPECT_EQ(ini->Bytes(), "top\r\n[Options]\r\nTitle=ENABLED\r\n\r\n[Title]\r\nLevel=NEW\r\n");
}

TEST(IniFileFile, NothingIsWrittenWhenNothingChanged) {
  test::TempDir dir;
  const std::string bytes = "[Setup]\nCopy=1\n";  // LF ends would become CR LF on a rewrite
  const auto path = dir.Write("Setup.ini", bytes);
  const auto old = fs::last_write_time(path) - std::chrono::hours(1);
  fs::last_write_time(path, old);
  {
    IniFile ini(path);
    EXPECT_TRUE(ini.ReadBool("Setup", "Copy", false));
    ini.WriteBool("Setup", "Copy", true);
    ini.WriteString("setup", "copy", " 1 ");
    ini.DeleteKey("Setup", "Missing");
    ini.EraseSection("Missing");
    ini.Close();
    IniFile missing(dir.path() / "none.ini");
    EXPECT_EQ(missing.ReadString("DefaultNum", "N1", "0000"), "0000");
    missing.DeleteKey("DefaultNum", "N1");
  }
  EXPECT_EQ(dir.Read("Setup.ini"), bytes);
  EXPECT_EQ(fs::last_write_time(path), old);
  EXPECT_FALSE(dir.Exists("none.ini"));
}

TEST(IniFileFile, ChangesAreWrittenOnceAtCloseWithCrLf) {
  test::TempDir dir;
  const auto path = dir.Write("temp.ini", "[A]\rK=1\n[B]\r\nK=2\n");
  IniFile ini(path);
  ini.DeleteKey("A", "K");
  EXPECT_EQ(dir.Read("temp.ini"), "[A]\rK=1\n[B]\r\nK=2\n");
  ini.Close();
  EXPECT_EQ(dir.Read("temp.ini"), "[A]\r\n[B]\r\nK=2\r\n");
}

TEST(IniFileFile, FromBytesWritesToItsPathOnlyWhenChanged) {
  test::TempDir dir;
  const auto path = dir.path() / "temp.ini";
  IniFile::FromBytes(path, "[A]\r\nK=1\r\n")->Close();
  EXPECT_FALSE(dir.Exists("temp.ini"));
  auto ini = IniFile::FromBytes(path, "[A]\r\nK=1\r\n");
  ini->EraseSection("A");
  ini.reset();  // the destructor flushes too
  EXPECT_EQ(dir.Read("temp.ini"), "");
}

TEST(IniFileFile, FailedWriteRaisesUnableToWrite) {
  test::TempDir dir;
  dir.Write("file", "x");
  const auto path = dir.path() / "file" / "Setup.ini";
  IniFile ini(path);
  ini.WriteString("Setup", "Copy", "1");
  EXPECT_THAT([&] { ini.Close(); },
              ::testing::ThrowsMessage<IniWriteError>("Unable to write to " + path.string()));
  EXPECT_EQ(dir.Read("file"), "x");
}

TEST(IniFileFile, ExistingButUnreadablePathIsNeverReplaced) {
  test::TempDir dir;
  const auto path = dir.path() / "Setup.ini";
  fs::create_directory(path);
  dir.Write("Setup.ini/keep", "k");
  {
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Setup", "Copy", "d"), "d");
    ini.WriteString("Setup", "Copy", "1");
    EXPECT_THROW(ini.Close(), IniWriteError);
  }  // the destructor swallows the second failure
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(dir.Read("Setup.ini/keep"), "k");
}

}  // namespace
}  // namespace scriptdesk
