#include "core/import/script_importer.h"

#include <algorithm>
#include <deque>
#include <map>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/syntax/game_text.h"
#include "core/syntax/script_line.h"
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
  return syntax::SplitTokens(text, syntax::kNumberSeparators);
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

// A decimal number as the game's compiler reads one (atoi), kept in 32 bits.
std::uint32_t DecimalBits(std::string_view text) {
  return static_cast<std::uint32_t>(syntax::ParseGameNumber(text));
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

constexpr ItemKey kItemKeys[] = {kKey, kPuzzle, kPickup, kExamine, kKeyCombo, kPuzzleCombo, kPickupCombo};

// How many lines of an item key a level reads: one per slot of its part of the table.
int ItemLinesRead(const ItemKey& item) {
  const int plain = ItemPlainCount(item.kind);
  return item.combo ? ItemSlotCount(item.kind) - plain : plain;
}

// Removes every occurrence of `pattern`, left to right, without rescanning what a removal joins.
void RemoveAll(std::string& text, std::string_view pattern) {
  for (auto at = text.find(pattern); at != std::string::npos; at = text.find(pattern, at)) {
    text.erase(at, pattern.size());
  }
}

// A value as the reader takes it: a tab reads as a blank; runs of three NUL bytes go, then
// pairs (what a text saved with stray NULs holds), and the blanks they stood between go too.
std::string ValueText(std::string_view value) {
  using namespace std::string_view_literals;
  std::string text(value);
  std::replace(text.begin(), text.end(), '\t', ' ');
  RemoveAll(text, "\0\0\0"sv);
  RemoveAll(text, "\0\0"sv);
  return Trimmed(text);
}

struct KeyLine {
  std::string key;  // in small letters
  std::string value;
  int view = 0;
};

// The key lines of one section, or of all sections of one name, in reading order.
struct Section {
  int view = -1;  // of its header
  int end = 0;
  std::vector<KeyLine> lines;
  std::unordered_map<std::string, std::size_t> last;  // key -> its last line

  void Add(KeyLine line) {
    last[line.key] = lines.size();
    lines.push_back(std::move(line));
  }
  const KeyLine* Last(const std::string& key) const {
    const auto found = last.find(key);
    return found == last.end() ? nullptr : &lines[found->second];
  }
};

class ViewReader {
 public:
  ViewReader(LoadedScript& script, ImportResult& outcome) : script_(script), outcome_(outcome) {
    script_.usedLines.assign(script_.view.lines.size(), false);
  }

  // Cuts the view into sections; `advance` counts the gauge.
  void Split(ImportProgress& progress) {
    Section* current = &preamble_;
    syntax::Continuation continuation;
    const auto& lines = script_.view.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& text = lines[i].text;
      if (continuation.Continues(text) || lines[i].include) continue;
      const auto line = syntax::ReadScriptLine(text);
      // Another tool's command goes on past a ">" at the end of its line.
      if (line.kind == syntax::ScriptLine::Kind::Key) continuation.Starts(text);
      const int view = static_cast<int>(i);
      if (line.kind == syntax::ScriptLine::Kind::Section) {
        current->end = view;
        script_.binding.sectionStarts.push_back(view);
        const std::string name = LowerAscii(line.name);
        if (name == "level") {
          current = &levels_.emplace_back();
        } else if (IsHeaderSection(name)) {
          auto [at, added] = named_.try_emplace(name);
          if (added) at->second.view = view;
          current = &at->second;
          continue;
        } else {
          current = &others_;
        }
        current->view = view;
        continue;
      }
      if (line.kind != syntax::ScriptLine::Kind::Key) continue;
      current->Add({LowerAscii(line.name), ValueText(line.value), view});
    }
    current->end = static_cast<int>(lines.size());
    progress.Advance();
  }

  void ReadHeader(THeader& h) {
    for (const HeaderField& field : HeaderFields()) {
      const std::string section = LowerAscii(field.section);
      const std::string key = LowerAscii(field.key);
      switch (field.kind) {
        case HeaderFieldKind::Extension:
          h.*field.text = DropFront(Read(section, key), 1);
          break;
        case HeaderFieldKind::Languages:
          ReadLanguages(section, key, h);
          break;
        case HeaderFieldKind::Flag:
          h.*field.flag = Flag(Read(section, key));
          break;
        case HeaderFieldKind::Text:
          h.*field.text = Read(section, key);
          break;
        case HeaderFieldKind::Dollar:
          h.*field.text = SecurityValue(Read(section, key));
          break;
        case HeaderFieldKind::Group:
          GroupFields(Read(section, key), field.texts(h));
          break;
        case HeaderFieldKind::Path:
          ReadPath(Read(section, key), h.*field.text, h.*field.second);
          break;
      }
    }
  }

  // The levels, in reading order, into the model's slots; sections that name no level hold
  // none, and those past the table's end are left out.
  void ReadLevels(ScriptModel& model, ImportProgress& progress) {
    int advanced = 0;
    for (const Section& section : levels_) {
      if (model.LevelCount == kMaxLevels) {
        ++outcome_.LevelSectionsLeftOut;
        continue;
      }
      if (advanced < kMaxLevels) {
        progress.Advance();
        ++advanced;
      }
      TLevel& level = model.Levels[static_cast<std::size_t>(model.LevelCount)];
      LevelBinding binding;
      binding.header = Ref(section.view);
      binding.viewIndex = section.view;
      binding.viewEnd = section.end;
      if (!ReadLevel(section, level, binding)) {
        ++outcome_.UnnamedLevelSections;
        continue;
      }
      level.Origin = static_cast<std::int32_t>(script_.binding.levels.size());
      script_.binding.levels.push_back(std::move(binding));
      model.AppendLevel();
    }
    for (; advanced < kMaxLevels; ++advanced) progress.Advance();
  }

  // Every key line that no setting was read from, counted by key, most lines first.
  std::vector<UnkeptKey> Unkept() const {
    std::vector<UnkeptKey> unkept;
    std::unordered_map<std::string, std::size_t> index;
    syntax::Continuation continuation;
    const auto& lines = script_.view.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (continuation.Continues(lines[i].text) || lines[i].include) continue;
      const auto line = syntax::ReadScriptLine(lines[i].text);
      if (line.kind != syntax::ScriptLine::Kind::Key) continue;
      continuation.Starts(lines[i].text);
      if (script_.usedLines[i]) continue;
      const auto [at, added] = index.try_emplace(LowerAscii(line.name), unkept.size());
      if (added) unkept.push_back({std::string(line.name) + "=", 0});
      ++unkept[at->second].lines;
    }
    std::stable_sort(unkept.begin(), unkept.end(),
                     [](const UnkeptKey& a, const UnkeptKey& b) { return a.lines > b.lines; });
    return unkept;
  }

  bool HoldsScriptSection() const { return !levels_.empty() || !named_.empty(); }

 private:
  static bool IsHeaderSection(const std::string& name) {
    return name == "psxextensions" || name == "pcextensions" || name == "language" ||
           name == "options" || name == "title";
  }

  LineRef Ref(int view) const {
    if (view < 0) return {};
    const ViewLine& line = script_.view.lines[static_cast<std::size_t>(view)];
    return {line.file, line.line};
  }

  const KeyLine* Use(const KeyLine* line) {
    if (line != nullptr) script_.usedLines[static_cast<std::size_t>(line->view)] = true;
    return line;
  }

  // The last line of the key in the header section, bound to it.
  std::string Read(const std::string& section, const std::string& key) {
    const auto found = named_.find(section);
    if (found == named_.end()) return {};
    SectionBinding& binding = script_.binding.sections[section];
    binding.viewIndex = found->second.view;
    binding.header = Ref(found->second.view);
    const KeyLine* line = Use(found->second.Last(key));
    if (line == nullptr) return {};
    binding.keys[key] = Ref(line->view);
    return line->value;
  }

  // The language lines share one key: the first eight, in order.
  void ReadLanguages(const std::string& section, const std::string& key, THeader& h) {
    for (auto& language : h.Languages) language.clear();
    const auto found = named_.find(section);
    if (found == named_.end()) return;
    SectionBinding& binding = script_.binding.sections[section];
    binding.viewIndex = found->second.view;
    binding.header = Ref(found->second.view);
    std::size_t next = 0;
    for (const KeyLine& line : found->second.lines) {
      if (line.key != key || next == h.Languages.size()) continue;
      Use(&line);
      script_.binding.languages[next] = Ref(line.view);
      h.Languages[next++] = LanguageName(line.value);
    }
  }

  bool ReadLevel(const Section& s, TLevel& level, LevelBinding& binding) {
    const auto read = [&](const char* key, std::string_view fallback = {}) {
      const std::string lower = LowerAscii(key);
      const KeyLine* line = s.Last(lower);
      if (line == nullptr) return std::string(fallback);
      binding.keys[lower] = Ref(line->view);
      lines_.push_back(line);
      return line->value;
    };
    lines_.clear();
    const auto name = read("Name");
    if (name.empty() || name == "-") return false;
    for (const LevelField& field : LevelFields()) {
      switch (field.kind) {
        case LevelFieldKind::Text:
          level.*field.text = field.text == &LevelSettings::Name ? name : read(field.key);
          break;
        case LevelFieldKind::Path:
          ReadPath(read(field.key), level.*field.text, level.*field.second);
          break;
        case LevelFieldKind::Flag:
          level.*field.flag = Flag(read(field.key));
          break;
        case LevelFieldKind::Number: {
          std::int32_t number = 0;
          level.*field.number = ParseIniInteger(read(field.key), number) ? number : 0;
          break;
        }
        case LevelFieldKind::Group: {
          const auto texts = field.texts(level);
          GroupFields(read(field.key, "0"), texts);
          if (field.flag != nullptr) level.*field.flag = !texts.front().empty();
          break;
        }
        case LevelFieldKind::Mirror: {
          const auto mirror = read(field.key, "0");
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
          ReadItems(s, level, binding);
          break;
      }
    }
    for (const KeyLine* line : lines_) Use(line);
    return true;
  }

  // Each item key's first lines, as many as its table has slots for; the later of two lines for
  // one slot wins.
  void ReadItems(const Section& s, TLevel& level, LevelBinding& binding) {
    for (ItemKind kind : kItemKinds) {
      binding.items[static_cast<std::size_t>(kind)].assign(
          static_cast<std::size_t>(ItemSlotCount(kind)), LineRef{});
    }
    for (const ItemKey& item : kItemKeys) {
      const std::string key = LowerAscii(item.key);
      int left = ItemLinesRead(item);
      for (const KeyLine& line : s.lines) {
        if (left == 0) break;
        if (line.key != key) continue;
        // A line left empty (a comment alone) names no item and uses up no read.
        if (line.value.empty()) {
          lines_.push_back(&line);
          continue;
        }
        --left;
        std::string_view rest = line.value;
        std::string number;
        const int slot = ItemSlotOf(item, rest, number);
        if (slot < 0) {
          outcome_.SkippedLines.push_back(std::string(item.key) + "=" + line.value);
          continue;
        }
        ItemSlot& target = level.Items(item.kind)[static_cast<std::size_t>(slot)];
        target.Number = std::move(number);
        ReadItemTail(rest, target);
        binding.items[static_cast<std::size_t>(item.kind)][static_cast<std::size_t>(slot)] =
            Ref(line.view);
        lines_.push_back(&line);
      }
    }
  }

  LoadedScript& script_;
  ImportResult& outcome_;
  Section preamble_;
  Section others_;
  std::map<std::string, Section> named_;
  std::deque<Section> levels_;
  std::vector<const KeyLine*> lines_;  // the lines the level being read took
};

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

// Puts the gauge back at 0 with an empty caption however the import ends.
class GaugeReset {
 public:
  explicit GaugeReset(ImportProgress& progress) : progress_(progress) {}
  GaugeReset(const GaugeReset&) = delete;
  GaugeReset& operator=(const GaugeReset&) = delete;
  ~GaugeReset() {
    try {
      progress_.SetValue(0);
      progress_.SetCaption("");
    } catch (...) {
      // A gauge that cannot be reset must not hide the import's own outcome.
    }
  }

 private:
  ImportProgress& progress_;
};

// Reads the files into a copy of the project and puts the copy in place only when all of it was
// read. `name` names the script in messages.
ImportResult ReadIntoModel(ScriptModel& model, ScriptFiles files, const std::string& name,
                           ImportProgress& progress, bool chosen = true) {
  ImportResult outcome;
  auto script = std::make_shared<LoadedScript>();
  script->files = std::move(files);
  script->view = BuildView(script->files);
  outcome.SkippedIncludes = script->view.skippedIncludes;
  outcome.UnmappedCharacters = script->view.unmappedCharacters;

  ScriptModel result = model;
  result.ClearAllLevels();
  for (int slot = 0; slot < kMaxLevels; ++slot) progress.Advance();
  ViewReader reader(*script, outcome);
  reader.Split(progress);
  // A file the user picked must be a script; the program's own texts are.
  if (chosen && !reader.HoldsScriptSection()) {
    throw NotAScriptError(name + " holds no script: none of its lines is a section of script.txt.");
  }
  reader.ReadHeader(result.Header);
  reader.ReadLevels(result, progress);
  outcome.UnkeptKeys = reader.Unkept();
  outcome.Language = SelectNamedLanguage(result.Header);
  result.CurrentLevel = -1;
  script->model = result;
  // The files name the language the script had; a reselected one is a change to save.
  if (outcome.Language) script->model.Header.SelectedLanguage = outcome.Language->from;
  model = std::move(result);
  outcome.Script = std::move(script);
  return outcome;
}

}  // namespace

ImportResult ImportScriptFile(ScriptModel& model, const fs::path& chosenFile,
                              ImportProgress& progress) {
  GaugeReset reset(progress);
  const std::string bytes = ReadFileBytes(chosenFile);
  const std::string name = chosenFile.filename().string();
  if (LooksLikeUtf16(bytes)) {
    throw NotAScriptError(name + " is a UTF-16 text; save it as ANSI text and load it again.");
  }
  progress.SetValue(0);
  progress.SetCaption("Load");
  return ReadIntoModel(model, LoadScriptFiles(bytes, chosenFile), name, progress);
}

ImportResult ImportStockScript(ScriptModel& model, const Lines& scriptLines,
                               const std::string& caption, ImportProgress& progress) {
  GaugeReset reset(progress);
  progress.SetValue(0);
  progress.SetCaption(caption);
  ImportResult result =
      ReadIntoModel(model, ScriptFilesFromText(JoinCrLf(scriptLines), caption), caption,
                    progress, false);
  // The program's own sample is written anew in the writer's layout.
  result.Script.reset();
  return result;
}

std::shared_ptr<LoadedScript> ReadScriptFiles(ScriptFiles files) {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  ImportProgress progress;
  const std::string name = files.files.empty() ? std::string() : files.files.front().name;
  return ReadIntoModel(model, std::move(files), name, progress).Script;
}

std::optional<ItemLineSlot> ItemSlotOfLine(std::string_view key, std::string_view value) {
  for (const ItemKey& item : kItemKeys) {
    if (!EqualsNoCase(key, item.key)) continue;
    std::string_view rest = value;
    std::string number;
    try {
      const int slot = ItemSlotOf(item, rest, number);
      if (slot >= 0) return ItemLineSlot{item.kind, slot};
    } catch (const ConvertError&) {
      // A number Load would refuse names no slot.
    }
    return std::nullopt;
  }
  return std::nullopt;
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
