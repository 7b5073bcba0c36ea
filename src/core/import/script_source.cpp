#include "core/import/script_source.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

#include "core/platform/ascii_text.h"
#include "core/platform/code_page.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"
#include "core/platform/text_lines.h"

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kInclude = "#include";

// The file an "#INCLUDE" line names: any letter case, blanks before the name, quotes optional,
// a comment after it. nullopt for any other line.
std::optional<std::string> IncludedName(std::string_view line) {
  line.remove_prefix(SkipBlanks(line, 0));
  if (!StartsWithNoCase(line, kInclude)) return std::nullopt;
  line.remove_prefix(kInclude.size());
  if (!line.empty() && !IsBlank(line.front()) && line.front() != '"') return std::nullopt;
  line = TrimBlanks(line.substr(0, line.find(';')));
  if (!line.empty() && line.front() == '"') {
    line.remove_prefix(1);
    line = line.substr(0, line.find('"'));
  }
  return std::string(TrimBlanks(line));
}

// The file `name` names from `folder`: "\" and "/" separate folders, and every part matches
// in any letter case, as on the platform the scripts are written for.
std::optional<fs::path> Resolve(const fs::path& folder, std::string_view name) {
  fs::path at = folder;
  bool named = false;
  std::size_t start = 0;
  while (start <= name.size()) {
    const auto end = std::min(name.find_first_of("/\\", start), name.size());
    const auto part = name.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    const auto next = FindFileNoCase(at, part);
    if (!next) return std::nullopt;
    at = *next;
    named = true;
  }
  if (!named) return std::nullopt;
  return at;
}

fs::path Identity(const fs::path& file) {
  std::error_code error;
  auto canonical = fs::weakly_canonical(file, error);
  return error ? fs::absolute(file, error).lexically_normal() : canonical;
}

class Expander {
 public:
  explicit Expander(ScriptSource& out) : out_(out) {}

  void Append(std::string_view bytes, const std::string& name, const fs::path& folder,
              const fs::path& identity) {
    open_.push_back(identity);
    const std::string text = Decoded(bytes, name);
    int number = 0;
    for (const auto& line : SplitFileLines(text)) {
      ++number;
      if (const auto included = IncludedName(line)) {
        Include(*included, name, number, folder);
        continue;
      }
      out_.text += line;
      out_.text += "\r\n";
    }
    open_.pop_back();
  }

 private:
  std::string Decoded(std::string_view bytes, const std::string& name) {
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    if (!IsUtf8WithNonAscii(bytes)) return std::string(bytes);
    std::vector<UnmappedCharacter> unmapped;
    std::string text = Utf8ToWindows1252(bytes, unmapped);
    for (const auto& character : unmapped) {
      out_.unmappedCharacters.push_back({name, character.line, character.codePoint});
    }
    return text;
  }

  void Include(const std::string& name, const std::string& namedIn, int line,
               const fs::path& folder) {
    const auto skip = [&](const char* reason) {
      out_.skippedIncludes.push_back({name, namedIn, line, reason});
    };
    if (name.empty()) return skip("names no file");
    const auto found = folder.empty() ? std::nullopt : Resolve(folder, name);
    if (!found) return skip("not found");
    const fs::path identity = Identity(*found);
    if (std::find(open_.begin(), open_.end(), identity) != open_.end()) {
      return skip("includes itself");
    }
    // Only a plain file: a device or a pipe could be read without end, or never answer.
    std::error_code error;
    const auto size = fs::file_size(*found, error);
    if (error || !fs::is_regular_file(*found, error)) return skip("cannot be read");
    // Files that include each other many times over could grow without end.
    if (out_.text.size() + size > kMaxExpandedBytes) {
      return skip("left out: the script would grow past 64 MB");
    }
    std::string bytes;
    try {
      bytes = ReadFileBytes(*found);
    } catch (const IoError&) {
      return skip("cannot be read");
    }
    if (LooksLikeUtf16(bytes)) return skip("is a UTF-16 text");
    Append(bytes, name, found->parent_path(), identity);
  }

  ScriptSource& out_;
  std::vector<fs::path> open_;  // the files being expanded, the outermost first
};

}  // namespace

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

ScriptSource ExpandScript(std::string_view bytes, const std::string& name, const fs::path& file) {
  ScriptSource source;
  source.text.reserve(bytes.size() + bytes.size() / 16);
  Expander expander(source);
  if (file.empty()) {
    expander.Append(bytes, name, {}, {});
  } else {
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    expander.Append(bytes, name, folder, Identity(file));
  }
  return source;
}

}  // namespace scriptdesk
