// Every case the game's compiler was measured on (the shared corpus, one folder per case)
// compiled here: the same files, bytes, verdict and message texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/compiler/compile_folder.h"
#include "support/temp_dir.h"

namespace scriptdesk::compiler {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(SCRIPTDESK_SHARED_DIR) / "script-dat-corpus";
constexpr const char* kAbsent = "corpus_absent";

struct CorpusCase {
  std::vector<std::string> arguments;  // after the program name
  std::vector<std::string> inputs, outputs;
  std::string exit;
  std::vector<std::string> consoleMessages;  // its ERROR : / WARNING : lines
};

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

CorpusCase ReadCase(const std::string& name) {
  const fs::path folder = kCorpus / name;
  CorpusCase c;
  std::istringstream info(test::ReadFileBytes(folder / "case.txt"));
  for (std::string line; std::getline(info, line);) {
    const auto colon = line.find(": ");
    const std::string key = line.substr(0, colon), value = line.substr(colon + 2);
    if (colon == std::string::npos) continue;
    if (key == "command") c.arguments = Words(value), c.arguments.erase(c.arguments.begin());
    if (key == "inputs") c.inputs = Words(value);
    if (key == "outputs") c.outputs = Words(value);
    if (key == "exit") c.exit = value;
  }
  std::istringstream console(test::ReadFileBytes(folder / "console.txt"));
  for (std::string line; std::getline(console, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("ERROR : ") || line.starts_with("WARNING : ")) {
      c.consoleMessages.push_back(line);
    }
  }
  return c;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(kCorpus, error)) {
    if (fs::exists(entry.path() / "case.txt")) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  if (names.empty()) names.push_back(kAbsent);
  return names;
}

struct Compiled {
  FolderCompileResult result;
  std::map<std::string, std::string> newFiles;  // what the compile left beside the inputs
  std::vector<std::string> texts;
};

Compiled CompileCase(const CorpusCase& c, const std::string& name, const test::TempDir& dir) {
  for (const auto& input : c.inputs) {
    fs::copy_file(kCorpus / name / input, dir.path() / input);
    fs::permissions(dir.path() / input, fs::perms::owner_read | fs::perms::owner_write);
  }
  Compiled compiled;
  compiled.result = CompileFolder(dir.path(), c.arguments.at(0),
                                  c.arguments.size() > 1 ? c.arguments[1] : std::string());
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    const auto file = entry.path().filename().string();
    if (std::find(c.inputs.begin(), c.inputs.end(), file) == c.inputs.end()) {
      compiled.newFiles[file] = test::ReadFileBytes(entry.path());
    }
  }
  for (const auto& message : compiled.result.messages) {
    compiled.texts.push_back(MessageText(message));
  }
  return compiled;
}

std::string Expected(const std::string& name, const std::string& file) {
  return test::ReadFileBytes(kCorpus / name / file);
}

// The generic strings of a language .DAT.
std::vector<std::string> GenericStrings(const std::string& dat) {
  const auto u16 = [&](std::size_t at) {
    return static_cast<std::size_t>(static_cast<unsigned char>(dat.at(at)) |
                                    static_cast<unsigned char>(dat.at(at + 1)) << 8);
  };
  std::size_t total = 0;
  for (int g = 0; g < 3; ++g) total += u16(2 * static_cast<std::size_t>(g));
  const std::size_t text = 12 + 2 * total;
  std::vector<std::string> strings;
  for (std::size_t i = 0; i < u16(0); ++i) {
    std::string value;
    for (std::size_t at = text + u16(12 + 2 * i); dat.at(at) != '\0'; ++at) {
      value += static_cast<char>(dat[at] ^ static_cast<char>(0xA5));
    }
    strings.push_back(value);
  }
  return strings;
}

// The line on which the script's nth "[Level]" header stands.
int LevelHeaderLine(const std::string& name, int n) {
  std::istringstream in(Expected(name, "script.txt"));
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.starts_with("[Level]") && --n == 0) return number;
  }
  return 0;
}

// The inputs the game's compiler gets wrong, and what is checked for them instead.
struct Exemption {
  const char* reason;
  std::function<void(const std::string& name, const Compiled&)> check;
};

void ExpectRefused(const Compiled& compiled, const std::string& text, const std::string& file,
                   int line) {
  EXPECT_FALSE(compiled.result.succeeded);
  EXPECT_TRUE(compiled.newFiles.empty());
  ASSERT_FALSE(compiled.result.messages.empty());
  const auto& last = compiled.result.messages.back();
  EXPECT_EQ(last.severity, Severity::Error);
  EXPECT_EQ(last.text, text);
  EXPECT_EQ(last.file, file);
  EXPECT_EQ(last.line, line);
}

const std::map<std::string, Exemption>& Exemptions() {
  static const std::map<std::string, Exemption> exemptions = {
      {"extensions_odd",
       {"its empty Cut= holds bytes the game's compiler read through a null pointer",
        [](const std::string& name, const Compiled& compiled) {
          ASSERT_TRUE(compiled.result.succeeded);
          std::string expected = Expected(name, "SCRIPT.DAT");
          expected.replace(26, 5, 5, '\0');  // the PSX Cut field, left empty
          EXPECT_EQ(compiled.newFiles.at("SCRIPT.DAT"), expected);
          EXPECT_EQ(compiled.newFiles.at("ENGLISH.DAT"), Expected(name, "ENGLISH.DAT"));
          const auto& first = compiled.result.messages.front();
          EXPECT_EQ(first.severity, Severity::Warning);
          EXPECT_EQ(first.line, 3);
        }}},
      {"strings_labels",
       {"its \":Colon first\" and \"Ends:\" hold bytes read through a null pointer",
        [](const std::string& name, const Compiled& compiled) {
          ASSERT_TRUE(compiled.result.succeeded);
          EXPECT_EQ(compiled.newFiles.at("SCRIPT.DAT"), Expected(name, "SCRIPT.DAT"));
          // Strings 6 and 7 are empty here, where the game's compiler wrote 60 10.
          auto expected = GenericStrings(Expected(name, "ENGLISH.DAT"));
          ASSERT_EQ(expected.size(), 8u);
          EXPECT_EQ(expected[5], "\x60\x10");
          EXPECT_EQ(expected[6], "\x60\x10");
          expected[5] = expected[6] = "";
          EXPECT_EQ(GenericStrings(compiled.newFiles.at("ENGLISH.DAT")), expected);
          ASSERT_GE(compiled.result.messages.size(), 2u);
          EXPECT_EQ(compiled.result.messages[0].line, 7);
          EXPECT_EQ(compiled.result.messages[1].line, 8);
          EXPECT_EQ(compiled.result.messages[0].severity, Severity::Warning);
        }}},
      {"hang_long_word",
       {"the game's compiler hangs on a 26-letter first word",
        [](const std::string&, const Compiled& compiled) {
          ExpectRefused(compiled,
                        "First word longer than 25 letters and digits (give the string a label)",
                        "ENGLISH.TXT", 3);
        }}},
      {"hang_residentcut_0",
       {"the game's compiler hangs on ResidentCut=0,n",
        [](const std::string&, const Compiled& compiled) {
          ExpectRefused(compiled, "Illegal ResidentCut number", "script.txt", 29);
        }}},
      {"levels_255_wrap",
       {"255 levels make the game's compiler write a slot count of 0, an unusable file",
        [](const std::string& name, const Compiled& compiled) {
          ExpectRefused(compiled, "Too many levels (the game's compiler takes at most 254)",
                        "script.txt", LevelHeaderLine(name, 255));
        }}},
      {"usage_no_arguments", {"no script is compiled; the usage text is the tool's own", nullptr}},
  };
  return exemptions;
}

class GoldenCorpus : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenCorpus, SameFilesVerdictAndMessages) {
  const std::string name = GetParam();
  if (name == kAbsent) GTEST_SKIP() << "the corpus is not there: " << kCorpus;
  const CorpusCase c = ReadCase(name);
  const auto exemption = Exemptions().find(name);
  if (exemption != Exemptions().end() && !exemption->second.check) {
    GTEST_SKIP() << exemption->second.reason;
  }
  test::TempDir dir;
  const Compiled compiled = CompileCase(c, name, dir);
  if (exemption != Exemptions().end()) {
    SCOPED_TRACE(exemption->second.reason);
    exemption->second.check(name, compiled);
    return;
  }

  EXPECT_EQ(compiled.result.succeeded, c.exit == "0");
  if (c.exit != "0") {
    // A failed compile writes nothing, where the game's compiler may leave a partial file.
    EXPECT_TRUE(compiled.newFiles.empty());
    EXPECT_EQ(compiled.texts.size(), c.consoleMessages.size());
    EXPECT_EQ(compiled.texts, c.consoleMessages);
    return;
  }
  std::vector<std::string> expectedFiles;
  for (const auto& output : c.outputs) {
    if (output != "STRINGS.H") expectedFiles.push_back(output);  // the game does not read it
  }
  std::vector<std::string> written;
  for (const auto& [file, bytes] : compiled.newFiles) {
    written.push_back(file);
    if (std::find(expectedFiles.begin(), expectedFiles.end(), file) != expectedFiles.end()) {
      EXPECT_TRUE(bytes == Expected(name, file)) << file << " differs";
    }
  }
  std::sort(expectedFiles.begin(), expectedFiles.end());
  EXPECT_EQ(written, expectedFiles);
  EXPECT_EQ(compiled.texts, c.consoleMessages);
}

INSTANTIATE_TEST_SUITE_P(Corpus, GoldenCorpus, ::testing::ValuesIn(CaseNames()),
                         [](const auto& testCase) { return testCase.param; });

}  // namespace
}  // namespace scriptdesk::compiler
