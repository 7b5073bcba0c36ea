#include "core/document/script_files.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

#include "core/platform/ascii_text.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kInclude = "#include";

// The lookup key of an included name: any letter case, either slash.
std::string IncludeKey(std::string_view name) {
  std::string key = LowerAscii(name);
  std::replace(key.begin(), key.end(), '\\', '/');
  return key;
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
    if (part == "..") {
      at = at.parent_path();
      continue;
    }
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

class Loader {
 public:
  Loader(ScriptFiles& out, fs::path mainFolder) : out_(out), mainFolder_(std::move(mainFolder)) {}

  void Scan(int index, std::size_t& total) {
    const fs::path folder = out_.files[static_cast<std::size_t>(index)].path.parent_path();
    std::string name;
    // Loading a file grows the list, so the including file is looked up again at every line.
    for (std::size_t i = 0; i < out_.files[static_cast<std::size_t>(index)].doc.size(); ++i) {
      if (!IncludedName(out_.files[static_cast<std::size_t>(index)].doc.lines()[i].text, name)) continue;
      const auto key = std::make_pair(index, IncludeKey(name));
      if (out_.includes.contains(key)) continue;
      out_.includes[key] = Load(name, folder, total);
    }
  }

  int Add(ScriptFile file, const fs::path& identity) {
    out_.files.push_back(std::move(file));
    identities_.push_back(identity);
    return static_cast<int>(out_.files.size()) - 1;
  }

 private:
  IncludeTarget Load(const std::string& name, const fs::path& folder, std::size_t& total) {
    if (name.empty()) return {-1, "names no file"};
    const auto found = Resolve(folder, name);
    if (!found) return {-1, "not found"};
    const fs::path identity = Identity(*found);
    const auto known = std::find(identities_.begin(), identities_.end(), identity);
    if (known != identities_.end()) return {static_cast<int>(known - identities_.begin()), {}};
    // Only a plain file: a device or a pipe could be read without end, or never answer.
    std::error_code error;
    const auto size = fs::file_size(*found, error);
    if (error || !fs::is_regular_file(*found, error)) return {-1, "cannot be read"};
    if (total + size > kMaxExpandedBytes) return {-1, "left out: the script would grow past 64 MB"};
    std::string bytes;
    try {
      bytes = ReadFileBytes(*found);
    } catch (const IoError&) {
      return {-1, "cannot be read"};
    }
    if (LooksLikeUtf16(bytes)) return {-1, "is a UTF-16 text"};
    total += bytes.size();
    ScriptFile file{RelativeName(identity, name), *found, TextDocument::FromBytes(bytes)};
    const int index = Add(std::move(file), identity);
    Scan(index, total);
    return {index, {}};
  }

  // Where the file goes beside the main script: its path from the main script's folder, or
  // its name as written when it lies outside that folder.
  std::string RelativeName(const fs::path& identity, const std::string& written) const {
    std::error_code error;
    const fs::path relative = identity.lexically_relative(mainFolder_);
    std::string text = relative.generic_string();
    if (relative.empty() || text.starts_with("..")) {
      text = written;
      std::replace(text.begin(), text.end(), '\\', '/');
    }
    return text;
  }

  ScriptFiles& out_;
  fs::path mainFolder_;
  std::vector<fs::path> identities_;
};

class ViewBuilder {
 public:
  ViewBuilder(const ScriptFiles& files, ScriptView& view) : files_(files), view_(view) {
    view_.occurrences.assign(files.files.size(), 0);
    decoded_.resize(files.files.size());
  }

  void Append(int index) {
    open_.push_back(index);
    ++view_.occurrences[static_cast<std::size_t>(index)];
    const ScriptFile& file = files_.files[static_cast<std::size_t>(index)];
    const Decoded& lines = Lines(index);
    std::string name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const bool include = IncludedName(lines[i], name);
      view_.lines.push_back({index, static_cast<int>(i), lines[i], include});
      size_ += lines[i].size() + 2;
      if (include) Include(index, name, file.name, static_cast<int>(i) + 1);
    }
    open_.pop_back();
  }

 private:
  using Decoded = std::vector<std::string>;

  // Each file is decoded once, however often it is included.
  const Decoded& Lines(int index) {
    auto& lines = decoded_[static_cast<std::size_t>(index)];
    if (!lines.empty() || files_.files[static_cast<std::size_t>(index)].doc.size() == 0) return lines;
    const ScriptFile& file = files_.files[static_cast<std::size_t>(index)];
    std::vector<UnmappedCharacter> unmapped;
    lines.reserve(file.doc.size());
    for (std::size_t i = 0; i < file.doc.size(); ++i) lines.push_back(file.doc.AnsiLine(i, &unmapped));
    for (const auto& character : unmapped) {
      view_.unmappedCharacters.push_back({file.name, character.line, character.codePoint});
    }
    return lines;
  }

  void Include(int index, const std::string& name, const std::string& namedIn, int line) {
    const auto skip = [&](std::string reason) {
      view_.skippedIncludes.push_back({name, namedIn, line, std::move(reason)});
    };
    const IncludeTarget* target = files_.Target(index, name);
    if (target == nullptr) return skip("not found");
    if (target->file < 0) return skip(target->reason);
    if (std::find(open_.begin(), open_.end(), target->file) != open_.end()) {
      return skip("includes itself");
    }
    // Files that include each other many times over could grow without end.
    std::size_t size = 0;
    for (const auto& l : files_.files[static_cast<std::size_t>(target->file)].doc.lines()) {
      size += l.text.size() + 2;
    }
    if (size_ + size > kMaxExpandedBytes) return skip("left out: the script would grow past 64 MB");
    Append(target->file);
  }

  const ScriptFiles& files_;
  ScriptView& view_;
  std::vector<Decoded> decoded_;
  std::vector<int> open_;
  std::size_t size_ = 0;
};

}  // namespace

const IncludeTarget* ScriptFiles::Target(int file, std::string_view includedName) const {
  const auto found = includes.find({file, IncludeKey(includedName)});
  return found == includes.end() ? nullptr : &found->second;
}

bool IncludedName(std::string_view line, std::string& name) {
  line.remove_prefix(SkipBlanks(line, 0));
  if (!StartsWithNoCase(line, kInclude)) return false;
  line.remove_prefix(kInclude.size());
  if (!line.empty() && !IsBlank(line.front()) && line.front() != '"') return false;
  line = TrimBlanks(line.substr(0, line.find(';')));
  if (!line.empty() && line.front() == '"') {
    line.remove_prefix(1);
    line = line.substr(0, line.find('"'));
  }
  name = std::string(TrimBlanks(line));
  return true;
}

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

ScriptFiles LoadScriptFiles(std::string_view bytes, const fs::path& mainFile) {
  ScriptFiles out;
  const fs::path identity = Identity(mainFile);
  Loader loader(out, identity.parent_path());
  loader.Add({mainFile.filename().string(), mainFile, TextDocument::FromBytes(bytes)}, identity);
  std::size_t total = bytes.size();
  loader.Scan(0, total);
  return out;
}

ScriptFiles ScriptFilesFromText(std::string_view bytes, std::string name) {
  ScriptFiles out;
  out.files.push_back({std::move(name), {}, TextDocument::FromBytes(bytes)});
  return out;
}

ScriptView BuildView(const ScriptFiles& files) {
  ScriptView view;
  if (files.files.empty()) return view;
  ViewBuilder builder(files, view);
  builder.Append(0);
  return view;
}

}  // namespace scriptdesk
