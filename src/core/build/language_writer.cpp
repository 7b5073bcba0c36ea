#include "core/build/language_writer.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <string>

namespace scriptdesk {

namespace {

const char kBanner[] = ";**************************************";

// The item block has room for the 71 stock names. Both limits are checked only when a level's
// turn starts, so the last level may still push the count past them.
constexpr int kStockDropCount = 70;
constexpr int kItemNameLimit = 71;

bool HoldsNamedLevel(const TLevel& level) {
  return !level.IsFree() && !level.NoLevel;
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
  std::size_t legendCount = 0;
  for (const TLevel& level : model.Levels) {
    if (HoldsNamedLevel(level) && !level.Legend.empty()) {
      PutAt(levelStrings, legendCount, level.Legend);
      ++legendCount;
    }
  }
  for (std::size_t slot = 0; slot < model.Levels.size(); ++slot) {
    const TLevel& level = model.Levels[slot];
    if (HoldsNamedLevel(level)) PutAt(levelStrings, legendCount + slot, level.Name);
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
