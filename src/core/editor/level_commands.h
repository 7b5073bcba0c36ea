#pragma once

#include <string>
#include <string_view>

#include "core/model/script_model.h"

namespace scriptdesk {

// What the "Inf. " tab of the Levels page shows: a level's settings as its controls display
// them. The page is a scratch form; only the commands below store it.
using LevelPage = LevelSettings;

// What the page shows when the window is created; start-up adds it as level 0 "Temp".
LevelPage DefaultLevelPage();

// What an audio edit's text is stored as: three digits (PadAudio). No one can type a longer
// text, so one came from a file (a track with a comment after it); it is kept as it is rather
// than stored empty, which the game's compiler would refuse.
std::string StoredAudio(std::string_view text);

// Copies the page into a level's settings; the audio track as StoredAudio. The item tables are
// left alone.
void StoreLevelPage(const LevelPage& page, TLevel& level);
// The level's settings as the page shows them.
LevelPage ShowLevel(const TLevel& level);

// Why a level command changed nothing. Each refusal is a warning the user must see.
enum class LevelRefusal { None, MaxLevels, InvalidInput, SelectLevel };

// The warning text of a refusal; empty for None.
std::string RefusalMessage(LevelRefusal refusal);

// The commands take the index of the level list's selected entry (-1 for none) and leave
// CurrentLevel on the level they stored. On a refusal the model is unchanged.

// "Add": appends the page as a new last level with every item slot unnamed and off.
LevelRefusal AddLevel(ScriptModel& model, const LevelPage& page);
// "Replace": stores the page over the selected level; its item tables stay as they were.
LevelRefusal ReplaceLevel(ScriptModel& model, const LevelPage& page, int selected);
// "Duplicate": appends the page as a new last level that takes the selected level's item names
// and check marks; the new slot keeps its own item values.
LevelRefusal DuplicateLevel(ScriptModel& model, const LevelPage& page, int selected);

// "Up" and "Down": exchange the selected level with its neighbour. The moved level's new index
// (also the new CurrentLevel), or -1 when there is nothing to move.
int MoveLevelUp(ScriptModel& model, int selected);
int MoveLevelDown(ScriptModel& model, int selected);

// "Delete" only removes a selected level other than the first.
bool CanDeleteLevel(const ScriptModel& model, int selected);
// Removes the selected level; the one before it becomes current. False when not allowed.
bool DeleteLevel(ScriptModel& model, int selected);
// "Delete all Levels": no level left, none current.
void DeleteAllLevels(ScriptModel& model);

}  // namespace scriptdesk
