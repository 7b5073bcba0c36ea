#include "core/platform/ini_file.h"

#include <deque>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/platform/ascii_text.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"
#include "core/platform/text_lines.h"

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

struct KeyLine {
  std::string_view key;
  std::string_view value;
  std::size_t valueStart;  // where the value's text begins, after "=" and its blanks
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const auto pos = SkipBlanks(line, 0);
  if (pos == line.size() || line[pos] == ';') return std::nullopt;
  const auto equals = line.find('=', pos);
  if (equals == std::string_view::npos) return std::nullopt;
  const auto key = TrimBlanks(line.substr(pos, equals - pos));
  if (key.empty()) return std::nullopt;
  const auto valueStart = SkipBlanks(line, equals + 1);
  return KeyLine{key, TrimBlanks(line.substr(valueStart)), valueStart};
}

struct Line {
  std::string text;
  bool deleted = false;
};

// Lines of one key in file order. Reads and deletes always take the first live one, so the
// deleted ones are exactly those before `next`.
struct KeyLines {
  std::vector<std::size_t> lines;
  std::size_t next = 0;
};

struct Section {
  std::string header;  // empty for the lines before the first header
  std::vector<Line> lines;
  bool erased = false;
  bool indexed = false;
  std::unordered_map<std::string, KeyLines> keys;
  std::size_t insertAt = 0;  // a new key goes after the last key line, before trailing blanks
};

// Sections of one name in file order; the erased ones are those before `next`.
struct Occurrences {
  std::vector<std::size_t> sections;
  std::size_t next = 0;
};

}  // namespace

std::optional<std::string_view> SectionHeaderName(std::string_view line) {
  const auto pos = SkipBlanks(line, 0);
  if (pos == line.size() || line[pos] != '[') return std::nullopt;
  const auto rest = line.substr(pos + 1);
  return TrimBlanks(rest.substr(0, rest.find(']')));
}

struct IniFile::Impl {
  fs::path path;
  bool loaded = false;
  bool unreadable = false;  // the file exists but could not be read: never overwrite it
  bool dirty = false;
  std::deque<Section> sections;  // [0] holds the lines before the first header
  std::unordered_map<std::string, Occurrences> names;

  void Load() {
    if (loaded) return;
    loaded = true;
    std::string bytes;
    try {
      bytes = ReadFileBytes(path);
    } catch (const IoError&) {
      std::error_code ec;
      unreadable = fs::status(path, ec).type() != fs::file_type::not_found;
    }
    Parse(bytes);
  }

  void Parse(std::string_view bytes) {
    sections.clear();
    names.clear();
    sections.emplace_back();
    for (auto& text : SplitFileLines(bytes)) {
      if (const auto name = SectionHeaderName(text)) {
        names[LowerAscii(*name)].sections.push_back(sections.size());
        sections.emplace_back().header = std::move(text);
      } else {
        sections.back().lines.push_back(Line{std::move(text), false});
      }
    }
  }

  Section* FindSection(std::string_view name) {
    const auto it = names.find(LowerAscii(name));
    if (it == names.end()) return nullptr;
    auto& occurrences = it->second;
    if (occurrences.next == occurrences.sections.size()) return nullptr;
    return &sections[occurrences.sections[occurrences.next]];
  }

  static void Index(Section& section) {
    if (section.indexed) return;
    section.indexed = true;
    std::optional<std::size_t> lastKey;
    std::size_t lastText = 0;
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
      const auto& text = section.lines[i].text;
      if (const auto parsed = ParseKeyLine(text)) {
        section.keys[LowerAscii(parsed->key)].lines.push_back(i);
        lastKey = i;
      }
      if (!TrimBlanks(text).empty()) lastText = i + 1;
    }
    section.insertAt = lastKey ? *lastKey + 1 : lastText;
  }

  // The first live line of `key` in `section`, or nullptr.
  static KeyLines* FindKey(Section& section, std::string_view key) {
    Index(section);
    const auto it = section.keys.find(LowerAscii(key));
    if (it == section.keys.end() || it->second.next == it->second.lines.size()) return nullptr;
    return &it->second;
  }

  Section& AddSection(std::string_view name) {
    // A blank line between the text so far and the new section, unless there is one already.
    for (auto i = sections.size(); i-- > 0;) {
      auto& section = sections[i];
      if (section.erased) continue;
      const Line* last = nullptr;
      for (auto line = section.lines.rbegin(); line != section.lines.rend(); ++line) {
        if (!line->deleted) {
          last = &*line;
          break;
        }
      }
      if (last == nullptr && section.header.empty()) continue;
      if (last == nullptr || !TrimBlanks(last->text).empty()) section.lines.push_back(Line{});
      break;
    }
    names[LowerAscii(name)].sections.push_back(sections.size());
    auto& added = sections.emplace_back();
    added.header = "[" + std::string(name) + "]";
    return added;
  }

  std::string Bytes() const {
    std::size_t size = 0;
    for (const auto& section : sections) {
      if (section.erased) continue;
      size += section.header.size() + 2;
      for (const auto& line : section.lines) size += line.text.size() + 2;
    }
    std::string out;
    out.reserve(size);
    for (const auto& section : sections) {
      if (section.erased) continue;
      if (!section.header.empty()) {
        out += section.header;
        out += "\r\n";
      }
      for (const auto& line : section.lines) {
        if (line.deleted) continue;
        out += line.text;
        out += "\r\n";
      }
    }
    return out;
  }

  std::string WriteErrorText() const { return "Unable to write to " + PathText(path); }
};

IniFile::IniFile(fs::path path) : impl_(std::make_unique<Impl>()) {
  impl_->path = std::move(path);
}

IniFile::~IniFile() {
  try {
    Close();
  } catch (...) {
    // Nobody is left to tell; callers that care call Close() themselves.
  }
}

std::unique_ptr<IniFile> IniFile::FromBytes(fs::path path, std::string bytes) {
  auto ini = std::make_unique<IniFile>(std::move(path));
  ini->impl_->loaded = true;
  ini->impl_->Parse(bytes);
  return ini;
}

const fs::path& IniFile::Path() const {
  return impl_->path;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) {
  impl_->Load();
  auto* found = impl_->FindSection(section);
  auto* lines = found ? Impl::FindKey(*found, key) : nullptr;
  if (lines == nullptr) return std::string(defaultValue);
  const auto parsed = ParseKeyLine(found->lines[lines->lines[lines->next]].text);
  return parsed ? std::string(parsed->value) : std::string(defaultValue);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) {
  std::int32_t value = 0;
  return ParseIniInteger(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  impl_->Load();
  // A line break in a value would turn its tail into lines of their own (even keys) on the next
  // read; the value ends there.
  value = value.substr(0, value.find_first_of("\r\n"));
  auto* found = impl_->FindSection(section);
  if (found == nullptr) found = &impl_->AddSection(section);

  if (auto* lines = Impl::FindKey(*found, key)) {
    auto& line = found->lines[lines->lines[lines->next]];
    const auto parsed = ParseKeyLine(line.text);
    if (parsed && parsed->value == TrimBlanks(value)) return;
    // Keep the key as the file spells it.
    const auto keep = parsed ? parsed->valueStart : line.text.size();
    line.text = line.text.substr(0, keep) + std::string(value);
    impl_->dirty = true;
    return;
  }

  auto& lines = found->keys[LowerAscii(key)];
  const auto at = found->insertAt++;
  found->lines.insert(found->lines.begin() + static_cast<std::ptrdiff_t>(at),
                      Line{std::string(key) + "=" + std::string(value), false});
  lines.lines.push_back(at);
  impl_->dirty = true;
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  impl_->Load();
  auto* found = impl_->FindSection(section);
  auto* lines = found ? Impl::FindKey(*found, key) : nullptr;
  if (lines == nullptr) return;
  found->lines[lines->lines[lines->next++]].deleted = true;
  impl_->dirty = true;
}

void IniFile::EraseSection(std::string_view section) {
  impl_->Load();
  const auto it = impl_->names.find(LowerAscii(section));
  if (it == impl_->names.end()) return;
  auto& occurrences = it->second;
  if (occurrences.next == occurrences.sections.size()) return;
  auto& erased = impl_->sections[occurrences.sections[occurrences.next++]];
  erased.erased = true;
  erased.lines = {};
  erased.keys = {};
  impl_->dirty = true;
}

std::string IniFile::Bytes() {
  impl_->Load();
  return impl_->Bytes();
}

void IniFile::Close() {
  if (!impl_->dirty) return;
  if (impl_->unreadable) throw IniWriteError(impl_->WriteErrorText());
  try {
    WriteFileAtomic(impl_->path, impl_->Bytes());
  } catch (const IoError&) {
    throw IniWriteError(impl_->WriteErrorText());
  }
  impl_->dirty = false;
}

void IniFile::Discard() { impl_->dirty = false; }

bool ParseIniInteger(std::string_view text, std::int32_t& value) {
  int base = 10;
  bool negative = false;
  auto digits = text;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  } else if (!text.empty() && text[0] == '$') {
    base = 16;
    digits.remove_prefix(1);
  } else if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty()) return false;

  std::uint64_t number = 0;
  for (const char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0 || digit >= base) return false;
    number = number * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (number > 0xFFFFFFFFu) return false;
  }
  if (base == 16) {
    // Hexadecimal spells the 32 bits, so "$FFFFFFFF" is -1.
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
    return true;
  }
  if (number > (negative ? 0x80000000u : 0x7FFFFFFFu)) return false;
  value = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(number)
                                             : static_cast<std::int64_t>(number));
  return true;
}

}  // namespace scriptdesk
