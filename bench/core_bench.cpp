// The core's heavy paths: the imports, "Create Script" and "Create <lang>" on a full project,
// and Setup.ini. Run with --benchmark_repetitions=5 and read the medians (docs/PERFORMANCE.md).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "bench_folder.h"
#include "core/pipeline/build_log.h"
#include "core/pipeline/language_writer.h"
#include "core/pipeline/script_writer.h"
#include "core/check/project_check.h"
#include "core/import/builtin_texts.h"
#include "core/import/import_progress.h"
#include "core/import/script_importer.h"
#include "core/model/script_model.h"
#include "core/platform/file_io.h"
#include "core/platform/program_folder.h"
#include "core/platform/text_lines.h"
#include "core/project/script_project.h"
#include "core/settings/setup_settings.h"
#include "core/settings/setup_store.h"

namespace scriptdesk::bench {
namespace {

namespace fs = std::filesystem;

std::size_t FileSize(const Lines& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  return size;
}

// The game script with its level sections repeated `times` times, so the text grows while
// every section stays a real one; once is the stock script itself. Only the first 39 "[Level]"
// get numbers, so the later copies are normalised, numbered and parsed but never read.
Lines ScaledGameScript(int times) {
  const Lines& game = BuiltinLines(BuiltinText::OriginalScript);
  const auto firstLevel = std::find(game.begin(), game.end(), "[Level]");
  Lines out(game.begin(), firstLevel);
  for (int copy = 0; copy < times; ++copy) {
    if (!out.empty() && !out.back().empty()) out.emplace_back();
    out.insert(out.end(), firstLevel, game.end());
  }
  return out;
}

void ReportImport(benchmark::State& state, const ScriptModel& model, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["levels"] = model.LevelCount;
  state.counters["KiB"] = static_cast<double>(bytes) / 1024.0;
}

// "Create Editor script" / "Create Original script", and the same path for larger texts.
void ImportLines(benchmark::State& state, const Lines& script) {
  BenchFolder folder;
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  ImportProgress progress;
  for (auto _ : state) {
    ImportStockScript(model, script, "Create", progress);
    benchmark::DoNotOptimize(model.LevelCount);
  }
  ReportImport(state, model, FileSize(script));
}

void BM_ImportStock(benchmark::State& state, BuiltinText text) {
  ImportLines(state, BuiltinLines(text));
}
BENCHMARK_CAPTURE(BM_ImportStock, EditorScript, BuiltinText::EditorScript)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ImportStock, GameScript, BuiltinText::OriginalScript)
    ->Unit(benchmark::kMillisecond);

// The argument is the size as a multiple of the game script; 1 is the game script.
void BM_ImportScaledGame(benchmark::State& state) {
  ImportLines(state, ScaledGameScript(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_ImportScaledGame)->Arg(1)->Arg(2)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

// "Load Script.txt" of a file on disk.
void BM_LoadScriptFile(benchmark::State& state) {
  BenchFolder folder;
  const fs::path source = folder.path() / "script.txt";
  const Lines script = ScaledGameScript(static_cast<int>(state.range(0)));
  WriteFileAtomic(source, JoinCrLf(script));
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  ImportProgress progress;
  for (auto _ : state) {
    ImportScriptFile(model, source, progress);
    benchmark::DoNotOptimize(model.LevelCount);
  }
  ReportImport(state, model, FileSize(script));
}
BENCHMARK(BM_LoadScriptFile)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The largest real project: its main script, 24 included files and its language file, loaded,
// and saved with one level renamed (the script's files and the language file made anew).
const fs::path kLargestProject = fs::path(SCRIPTDESK_SHARED_DIR) / "real-projects/tdr-legacy/Script.TXT";

bool LoadRealProject(benchmark::State& state, ScriptProject& project) {
  if (!fs::exists(kLargestProject)) {
    state.SkipWithError("no real projects beside the repository");
    return false;
  }
  ImportProgress progress;
  project.model.Initialise(StockDefaultNumbers());
  project.Loaded(ImportScriptFile(project.model, kLargestProject, progress), kLargestProject);
  return true;
}

void BM_LoadRealProject(benchmark::State& state) {
  ScriptProject project;
  for (auto _ : state) {
    if (!LoadRealProject(state, project)) return;
    benchmark::DoNotOptimize(project.model.LevelCount);
  }
  state.counters["files"] = static_cast<double>(project.script()->files.files.size());
}
BENCHMARK(BM_LoadRealProject)->Unit(benchmark::kMillisecond);

void BM_SaveRealProject(benchmark::State& state) {
  ScriptProject project;
  if (!LoadRealProject(state, project)) return;
  project.model.Levels[2].Name = "Castle Kriegler Revisited";
  for (auto _ : state) {
    const ScriptSave save = project.SaveScriptFiles();
    const auto language = project.LanguageFileBytes();
    benchmark::DoNotOptimize(save.files.size());
    benchmark::DoNotOptimize(language);
  }
}
BENCHMARK(BM_SaveRealProject)->Unit(benchmark::kMillisecond);

// The largest project there can be: 40 levels, every item slot of every level enabled, and
// 70 distinct item names, the most the language file takes without overflowing.
constexpr int kDistinctItemNames = 70;

ScriptModel FullProject() {
  BenchFolder folder;
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  ImportProgress progress;
  // The game script's header: its languages and options, as a real project has them.
  ImportStockScript(model, BuiltinLines(BuiltinText::OriginalScript), "Create",
                    progress);
  model.ClearAllLevels();
  int nameIndex = 0;
  for (int l = 0; l < kMaxLevels; ++l) {
    const int slot = model.AppendLevel();
    TLevel& level = model.Levels[static_cast<std::size_t>(slot)];
    const std::string number = std::to_string(l + 1);
    level.Name = "Level " + number;
    if (l % 4 == 0) level.Legend = "Somewhere, part " + number;
    level.LevelFile = "LEVEL" + number;
    level.Audio = PadAudio(std::to_string(100 + l));
    level.FogEnabled = true;
    level.Fog = {"0", "0", "0"};
    level.LoadCamera = {"1024", "-512", "2048", "1024", "-256", "4096", "12"};
    level.MirrorRoom.assign(1, '0');  // no mirror
    level.MirrorValue = level.MirrorRoom;
    for (ItemKind kind : kItemKinds) {
      for (ItemSlot& item : level.Items(kind)) {
        item.Name = "Artefact " + std::to_string(nameIndex++ % kDistinctItemNames + 1);
        item.Enabled = true;
      }
    }
  }
  model.CurrentLevel = 0;
  return model;
}

LanguageTexts StockPages() {
  return {BuiltinLines(BuiltinText::Weapons),  BuiltinLines(BuiltinText::Game),
          BuiltinLines(BuiltinText::Examine), BuiltinLines(BuiltinText::PlayStation),
          BuiltinLines(BuiltinText::Credit),  BuiltinLines(BuiltinText::PcStrings),
          BuiltinLines(BuiltinText::SetupDialog)};
}

LanguageFile CreateLanguage(const ScriptModel& model, const LanguageTexts& pages) {
  return LanguageWriter::Write(model, pages, BuiltinLines(BuiltinText::LevelStrings),
                               BuiltinLines(BuiltinText::ItemNames));
}

// Step 1, "Create Script".
void BM_Step1_CreateScript(benchmark::State& state) {
  const ScriptModel model = FullProject();
  std::size_t lines = 0;
  for (auto _ : state) {
    const Lines script = ScriptWriter::Write(model);
    lines = script.size();
    benchmark::DoNotOptimize(script.data());
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_Step1_CreateScript)->Unit(benchmark::kMicrosecond);

// Step 2, "Create <lang>".
void BM_Step2_CreateLanguage(benchmark::State& state) {
  const ScriptModel model = FullProject();
  const LanguageTexts pages = StockPages();
  if (CreateLanguage(model, pages).Overflow) {
    state.SkipWithError("the full project overflows the language file");
    return;
  }
  std::size_t lines = 0;
  for (auto _ : state) {
    const LanguageFile file = CreateLanguage(model, pages);
    lines = file.Text.size();
    benchmark::DoNotOptimize(file.Text.data());
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_Step2_CreateLanguage)->Unit(benchmark::kMicrosecond);

void BM_Steps1And2(benchmark::State& state) {
  const ScriptModel model = FullProject();
  const LanguageTexts pages = StockPages();
  for (auto _ : state) {
    const Lines script = ScriptWriter::Write(model);
    const LanguageFile file = CreateLanguage(model, pages);
    benchmark::DoNotOptimize(script.data());
    benchmark::DoNotOptimize(file.Text.data());
  }
}
BENCHMARK(BM_Steps1And2)->Unit(benchmark::kMicrosecond);

// The live check after an edit: the largest project made on the pages, and the largest real
// project with its includes and extension lines. The target is one frame, 16 ms.
void BM_CheckFullProject(benchmark::State& state) {
  ScriptProject project;
  project.model = FullProject();
  project.texts = StockPages();
  for (auto _ : state) {
    const CheckResult result = CheckProject(project, BuiltinLines(BuiltinText::LevelStrings),
                                            BuiltinLines(BuiltinText::ItemNames));
    benchmark::DoNotOptimize(result.problems.size());
  }
}
BENCHMARK(BM_CheckFullProject)->Unit(benchmark::kMillisecond);

void BM_CheckRealProject(benchmark::State& state) {
  ScriptProject project;
  if (!LoadRealProject(state, project)) return;
  for (auto _ : state) {
    const CheckResult result = CheckProject(project, BuiltinLines(BuiltinText::LevelStrings),
                                            BuiltinLines(BuiltinText::ItemNames));
    benchmark::DoNotOptimize(result.problems.size());
  }
}
BENCHMARK(BM_CheckRealProject)->Unit(benchmark::kMillisecond);

SetupSettings SampleSetup(const fs::path& folder) {
  SetupSettings settings = DefaultSetup(FolderWithSeparator(folder));
  settings.CopyEnabled = true;
  settings.CopyPath = FolderWithSeparator(folder / "game" / "data");
  settings.SaveTxt = true;
  settings.Numbers = {"0000", "0300", "0000", "0000", "0000", "000a"};
  return settings;
}

// The program reads Setup.ini at start-up and when the "Setup" dialog opens.
void BM_SetupLoad(benchmark::State& state) {
  BenchFolder folder;
  const fs::path ini = SetupIniPath(folder.path());
  SaveSetup(SampleSetup(folder.path()), ini);
  const std::string programFolder = FolderWithSeparator(folder.path());
  for (auto _ : state) {
    const SetupSettings settings = LoadSetup(ini, programFolder);
    benchmark::DoNotOptimize(settings.CopyEnabled);
  }
}
BENCHMARK(BM_SetupLoad)->Unit(benchmark::kMicrosecond);

// "OK" with a changed setting: the file is written again each time.
void BM_SetupSave(benchmark::State& state) {
  BenchFolder folder;
  const fs::path ini = SetupIniPath(folder.path());
  SetupSettings settings = SampleSetup(folder.path());
  SaveSetup(settings, ini);
  for (auto _ : state) {
    settings.DeleteTxt = !settings.DeleteTxt;
    SaveSetup(settings, ini);
  }
}
BENCHMARK(BM_SetupSave)->Unit(benchmark::kMicrosecond);

// "OK" with nothing changed: the file is read and left alone.
void BM_SetupSaveUnchanged(benchmark::State& state) {
  BenchFolder folder;
  const fs::path ini = SetupIniPath(folder.path());
  const SetupSettings settings = SampleSetup(folder.path());
  SaveSetup(settings, ini);
  for (auto _ : state) SaveSetup(settings, ini);
}
BENCHMARK(BM_SetupSaveUnchanged)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace scriptdesk::bench

BENCHMARK_MAIN();
