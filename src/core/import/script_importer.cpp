#include "core/import/script_importer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
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

// Flag rule: only the value "enabled", in any letter case, sets a flag.
bool Flag(std::string_view value) {
  return EqualsNoCase(value, "enabled");
}

std::string DropFront(std::string_view text, std::size_t count) {
  return std::string(count < text.size() ? text.substr(count) : std::string_view());
}

std::string Trimmed(std::string_view text) {
  return std::string(TrimBlanks(text));
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

// The pieces of a text between commas, blanks and tabs, empty ones skipped: how the game's
// compiler cuts a line into numbers.
std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find_first_of(", \t", start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) tokens.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return tokens;
}

// The numbers of a group into `fields`. When the line holds enough of them, they are taken as
// the game's compiler takes them ("10 20 30" is three); otherwise comma fields, each without the
// blanks around it, with whatever remains in the last, so the line is written back as it stood.
void GroupFields(std::string_view text, std::span<std::string> fields) {
  const auto tokens = Tokens(text);
  if (tokens.size() >= fields.size()) {
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = std::string(tokens[i]);
    return;
  }
  for (std::size_t i = 0; i + 1 < fields.size(); ++i) fields[i] = Trimmed(TakeField(text));
  fields.back() = Trimmed(text);
}

// Path rule: the folder up to the first "\" goes; then file name and audio track either side of
// the first comma, or the whole rest in both without a comma.
void ReadPath(std::string_view value, std::string& file, std::string& audio) {
  const auto slash = value.find('\\');
  if (slash != std::string_view::npos) value.remove_prefix(slash + 1);
  const auto comma = value.find(',');
  if (comma == std::string_view::npos) {
    file = audio = Trimmed(value);
    return;
  }
  file = Trimmed(value.substr(0, comma));
  audio = Trimmed(value.substr(comma + 1));
}

// The text after the first `mark`, or the whole text without one.
std::string_view AfterFirst(std::string_view text, char mark) {
  const auto at = text.find(mark);
  return at == std::string_view::npos ? text : text.substr(at + 1);
}

// A decimal number as the game's compiler reads one: a sign and the digits up to the first
// other character, kept in 32 bits.
std::uint32_t DecimalBits(std::string_view text) {
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  std::uint32_t number = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    number = number * 10u + static_cast<std::uint32_t>(text[at] - '0');
  }
  return negative ? 0u - number : number;
}

bool IsDecimal(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Hex(std::uint32_t number, int digits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(static_cast<std::size_t>(digits), '0');
  for (auto i = text.size(); i-- > 0; number >>= 4) text[i] = kDigits[number & 0xFu];
  return text;
}

// The model holds what follows the script's "$". A value written without one is a decimal
// number to the game's compiler, so it becomes its byte in hexadecimal; other texts stay whole.
std::string SecurityValue(std::string_view value) {
  if (value.find('$') != std::string_view::npos) return std::string(AfterFirst(value, '$'));
  if (IsDecimal(value)) return Hex(DecimalBits(value) & 0xFFu, 2);
  return std::string(value);
}

// A mirror's value as the model holds it, after the "$" the script writes: one written without
// "$" is a decimal number to the game's compiler, so it becomes that number in hexadecimal.
std::string MirrorValue(std::string_view value) {
  if (value.find('$') != std::string_view::npos) return Trimmed(AfterFirst(value, '$'));
  if (!IsDecimal(value)) return std::string(value);
  std::string digits = Hex(DecimalBits(value), 8);
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
  return digits;
}

// "0, ENGLISH.TXT" gives "ENGLISH": the name is the word after the index, as the game's
// compiler reads it; then its extension goes, from the last dot, as the compiler drops it for the
// .DAT name ("ENGLISH" stays whole).
std::string LanguageName(std::string_view value) {
  const auto tokens = Tokens(value);
  std::string name = tokens.size() > 1 ? std::string(tokens[1]) : std::string();
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

// An item number or combination part: a sign and a "$" for hexadecimal are allowed, and
// nothing else after the digits.
std::int32_t ReadItemInteger(std::string_view written) {
  const auto text = TrimBlanks(written);
  const auto fail = [&] {
    throw ConvertError("'" + std::string(written) + "' is not a valid integer value");
  };
  std::size_t at = 0;
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

// An item value as the game's compiler reads it: after a "$" hexadecimal digits, kept as
// written; otherwise a decimal number, which the model holds as its 16 bits in four
// hexadecimal digits ("-1" is "ffff").
std::string ItemValue(std::string_view token) {
  if (token.front() == '$') return std::string(token.substr(1));
  return Hex(DecimalBits(token) & 0xFFFFu, 4);
}

// What follows the number of an item line: the name up to the next comma, then six values cut
// as the game's compiler cuts them, so blanks, "$" right after the name's comma and empty
// fields all read the same. Values the line lacks are empty; more than six are not read.
void ReadItemTail(std::string_view rest, ItemSlot& slot) {
  const auto comma = rest.find(',');
  slot.Name = Trimmed(rest.substr(0, comma));
  const auto tokens = Tokens(comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1));
  for (std::size_t i = 0; i < slot.Values.size(); ++i) {
    slot.Values[i] = i < tokens.size() ? ItemValue(tokens[i]) : std::string();
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
    const std::int32_t n = ReadItemInteger(TakeField(rest));
    number = std::to_string(n);
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

// How many lines of each key of each section (both in small letters) the reader took.
using TakenLines = std::unordered_map<std::string, std::unordered_map<std::string, int>>;

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
          h.*field.text = SecurityValue(Read(section, field.key));
          break;
        case HeaderFieldKind::Group:
          GroupFields(Read(section, field.key), field.texts(h));
          break;
        case HeaderFieldKind::Path:
          ReadPath(Read(section, field.key), h.*field.text, h.*field.second);
          break;
      }
    }
  }

  // Fills `level` from section `s`; false when the section names no level, which then keeps
  // none of its lines.
  bool ReadLevel(const std::string& s, TLevel& level) {
    auto name = Read(s, "Name");
    if (name.empty() || name == "-") {
      taken_.erase(LowerAscii(s));
      return false;
    }
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
        case LevelFieldKind::Number: {
          std::int32_t number = 0;
          level.*field.number = ParseIniInteger(Read(s, field.key), number) ? number : 0;
          break;
        }
        case LevelFieldKind::Group: {
          const auto texts = field.texts(level);
          GroupFields(Read(s, field.key, "0"), texts);
          if (field.flag != nullptr) level.*field.flag = !texts.front().empty();
          break;
        }
        case LevelFieldKind::Mirror: {
          const auto mirror = Read(s, field.key, "0");
          std::string_view rest = mirror;
          const auto comma = rest.find(',');
          level.*field.text = Trimmed(rest.substr(0, comma));
          // The value's "$" is looked for after the room: a "$" inside the room would
          // otherwise shift the value, and the next save would write a different line.
          if (comma == std::string_view::npos) {
            level.*field.second = Trimmed(AfterFirst(rest, '$'));
            break;
          }
          rest.remove_prefix(comma + 1);
          level.*field.second = MirrorValue(TrimBlanks(rest));
          break;
        }
        case LevelFieldKind::Items:
          ReadItems(s, level);
          break;
      }
    }
    return true;
  }

  TakenLines& Taken() { return taken_; }

 private:
  // The first line left of the key, or nullopt when there is none; each line read counts as
  // taken.
  std::optional<std::string> Take(std::string_view section, std::string_view key) {
    // No line holds a line break, so this default tells an absent key from an empty one.
    static constexpr std::string_view kAbsent = "\n";
    auto value = ini_.ReadString(section, key, kAbsent);
    if (value == kAbsent) return std::nullopt;
    ++taken_[LowerAscii(section)][LowerAscii(key)];
    return value;
  }

  std::string Read(std::string_view section, std::string_view key, std::string_view fallback = {}) {
    auto value = Take(section, key);
    return value ? *std::move(value) : std::string(fallback);
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
    auto value = Take(s, item.key);
    // A line left empty (a comment alone) names no item and uses up no read.
    while (value && value->empty()) {
      ini_.DeleteKey(s, item.key);
      value = Take(s, item.key);
    }
    if (!value) return;
    ini_.DeleteKey(s, item.key);
    std::string_view rest = *value;
    std::string number;
    const int slot = ItemSlotOf(item, rest, number);
    if (slot < 0) {
      skipped_.push_back(std::string(item.key) + "=" + *value);
      return;
    }
    ItemSlot& target = level.Items(item.kind)[static_cast<std::size_t>(slot)];
    target.Number = std::move(number);
    ReadItemTail(rest, target);
  }

  IniFile& ini_;
  std::vector<std::string>& skipped_;
  TakenLines taken_;
};

// The key of a line the INI reader takes for one, as written; nullopt for any other line.
std::optional<std::string_view> KeyOf(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const auto key = TrimBlanks(line.substr(0, equals));
  if (key.empty()) return std::nullopt;
  return key;
}

// Every key line of the scratch text that the reader did not take, counted by key, most lines
// first. A line that ends in ">" goes on in the next line (other tools' long commands): that
// line is part of it, not a line of its own. Sections past the 39 numbered ones are told apart.
std::vector<UnkeptKey> UnkeptKeyLines(std::string_view text, TakenLines taken) {
  std::vector<UnkeptKey> unkept;
  std::unordered_map<std::string, std::size_t> index;
  std::unordered_set<std::string> seenSections;
  std::unordered_map<std::string, int>* read = nullptr;
  bool leftOut = false;
  bool continued = false;
  ForEachLine(text, [&](std::string_view line, std::size_t) {
    if (const auto name = SectionHeaderName(line)) {
      const std::string lower = LowerAscii(*name);
      // The reader sees only the first section of a name.
      const bool first = seenSections.insert(lower).second;
      const auto found = taken.find(lower);
      read = first && found != taken.end() ? &found->second : nullptr;
      leftOut = lower == "level";
      continued = false;
      return;
    }
    const bool continues = TrimBlanks(line).ends_with('>');
    if (continued) {
      continued = continues;
      return;
    }
    const auto key = KeyOf(line);
    if (!key || leftOut) return;
    if (read != nullptr) {
      const auto lines = read->find(LowerAscii(*key));
      if (lines != read->end() && lines->second > 0) {
        --lines->second;
        return;
      }
    }
    const auto [at, added] = index.try_emplace(LowerAscii(*key), unkept.size());
    if (added) unkept.push_back({std::string(*key) + "=", 0});
    ++unkept[at->second].lines;
    continued = continues;
  });
  std::stable_sort(unkept.begin(), unkept.end(),
                   [](const UnkeptKey& a, const UnkeptKey& b) { return a.lines > b.lines; });
  return unkept;
}

bool IsScriptSection(const std::string& name) {
  return name == "psxextensions" || name == "pcextensions" || name == "language" ||
         name == "options" || name == "title" || name == "level";
}

bool HoldsScriptSection(std::string_view text) {
  bool found = false;
  ForEachLine(text, [&](std::string_view line, std::size_t) {
    const auto name = SectionHeaderName(line);
    found = found || (name && IsScriptSection(LowerAscii(*name)));
  });
  return found;
}

// A selected language without a name would make the build save a file named ".txt": the first
// language that has one is selected instead.
std::optional<LanguageReselected> SelectNamedLanguage(THeader& header) {
  if (!header.SelectedLanguageName().empty()) return std::nullopt;
  for (int i = 0; i < kLanguageCount; ++i) {
    const std::string& name = header.Languages[static_cast<std::size_t>(i)];
    if (name.empty()) continue;
    LanguageReselected change{header.SelectedLanguage, i, name};
    header.SelectedLanguage = i;
    return change;
  }
  return std::nullopt;
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
ImportResult ImportScratchText(ScriptModel& model, const fs::path& scratch, ScriptSource source,
                               ImportProgress& progress) {
  ScriptModel result = model;
  result.ClearAllLevels();
  for (int slot = 0; slot < kMaxLevels; ++slot) progress.Advance();
  std::string& text = source.text;

  ImportResult outcome;
  const LevelSections sections = NumberLevelSections(text, progress);
  outcome.LevelSectionsLeftOut = sections.leftOut;
  outcome.SkippedIncludes = std::move(source.skippedIncludes);
  outcome.UnmappedCharacters = std::move(source.unmappedCharacters);
  {
    // The reader consumes lines in memory and never writes them back: the scratch file on disk
    // stays as the command wrote it until it is removed.
    auto ini = IniFile::FromBytes(scratch, text);
    struct DiscardOnExit {
      IniFile& ini;
      ~DiscardOnExit() { ini.Discard(); }
    } discard{*ini};
    ScratchReader reader(*ini, outcome.SkippedLines);
    reader.ReadHeader(result.Header);
    for (int n = 0; n < kNumberedLevels; ++n) {
      progress.Advance();
      // The next free slot, not slot n: a section that names no level leaves no gap, so the
      // levels stay in slots 0..LevelCount-1 in file order.
      TLevel& level = result.Levels[static_cast<std::size_t>(result.LevelCount)];
      if (reader.ReadLevel("Level" + std::to_string(n), level)) result.AppendLevel();
    }
    outcome.UnnamedLevelSections = sections.numbered - result.LevelCount;
    outcome.UnkeptKeys = UnkeptKeyLines(text, std::move(reader.Taken()));
  }
  outcome.Language = SelectNamedLanguage(result.Header);
  model = std::move(result);
  return outcome;
}

}  // namespace

ImportResult ImportScriptFile(ScriptModel& model, const fs::path& programFolder,
                              const fs::path& chosenFile, ImportProgress& progress,
                              const EventPump& pump) {
  ScratchSession session(programFolder / kScratchFileName, progress);
  BlockCopyFile(chosenFile, session.path(), pump);

  const std::string bytes = ReadFileBytes(session.path());
  const std::string name = chosenFile.filename().string();
  if (LooksLikeUtf16(bytes)) {
    throw NotAScriptError(name + " is a UTF-16 text; save it as ANSI text and load it again.");
  }
  ScriptSource source = ExpandScript(bytes, name, chosenFile);
  NormaliseScratchText(source.text, progress);
  if (!HoldsScriptSection(source.text)) {
    throw NotAScriptError(name + " holds no script: none of its lines is a section of script.txt.");
  }
  progress.SetValue(0);
  progress.SetCaption("Load");
  return ImportScratchText(model, session.path(), std::move(source), progress);
}

ImportResult ImportStockScript(ScriptModel& model, const fs::path& programFolder,
                               const Lines& scriptLines, const std::string& caption,
                               ImportProgress& progress) {
  ScratchSession session(programFolder / kScratchFileName, progress);
  progress.SetValue(0);
  progress.SetCaption(caption);
  const std::string text = JoinCrLf(scriptLines);
  WriteFileAtomic(session.path(), text, Durability::NoFlush);
  ScriptSource source = ExpandScript(text, caption, {});
  NormaliseScratchText(source.text, progress);
  return ImportScratchText(model, session.path(), std::move(source), progress);
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
