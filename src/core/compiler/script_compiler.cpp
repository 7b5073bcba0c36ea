#include "core/compiler/script_compiler.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

#include "core/compiler/dos_names.h"
#include "core/syntax/game_text.h"
#include "core/compiler/language_file.h"

namespace scriptdesk::compiler {

// The game's way of reading lines, tokens and numbers, shared with the importer.
using namespace scriptdesk::syntax;

namespace {

constexpr int kLanguageSlots = 8;
constexpr std::size_t kMaxLevels = 254;       // 255 makes the slot count byte 0
constexpr std::size_t kMaxFiles = 255;        // the file count is one byte
constexpr std::size_t kMaxBlock = 0xFFFF;     // block sizes and offsets are 16-bit
constexpr std::size_t kPathLength = 93;       // the game's compiler cuts longer paths
constexpr std::size_t kMaxTitleText = 79;     // Name and Legend overrun their fields beyond this
constexpr std::size_t kMaxLanguageName = 80;  // a longer name runs into the next slot
constexpr std::size_t kExtensionBytes = 5;

enum class Section { None, PsxExtensions, PcExtensions, Language, Options, Title, Level };

constexpr unsigned Bit(Section section) {
  return 1u << static_cast<unsigned>(section);
}
constexpr unsigned kExtensionSections = Bit(Section::PsxExtensions) | Bit(Section::PcExtensions);
constexpr unsigned kRecordSections = Bit(Section::Title) | Bit(Section::Level);

enum class Key {
  Level,
  Cut,
  Fmv,
  File,
  LoadSave,
  TitleOption,
  PlayAnyLevel,
  FlyCheat,
  DemoDisc,
  InputTimeout,
  Security,
  Name,
  Legend,
  ResidentCut,
  AnimatingMip,
  LoadCamera,
  Item,
  Flag,
  AnyValueFlag,
  Layer1,
  Layer2,
  Mirror,
  LensFlare,
  ResetHub,
  UvRotate,
  Fog,
};

// Items in the order a slot block holds them, which is not their opcode order.
enum ItemKind { kKey, kKeyCombo, kPuzzle, kPuzzleCombo, kPickup, kPickupCombo, kExamine };

struct ItemKindInfo {
  int count;      // numbers 1..count
  bool combo;     // a second number 1..2
  int firstSlot;  // where the kind starts in the slot block's item order
  std::uint8_t firstOpcode;
  const char* illegal;
};

constexpr std::array<ItemKindInfo, 7> kItemKinds = {{
    {12, false, 0, 0x93, "Illegal Key number"},
    {8, true, 12, 0xB2, "Illegal Key Combo number"},
    {12, false, 28, 0x9F, "Illegal Puzzle number"},
    {8, true, 40, 0xC2, "Illegal Puzzle Combo number"},
    {4, false, 56, 0xAB, "Illegal Pickup number"},
    {4, true, 60, 0xD2, "Illegal Pickup Combo number"},
    {3, false, 68, 0xAF, "Illegal Examine number"},
}};
// The opcode of an item at a place in the slot block's item order.
std::uint8_t ItemOpcode(int slot) {
  for (auto kind = kItemKinds.rbegin(); kind != kItemKinds.rend(); ++kind) {
    if (slot >= kind->firstSlot)
      return static_cast<std::uint8_t>(kind->firstOpcode + slot - kind->firstSlot);
  }
  return 0;
}

struct KeyInfo {
  const char* word;
  Key key;
  unsigned sections;
  int detail = 0;  // the flag bit, or the item kind
};

// Matched by prefix in this order, so the combos come before their base words.
constexpr KeyInfo kKeys[] = {
    {"LEVEL", Key::Level, kExtensionSections | kRecordSections},
    {"CUT", Key::Cut, kExtensionSections | kRecordSections},
    {"FMV", Key::Fmv, kExtensionSections | kRecordSections},
    {"FILE", Key::File, Bit(Section::Language)},
    {"LOADSAVE", Key::LoadSave, Bit(Section::Options), 0x02},
    {"TITLE", Key::TitleOption, Bit(Section::Options), 0x04},
    {"PLAYANYLEVEL", Key::PlayAnyLevel, Bit(Section::Options), 0x08},
    {"FLYCHEAT", Key::FlyCheat, Bit(Section::Options), 0x01},
    {"DEMODISC", Key::DemoDisc, Bit(Section::Options), 0x80},
    {"INPUTTIMEOUT", Key::InputTimeout, Bit(Section::Options)},
    {"SECURITY", Key::Security, Bit(Section::Options)},
    {"NAME", Key::Name, kRecordSections},
    {"LEGEND", Key::Legend, kRecordSections},
    {"RESIDENTCUT", Key::ResidentCut, kRecordSections},
    {"ANIMATINGMIP", Key::AnimatingMip, kRecordSections},
    {"LOADCAMERA", Key::LoadCamera, kRecordSections},
    {"KEYCOMBO", Key::Item, kRecordSections, kKeyCombo},
    {"PUZZLECOMBO", Key::Item, kRecordSections, kPuzzleCombo},
    {"PICKUPCOMBO", Key::Item, kRecordSections, kPickupCombo},
    {"KEY", Key::Item, kRecordSections, kKey},
    {"PUZZLE", Key::Item, kRecordSections, kPuzzle},
    {"PICKUP", Key::Item, kRecordSections, kPickup},
    {"EXAMINE", Key::Item, kRecordSections, kExamine},
    {"YOUNGLARA", Key::Flag, kRecordSections, 0x0001},
    {"WEATHER", Key::Flag, kRecordSections, 0x0002},
    {"HORIZON", Key::Flag, kRecordSections, 0x0004},
    {"STARFIELD", Key::Flag, kRecordSections, 0x0020},
    {"LIGHTNING", Key::Flag, kRecordSections, 0x0040},
    {"TRAIN", Key::Flag, kRecordSections, 0x0080},
    {"PULSE", Key::Flag, kRecordSections, 0x0100},
    {"COLADDHORIZON", Key::Flag, kRecordSections, 0x0200},
    {"TIMER", Key::Flag, kRecordSections, 0x1000},
    {"REMOVEAMULET", Key::AnyValueFlag, kRecordSections, 0x4000},
    {"NOLEVEL", Key::AnyValueFlag, kRecordSections, 0x8000},
    {"LAYER1", Key::Layer1, kRecordSections},
    {"LAYER2", Key::Layer2, kRecordSections},
    {"MIRROR", Key::Mirror, kRecordSections},
    {"LENSFLARE", Key::LensFlare, kRecordSections},
    {"RESETHUB", Key::ResetHub, kRecordSections},
    {"UVROTATE", Key::UvRotate, kRecordSections},
    {"FOG", Key::Fog, kRecordSections},
};

struct SectionHeader {
  const char* word;
  Section section;
};
constexpr SectionHeader kSections[] = {
    {"[PSXEXTENSIONS]", Section::PsxExtensions},
    {"[PCEXTENSIONS]", Section::PcExtensions},
    {"[LANGUAGE]", Section::Language},
    {"[OPTIONS]", Section::Options},
    {"[TITLE]", Section::Title},
    {"[LEVEL]", Section::Level},
};

constexpr std::uint16_t kLayer1Present = 0x0008, kLayer2Present = 0x0010, kResetHubPresent = 0x0400,
                        kLensFlarePresent = 0x0800, kMirrorPresent = 0x2000;

struct Text {
  std::string value;
  int line = 0;
};

struct Item {
  int slot = 0;  // place in the slot block's item order
  Text name;
  std::array<std::int32_t, 6> values{};
};

// What flag and effect lines collect until the next Level= or FMV= line takes or drops it.
struct Captured {
  std::uint16_t flags = 0;
  std::optional<std::array<std::int32_t, 4>> layer1, layer2;
  std::optional<std::array<std::int32_t, 2>> mirror;
  std::optional<std::array<std::int32_t, 6>> lensFlare;
  std::optional<std::int32_t> resetHub;
  std::int32_t uvRotate = 0;
  std::array<std::int32_t, 3> fog{};
};

struct Entry {
  bool fmv = false;
  std::uint8_t fmvByte = 0;
  Captured captured;
  std::string path;
  std::int32_t cd = 0;
};

// A [Title] or [Level] section.
struct Record {
  int headerLine = 0;
  std::optional<Text> name, legend;
  std::uint8_t cut = 0;
  std::array<std::uint8_t, 4> residentCut{};
  std::array<std::int32_t, 16> mip{};
  std::optional<std::array<std::int32_t, 7>> camera;
  std::vector<Item> items;  // in the order given; a later line for the same slot replaces
  std::vector<Entry> sequence;
  Captured captured;
};

struct Script {
  std::uint8_t options = 0;
  std::uint32_t inputTimeout = 1800;
  std::uint8_t security = 0;
  std::array<char, 8 * kExtensionBytes> extensions{};
  std::array<std::optional<Text>, kLanguageSlots> languages;
  std::optional<Record> title;
  std::vector<Record> levels;
};

// A message that ends the compile.
struct Stop {
  CompileMessage message;
};

class ScriptParser {
 public:
  ScriptParser(const std::string& fileName, std::vector<CompileMessage>& messages)
      : file_(fileName), messages_(messages) {}

  Script Parse(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
      Warn("The file starts with a UTF-8 byte order mark, which the game's compiler reads as text",
           1);
    }
    for (const GameLine& line : ReadGameLines(bytes, false)) {
      if (line.split) {
        Warn("Line longer than 511 characters: the rest is read as the next line", line.number);
      }
      ParseLine(line);
    }
    return std::move(script_);
  }

 private:
  void Warn(std::string text, int line) {
    messages_.push_back({Severity::Warning, std::move(text), file_, line});
  }
  [[noreturn]] void Fail(std::string text) const {
    throw Stop{{Severity::Error, std::move(text), file_, line_}};
  }
  [[noreturn]] void FailAtKey(const char* what) const {
    Fail(std::string(what) + " (" + std::to_string(line_) + ") : \"" + keyWord_ + "\"");
  }

  std::int32_t Number() {
    const auto token = tokens_.Next(kNumberSeparators);
    if (!token) FailAtKey("Number expected");
    return ParseGameNumber(*token);
  }
  template <std::size_t N>
  std::array<std::int32_t, N> Numbers() {
    std::array<std::int32_t, N> values{};
    for (auto& value : values) value = Number();
    return values;
  }
  bool Enabled() {
    const auto word = tokens_.Next(kWordSeparators);
    return word && UpperAscii(*word) == "ENABLED";
  }
  // Name= and Legend=: the game's compiler would read a missing text through a null pointer
  // and overrun its field with a long one.
  Text TitleText() {
    const auto text = tokens_.Next(kStringSeparators);
    if (!text) FailAtKey("String expected");
    if (text->size() > kMaxTitleText) FailAtKey("String longer than 79 characters");
    return {std::string(*text), line_};
  }

  void ParseLine(const GameLine& line) {
    line_ = line.number;
    tokens_ = Tokens(line.text);
    const auto word = tokens_.Next(kBlanks);
    if (!word) return;
    keyWord_ = UpperAscii(*word);
    if (keyWord_.front() == '[') {
      for (const auto& header : kSections) {
        if (keyWord_.starts_with(header.word)) return OpenSection(header.section);
      }
      return;  // an unknown header leaves the section as it is
    }
    for (const auto& key : kKeys) {
      if (key.word[0] != keyWord_[0] || !keyWord_.starts_with(key.word)) continue;
      // Before the first header the game's compiler writes into no section at all.
      if ((key.sections & Bit(section_)) == 0) FailAtKey("Command out of context");
      return ParseKey(key);
    }
  }

  void OpenSection(Section section) {
    section_ = section;
    const auto repeated = [&](bool& seen, const char* what) {
      if (seen)
        Warn(std::string("Multiple ") + what + " chunks (" + std::to_string(line_) + ")", line_);
      seen = true;
    };
    switch (section) {
      case Section::PsxExtensions:
        return repeated(seenPsx_, "PSX extension");
      case Section::PcExtensions:
        return repeated(seenPc_, "PC extension");
      case Section::Options:
        return repeated(seenOptions_, "option");
      case Section::Title:
        script_.title = Record{};
        script_.title->headerLine = line_;
        record_ = &*script_.title;
        return;
      case Section::Level:
        if (script_.levels.size() >= kMaxLevels) {
          Fail("Too many levels (the game's compiler takes at most 254)");
        }
        if (script_.levels.empty()) script_.levels.reserve(64);
        script_.levels.emplace_back().headerLine = line_;
        record_ = &script_.levels.back();
        return;
      default:
        return;
    }
  }

  void ParseKey(const KeyInfo& key) {
    if (section_ == Section::PsxExtensions || section_ == Section::PcExtensions) {
      return ParseExtension(key.key);
    }
    switch (key.key) {
      case Key::File:
        return ParseFile();
      case Key::LoadSave:
      case Key::TitleOption:
      case Key::PlayAnyLevel:
      case Key::FlyCheat:
      case Key::DemoDisc: {
        const auto bit = static_cast<std::uint8_t>(key.detail);
        script_.options = Enabled() ? (script_.options | bit) : (script_.options & ~bit);
        return;
      }
      case Key::InputTimeout:
        script_.inputTimeout = static_cast<std::uint32_t>(Number());
        return;
      case Key::Security:
        script_.security = static_cast<std::uint8_t>(Number());
        return;
      default:
        return ParseRecordKey(key, *record_);
    }
  }

  void ParseExtension(Key key) {
    // PSX fields first, then PC; each kind in the order Level, FMV, Cut.
    const int kind = key == Key::Level ? 0 : key == Key::Fmv ? 1 : 2;
    const auto value = tokens_.Next(kWordSeparators);
    if (!value) {
      // The game's compiler stores bytes read through a null pointer here.
      Warn("No extension given (" + std::to_string(line_) + ") : \"" + keyWord_ +
               "\": the line is ignored",
           line_);
      return;
    }
    // The game's compiler copies the value and its NUL in steps of six characters into
    // fields of five, so every sixth character is dropped and a long value runs on into the
    // next fields; past the last field it would overwrite other data.
    const std::size_t start =
        static_cast<std::size_t>((section_ == Section::PcExtensions ? 4 : 0) + kind) *
        kExtensionBytes;
    const std::string text = UpperAscii(*value) + '\0';
    auto& area = script_.extensions;
    for (std::size_t k = 0; k < text.size(); ++k) {
      if (k % 6 == 5) continue;
      const std::size_t at = start + (k / 6) * kExtensionBytes + k % 6;
      if (at >= area.size()) FailAtKey("Extension too long");
      area[at] = text[k];
    }
  }

  void ParseFile() {
    const std::int32_t slot = Number();
    const auto name = tokens_.Next(kFileSeparators);
    if (slot < 0) return;
    if (slot >= kLanguageSlots) Fail("Illegal File number");  // hangs the game's compiler
    if (!name) FailAtKey("String expected");
    if (name->size() > kMaxLanguageName) FailAtKey("String longer than 80 characters");
    script_.languages[static_cast<std::size_t>(slot)] = Text{std::string(*name), line_};
  }

  void ParseRecordKey(const KeyInfo& key, Record& record) {
    Captured& state = record.captured;
    switch (key.key) {
      case Key::Name:
        if (section_ == Section::Title) return;  // the title has no name
        record.name = TitleText();
        return;
      case Key::Legend:
        record.legend = TitleText();
        return;
      case Key::Cut:
        record.cut = static_cast<std::uint8_t>(Number());
        return;
      case Key::ResidentCut: {
        const auto [index, cut] = Numbers<2>();
        if (index == 5) {
          record.cut = static_cast<std::uint8_t>(cut);
        } else if (index >= 1 && index <= 4) {
          record.residentCut[static_cast<std::size_t>(index - 1)] = static_cast<std::uint8_t>(cut);
        } else {
          Fail("Illegal ResidentCut number");  // 0 hangs the game's compiler, others overwrite
        }
        return;
      }
      case Key::AnimatingMip: {
        const auto [index, distance] = Numbers<2>();
        if (index < 1 || index > 16) Fail("Illegal animating object number");
        record.mip[static_cast<std::size_t>(index - 1)] = distance;
        return;
      }
      case Key::LoadCamera:
        record.camera = Numbers<7>();
        return;
      case Key::Item:
        return ParseItem(kItemKinds[static_cast<std::size_t>(key.detail)], record);
      case Key::Flag:
        if (Enabled()) state.flags |= static_cast<std::uint16_t>(key.detail);
        return;
      case Key::AnyValueFlag:
        state.flags |= static_cast<std::uint16_t>(key.detail);
        return;
      case Key::Layer1:
        state.layer1 = Numbers<4>();
        return;
      case Key::Layer2:
        state.layer2 = Numbers<4>();
        return;
      case Key::Mirror:
        state.mirror = Numbers<2>();
        return;
      case Key::LensFlare:
        state.lensFlare = Numbers<6>();
        return;
      case Key::ResetHub:
        state.resetHub = Number();
        return;
      case Key::UvRotate:
        state.uvRotate = Number();
        return;
      case Key::Fog:
        state.fog = Numbers<3>();
        return;
      case Key::Fmv: {
        const auto [index, trigger] = Numbers<2>();
        Entry entry;
        entry.fmv = true;
        entry.fmvByte = static_cast<std::uint8_t>(index | (trigger << 7));
        record.sequence.push_back(std::move(entry));
        state = {};
        return;
      }
      case Key::Level: {
        const auto path = tokens_.Next(kNameSeparators);
        Entry entry;
        entry.cd = Number();
        entry.path = UpperAscii(path->substr(0, kPathLength));
        entry.captured = state;
        record.sequence.push_back(std::move(entry));
        state = {};
        return;
      }
      default:
        return;
    }
  }

  void ParseItem(const ItemKindInfo& kind, Record& record) {
    const std::int32_t number = Number();
    const std::int32_t second = kind.combo ? Number() : 1;
    const auto name = tokens_.Next(kNameSeparators);
    Item item;
    item.values = Numbers<6>();
    item.name = {std::string(name.value_or("")), line_};
    if (number < 1 || number > kind.count || second < 1 || second > 2) Fail(kind.illegal);
    item.slot = kind.firstSlot + (kind.combo ? (number - 1) * 2 + (second - 1) : number - 1);
    for (Item& old : record.items) {
      if (old.slot == item.slot) {
        old = std::move(item);
        return;
      }
    }
    record.items.push_back(std::move(item));
  }

  const std::string& file_;
  std::vector<CompileMessage>& messages_;
  Script script_;
  Section section_ = Section::None;
  Record* record_ = nullptr;
  bool seenPsx_ = false, seenPc_ = false, seenOptions_ = false;
  int line_ = 0;
  Tokens tokens_{{}};
  std::string keyWord_;
};

void PutU8(std::string& out, std::int64_t value) {
  out += static_cast<char>(value & 0xFF);
}
void PutU16(std::string& out, std::int64_t value) {
  PutU8(out, value);
  PutU8(out, value >> 8);
}
void PutU32(std::string& out, std::int64_t value) {
  PutU16(out, value);
  PutU16(out, value >> 16);
}

class GameflowWriter {
 public:
  GameflowWriter(const Script& script, const LanguageStrings& reference, const std::string& file)
      : script_(script), file_(file) {
    const auto& generic = reference.groups[kGenericStrings];
    for (std::size_t i = 0; i < generic.size(); ++i) index_.emplace(generic[i], i);
  }

  std::string Write() {
    const Record noTitle;
    std::vector<const Record*> slots = {script_.title ? &*script_.title : &noTitle};
    const Record emptyLevel;
    if (script_.options & 0x80) {
      // A demo disc holds the title and the first level only; a blank one if there is none.
      slots.push_back(script_.levels.empty() ? &emptyLevel : &script_.levels.front());
    } else {
      for (const auto& level : script_.levels) slots.push_back(&level);
    }
    for (const Record* slot : slots) {
      for (const Entry& entry : slot->sequence) {
        if (!entry.fmv) FileIndex(entry.path);
      }
    }
    if (files_.size() > kMaxFiles) {
      Fail("Too many level files (" + std::to_string(files_.size()) + ", at most 255)", 0);
    }

    std::string blocks;
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < slots.size(); ++i) {
      offsets.push_back(blocks.size());
      if (i == 0 && !script_.title) {
        blocks += '\x83';
      } else {
        WriteSlot(*slots[i], i == 0, blocks);
      }
    }
    if (blocks.size() > kMaxBlock) {
      Fail("Level data too large (" + std::to_string(blocks.size()) + " bytes, at most 65535)", 0);
    }
    std::string names;
    std::vector<std::size_t> nameOffsets;
    for (const auto& file : files_) {
      nameOffsets.push_back(names.size());
      names += file;
      names += '\0';
    }
    if (names.size() % 2 != 0) names += '\0';
    if (names.size() > kMaxBlock) {
      Fail("Level file names too long (" + std::to_string(names.size()) + " bytes, at most 65535)",
           0);
    }

    std::string out;
    PutU8(out, script_.options);
    out.append(3, '\0');
    PutU32(out, script_.inputTimeout);
    PutU8(out, script_.security);
    PutU8(out, static_cast<std::int64_t>(slots.size()));
    PutU8(out, static_cast<std::int64_t>(files_.size()));
    PutU8(out, 0);
    PutU16(out, static_cast<std::int64_t>(names.size()));
    PutU16(out, static_cast<std::int64_t>(blocks.size()));
    out.append(script_.extensions.data(), script_.extensions.size());
    for (auto offset : nameOffsets) PutU16(out, static_cast<std::int64_t>(offset));
    out += names;
    for (auto offset : offsets) PutU16(out, static_cast<std::int64_t>(offset));
    out += blocks;
    for (const auto& language : script_.languages) {
      if (!language) continue;
      out += ListedDatName(language->value);
      out += '\0';
    }
    return out;
  }

 private:
  [[noreturn]] void Fail(std::string text, int line) const {
    throw Stop{{Severity::Error, std::move(text), file_, line}};
  }

  std::size_t Lookup(const std::string& text, int line) const {
    const auto found = index_.find(text);
    if (found == index_.end()) Fail("\"" + text + "\" not found in strings", line);
    return found->second;
  }

  std::size_t FileIndex(const std::string& path) {
    const auto [found, added] = fileIndex_.emplace(path, files_.size());
    if (added) files_.push_back(path);
    return found->second;
  }

  void WriteSlot(const Record& record, bool title, std::string& out) {
    std::vector<const Item*> items;
    for (const Item& item : record.items) items.push_back(&item);
    std::sort(items.begin(), items.end(),
              [](const Item* a, const Item* b) { return a->slot < b->slot; });
    for (const Item* item : items) {
      PutU8(out, ItemOpcode(item->slot));
      PutU16(out, static_cast<std::int64_t>(Lookup(item->name.value, item->name.line)));
      for (auto value : item->values) PutU16(out, value);
    }
    std::size_t nameIndex = 0;
    if (!title) {
      nameIndex = record.name ? Lookup(record.name->value, record.name->line)
                              : Lookup("", record.headerLine);
    }
    std::optional<std::size_t> legendIndex;
    for (const Entry& entry : record.sequence) {
      if (entry.fmv) {
        PutU8(out, 0x80);
        PutU8(out, entry.fmvByte);
        continue;
      }
      if (record.legend && !legendIndex) {
        legendIndex = Lookup(record.legend->value, record.legend->line);
      }
      WriteLevelEntry(record, entry, title, nameIndex, legendIndex, out);
    }
    PutU8(out, 0x83);
  }

  void WriteLevelEntry(const Record& record, const Entry& entry, bool title, std::size_t nameIndex,
                       std::optional<std::size_t> legendIndex, std::string& out) {
    const Captured& state = entry.captured;
    std::uint16_t flags = state.flags;
    if (static_cast<std::uint8_t>(state.uvRotate) != 0) {
      PutU8(out, 0x8B);
      PutU8(out, state.uvRotate);
    }
    const auto layer = [&](const auto& values, std::uint8_t opcode, std::uint16_t present) {
      if (!values) return;
      PutU8(out, opcode);
      for (auto value : *values) PutU8(out, value);
      flags |= present;
    };
    layer(state.layer1, 0x89, kLayer1Present);
    layer(state.layer2, 0x8A, kLayer2Present);
    if (state.lensFlare) {
      const auto& v = *state.lensFlare;
      PutU8(out, 0x8D);
      for (int i = 0; i < 3; ++i) PutU16(out, v[static_cast<std::size_t>(i)] >> 8);
      for (int i = 3; i < 6; ++i) PutU8(out, v[static_cast<std::size_t>(i)]);
      flags |= kLensFlarePresent;
    }
    if ((state.fog[0] & 0xFF) != 0 || (state.fog[1] & 0xFF) != 0 || (state.fog[2] & 0xFF) != 0) {
      PutU8(out, 0x8F);
      for (auto value : state.fog) PutU8(out, value);
    }
    if (state.mirror) {
      PutU8(out, 0x8E);
      PutU8(out, (*state.mirror)[0]);
      PutU32(out, (*state.mirror)[1]);
      flags |= kMirrorPresent;
    }
    for (std::size_t n = 0; n < record.mip.size(); ++n) {
      if (record.mip[n] == 0) continue;
      PutU8(out, 0x90);
      PutU8(out, static_cast<std::int64_t>(n) | (static_cast<std::int64_t>(record.mip[n]) << 4));
    }
    if (legendIndex) {
      PutU8(out, 0x8C);
      PutU8(out, static_cast<std::int64_t>(*legendIndex));
    }
    for (std::size_t i = 0; i < record.residentCut.size(); ++i) {
      if (record.residentCut[i] == 0) continue;
      PutU8(out, 0x85 + static_cast<std::int64_t>(i));
      PutU8(out, record.residentCut[i]);
    }
    if (record.cut != 0) {
      PutU8(out, 0x84);
      PutU8(out, record.cut);
    }
    if (record.camera) {
      PutU8(out, 0x91);
      for (int i = 0; i < 6; ++i) PutU32(out, (*record.camera)[static_cast<std::size_t>(i)]);
      PutU8(out, (*record.camera)[6]);
    }
    if (state.resetHub) {
      PutU8(out, 0x92);
      PutU8(out, *state.resetHub);
      flags |= kResetHubPresent;
    }
    const auto file = static_cast<std::int64_t>(fileIndex_.at(entry.path));
    if (title) {
      PutU8(out, 0x82);
    } else {
      PutU8(out, 0x81);
      PutU8(out, static_cast<std::int64_t>(nameIndex));
    }
    PutU16(out, flags);
    PutU8(out, file);
    PutU8(out, entry.cd);
  }

  const Script& script_;
  const std::string& file_;
  std::unordered_map<std::string, std::size_t> index_;
  std::unordered_map<std::string, std::size_t> fileIndex_;
  std::vector<std::string> files_;
};

std::string OutputName(const std::string& name) {
  return DosPath(OutputDatName(name)).value_or(OutputDatName(name));
}

}  // namespace

CompileResult CompileScript(std::string_view scriptBytes, const LanguageSource& languages,
                            const CompileOptions& options) {
  CompileResult result;
  auto& messages = result.messages;
  const std::string& file = options.scriptName;
  try {
    const Script script = ScriptParser(file, messages).Parse(scriptBytes);

    const auto read = [&](const Text& name) -> std::optional<std::string> {
      const auto path = DosPath(name.value);
      return path ? languages(*path) : std::nullopt;
    };
    const auto& reference = script.languages[0];
    const auto referenceBytes = reference ? read(*reference) : std::nullopt;
    if (!referenceBytes) {
      const std::string name = reference ? UpperAscii(reference->value) : "";
      throw Stop{{Severity::Error, "No such file or directory (" + name + ")", file,
                  reference ? reference->line : 0}};
    }
    LanguageRead strings = ReadLanguage(*referenceBytes, UpperAscii(reference->value), 0);
    messages.insert(messages.end(), strings.messages.begin(), strings.messages.end());
    if (strings.failed) return result;

    std::vector<OutputFile> outputs;
    outputs.push_back({options.outputName, GameflowWriter(script, strings.strings, file).Write()});
    outputs.push_back({OutputName(reference->value), LanguageDat(strings.strings)});
    for (std::size_t slot = 1; slot < script.languages.size(); ++slot) {
      const auto& language = script.languages[slot];
      const auto bytes = language ? read(*language) : std::nullopt;
      const std::string name = language ? UpperAscii(language->value) : "";
      if (!bytes) {
        messages.push_back({Severity::Warning, "Could not find '" + name + "'", file,
                            language ? language->line : 0});
        continue;
      }
      LanguageRead other = ReadLanguage(*bytes, name, static_cast<int>(slot));
      messages.insert(messages.end(), other.messages.begin(), other.messages.end());
      if (other.failed) return result;
      outputs.push_back({OutputName(language->value), LanguageDat(other.strings)});
    }
    result.outputs = std::move(outputs);
    result.succeeded = true;
  } catch (const Stop& stop) {
    messages.push_back(stop.message);
  }
  return result;
}

}  // namespace scriptdesk::compiler
