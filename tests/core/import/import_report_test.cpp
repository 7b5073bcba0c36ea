#include "core/import/import_report.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace scriptdesk {
namespace {

TEST(ImportReport, NothingLostTellsNothing) {
  EXPECT_EQ(ImportReportText(ImportResult{}), "");
}

TEST(ImportReport, GroupsWhatTheImportCouldNotKeep) {
  ImportResult result;
  result.SkippedIncludes = {{"Kriegler.txt", "Script.TXT", 83, "not found"}};
  result.LevelSectionsLeftOut = 2;
  result.UnnamedLevelSections = 1;
  result.SkippedLines = {"Pickup=5,Far,$1"};
  result.UnmappedCharacters = {{"Script.TXT", 4, 0x141}, {"Egypt.txt", 12, 0x1F600}};
  result.UnkeptKeys = {{"TriggerGroup=", 75}, {"Plugin=", 5}, {"CRS=", 1}};
  result.Script = std::make_shared<LoadedScript>();
  result.Language = LanguageReselected{5, 0, "ENGLISH"};
  EXPECT_EQ(ImportReportText(result),
            "1 included file was left out:\n"
            "\"Kriegler.txt\" (Script.TXT, line 83): not found\n\n"
            "Only the first 40 level sections were imported; 2 more were left out.\n\n"
            "1 level section names no level (no \"Name=\", or \"Name=-\") and was left out.\n\n"
            "1 item line(s) name no slot of their table and were left out:\n"
            "Pickup=5,Far,$1\n\n"
            "2 characters of a UTF-8 file have no place in the ANSI code page and stand as \"?\":\n"
            "Script.TXT, line 4: U+0141\n"
            "Egypt.txt, line 12: U+1F600\n\n"
            "Lines the forms do not show, kept as written (81 lines):\n"
            "TriggerGroup= 75 lines, Plugin= 5 lines, CRS= 1 line\n\n"
            "Language 5 was selected and has no name in this script; language 0, \"ENGLISH\", is "
            "selected instead.");
}

TEST(ImportReport, AStockScriptsLinesTheFormsDoNotShowAreNotListed) {
  ImportResult result;
  result.UnkeptKeys = {{"AnimatingMIP=", 1}};
  EXPECT_EQ(ImportReportText(result), "");
}

TEST(ImportReport, LongListsShowTheirFirstEntries) {
  ImportResult result;
  for (int i = 0; i < 25; ++i) result.SkippedLines.push_back("Key=" + std::to_string(i + 13));
  const std::string text = ImportReportText(result);
  EXPECT_NE(text.find("\nKey=32\n... and 5 more"), std::string::npos) << text;
  EXPECT_EQ(text.find("Key=33"), std::string::npos);
}

}  // namespace
}  // namespace scriptdesk
