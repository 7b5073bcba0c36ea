#include "core/import/script_importer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <system_error>
#include <utility>

#include "core/import/scratch_text.h"
#include "core/model/level_fields.h"
#include "core/platform/ascii_text.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"
#include "core/platform/ini_file.h"

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

// Flag rule: only the whole value "enabled", in any letter case, sets a flag; a comment after
// it does not.
bool Flag(std::string_view value) {
  return EqualsNoCase(value, "enabled");
}

std::string DropFront(std::string_view text, std::size_t count) {
  return std::string(count < text.size() ? text.substr(count) : std::string_view());
}

// The text before the next comma, taken off `text` together with that comma. Without a comma
// the field is empty and nothing is taken.
std::string_view TakeField(std::string_view& text) {
  const auto comma = text.find(',');
  if (comma == std::string_view::npos) return {};
  const auto field = text.substr(0, comma);
  text.remove_prefix(comma + 1);
  return field;
}

// Comma fields into `fields`: all but the last taken, and the last one gets whatever remains,
// comments included.
void CommaFields(std::string_view text, std::span<std::string> fields) {
  for (std::size_t i = 0; i + 1 < fields.size(); ++i) fields[i] = std::string(TakeField(text));
  fields.back() = std::string(text);
}

// Path rule: the folder up to the first "\" goes; then file name and audio track either side of
// the first comma, or the whole rest in both without a comma.
void ReadPath(std::string_view value, std::string& file, std::string& audio) {
  const auto slash = value.find('\\');
  if (slash != std::string_view::npos) value.remove_prefix(slash + 1);
  const auto comma = value.find(',');
  if (comma == std::string_view::npos) {
    file = audio = std::string(value);
    return;
  }
  file = std::string(value.substr(0, comma));
  audio = std::string(value.substr(comma + 1));
}

// The text after the first `mark`, or the whole text without one.
std::string AfterFirst(std::string_view text, char mark) {
  const auto at = text.find(mark);
  return std::string(at == std::string_view::npos ? text : text.substr(at + 1));
}

std::string BeforeFirst(std::string_view text, char mark) {
  return std::string(text.substr(0, text.find(mark)));
}

// "0,ENGLISH.TXT" gives "ENGLISH": the index and its comma go, then the extension when the rest
// is long enough to hold one.
std::string LanguageName(std::string_view value) {
  std::string name = DropFront(value, 2);
  if (name.size() >= 4) name.resize(name.size() - 4);
  return name;
}

// An item number or combination part: leading blanks, a sign and a "$" for hexadecimal are
// allowed, and nothing after the digits, not even a blank.
std::int32_t ReadItemInteger(std::string_view text) {
  const auto fail = [&] {
    throw ConvertError("'" + std::string(text) + "' is not a valid integer value");
  };
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  int base = 10;
  if (at < text.size() && text[at] == '$') {
    base = 16;
    ++at;
  }
  if (at == text.size()) fail();
  std::uint64_t number = 0;
  for (; at < text.size(); ++at) {
    const int digit = HexDigit(text[at]);
    if (digit < 0 || digit >= base) fail();
    number = number * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (number > 0xFFFFFFFFu) fail();
  }
  if (base == 10 && number > (negative ? 0x80000000u : 0x7FFFFFFFu)) fail();
  // Hexadecimal spells all 32 bits, so "$FFFFFFFF" is -1.
  auto bits = static_cast<std::uint32_t>(number);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

// What follows the number of an item line: the name up to the next comma, blanks kept, then six
// comma fields. Each value loses its surrounding blanks and one leading "$", so "$0000,$0400",
// ", $0400" and a first "$" right after the name's comma all read the same; the sixth keeps
// the rest of the line.
void ReadItemTail(std::string_view rest, ItemSlot& slot) {
  slot.Name = std::string(TakeField(rest));
  ItemValues fields;
  CommaFields(rest, fields);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    auto value = TrimBlanks(fields[i]);
    if (!value.empty() && value.front() == '$') value.remove_prefix(1);
    slot.Values[i] = std::string(value);
  }
  slot.Enabled = true;
}

struct ItemKey {
  const char* key;
  ItemKind kind;
  bool combo;
};

constexpr ItemKey kKey{"Key", ItemKind::Key, false};
constexpr ItemKey kPuzzle{"Puzzle", ItemKind::Puzzle, false};
constexpr ItemKey kPickup{"Pickup", ItemKind::Pickup, false};
constexpr ItemKey kExamine{"Examine", ItemKind::Examine, false};
constexpr ItemKey kKeyCombo{"KeyCombo", ItemKind::Key, true};
constexpr ItemKey kPuzzleCombo{"PuzzleCombo", ItemKind::Puzzle, true};
constexpr ItemKey kPickupCombo{"PickupCombo", ItemKind::Pickup, true};

// The slot an item line names, with the Number it stores; -1 when it names none.
int ItemSlotOf(const ItemKey& item, std::string_view& rest, std::string& number) {
  if (!item.combo) {
    const auto text = TakeField(rest);
    const std::int32_t n = ReadItemInteger(text);
    number = std::string(text);
    return n >= 1 && n <= ItemPlainCount(item.kind) ? n - 1 : -1;
  }
  const std::int32_t a = ReadItemInteger(TakeField(rest));
  const std::int32_t b = ReadItemInteger(TakeField(rest));
  number = std::to_string(a) + "," + std::to_string(b);
  const int slot = ComboSlotIndex(number);
  if (item.kind != ItemKind::Pickup) return slot;
  // Pickups have four plain slots where keys and puzzles have twelve, and pairs up to "4,2".
  const int keyPlain = ItemPlainCount(ItemKind::Key);
  const int shift = keyPlain - ItemPlainCount(ItemKind::Pickup);
  return slot >= keyPlain && slot - shift < ItemSlotCount(ItemKind::Pickup) ? slot - shift : -1;
}

class ScratchReader {
 public:
  ScratchReader(IniFile& ini, std::vector<std::string>& skipped) : ini_(ini), skipped_(skipped) {}

  void ReadHeader(THeader& h) {
    for (const HeaderField& field : HeaderFields()) {
      const std::string_view section = field.section;
      switch (field.kind) {
        case HeaderFieldKind::Extension:
          h.*field.text = DropFront(Read(section, field.key), 1);
          break;
        case HeaderFieldKind::Languages:
          // The language lines share one key: each read takes the first line left, then drops it.
          for (auto& language : h.Languages) {
            const auto value = Read(section, field.key);
            ini_.DeleteKey(section, field.key);
            language = LanguageName(value);
          }
          break;
        case HeaderFieldKind::Flag:
          h.*field.flag = Flag(Read(section, field.key));
          break;
        case HeaderFieldKind::Text:
          h.*field.text = Read(section, field.key);
          break;
        case HeaderFieldKind::Dollar:
          h.*field.text = AfterFirst(Read(section, field.key), '$');
          break;
        case HeaderFieldKind::Group:
          CommaFields(Read(section, field.key), field.texts(h));
          break;
        case HeaderFieldKind::Path:
          ReadPath(Read(section, field.key), h.*field.text, h.*field.second);
          break;
      }
    }
  }

  // Fills `level` from section `s`; false when the section names no level.
  bool ReadLevel(const std::string& s, TLevel& level) {
    auto name = Read(s, "Name");
    if (name.empty() || name == "-") return false;
    for (const LevelField& field : LevelFields()) {
      switch (field.kind) {
        case LevelFieldKind::Text:
          level.*field.text = field.text == &LevelSettings::Name ? name : Read(s, field.key);
          break;
        case LevelFieldKind::Path:
          ReadPath(Read(s, field.key), level.*field.text, level.*field.second);
          break;
        case LevelFieldKind::Flag:
          level.*field.flag = Flag(Read(s, field.key));
          break;
        case LevelFieldKind::Number:
          level.*field.number = ini_.ReadInteger(s, field.key, 0);
          break;
        case LevelFieldKind::Group: {
          const auto texts = field.texts(level);
          CommaFields(Read(s, field.key, "0"), texts);
          if (field.flag != nullptr) level.*field.flag = !texts.front().empty();
          break;
        }
        case LevelFieldKind::Mirror: {
          const auto mirror = Read(s, field.key, "0");
          level.*field.text = BeforeFirst(mirror, ',');
          // The value's "$" is looked for after the room: a "$" inside the room would
          // otherwise shift the value, and the next save would write a different line.
          const auto comma = mirror.find(',');
          level.*field.second =
              AfterFirst(comma == std::string::npos ? std::string_view(mirror)
                                                    : std::string_view(mirror).substr(comma + 1),
                         '$');
          break;
        }
        case LevelFieldKind::Items:
          ReadItems(s, level);
          break;
      }
    }
    return true;
  }

 private:
  std::string Read(std::string_view section, std::string_view key, std::string_view fallback = {}) {
    return ini_.ReadString(section, key, fallback);
  }

  // At most as many lines of each item key as its table has slots for it; the later of two lines
  // for one slot wins.
  void ReadItems(const std::string& s, TLevel& level) {
    const auto plain = [](ItemKind kind) { return ItemPlainCount(kind); };
    const auto combos = [](ItemKind kind) { return ItemSlotCount(kind) - ItemPlainCount(kind); };
    for (int pass = 0; pass < plain(ItemKind::Key); ++pass) {
      ReadItem(s, kKey, level);
      ReadItem(s, kPuzzle, level);
    }
    for (int pass = 0; pass < plain(ItemKind::Pickup); ++pass) ReadItem(s, kPickup, level);
    for (int pass = 0; pass < plain(ItemKind::Examine); ++pass) ReadItem(s, kExamine, level);
    for (int pass = 0; pass < combos(ItemKind::Key); ++pass) {
      ReadItem(s, kKeyCombo, level);
      ReadItem(s, kPuzzleCombo, level);
    }
    for (int pass = 0; pass < combos(ItemKind::Pickup); ++pass) ReadItem(s, kPickupCombo, level);
  }

  void ReadItem(const std::string& s, const ItemKey& item, TLevel& level) {
    const auto value = Read(s, item.key);
    if (value.empty()) return;
    ini_.DeleteKey(s, item.key);
    std::string_view rest = value;
    std::string number;
    const int slot = ItemSlotOf(item, rest, number);
    if (slot < 0) {
      skipped_.push_back(std::string(item.key) + "=" + value);
      return;
    }
    ItemSlot& target = level.Items(item.kind)[static_cast<std::size_t>(slot)];
    target.Number = std::move(number);
    ReadItemTail(rest, target);
  }

  IniFile& ini_;
  std::vector<std::string>& skipped_;
};

// Calls `visit` with the name, in small letters, of every line that the INI reader takes for a
// section header, until it returns false.
template <typename Visit>
void ForEachSectionName(std::string_view text, Visit&& visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const auto line = TrimBlanks(text.substr(start, end - start));
    if (!line.empty() && line.front() == '[') {
      const auto rest = line.substr(1);
      if (!visit(LowerAscii(TrimBlanks(rest.substr(0, rest.find(']')))))) return;
    }
    start = end + 1;
  }
}

bool IsScriptSection(const std::string& name) {
  return name == "psxextensions" || name == "pcextensions" || name == "language" ||
         name == "options" || name == "title" || name.starts_with("level");
}

bool HoldsScriptSection(std::string_view text) {
  bool found = false;
  ForEachSectionName(text, [&](const std::string& name) {
    found = IsScriptSection(name);
    return !found;
  });
  return found;
}

// The "[Level]" headers that the numbering left as they were.
int UnnumberedLevelSections(std::string_view text) {
  int count = 0;
  ForEachSectionName(text, [&](const std::string& name) {
    if (name == "level") ++count;
    return true;
  });
  return count;
}

// A byte-order mark of UTF-16, or (without one) a NUL in nearly every other byte of the first
// lines, as plain Latin text saved as UTF-16 has. Such a text would read as no section at all.
bool LooksLikeUtf16(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.size() >= 2 &&
      ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))) {
    return true;
  }
  constexpr std::size_t kLookedAt = 256;
  const std::size_t pairs = std::min(bytes.size(), kLookedAt) / 2;
  if (pairs < 4) return false;
  std::size_t evenNuls = 0;
  std::size_t oddNuls = 0;
  for (std::size_t i = 0; i < pairs; ++i) {
    evenNuls += byte(2 * i) == 0 ? 1 : 0;
    oddNuls += byte(2 * i + 1) == 0 ? 1 : 0;
  }
  // A character beyond Latin-1 here and there has no NUL; one eighth of them is allowed.
  const auto most = [&](std::size_t count) { return count * 8 >= pairs * 7; };
  const auto few = [&](std::size_t count) { return count * 8 <= pairs; };
  return (most(oddNuls) && few(evenNuls)) || (most(evenNuls) && few(oddNuls));
}

// Ends every import the same way, whether it succeeded or not: the scratch file goes and the
// gauge rests at 0 with an empty caption.
class ScratchSession {
 public:
  ScratchSession(fs::path scratch, ImportProgress& progress)
      : scratch_(std::move(scratch)), progress_(progress) {}
  ScratchSession(const ScratchSession&) = delete;
  ScratchSession& operator=(const ScratchSession&) = delete;
  ~ScratchSession() {
    std::error_code ignored;
    // A folder of that name is the user's, not ours: it is why the import failed.
    if (!fs::is_directory(fs::symlink_status(scratch_, ignored))) fs::remove(scratch_, ignored);
    try {
      progress_.SetValue(0);
      progress_.SetCaption("");
    } catch (...) {
      // A gauge that cannot be reset must not hide the import's own outcome.
    }
  }

  const fs::path& path() const { return scratch_; }

 private:
  fs::path scratch_;
  ImportProgress& progress_;
};

// Reads the normalised scratch text into a copy of the project and puts the copy in place only
// when all of it was read.
ImportResult ImportScratchText(ScriptModel& model, const fs::path& scratch, std::string text,
                               ImportProgress& progress) {
  ScriptModel result = model;
  result.ClearAllLevels();
  for (int slot = 0; slot < kMaxLevels; ++slot) progress.Advance();
  NumberLevelSections(text, progress);

  ImportResult outcome;
  outcome.LevelSectionsLeftOut = UnnumberedLevelSections(text);
  {
    // The reader consumes lines in memory and never writes them back: the scratch file on disk
    // stays as the command wrote it until it is removed.
    auto ini = IniFile::FromBytes(scratch, std::move(text));
    struct DiscardOnExit {
      IniFile& ini;
      ~DiscardOnExit() { ini.Discard(); }
    } discard{*ini};
    ScratchReader reader(*ini, outcome.SkippedLines);
    reader.ReadHeader(result.Header);
    for (int n = 0; n < kNumberedLevels; ++n) {
      progress.Advance();
      // The next free slot, not slot n: a section that names no level (or a "[Level]" in a
      // comment, which uses up a number) leaves no gap, so the levels stay in slots
      // 0..LevelCount-1 in file order.
      TLevel& level = result.Levels[static_cast<std::size_t>(result.LevelCount)];
      if (reader.ReadLevel("Level" + std::to_string(n), level)) result.AppendLevel();
    }
  }
  model = std::move(result);
  return outcome;
}

}  // namespace

ImportResult ImportScriptFile(ScriptModel& model, const fs::path& programFolder,
                              const fs::path& chosenFile, ImportProgress& progress,
                              const EventPump& pump) {
  ScratchSession session(programFolder / kScratchFileName, progress);
  BlockCopyFile(chosenFile, session.path(), pump);

  std::string text = ReadFileBytes(session.path());
  const std::string name = chosenFile.filename().string();
  if (LooksLikeUtf16(text)) {
    throw NotAScriptError(name + " is a UTF-16 text; save it as ANSI text and load it again.");
  }
  NormaliseScratchText(text, progress);
  if (!HoldsScriptSection(text)) {
    throw NotAScriptError(name + " holds no script: none of its lines is a section of script.txt.");
  }
  progress.SetValue(0);
  progress.SetCaption("Load");
  return ImportScratchText(model, session.path(), std::move(text), progress);
}

ImportResult ImportStockScript(ScriptModel& model, const fs::path& programFolder,
                               const Lines& scriptLines, const std::string& caption,
                               ImportProgress& progress) {
  ScratchSession session(programFolder / kScratchFileName, progress);
  progress.SetValue(0);
  progress.SetCaption(caption);
  std::string text = JoinCrLf(scriptLines);
  WriteFileAtomic(session.path(), text, Durability::NoFlush);
  NormaliseScratchText(text, progress);
  return ImportScratchText(model, session.path(), std::move(text), progress);
}

int ComboSlotIndex(std::string_view pair) {
  static constexpr std::array<std::string_view, 16> kPairs = {
      "1,1", "1,2", "2,1", "2,2", "3,1", "3,2", "4,1", "4,2",
      "5,1", "5,2", "6,1", "6,2", "7,1", "7,2", "8,1", "8,2"};
  for (std::size_t i = 0; i < kPairs.size(); ++i) {
    if (kPairs[i] == pair) return ItemPlainCount(ItemKind::Key) + static_cast<int>(i);
  }
  return -1;
}

}  // namespace scriptdesk
