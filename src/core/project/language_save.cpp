#include "core/project/language_save.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "core/pipeline/language_writer.h"
#include "core/platform/ascii_text.h"

namespace scriptdesk {

namespace {

// The strings a script looks up, in the order its lines name them.
std::vector<std::string> NeededStrings(const ScriptModel& model) {
  std::vector<std::string> strings;
  const auto add = [&](const std::string& text) {
    if (!text.empty() && std::find(strings.begin(), strings.end(), text) == strings.end()) {
      strings.push_back(text);
    }
  };
  for (int slot = 0; slot < model.LevelCount; ++slot) {
    const TLevel& level = model.Levels[static_cast<std::size_t>(slot)];
    if (level.IsFree()) continue;
    add(level.Legend);
    add(level.Name);
    for (ItemKind kind : kItemKinds) {
      for (const ItemSlot& item : level.Items(kind)) {
        if (item.Enabled) add(item.Name);
      }
    }
  }
  return strings;
}

const TLevel* LevelOfOrigin(const ScriptModel& model, int origin) {
  for (int slot = 0; slot < model.LevelCount; ++slot) {
    if (model.Levels[static_cast<std::size_t>(slot)].Origin == origin) {
      return &model.Levels[static_cast<std::size_t>(slot)];
    }
  }
  return nullptr;
}

// Old and new text of every string a kept level or item changed.
std::vector<std::pair<std::string, std::string>> Renames(const ScriptModel& was, const ScriptModel& now) {
  std::vector<std::pair<std::string, std::string>> renames;
  for (int slot = 0; slot < now.LevelCount; ++slot) {
    const TLevel& level = now.Levels[static_cast<std::size_t>(slot)];
    if (level.Origin < 0) continue;
    const TLevel* old = LevelOfOrigin(was, level.Origin);
    if (old == nullptr) continue;
    renames.emplace_back(old->Name, level.Name);
    renames.emplace_back(old->Legend, level.Legend);
    for (ItemKind kind : kItemKinds) {
      const auto items = level.Items(kind);
      const auto oldItems = old->Items(kind);
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].Enabled && oldItems[i].Enabled) renames.emplace_back(oldItems[i].Name, items[i].Name);
      }
    }
  }
  std::erase_if(renames, [](const auto& r) { return r.first == r.second || r.first.empty() || r.second.empty(); });
  return renames;
}

}  // namespace

std::string SaveLanguageFile(const TextDocument& file, const ScriptModel& was, const ScriptModel& now) {
  // The generic strings: the lines after "[Strings]" up to the next section.
  std::vector<DocumentLine> lines = file.lines();
  std::size_t begin = lines.size();
  std::size_t end = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string ansi = file.AnsiLine(i);
    const auto text = TrimBlanks(ansi);  // a view into `ansi`
    if (begin == lines.size()) {
      if (EqualsNoCase(text, "[Strings]")) begin = i + 1;
    } else if (text.starts_with('[')) {
      end = i;
      break;
    }
  }
  const std::vector<std::string> needed = NeededStrings(now);
  std::vector<std::string> strings;  // per line of the block
  for (std::size_t i = begin; i < end; ++i) strings.push_back(StringOfLine(file.AnsiLine(i)));
  const auto find = [&](const std::string& text) {
    return std::find(strings.begin(), strings.end(), text);
  };
  const auto stillNeeded = [&](const std::string& text) {
    return std::find(needed.begin(), needed.end(), text) != needed.end();
  };
  for (const auto& [old, text] : Renames(was, now)) {
    if (find(text) != strings.end()) continue;
    const auto at = find(old);
    if (at == strings.end() || stillNeeded(old)) continue;
    const std::size_t index = begin + static_cast<std::size_t>(at - strings.begin());
    // A label before the string stays; a new text with a colon needs one.
    const std::string ansi = file.AnsiLine(index);
    const auto colon = ansi.find(':');
    const std::string label = colon != std::string::npos && StringOfLine(ansi) != ansi.substr(0, colon)
                                  ? ansi.substr(0, colon + 1)
                                  : std::string();
    lines[index].text = file.Encoded(label.empty() ? LineOfString(text) : label + text);
    *at = text;
  }
  // Only what the project's changes need: a string the file lacked when it was loaded is the
  // builder's own business.
  const std::vector<std::string> neededBefore = NeededStrings(was);
  std::vector<DocumentLine> added;
  for (const auto& text : needed) {
    if (find(text) != strings.end()) continue;
    if (std::find(neededBefore.begin(), neededBefore.end(), text) != neededBefore.end()) continue;
    strings.push_back(text);
    added.push_back({file.Encoded(LineOfString(text)), file.lineEnd()});
  }
  if (!added.empty()) {
    if (begin == lines.size()) {
      // No "[Strings]" block at all: one is added at the end.
      if (!lines.empty() && lines.back().end.empty()) lines.back().end = file.lineEnd();
      lines.push_back({file.Encoded("[Strings]"), file.lineEnd()});
      begin = end = lines.size();
    }
    // After the block's last string, before the blank lines that part it from the next section.
    std::size_t at = end;
    while (at > begin && TrimBlanks(lines[at - 1].text).empty()) --at;
    if (at > 0 && lines[at - 1].end.empty()) lines[at - 1].end = file.lineEnd();
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  }
  return DocumentBytes(file.bom(), lines);
}

}  // namespace scriptdesk
