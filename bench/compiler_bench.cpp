// The built-in compiler on the original game's script (39 levels, 360 strings), as the editor
// calls it: in memory, and on a folder with its reads and atomic writes. The script is taken
// from the shared corpus at run time (docs/PERFORMANCE.md).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>

#include "bench_folder.h"
#include "core/compiler/compile_folder.h"
#include "core/compiler/script_compiler.h"
#include "core/platform/file_io.h"

namespace scriptdesk::bench {
namespace {

namespace fs = std::filesystem;

const fs::path kStock = fs::path(SCRIPTDESK_SHARED_DIR) / "script-dat-corpus" / "stock_original";

std::map<std::string, std::string> StockFiles() {
  std::map<std::string, std::string> files;
  for (const char* name : {"script.txt", "ENGLISH.TXT"}) {
    if (fs::exists(kStock / name)) files[name] = ReadFileBytes(kStock / name);
  }
  return files;
}

void BM_CompileStockOriginal(benchmark::State& state) {
  const auto files = StockFiles();
  if (files.size() != 2) return state.SkipWithError(("no stock script in " + kStock.string()).c_str());
  const compiler::LanguageSource source = [&](const std::string& path) -> std::optional<std::string> {
    if (path == "ENGLISH.TXT") return files.at("ENGLISH.TXT");
    return std::nullopt;
  };
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto result = compiler::CompileScript(files.at("script.txt"), source);
    if (!result.succeeded) return state.SkipWithError("the stock script did not compile");
    bytes = result.outputs[0].bytes.size() + result.outputs[1].bytes.size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["output_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CompileStockOriginal)->Unit(benchmark::kMicrosecond);

// The editor's call: read script.txt and ENGLISH.TXT, compile, write SCRIPT.DAT and ENGLISH.DAT
// (flushed to the disk, as the user's files are).
void BM_CompileFolderStockOriginal(benchmark::State& state) {
  const auto files = StockFiles();
  if (files.size() != 2) return state.SkipWithError(("no stock script in " + kStock.string()).c_str());
  BenchFolder folder;
  for (const auto& [name, bytes] : files) WriteFileAtomic(folder.path() / name, bytes, Durability::NoFlush);
  for (auto _ : state) {
    auto result = compiler::CompileFolder(folder.path());
    if (!result.succeeded) return state.SkipWithError("the stock script did not compile");
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_CompileFolderStockOriginal)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace scriptdesk::bench

BENCHMARK_MAIN();
