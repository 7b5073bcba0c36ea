// Random script folders compiled by the game's compiler under DOSBox and by ours: the same bytes
// for every output, the same verdict and the same messages. Each run takes fresh seeds;
// SCRIPTDESK_DIFF_SEED fixes the first one, SCRIPTDESK_DIFF_CASES the number of folders, and
// SCRIPTDESK_DIFF_KEEP names a folder that keeps the cases whose outputs differ.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/compiler/script_generator.h"
#include "core/compiler/script_compiler.h"
#include "support/game_compiler.h"
#include "support/temp_dir.h"

namespace scriptdesk::compiler {
namespace {

namespace fs = std::filesystem;

std::uint32_t EnvNumber(const char* name, std::uint32_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? static_cast<std::uint32_t>(std::stoul(text)) : fallback;
}

std::vector<std::string> ConsoleMessages(const std::string& console) {
  std::vector<std::string> lines;
  std::istringstream in(console);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("ERROR : ") || line.starts_with("WARNING : ")) lines.push_back(line);
  }
  return lines;
}

CompileResult CompileGenerated(const std::map<std::string, std::string>& files) {
  return CompileScript(files.at("script.txt"), [&](const std::string& path) {
    const auto found = files.find(path);
    return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
  });
}

TEST(Differential, RandomScriptsCompileLikeTheGamesCompiler) {
  if (!test::GameCompilerAvailable()) GTEST_SKIP() << test::GameCompilerSkipReason();
  const std::uint32_t first = EnvNumber("SCRIPTDESK_DIFF_SEED", std::random_device{}());
  const std::uint32_t count = EnvNumber("SCRIPTDESK_DIFF_CASES", 10);
  const char* keep = std::getenv("SCRIPTDESK_DIFF_KEEP");

  test::TempDir root;
  std::vector<fs::path> folders;
  std::vector<std::map<std::string, std::string>> inputs;
  for (std::uint32_t i = 0; i < count; ++i) {
    inputs.push_back(test::GenerateScriptFolder(first + i));
    folders.push_back(root.path() / ("CASE" + std::to_string(i)));
    fs::create_directory(folders.back());
    for (const auto& [name, bytes] : inputs.back()) {
      std::ofstream(folders.back() / name, std::ios::binary) << bytes;
    }
  }
  const auto runs =
      test::RunGameCompilerInEach(folders, "script.txt", std::chrono::seconds(60 + 3 * count));

  for (std::uint32_t i = 0; i < count; ++i) {
    SCOPED_TRACE("seed " + std::to_string(first + i) + " (run again with SCRIPTDESK_DIFF_SEED=" +
                 std::to_string(first + i) + " SCRIPTDESK_DIFF_CASES=1)");
    if (!runs[i]) {
      ADD_FAILURE() << "the game's compiler did not finish";
      continue;
    }
    const CompileResult mine = CompileGenerated(inputs[i]);

    EXPECT_EQ(mine.succeeded, runs[i]->exitStatus == 0);
    std::vector<std::string> texts;
    for (const auto& message : mine.messages) texts.push_back(MessageText(message));
    EXPECT_EQ(texts, ConsoleMessages(runs[i]->console));
    if (!mine.succeeded) continue;
    for (const auto& output : mine.outputs) {
      const auto theirs = folders[i] / output.name;
      ASSERT_TRUE(fs::exists(theirs)) << output.name;
      const bool same = test::ReadFileBytes(theirs) == output.bytes;
      EXPECT_TRUE(same) << output.name << " differs";
      if (!same && keep != nullptr) {
        // Both versions side by side for a look: <keep>/<seed>/ and its "ours." files.
        const auto kept = fs::path(keep) / std::to_string(first + i);
        fs::create_directories(kept);
        fs::copy(folders[i], kept,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        std::ofstream(kept / ("ours." + output.name), std::ios::binary) << output.bytes;
      }
    }
  }
}

}  // namespace
}  // namespace scriptdesk::compiler
