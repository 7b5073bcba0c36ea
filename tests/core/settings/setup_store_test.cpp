#include "core/settings/setup_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/platform/errors.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

TEST(SetupStore, SavingUnchangedSettingsKeepsTheFileByteForByte) {
  test::TempDir dir;
  const std::string file =
      "[Copy]\r\nEnabled=1\r\nPath=C:\\Game\r\nDeleteSource=1\r\nDeleteTarget=0\r\n\r\n"
      "[Txt]\r\nDeleteTxt=1\r\nSaveTxt=1\r\nSaveTxtPath=C:\\Game\\texts\r\n\r\n"
      "[StringH]\r\nDeleteStringH=0\r\n\r\n"
      "[DefaultNum]\r\nN1=0001\r\nN2=0400\r\nN3=00ff\r\nN4=FFFF\r\nN5=0000\r\nN6=000b\r\n\r\n"
      "[Compile]\r\nCompiler=ScriptBat\r\n";
  const auto ini = dir.Write("Setup.ini", file);

  const auto settings = LoadSetup(ini, dir.folder());
  const SetupSettings expected{.CopyEnabled = true,
                               .CopyPath = "C:\\Game",
                               .DeleteSource = true,
                               .DeleteTarget = false,
                               .DeleteTxt = true,
                               .SaveTxt = true,
                               .SaveTxtPath = "C:\\Game\\texts",
                               .DeleteStringH = false,
                               .Numbers = {"0001", "0400", "00ff", "FFFF", "0000", "000b"},
                               .Compiler = CompilerChoice::ScriptBat};
  EXPECT_EQ(settings, expected);

  SaveSetup(settings, ini);
  EXPECT_EQ(dir.Read("Setup.ini"), file);
}

TEST(SetupStore, NumbersAreReadAsWrittenAndSavedZeroFilled) {
  test::TempDir dir;
  const auto ini = dir.Write("Setup.ini", "[DefaultNum]\r\nN1=12\r\nN3=abcde\r\nN4=\r\nN6=A\r\n");
  auto settings = LoadSetup(ini, dir.folder());
  // N2 and N5 are missing and keep the stock values.
  EXPECT_EQ(settings.Numbers, (DefaultNumbers{"12", "0300", "abcde", "", "0000", "A"}));
  EXPECT_EQ(LoadDefaultNumbers(ini), settings.Numbers);

  SaveSetup(settings, ini);
  // More than four digits cannot be zero-filled to four: such a value is written empty.
  EXPECT_EQ(LoadDefaultNumbers(ini), (DefaultNumbers{"0012", "0300", "", "0000", "0000", "000A"}));
}

TEST(SetupStore, FlagsReadAsIntegersWithTheDefaultForAnythingElse) {
  struct Case {
    const char* text;
    bool whenDefaultFalse;  // "Copy"/"Enabled"
    bool whenDefaultTrue;   // "Copy"/"DeleteTarget"
  };
  const Case cases[] = {
      {"1", true, true},   {"0", false, false},   {"2", true, true},     {"-1", true, true},
      {"0x1", true, true}, {"0x0", false, false}, {"$1", true, true},    {"$0", false, false},
      {" 1 ", true, true}, {"yes", false, true},  {"true", false, true}, {"", false, true},
      {"1x", false, true}, {"0x", false, true},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    const auto ini = dir.Write("Setup.ini", std::string("[copy]\r\nENABLED=") + c.text +
                                                "\r\ndeletetarget=" + c.text + "\r\n");
    const auto settings = LoadSetup(ini, dir.folder());
    EXPECT_EQ(settings.CopyEnabled, c.whenDefaultFalse) << '"' << c.text << '"';
    EXPECT_EQ(settings.DeleteTarget, c.whenDefaultTrue) << '"' << c.text << '"';
  }
}

TEST(SetupStore, CompilerIsOneOfThreeWordsInAnyCaseElseAutomatic) {
  const std::pair<const char*, CompilerChoice> cases[] = {
      {"Auto", CompilerChoice::Auto},          {"builtin", CompilerChoice::Builtin},
      {"SCRIPTBAT", CompilerChoice::ScriptBat}, {"Built-in", CompilerChoice::Auto},
      {"", CompilerChoice::Auto},              {"2", CompilerChoice::Auto}};
  for (const auto& [word, choice] : cases) {
    test::TempDir dir;
    const auto ini = dir.Write("Setup.ini", std::string("[compile]\r\ncompiler=") + word + "\r\n");
    EXPECT_EQ(LoadSetup(ini, dir.folder()).Compiler, choice) << word;
  }
}

TEST(SetupStore, SavingKeepsForeignLinesAndRewritesFlagsAsDigits) {
  test::TempDir dir;
  const auto ini =
      dir.Write("Setup.ini", "; kept\r\n[Copy]\r\nEnabled=$1\r\nMine=x\r\n[Other]\r\nA=b\r\n");
  SaveSetup(LoadSetup(ini, "/p/"), ini);
  EXPECT_EQ(dir.Read("Setup.ini"),
            "; kept\r\n[Copy]\r\nEnabled=1\r\nMine=x\r\nPath=/p/\r\nDeleteSource=0\r\n"
            "DeleteTarget=1\r\n[Other]\r\nA=b\r\n\r\n"
            "[Txt]\r\nDeleteTxt=0\r\nSaveTxt=0\r\nSaveTxtPath=/p/\r\n\r\n"
            "[StringH]\r\nDeleteStringH=1\r\n\r\n"
            "[DefaultNum]\r\nN1=0000\r\nN2=0300\r\nN3=0000\r\nN4=0000\r\nN5=0000\r\nN6=000a\r\n\r\n"
            "[Compile]\r\nCompiler=Auto\r\n");
}

TEST(SetupStore, WriteFailureNamesTheFileAndLeavesTheDiskAlone) {
  test::TempDir dir;
  // A folder in the way of the file: it can be neither read nor replaced.
  fs::create_directory(dir.path() / "Setup.ini");
  dir.Write("Setup.ini/inside", "kept");
  const auto blocked = SetupIniPath(dir.path());
  EXPECT_EQ(LoadSetup(blocked, dir.folder()), DefaultSetup(dir.folder()));
  EXPECT_THAT([&] { SaveSetup(DefaultSetup(dir.folder()), blocked); },
              ::testing::ThrowsMessage<IniWriteError>("Unable to write to " + blocked.string()));
  EXPECT_EQ(dir.Read("Setup.ini/inside"), "kept");

  // A program folder below a regular file cannot be created.
  const auto file = dir.Write("plain", "x");
  const auto underFile = SetupIniPath(file / "sub");
  EXPECT_THROW(SaveSetup(DefaultSetup(dir.folder()), underFile), IniWriteError);
  EXPECT_EQ(dir.Read("plain"), "x");
}

}  // namespace
}  // namespace scriptdesk
