// Replays the compiler fuzzer's corpus in the normal build, so every input that once broke the
// compiler stays guarded.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/compiler/compiler_checks.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

TEST(CompilerFuzzCorpus, InputsHoldUp) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry :
       fs::directory_iterator(fs::path(SCRIPTDESK_TEST_DATA_DIR) / "fuzz" / "compiler", error)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  ASSERT_FALSE(files.empty());
  for (const auto& file : files) {
    EXPECT_TRUE(fuzz::CheckCompile(test::ReadFileBytes(file))) << file;
  }
}

}  // namespace
}  // namespace scriptdesk
