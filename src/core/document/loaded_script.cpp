#include "core/document/loaded_script.h"

#include "core/platform/ascii_text.h"

namespace scriptdesk {

std::vector<KeptLine> LevelKeptLines(const LoadedScript& script, int origin) {
  std::vector<KeptLine> kept;
  if (origin < 0 || origin >= static_cast<int>(script.binding.levels.size())) return kept;
  const LevelBinding& level = script.binding.levels[static_cast<std::size_t>(origin)];
  for (int i = level.viewIndex + 1; i < level.viewEnd; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const ViewLine& line = script.view.lines[index];
    if (script.usedLines[index] || TrimBlanks(line.text).empty()) continue;
    kept.push_back({script.files.files[static_cast<std::size_t>(line.file)].name, line.line + 1,
                    line.text});
  }
  return kept;
}

}  // namespace scriptdesk
