#include "core/pipeline/build_steps.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "core/platform/errors.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::FolderBytes;
using test::TempDir;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

THeader Header() {
  THeader header;
  header.Languages = {"ENGLISH", "FRENCH", "GERMAN", "ITALIAN", "SPANISH", "US", "JAPAN", "DUTCH"};
  header.SelectedLanguage = 0;
  return header;
}

PaneText Pane(Lines lines, std::string fileName = {}) {
  PaneText pane{std::move(lines), 0, true};
  pane.fileName = std::move(fileName);
  return pane;
}

// A stand-in for Script.bat: what it prints and the errorlevel it leaves, after one poll;
// without an outcome it never ends.
struct FakeBatch {
  std::optional<std::string> cannotStart;
  std::optional<BatchOutcome> outcome;
  bool stopped = false;
};

class FakeBatchRunner final : public BatchRunner {
 public:
  explicit FakeBatchRunner(FakeBatch& batch) : batch_(batch) {}
  void Start(const fs::path&, const std::string&) override {
    if (batch_.cannotStart) throw ScriptDeskError(*batch_.cannotStart);
  }
  std::optional<BatchOutcome> Poll() override {
    if (polls_++ == 0) return std::nullopt;
    return batch_.outcome;
  }
  void Stop() override { batch_.stopped = true; }

 private:
  FakeBatch& batch_;
  int polls_ = 0;
};

struct Build {
  TempDir program;
  TempDir target;
  TempDir saved;
  BuildLog log;
  BuildSession session{program.path(), log};
  THeader header = Header();
  const BuildSession::Clock::time_point t0{};

  SetupSettings AllOn() const {
    SetupSettings s;
    s.CopyEnabled = s.DeleteSource = s.DeleteTarget = s.DeleteTxt = s.SaveTxt = true;
    s.DeleteStringH = true;
    s.CopyPath = target.path().string();
    s.SaveTxtPath = saved.path().string();
    return s;
  }
  // The compiler's output in the program folder, `age` newer than the texts.
  void Compiled(fs::file_time_type::duration age = 1s) const {
    program.Write("script.txt", "s\r\n");
    program.Write("ENGLISH.txt", "e\r\n");
    const auto texts = fs::last_write_time(program.path() / "script.txt");
    fs::last_write_time(program.path() / "ENGLISH.txt", texts);
    for (const char* name : {"SCRIPT.DAT", "ENGLISH.DAT"}) {
      fs::last_write_time(program.Write(name, std::string("compiled ") + name), texts + age);
    }
  }
  // Step 4 with the stand-in, followed second by second until it ends.
  void Compile(FakeBatch& batch) {
    session.StartCompile(std::make_unique<ScriptBatStep>(std::make_unique<FakeBatchRunner>(batch)),
                         t0);
    for (auto now = t0 + 1s; session.Tick(now); now += 1s) {
    }
  }
  void Copy(const SetupSettings& settings) {
    session.CopyDelete(settings, header, Pane({"script"}), Pane({"lang"}));
  }
  Lines LogSince(std::size_t before) const {
    return Lines(log.lines().begin() + static_cast<std::ptrdiff_t>(before), log.lines().end());
  }
};

struct CompileCase {
  const char* name;
  FakeBatch batch;
  Lines logged;  // after "Final Step 4:", "Runing Script.bat!!"
  CompileState state;
};

TEST(WatchedCompile, LogsTheCompilersLinesThenTheVerdictAndWhy) {
  const std::string console =
      "\r\nSCRIPT v0.10a\r\n\r\nConverting SCRIPT.TXT\r\n\r\nSCRIPT.DAT\r\n\r\n";
  const CompileCase cases[] = {
      {"succeeds",
       {{}, BatchOutcome{0, console + "WARNING : Could not find 'FRENCH.TXT'\r\n"}},
       {"Compiling - please wait...", "SCRIPT v0.10a", "Converting SCRIPT.TXT", "SCRIPT.DAT",
        "WARNING : Could not find 'FRENCH.TXT'", "Compile finished."},
       CompileState::Finished},
      {"fails with output",
       {{}, BatchOutcome{1, console + "ERROR : \"Karnak\" not found in strings\r\n"}},
       {"Compiling - please wait...", "SCRIPT v0.10a", "Converting SCRIPT.TXT", "SCRIPT.DAT",
        "ERROR : \"Karnak\" not found in strings", "Script.bat ended with exit status 1.",
        "Compile failed."},
       CompileState::Failed},
      {"hangs",
       {},
       {"Compiling - please wait...", "Script.bat was still running after 60 s and was stopped.",
        "Compile failed."},
       CompileState::Failed},
      {"cannot start",
       {"There is no Script.bat in /x.", {}},
       {"Script.bat could not be started: There is no Script.bat in /x.", "Compile failed."},
       CompileState::Failed},
      {"ends its shell early",
       {{}, BatchOutcome{std::nullopt, "C:\\>exit\r\n"}},
       {"Compiling - please wait...", "C:\\>exit",
        "Script.bat left no exit status: it ended before its last line (an EXIT?).",
        "Compile failed."},
       CompileState::Failed},
      {"prints an error yet ends with 0",
       {{}, BatchOutcome{0, "ERROR : Number expected (32) : \"INPUTTIMEOUT=\"\r\n"}},
       {"Compiling - please wait...", "ERROR : Number expected (32) : \"INPUTTIMEOUT=\"",
        "The compiler reported an error, though Script.bat ended with exit status 0.",
        "Compile failed."},
       CompileState::Failed},
  };
  for (const auto& c : cases) {
    Build b;
    FakeBatch batch = c.batch;
    b.Compile(batch);
    Lines expected{"Final Step 4:", "Runing Script.bat!!"};
    expected.insert(expected.end(), c.logged.begin(), c.logged.end());
    EXPECT_EQ(b.log.lines(), expected) << c.name;
    EXPECT_EQ(b.session.compileState(), c.state) << c.name;
    EXPECT_EQ(batch.stopped, !c.batch.outcome && !c.batch.cannotStart) << c.name;
  }
}

TEST(WatchedCompile, RunsUntilTheTimeLimitAndNotASecondStartMeanwhile) {
  Build b;
  FakeBatch hang;
  b.session.StartCompile(std::make_unique<ScriptBatStep>(std::make_unique<FakeBatchRunner>(hang)),
                         b.t0);
  FakeBatch other;
  b.session.StartCompile(std::make_unique<ScriptBatStep>(std::make_unique<FakeBatchRunner>(other)),
                         b.t0);
  EXPECT_TRUE(b.session.Tick(b.t0 + 59s));
  EXPECT_FALSE(hang.stopped);
  EXPECT_EQ(b.log.lines().size(), 3u);
  EXPECT_FALSE(b.session.Tick(b.t0 + 60s));
  EXPECT_TRUE(hang.stopped);
  EXPECT_EQ(b.log.lines().back(), "Compile failed.");
}

// A step that breaks its promise and throws at the start must not leave the build waiting.
class ThrowingStep final : public CompileStep {
 public:
  std::string Name() const override { return "Script.bat"; }
  UserText Announcement() const override { return "Runing Script.bat!!"; }
  void Start(const fs::path&) override { throw std::runtime_error("out of memory"); }
  std::optional<CompileResult> Poll() override { return std::nullopt; }
  void Stop() override {}
};

TEST(WatchedCompile, AStepThatThrowsAtTheStartEndsAsFailed) {
  Build b;
  b.session.StartCompile(std::make_unique<ThrowingStep>(), b.t0);
  EXPECT_FALSE(b.session.compiling());
  EXPECT_EQ(b.LogSince(2),
            (Lines{"Script.bat could not be started: out of memory", "Compile failed."}));
}

TEST(ConsoleLines, DropsBlankLinesAndControlBytesAndCapsTheCount) {
  EXPECT_EQ(ConsoleLines("a\r\n\r\nb\nc\rd  \r\n\x1A"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(ConsoleLines("x\x07y\tz\r\n \t\r\n"), (Lines{"xy\tz"}));
  std::string many;
  for (std::size_t i = 0; i < kMaxConsoleLines + 5; ++i) many += "line\r\n";
  const Lines lines = ConsoleLines(many);
  ASSERT_EQ(lines.size(), kMaxConsoleLines + 1);
  EXPECT_EQ(lines.back(), "... and 5 more lines");
}

TEST(CopyDelete, DisabledCopyOrTheProgramFolderOnlySaySo) {
  Build b;
  b.Compiled();
  b.Copy(SetupSettings{});
  EXPECT_EQ(b.log.lines(), Lines{"Copy is disabled.!!"});
  const std::string spellings[] = {b.program.folder(), b.program.path().string(),
                                   (b.program.path() / "." / "").string(), ""};
  for (const auto& path : spellings) {
    auto settings = b.AllOn();
    settings.CopyPath = path;
    b.Copy(settings);
    EXPECT_EQ(b.log.lines().back(), "Invalid path - operation aborted!") << path;
  }
  EXPECT_EQ(b.log.lines().size(), 5u);
  EXPECT_TRUE(b.program.Exists("SCRIPT.DAT"));
}

struct RefusalCase {
  const char* name;
  std::function<void(Build&)> prepare;
  std::function<UserText(const Build&)> logged;
};

TEST(CopyDelete, RefusesStaleOrBrokenOutputAndTouchesNothing) {
  const RefusalCase cases[] = {
      {"after a failed compile",
       [](Build& b) {
         FakeBatch failed{{}, BatchOutcome{1, "ERROR : x\r\n"}};
         b.Compile(failed);
         b.Compiled();  // the partial files it left are newer than the texts
       },
       [](const Build&) { return UserText("Compile failed - operation aborted!"); }},
      {"while the compile runs",
       [](Build& b) {
         b.Compiled();
         static FakeBatch hang;
         b.session.StartCompile(
             std::make_unique<ScriptBatStep>(std::make_unique<FakeBatchRunner>(hang)), b.t0);
       },
       [](const Build&) { return UserText("Compile still running - operation aborted!"); }},
      {"no script.dat",
       [](Build& b) {
         b.Compiled();
         fs::remove(b.program.path() / "SCRIPT.DAT");
       },
       [](const Build& b) {
         return UserText("File not found: ")
             .Path(b.program.path() / "script.dat")
             .Text(" - operation aborted!");
       }},
      {"no language .dat",
       [](Build& b) {
         b.Compiled();
         fs::remove(b.program.path() / "ENGLISH.DAT");
       },
       [](const Build& b) {
         return UserText("File not found: ")
             .Path(b.program.path() / "ENGLISH.dat")
             .Text(" - operation aborted!");
       }},
      {"output older than its text", [](Build& b) { b.Compiled(-10s); },
       [](const Build& b) {
         return UserText()
             .Path(b.program.path() / "SCRIPT.DAT")
             .Text(" is older than ")
             .Path(b.program.path() / "script.txt")
             .Text(" - operation aborted!");
       }},
      {"language output older than its text",
       [](Build& b) {
         b.Compiled();
         fs::last_write_time(b.program.path() / "ENGLISH.txt",
                             fs::last_write_time(b.program.path() / "ENGLISH.DAT") + 5s);
       },
       [](const Build& b) {
         return UserText()
             .Path(b.program.path() / "ENGLISH.DAT")
             .Text(" is older than ")
             .Path(b.program.path() / "ENGLISH.txt")
             .Text(" - operation aborted!");
       }},
      {"a language name that leaves the folder",
       [](Build& b) {
         b.Compiled();
         b.header.Languages[0] = "../ENGLISH";
       },
       [](const Build&) {
         return UserText("Invalid language name \"../ENGLISH\" - operation aborted!");
       }},
  };
  for (const auto& c : cases) {
    Build b;
    b.target.Write("script.dat", "game's script");
    b.target.Write("FRENCH.dat", "game's french");
    c.prepare(b);
    const auto program = FolderBytes(b.program.path());
    const auto target = FolderBytes(b.target.path());
    const std::size_t before = b.log.lines().size();
    b.Copy(b.AllOn());
    EXPECT_EQ(b.LogSince(before), Lines{c.logged(b).Flat()}) << c.name;
    EXPECT_EQ(FolderBytes(b.target.path()), target) << c.name;
    EXPECT_EQ(FolderBytes(b.program.path()), program) << c.name;
  }
}

TEST(CopyDelete, CopiesAfterAGoodCompileOrOneRunByHand) {
  for (const bool inSession : {false, true}) {
    Build b;
    if (inSession) {
      FakeBatch failed{{}, BatchOutcome{1, ""}};
      b.Compile(failed);
      FakeBatch good{{}, BatchOutcome{0, ""}};
      b.Compile(good);
    }
    b.Compiled();
    b.Copy(b.AllOn());
    EXPECT_EQ(b.target.Read("script.dat"), "compiled SCRIPT.DAT") << inSession;
    EXPECT_EQ(b.target.Read("ENGLISH.dat"), "compiled ENGLISH.DAT") << inSession;
  }
}

TEST(CopyDelete, FullBuildLogsEveryStepInOrderAndDeletesOnlyWhatItOwns) {
  Build b;
  b.target.Write("script.dat", "old");
  b.target.Write("FRENCH.dat", "old");
  b.target.Write("GERMAN.DAT", "old");
  b.program.Write("GERMAN.dat", "a translation's output");
  b.program.Write("FRENCH.txt", "a translation");
  b.program.Write("STRINGS.H", "h");
  b.session.Save(Pane({"s"}), Pane({"e"}), b.header);
  b.Compiled();
  const std::size_t before = b.log.lines().size();
  b.Copy(b.AllOn());

  const std::string sep(1, static_cast<char>(fs::path::preferred_separator));
  const std::string t = b.target.path().string() + sep;
  const std::string p = b.program.path().string() + sep;
  EXPECT_EQ(b.LogSince(before), (Lines{
                                    "File deleted:" + t + "script.dat",
                                    "File deleted:" + t + "FRENCH.dat",
                                    "File deleted:" + t + "GERMAN.DAT",
                                    "Copy:" + t + "script.dat",
                                    "Copy:" + t + "ENGLISH.dat",
                                    "script.txt - Save",
                                    "ENGLISH.txt - Save",
                                    "File deleted:" + p + "SCRIPT.DAT",
                                    "File deleted:" + p + "ENGLISH.DAT",
                                    "File deleted: script.txt",
                                    "File deleted:ENGLISH.txt",
                                    "File deleted: STRINGS.H",
                                }));
  EXPECT_EQ(FolderBytes(b.target.path()),
            (std::map<std::string, std::string>{{"script.dat", "compiled SCRIPT.DAT"},
                                                {"ENGLISH.dat", "compiled ENGLISH.DAT"}}));
  EXPECT_EQ(b.saved.Read("script.txt"), "script\r\n");
  EXPECT_EQ(FolderBytes(b.program.path()),
            (std::map<std::string, std::string>{{"GERMAN.dat", "a translation's output"},
                                                {"FRENCH.txt", "a translation"}}));
}

TEST(CopyDelete, AFailedCopyLeavesTheGameFolderAsItWas) {
  struct Case {
    const char* name;
    std::function<fs::path(Build&)> prepare;  // gives the copy folder
    std::function<std::string(const fs::path&)> message;
  };
  const Case cases[] = {
      {"a folder stands where the language file goes",
       [](Build& b) {
         fs::create_directories(b.target.path() / "ENGLISH.dat" / "inside");
         return b.target.path();
       },
       [](const fs::path& t) { return "File access denied: " + (t / "ENGLISH.dat").string(); }},
      {"the game folder is missing",
       [](Build& b) { return b.target.path() / "missing"; },
       [](const fs::path& t) { return "File not found: " + (t / "script.dat").string(); }},
  };
  for (const auto& c : cases) {
    Build b;
    b.target.Write("script.dat", "game's script");
    b.target.Write("FRENCH.dat", "game's french");
    b.Compiled();
    auto settings = b.AllOn();
    const fs::path folder = c.prepare(b);
    settings.CopyPath = folder.string();
    const auto target = FolderBytes(b.target.path());
    const auto program = FolderBytes(b.program.path());
    EXPECT_THAT([&] { b.Copy(settings); }, ThrowsMessage<IoError>(StrEq(c.message(folder))))
        << c.name;
    EXPECT_TRUE(b.log.lines().empty()) << c.name;
    EXPECT_EQ(FolderBytes(b.target.path()), target) << c.name;
    EXPECT_EQ(FolderBytes(b.program.path()), program) << c.name;
  }
}

TEST(CopyDelete, ExtraSaveSkipsAPaneNeverBuiltAndKeepsTheOldCopy) {
  Build b;
  b.saved.Write("script.txt", "mine\r\n");
  b.saved.Write("ENGLISH.txt", "my own strings\r\n");
  b.Compiled();
  auto settings = b.AllOn();
  settings.DeleteSource = settings.DeleteTxt = settings.DeleteTarget = false;
  b.session.CopyDelete(settings, b.header, Pane({"new"}), PaneText{{}, 0, false});
  EXPECT_EQ(b.saved.Read("script.txt"), "new\r\n");
  EXPECT_EQ(b.saved.Read("script.txt.bak"), "mine\r\n");
  EXPECT_EQ(b.saved.Read("ENGLISH.txt"), "my own strings\r\n");
  EXPECT_FALSE(b.saved.Exists("ENGLISH.txt.bak"));
  EXPECT_EQ(b.LogSince(2),
            (Lines{"script.txt - previous version kept as " +
                       (b.saved.path() / "script.txt.bak").string(),
                   "script.txt - Save",
                   "ENGLISH.txt - not saved: the pane was never created in this session!!"}));

  settings.SaveTxtPath.clear();  // would be the folder the program was started from
  b.session.CopyDelete(settings, b.header, Pane({"newer"}), Pane({"x"}));
  EXPECT_EQ(b.log.lines().back(), "Invalid path for script.txt and ENGLISH.txt - not saved!");
  EXPECT_EQ(b.saved.Read("script.txt"), "new\r\n");
}

TEST(CopyDelete, ExtraCopiesTakeTheIncludedFilesAlongUnderTheirOwnNames) {
  Build b;
  const PaneText level = Pane({"[Level]"}, "Levels/One.txt");
  const PaneText language = Pane({"[Strings]"}, "English.TXT");
  b.session.Save(Pane({"#INCLUDE \"Levels\\One.txt\""}), language, b.header, {level});
  b.Compiled();
  SetupSettings settings = b.AllOn();
  settings.DeleteTxt = false;
  b.session.CopyDelete(settings, b.header, Pane({"s"}), language, {level});
  EXPECT_EQ(b.saved.Read("Levels/One.txt"), "[Level]\r\n");
  EXPECT_EQ(b.saved.Read("English.TXT"), "[Strings]\r\n");
  EXPECT_THAT(b.log.lines(), ::testing::IsSupersetOf({"One.txt - Save", "English.TXT - Save"}));
}

TEST(CopyDelete, CompilerHeaderIsDeletedUnderEitherName) {
  struct Case {
    std::vector<const char*> present;
    bool enabled;
    Lines logged;
  };
  const Case cases[] = {
      {{"STRINGS.H"}, true, {"File deleted: STRINGS.H"}},
      {{"String.h"}, true, {"File deleted: String.h"}},
      {{"STRINGS.H", "String.h"}, true, {"File deleted: STRINGS.H", "File deleted: String.h"}},
      {{}, true, {}},
      {{"STRINGS.H"}, false, {}},
  };
  for (const auto& c : cases) {
    Build b;
    b.Compiled();
    for (const char* name : c.present) b.program.Write(name, "h");
    auto settings = b.AllOn();
    settings.DeleteSource = settings.DeleteTxt = settings.SaveTxt = settings.DeleteTarget = false;
    settings.DeleteStringH = c.enabled;
    b.Copy(settings);
    EXPECT_EQ(b.LogSince(2), c.logged);
    for (const char* name : c.present) EXPECT_EQ(b.program.Exists(name), !c.enabled) << name;
  }
}

TEST(CopyDelete, PathsInTheLogStayApartFromTheWords) {
  Build b;
#if defined(_WIN32)
  const std::string name = "Ra\xEF" "der";  // "Raïder" in the settings' ANSI text
#else
  const std::string name = "Ra\xC3\xAF" "der";  // "Raïder" as Linux spells it
#endif
  const fs::path game = b.target.path() / PathFromAnsi(name);
  fs::create_directories(game);
  b.Compiled();
  auto settings = b.AllOn();
  settings.CopyPath = (b.target.path() / "").string() + name;
  b.Copy(settings);
  const auto& copy = b.log.entries().at(0).parts();
  ASSERT_EQ(copy.size(), 2u);
  EXPECT_EQ(copy[0].text, "Copy:");
  EXPECT_TRUE(copy[1].isPath);
  EXPECT_EQ(copy[1].path, game / "script.dat");
}

TEST(Save, WritesBothPanesUnderTheSelectedLanguage) {
  Build b;
  b.header.SelectedLanguage = 1;
  b.session.Save(Pane({"a", "\tb "}), Pane({"x"}), b.header);
  EXPECT_EQ(b.program.Read("script.txt"), "a\r\n\tb \r\n");
  EXPECT_EQ(b.program.Read("FRENCH.txt"), "x\r\n");
  EXPECT_EQ(b.log.lines(), (Lines{"Step 3:", "script.txt - save file!!", "FRENCH.txt - save file!!"}));
}

TEST(Save, NeverWritesAPaneNeverBuiltOrEmptied) {
  Build b;
  b.program.Write("script.txt", "mine\r\n");
  b.program.Write("ENGLISH.txt", "my strings\r\n");
  const auto before = FolderBytes(b.program.path());
  b.session.Save(PaneText{}, Pane({"", " \t"}), b.header);
  EXPECT_EQ(FolderBytes(b.program.path()), before);
  EXPECT_EQ(b.LogSince(3),
            (Lines{"script.txt - not saved: the pane was never created in this session!!",
                   "ENGLISH.txt - not saved: the pane is empty!!"}));
}

TEST(Save, AnIncludedFileMayStayEmptyButIsNeverEmptiedOverItsText) {
  Build b;
  b.program.Write("Empty.txt", "");
  b.program.Write("Full.txt", "; notes\r\n");
  EXPECT_TRUE(b.session.Save(Pane({"s"}), Pane({"e"}), b.header, {Pane({}, "Empty.txt")}));
  EXPECT_EQ(b.program.Read("Empty.txt"), "");

  EXPECT_FALSE(b.session.Save(Pane({"s"}), Pane({"e"}), b.header, {Pane({}, "Full.txt")}));
  EXPECT_EQ(b.program.Read("Full.txt"), "; notes\r\n");
  EXPECT_THAT(b.log.lines(), ::testing::Contains("Full.txt - not saved: the pane is empty!!"));
}

TEST(Save, KeepsOneGenerationOfBackupAndWritesIntoTheExistingSpelling) {
  Build b;
  b.program.Write("SCRIPT.TXT", "hand-made script\r\n");
  b.program.Write("English.TXT", "hand-made strings\r\n");
  const fs::path p = b.program.path();

  b.session.Save(Pane({"one"}), Pane({"strings one"}), b.header);
  EXPECT_EQ(b.LogSince(3),
            (Lines{"SCRIPT.TXT - previous version kept as " + (p / "SCRIPT.TXT.bak").string(),
                   "English.TXT - previous version kept as " + (p / "English.TXT.bak").string()}));
  b.session.Save(Pane({"one"}), Pane({"strings one"}), b.header);  // unchanged: backup stays
  EXPECT_EQ(b.program.Read("English.TXT.bak"), "hand-made strings\r\n");
  b.session.Save(Pane({"two"}), Pane({"strings one"}), b.header);

  EXPECT_EQ(FolderBytes(p), (std::map<std::string, std::string>{
                                {"SCRIPT.TXT", "two\r\n"},
                                {"SCRIPT.TXT.bak", "one\r\n"},
                                {"English.TXT", "strings one\r\n"},
                                {"English.TXT.bak", "hand-made strings\r\n"}}));
}

TEST(Save, AFailedSaveLogsAndSkipsTheLanguageFile) {
  Build b;
  fs::create_directories(b.program.path() / "script.txt" / "blocker");
  b.session.Save(Pane({"a"}), Pane({"b"}), b.header);
  EXPECT_EQ(b.log.lines().back(), "Error saving!!");
  EXPECT_FALSE(b.program.Exists("ENGLISH.txt"));
}

TEST(Save, WritesNeitherPaneWhenOneCannotBeWritten) {
  const std::pair<const char*, std::function<void(Build&)>> cases[] = {
      {"language text outside the code page", [](Build&) {}},
      {"no language name", [](Build& b) { b.header.Languages[0].clear(); }},
      {"a language name with a folder", [](Build& b) { b.header.Languages[0] = "../up"; }},
  };
  for (const auto& [what, change] : cases) {
    Build b;
    b.program.Write("script.txt", "previous\r\n");
    change(b);
    const bool badText = std::string_view(what).starts_with("language text");
    const auto before = FolderBytes(b.program.path());
    EXPECT_FALSE(b.session.Save(Pane({"new"}), PaneText{{"bad"}, badText ? 1 : 0, true}, b.header));
    EXPECT_EQ(FolderBytes(b.program.path()), before) << what;
    EXPECT_FALSE(fs::exists(b.program.path().parent_path() / "up.txt")) << what;
    EXPECT_EQ(b.log.lines().back(), "Error saving!!") << what;
  }
}

TEST(Save, TextOutsideTheCodePageIsReportedAndNotWritten) {
  Build b;
  b.program.Write("script.txt", "previous\r\n");
  b.session.Save(PaneText{{"ok", "bad"}, 2, true}, Pane({"b"}), b.header);
  EXPECT_EQ(b.program.Read("script.txt"), "previous\r\n");
  EXPECT_EQ(b.LogSince(3),
            (Lines{"script.txt - line 2 holds a character that the ANSI code page cannot hold; "
                   "file not saved!!",
                   "Error saving!!"}));
}

}  // namespace
}  // namespace scriptdesk

namespace scriptdesk {
namespace {

TEST(Save, WithNothingBuiltSaysSoInOneLine) {
  Build b;
  EXPECT_FALSE(b.session.Save(PaneText{}, PaneText{}, b.header));
  EXPECT_EQ(b.log.lines(),
            Lines{"Step 3: nothing to save - \"Create Script\" and \"Create <lang>\" come first!!"});
  EXPECT_TRUE(FolderBytes(b.program.path()).empty());
}

TEST(CopyDelete, AfterAFailedCompileSaysSoWhateverTheSettings) {
  Build b;
  b.session.StartCompile(std::make_unique<ThrowingStep>(), b.t0);
  const std::size_t before = b.log.lines().size();
  b.Copy(SetupSettings{});  // copying is off
  EXPECT_EQ(b.LogSince(before), Lines{"Compile failed - operation aborted!"});
}

// "Delete .txt" takes the texts only when this build saved a copy of them elsewhere, and never
// the file a project was loaded from.
TEST(CopyDelete, DeleteTxtKeepsTheOnlyCopyAndTheLoadedFile) {
  for (const bool saveElsewhere : {false, true}) {
    Build b;
    b.session.Save(Pane({"s"}), Pane({"e"}), b.header);
    b.session.SetLoadedFiles({b.program.path() / "script.txt"});
    b.Compiled();
    auto settings = b.AllOn();
    settings.SaveTxt = saveElsewhere;
    b.Copy(settings);
    EXPECT_TRUE(b.program.Exists("script.txt")) << saveElsewhere;
    EXPECT_EQ(b.program.Exists("ENGLISH.txt"), !saveElsewhere);
    const auto& lines = b.log.lines();
    const std::string kept = saveElsewhere ? "script.txt kept: the project was loaded from it."
                                           : "Kept script.txt and ENGLISH.txt: no copy of them was saved "
                                             "elsewhere in this build (\"Save script.txt, <lng>.txt\").";
    EXPECT_NE(std::find(lines.begin(), lines.end(), kept), lines.end()) << saveElsewhere;
  }
}

TEST(Save, UnsavedFilesNamesWhatDiffersOnDisk) {
  Build b;
  const PaneText script = Pane({"s"}, "script.txt");
  PaneText language = Pane({"e"}, "ENGLISH.txt");
  EXPECT_EQ(b.session.UnsavedFiles({script, language}), (std::vector<std::string>{"script.txt", "ENGLISH.txt"}));
  b.session.Save(script, language, b.header);
  EXPECT_TRUE(b.session.UnsavedFiles({script, language}).empty());
  language.lines = {"changed"};
  EXPECT_EQ(b.session.UnsavedFiles({script, language}), std::vector<std::string>{"ENGLISH.txt"});
}

}  // namespace
}  // namespace scriptdesk
