#include "core/pipeline/language_writer.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_set>

namespace scriptdesk {

namespace {

const char kBanner[] = ";**************************************";

// The item block has room for the 71 stock names. Both limits are checked only when a level's
// turn starts, so the last level may still push the count past them.
constexpr int kStockDropCount = 70;
constexpr int kItemNameLimit = 71;

using Strings = std::unordered_set<std::string>;

// What the pages written before the PlayStation strings hold: generic strings, where the game's
// compiler looks up the level and item names of script.txt.
Strings GenericPageStrings(const LanguageTexts& pages) {
  Strings strings;
  for (LanguagePage page : {LanguagePage::Weapons, LanguagePage::Game, LanguagePage::Examine}) {
    for (const auto& line : pages[static_cast<std::size_t>(page)]) strings.insert(StringOfLine(line));
  }
  return strings;
}

// Whether a level's legend or name goes into the level strings. A NoLevel level's text does
// only when it stands in none of those pages: the compiler looks it up as it looks up any
// other (the game's own script names such levels after texts of the pages, "Yes" or "USE").
bool PlacesText(const TLevel& level, const std::string& text, const Strings& pageStrings) {
  if (level.IsFree()) return false;
  return !level.NoLevel || !pageStrings.contains(text);
}

// Puts text at position pos, or at the end when pos lies at or past it.
void PutAt(Lines& list, std::size_t pos, const std::string& text) {
  if (pos < list.size()) {
    list[pos] = text;
  } else {
    list.push_back(text);
  }
}

void AppendPage(Lines& out, const LanguageTexts& pages, LanguagePage page) {
  AppendText(out, JoinCrLf(pages[static_cast<std::size_t>(page)]));
}

}  // namespace

// The string the game's compiler takes from a line of a language file: no comment; after a
// label ("LABEL:") or else from the first character that is no tab, up to the next tab.
std::string StringOfLine(std::string_view line) {
  line = line.substr(0, line.find(';'));
  const auto colon = line.find(':');
  if (colon != std::string_view::npos) line.remove_prefix(colon + 1);
  const auto first = line.find_first_not_of('\t');
  if (first == std::string_view::npos) return {};
  line.remove_prefix(first);
  return std::string(line.substr(0, line.find('\t')));
}

// The line that gives the game's compiler `text` back: a text holding a colon gets a label, since
// the compiler would take what stands before its first colon for one.
std::string LineOfString(const std::string& text) {
  return text.find(':') == std::string::npos ? text : "S:" + text;
}

LanguageFile LanguageWriter::Write(const ScriptModel& model, const LanguageTexts& pages,
                                   const Lines& stockLevelStrings, const Lines& stockItemNames) {
  Lines levelStrings = stockLevelStrings;
  levelStrings.emplace_back();
  Lines itemNames;
  std::deque<std::string> remainingStock(stockItemNames.begin(), stockItemNames.end());
  remainingStock.emplace_back();
  int added = 0;

  LanguageFile file;
  Lines& out = file.Text;
  AppendText(out, kBanner);
  AppendText(out, ";");
  AppendText(out, "; Tomb Raider IV Script File");
  AppendText(out, "; Release Version 1.00");
  AppendText(out, ";");
  AppendText(out, kBanner);
  AppendText(out, "");
  AppendText(out, "[Strings]");

  // Legends come first; the level names follow them, each at its slot's offset.
  const Strings pageStrings = GenericPageStrings(pages);
  std::size_t legendCount = 0;
  for (const TLevel& level : model.Levels) {
    if (!level.Legend.empty() && PlacesText(level, level.Legend, pageStrings)) {
      PutAt(levelStrings, legendCount, LineOfString(level.Legend));
      ++legendCount;
    }
  }
  for (std::size_t slot = 0; slot < model.Levels.size(); ++slot) {
    const TLevel& level = model.Levels[slot];
    if (PlacesText(level, level.Name, pageStrings))
      PutAt(levelStrings, legendCount + slot, LineOfString(level.Name));
  }
  AppendList(out, levelStrings);
  AppendPage(out, pages, LanguagePage::Weapons);

  for (const TLevel& level : model.Levels) {
    if (added >= kStockDropCount) remainingStock.clear();
    if (added >= kItemNameLimit) {
      file.Overflow = true;
      return file;
    }
    for (ItemKind kind : kItemKinds) {
      for (const ItemSlot& item : level.Items(kind)) {
        if (!item.Enabled || item.Name.empty()) continue;
        if (std::find(itemNames.begin(), itemNames.end(), item.Name) != itemNames.end()) continue;
        itemNames.push_back(item.Name);
        ++added;
        if (!remainingStock.empty()) remainingStock.pop_front();
      }
    }
  }
  for (auto& name : itemNames) name = LineOfString(name);
  AppendList(out, itemNames);
  AppendList(out, Lines(remainingStock.begin(), remainingStock.end()));

  for (LanguagePage page :
       {LanguagePage::Game, LanguagePage::Examine, LanguagePage::PlayStation, LanguagePage::Credit,
        LanguagePage::PCStrings, LanguagePage::SetupDialog}) {
    AppendPage(out, pages, page);
  }
  return file;
}

}  // namespace scriptdesk
