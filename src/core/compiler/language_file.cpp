#include "core/compiler/language_file.h"

#include <cstdint>
#include <optional>

#include "core/syntax/game_text.h"

namespace scriptdesk::compiler {

// The game's way of reading lines, tokens and numbers, shared with the importer.
using namespace scriptdesk::syntax;

namespace {

constexpr std::size_t kMaxStringBytes = 0xFFFF;
// The game's compiler hangs on an identifier word of this many letters and digits.
constexpr int kLongWord = 26;
// What ends that word; other characters are dropped from it or kept.
constexpr Separators kIdentifierBreaks{"\n +-="};

void PutU16(std::string& out, std::size_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

std::uint32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
  return 16;
}

// \n, \t and \x…; nullopt for any other escape ("Found a code"). The whole text is read even
// past a \x00, which then ends the string.
std::optional<std::string> DecodeEscapes(std::string_view text, bool japanese) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (i + 1 >= text.size()) return std::nullopt;
    const char code = text[++i];
    if (code == 'n') {
      out += japanese ? '\xFF' : '\n';
    } else if (code == 't') {
      out += japanese ? '\xFE' : '\t';
    } else if (code == 'x') {
      std::uint32_t value = 0;
      while (i + 1 < text.size() && text[i + 1] != ' ' && text[i + 1] != '\\') {
        value = (value << 4) | HexDigit(text[++i]);
      }
      out += static_cast<char>(value & 0xFF);
    } else {
      return std::nullopt;
    }
  }
  const auto nul = out.find('\0');
  if (nul != std::string::npos) out.resize(nul);
  return out;
}

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasLongFirstWord(std::string_view text) {
  const auto word = Tokens(text).Next(kIdentifierBreaks);
  if (!word) return false;
  int letters = 0;
  for (char c : *word) letters += IsAsciiAlnum(c) ? 1 : 0;
  return letters >= kLongWord;
}

std::optional<StringGroup> GroupHeader(std::string_view text) {
  const auto word = Tokens(text).Next(kBlanks);
  if (!word || word->front() != '[') return std::nullopt;
  const std::string upper = UpperAscii(*word);
  if (upper.starts_with("[STRINGS]")) return kGenericStrings;
  if (upper.starts_with("[PSXSTRINGS]")) return kPsxStrings;
  if (upper.starts_with("[PCSTRINGS]")) return kPcStrings;
  return std::nullopt;
}

}  // namespace

LanguageRead ReadLanguage(std::string_view bytes, const std::string& fileName, int slot) {
  const bool reference = slot == 0, japanese = slot == 6;
  LanguageRead read;
  const auto fail = [&](std::string text, int line) {
    read.messages.push_back({Severity::Error, std::move(text), fileName, line});
    read.failed = true;
    return read;
  };
  std::array<std::size_t, 3> counts{}, cursors{};
  std::optional<StringGroup> group;
  for (const GameLine& line : ReadGameLines(bytes, true)) {
    if (line.split) {
      read.messages.push_back({Severity::Warning,
                               "Line longer than 511 characters: the rest is read as the next line",
                               fileName, line.number});
    }
    const std::string_view text = line.text;
    if (!Tokens(text).Next(kBlanks)) continue;  // empty or blanks only
    if (const auto header = GroupHeader(text)) {
      group = header;
      cursors[*group] = 0;
      continue;
    }
    if (!group) continue;

    // The game's compiler takes the label with strtok too, so leading colons are skipped and a
    // label with no colon after it leaves no text at all.
    const bool labelled = text.find(':') != std::string_view::npos;
    std::optional<std::string_view> source;
    if (labelled) {
      const auto start = text.find_first_not_of(':');
      const auto colon = start == std::string_view::npos ? start : text.find(':', start);
      if (colon != std::string_view::npos) source = Tokens(text.substr(colon + 1)).Next(kTabs);
    } else if (japanese) {
      const auto start = text.find_first_not_of('\t');
      source = text.substr(0, text.find('\t', start));
    } else {
      source = Tokens(text).Next(kTabs);
    }
    std::string value;
    if (!source) {
      read.messages.push_back({Severity::Warning,
                               "No text after the label: the string is left empty", fileName,
                               line.number});
    } else {
      std::string raw(*source);
      if (japanese) std::erase(raw, ',');
      auto decoded = DecodeEscapes(raw, japanese);
      if (!decoded) return fail("Found a code", line.number);
      if (reference && !labelled && HasLongFirstWord(*decoded)) {
        return fail("First word longer than 25 letters and digits (give the string a label)",
                    line.number);
      }
      value = std::move(*decoded);
    }
    auto& entries = read.strings.groups[*group];
    if (cursors[*group] < entries.size()) {
      entries[cursors[*group]] = std::move(value);
    } else {
      entries.push_back(std::move(value));
    }
    ++cursors[*group];
    ++counts[*group];
  }
  std::size_t total = 0;
  for (int g = 0; g < 3; ++g) {
    read.strings.groups[g].resize(counts[g]);
    for (const auto& entry : read.strings.groups[g]) total += entry.size() + 1;
  }
  if (total > kMaxStringBytes) {
    return fail("Strings too long (" + std::to_string(total) + " bytes, at most 65535)", 0);
  }
  return read;
}

std::string LanguageDat(const LanguageStrings& strings) {
  std::string out;
  std::size_t total = 0;
  for (const auto& group : strings.groups) PutU16(out, group.size());
  for (const auto& group : strings.groups) {
    std::size_t size = 0;
    for (const auto& entry : group) size += entry.size() + 1;
    PutU16(out, size);
    total += size;
  }
  std::size_t offset = 0;
  for (const auto& group : strings.groups) {
    for (const auto& entry : group) {
      PutU16(out, offset);
      offset += entry.size() + 1;
    }
  }
  out.reserve(out.size() + total);
  for (const auto& group : strings.groups) {
    for (const auto& entry : group) {
      for (char c : entry) out += static_cast<char>(c ^ static_cast<char>(0xA5));
      out += '\0';
    }
  }
  return out;
}

}  // namespace scriptdesk::compiler
