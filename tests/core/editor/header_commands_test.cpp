#include "core/editor/header_commands.h"

#include <gtest/gtest.h>

namespace scriptdesk {
namespace {

TEST(HeaderCommands, DefaultsBecomeTheStartUpHeader) {
  THeader header;
  StoreHeaderPage(DefaultHeaderPage(), header);
  EXPECT_EQ(header.PsxLevelExt, "PSX");
  EXPECT_EQ(header.PcFmvExt, "BIK");
  EXPECT_EQ(header.Languages[7], "DUTCH");
  EXPECT_EQ(header.SelectedLanguage, 0);
  EXPECT_TRUE(header.LoadSave && header.TitleEnabled && header.PlayAnyLevel && header.FlyCheat);
  EXPECT_FALSE(header.DemoDisc);
  EXPECT_EQ(header.InputTimeout, "18000");
  EXPECT_EQ(header.Security, "55");
  EXPECT_EQ(header.TitleLoadCamera[1], "-533");
  EXPECT_EQ(header.TitleLoadCamera[6], "40");
  EXPECT_EQ(header.TitleLevelFile, "TITLE");
  EXPECT_EQ(header.TitleAudio, "001");
}

TEST(HeaderCommands, StoreAndShowKeepEveryFieldAsTyped) {
  // clang-format off
  const HeaderPage page = {
      .PsxLevelExt = "a", .PsxCutExt = "b", .PsxFmvExt = "c",
      .PcLevelExt = "d", .PcCutExt = "e", .PcFmvExt = "f",
      .Languages = {"L0", "L1", "L2", "L3", "L4", "L5", "L6", "L7"}, .SelectedLanguage = 6,
      .LoadSave = false, .TitleEnabled = true, .PlayAnyLevel = false, .FlyCheat = true,
      .DemoDisc = true,
      .InputTimeout = "18000  ; frames",  // an imported comment passes through
      .Security = "x", .TitleLoadCamera = {"1", "2", "3", "4", "5", "6", "7"},
      .TitleLevelFile = "T", .TitleAudio = "104"};
  // clang-format on
  THeader header;
  StoreHeaderPage(page, header);
  EXPECT_EQ(ShowHeaderPage(header), page);
}

// A text longer than three characters came from a file; storing it must not empty it.
TEST(HeaderCommands, TitleAudioIsStoredWithThreeDigitsOrKeptWhenLonger) {
  const struct {
    const char* shown;
    const char* stored;
  } cases[] = {{"001", "001"}, {"7", "007"},   {"12", "012"},
               {"1234", "1234"}, {"104 ;title", "104 ;title"}, {"", ""}};
  for (const auto& c : cases) {
    HeaderPage page = DefaultHeaderPage();
    page.TitleAudio = c.shown;
    THeader header;
    StoreHeaderPage(page, header);
    EXPECT_EQ(header.TitleAudio, c.stored) << "'" << c.shown << "'";
  }
}

}  // namespace
}  // namespace scriptdesk
