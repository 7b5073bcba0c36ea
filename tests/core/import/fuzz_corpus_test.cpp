// Replays the fuzzers' corpus in the normal build, so every input that once broke something
// stays guarded.
#include <gtest/gtest.h>

#include <filesystem>

#include "checks.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Corpus(const char* name) {
  std::vector<fs::path> files;
  const fs::path folder = fs::path(SCRIPTDESK_TEST_DATA_DIR) / "fuzz" / name;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(FuzzCorpus, IniInputsHoldUp) {
  const auto files = Corpus("ini");
  ASSERT_FALSE(files.empty());
  for (const auto& file : files) {
    EXPECT_TRUE(fuzz::CheckIniBytes(test::ReadFileBytes(file))) << file;
  }
}

TEST(FuzzCorpus, ImportInputsRoundTrip) {
  const auto files = Corpus("import");
  ASSERT_FALSE(files.empty());
  test::TempDir folder;
  for (const auto& file : files) {
    EXPECT_TRUE(fuzz::CheckImportBytes(test::ReadFileBytes(file), folder.path())) << file;
  }
}

}  // namespace
}  // namespace scriptdesk
