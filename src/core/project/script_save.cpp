#include "core/project/script_save.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "core/model/level_fields.h"
#include "core/pipeline/script_writer.h"
#include "core/platform/ascii_text.h"
#include "core/syntax/game_text.h"
#include "core/syntax/script_line.h"

namespace scriptdesk {

namespace {

// The pieces of a value the game's compiler reads as numbers or names.
std::vector<std::string_view> ValueTokens(std::string_view text) {
  return syntax::SplitTokens(text, syntax::kNumberSeparators);
}

bool IsNumberToken(std::string_view token) {
  if (token.starts_with('$')) {
    token.remove_prefix(1);
    return !token.empty() && std::all_of(token.begin(), token.end(),
                                         [](char c) { return HexDigit(c) >= 0; });
  }
  if (!token.empty() && (token.front() == '-' || token.front() == '+')) token.remove_prefix(1);
  return !token.empty() &&
         std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Two values mean the same to the game's compiler: "255" and "0255", "$0400" and "$400".
bool SameMeaning(std::string_view a, std::string_view b) {
  if (a == b) return true;
  const auto x = ValueTokens(a);
  const auto y = ValueTokens(b);
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (x[i] == y[i]) continue;
    if (!IsNumberToken(x[i]) || !IsNumberToken(y[i]) || x[i].starts_with('$') != y[i].starts_with('$') ||
        syntax::ParseGameNumber(x[i]) != syntax::ParseGameNumber(y[i])) {
      return false;
    }
  }
  return true;
}

bool SameLine(const std::optional<std::string>& a, const std::optional<std::string>& b) {
  if (!a || !b) return !a && !b;
  return SameMeaning(*a, *b);
}

// What follows the key and the blanks after it in a line the writer makes.
std::string_view WriterValue(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return line;
  return line.substr(SkipBlanks(line, equals + 1));
}

struct Out {
  std::vector<DocumentLine> before;
  bool keep = true;
  DocumentLine self;
  std::vector<DocumentLine> after;
};

class Editor {
 public:
  Editor(const LoadedScript& script, const ScriptModel& model, const KeptLineEdits& edits)
      : s_(script), m_(model) {
    out_.resize(s_.files.files.size());
    for (std::size_t f = 0; f < out_.size(); ++f) {
      const auto& lines = s_.files.files[f].doc.lines();
      out_[f].resize(lines.size());
      for (std::size_t i = 0; i < lines.size(); ++i) out_[f][i].self = lines[i];
    }
    for (const auto& [at, text] : edits) {
      if (KeptLineEditRefused(s_, at, text)) continue;
      At(at).self.text = File(at.file).doc.Encoded(text);
    }
  }

  ScriptSave Run() {
    SaveHeader();
    SaveLevels();
    ScriptSave result;
    result.refused = std::move(refused_);
    if (!result.refused.empty()) return result;
    Emit(result);
    return result;
  }

 private:
  const ScriptFile& File(int f) const { return s_.files.files[static_cast<std::size_t>(f)]; }
  Out& At(LineRef at) { return out_[static_cast<std::size_t>(at.file)][static_cast<std::size_t>(at.line)]; }

  bool Shared(LineRef at) const {
    return s_.view.occurrences[static_cast<std::size_t>(at.file)] > 1;
  }

  // A change at a line of a shared file is refused, naming the levels that share it.
  bool Refuse(LineRef at, std::string_view setting) {
    if (!Shared(at)) return false;
    SharedChange change{File(at.file).name, at.line + 1, std::string(setting), {}};
    for (std::size_t origin = 0; origin < s_.binding.levels.size(); ++origin) {
      const LevelBinding& level = s_.binding.levels[origin];
      for (int v = level.viewIndex; v < level.viewEnd; ++v) {
        if (s_.view.lines[static_cast<std::size_t>(v)].file == at.file) {
          change.levels.push_back(s_.model.Levels[origin].Name);
          break;
        }
      }
    }
    refused_.push_back(std::move(change));
    return true;
  }

  DocumentLine NewLine(int file, std::string_view ansi) const {
    const TextDocument& doc = File(file).doc;
    return {doc.Encoded(ansi), doc.lineEnd()};
  }

  // The line with its value replaced: key, the blanks after it and a comment stay.
  void Replace(LineRef at, std::string_view writerLine, std::string_view setting, bool path = false) {
    if (Refuse(at, setting)) return;
    DocumentLine& line = At(at).self;
    const std::string& text = line.text;
    const auto equals = text.find('=');
    if (equals == std::string::npos) return;
    const std::size_t start = SkipBlanks(text, equals + 1);
    std::size_t end = std::min(text.find(';', start), text.size());
    while (end > start && IsBlank(text[end - 1])) --end;
    std::string value(WriterValue(writerLine));
    if (path) value = PathValue(File(at.file).doc.AnsiLine(static_cast<std::size_t>(at.line)), value);
    line.text = text.substr(0, start) + File(at.file).doc.Encoded(value) + text.substr(end);
  }

  // A level file keeps the folder its line named it in ("Data\" or none at all).
  static std::string PathValue(std::string_view oldLine, std::string value) {
    const auto old = syntax::ReadScriptLine(oldLine).value;
    const auto slash = value.find('\\');
    if (slash == std::string::npos) return value;
    const auto oldSlash = old.find('\\');
    return std::string(oldSlash == std::string_view::npos ? std::string_view() : old.substr(0, oldSlash + 1)) +
           value.substr(slash + 1);
  }

  void Remove(LineRef at, std::string_view setting) {
    if (Refuse(at, setting)) return;
    At(at).keep = false;
  }

  // Inserts next to the line of the nearest setting before it in the writer's order, or
  // before the nearest after it, or right after the section's header.
  void Insert(const std::map<int, LineRef>& bound, int order, LineRef header, std::string_view line) {
    std::optional<LineRef> after;
    std::optional<LineRef> before;
    for (const auto& [o, at] : bound) {
      if (Shared(at) || !At(at).keep) continue;
      if (o < order) after = at;
      if (o > order && !before) before = at;
    }
    if (after) return At(*after).after.push_back(NewLine(after->file, line));
    if (before) return At(*before).before.push_back(NewLine(before->file, line));
    if (Refuse(header, line)) return;
    At(header).after.push_back(NewLine(header.file, line));
  }

  void SaveHeader() {
    const THeader& was = s_.model.Header;
    const THeader& now = m_.Header;
    std::map<std::string, std::vector<std::string>> missing;  // lines of sections the files lack
    for (std::size_t index = 0; index < HeaderFields().size(); ++index) {
      const HeaderField& field = HeaderFields()[index];
      const std::string section = LowerAscii(field.section);
      const auto found = s_.binding.sections.find(section);
      if (field.kind == HeaderFieldKind::Languages) {
        SaveLanguages(found == s_.binding.sections.end() ? nullptr : &found->second, missing[field.section]);
        continue;
      }
      const auto old = HeaderFieldLines(field, was);
      const auto line = HeaderFieldLines(field, now);
      const std::optional<std::string> a = old.empty() ? std::nullopt : std::optional(old.front());
      const std::optional<std::string> b = line.empty() ? std::nullopt : std::optional(line.front());
      const bool same = field.kind == HeaderFieldKind::Flag ? now.*field.flag == was.*field.flag
                                                            : SameLine(a, b);
      if (same) continue;
      if (found == s_.binding.sections.end()) {
        if (b) missing[field.section].push_back(*b);
        continue;
      }
      const auto bound = found->second.keys.find(LowerAscii(field.key));
      if (bound != found->second.keys.end()) {
        if (b) {
          Replace(bound->second, *b, field.key, field.kind == HeaderFieldKind::Path);
        } else {
          Remove(bound->second, field.key);
        }
      } else if (b) {
        Insert(HeaderOrder(found->second, field.section), static_cast<int>(index) * 10,
               found->second.header, *b);
      }
    }
    for (const auto& [section, lines] : missing) {
      if (lines.empty()) continue;
      std::vector<std::string> block{"[" + section + "]"};
      block.insert(block.end(), lines.begin(), lines.end());
      block.emplace_back();
      newSections_.push_back(std::move(block));
    }
  }

  std::map<int, LineRef> HeaderOrder(const SectionBinding& section, std::string_view name) const {
    std::map<int, LineRef> bound;
    for (std::size_t index = 0; index < HeaderFields().size(); ++index) {
      const HeaderField& field = HeaderFields()[index];
      if (field.section != name) continue;
      const auto at = section.keys.find(LowerAscii(field.key));
      if (at != section.keys.end()) bound[static_cast<int>(index) * 10] = at->second;
    }
    return bound;
  }

  void SaveLanguages(const SectionBinding* section, std::vector<std::string>& missing) {
    std::map<int, LineRef> bound;
    for (int k = 0; k < kLanguageCount; ++k) {
      const LineRef at = s_.binding.languages[static_cast<std::size_t>(k)];
      if (at.valid()) bound[k] = at;
    }
    for (int k = 0; k < kLanguageCount; ++k) {
      const auto& was = s_.model.Header.Languages[static_cast<std::size_t>(k)];
      const auto& now = m_.Header.Languages[static_cast<std::size_t>(k)];
      if (was == now) continue;
      const LineRef at = s_.binding.languages[static_cast<std::size_t>(k)];
      const std::string line = LanguageLine(k, m_.Header);
      if (at.valid()) {
        if (now.empty()) {
          Remove(at, "File");
        } else {
          Replace(at, line, "File");
        }
      } else if (!now.empty()) {
        if (section == nullptr) {
          missing.push_back(line);
        } else {
          Insert(bound, k, section->header, line);
        }
      }
    }
  }

  // A level section's own lines in the file of its header: from its header (or the comment
  // lines right above it, when a level section comes before) up to the next section.
  struct Block {
    int file = 0;
    int begin = 0;
    int end = 0;
  };

  bool IsLevelHeader(int view) const {
    const auto line = syntax::ReadScriptLine(s_.view.lines[static_cast<std::size_t>(view)].text);
    return line.kind == syntax::ScriptLine::Kind::Section && EqualsNoCase(line.name, "level");
  }

  int LeadingCommentsStart(int view) const {
    const ViewLine& header = s_.view.lines[static_cast<std::size_t>(view)];
    const auto starts = std::lower_bound(s_.binding.sectionStarts.begin(), s_.binding.sectionStarts.end(), view);
    if (starts == s_.binding.sectionStarts.begin() || !IsLevelHeader(*(starts - 1))) return header.line;
    const ViewLine& previous = s_.view.lines[static_cast<std::size_t>(*(starts - 1))];
    const auto& lines = File(header.file).doc;
    int begin = header.line;
    while (begin > 0 && (previous.file != header.file || begin - 1 > previous.line)) {
      const std::string ansi = lines.AnsiLine(static_cast<std::size_t>(begin - 1));
      const auto text = TrimBlanks(ansi);  // a view into `ansi`
      if (!text.starts_with(';')) break;
      --begin;
    }
    return begin;
  }

  Block LevelBlock(const LevelBinding& level) const {
    Block block{level.header.file, LeadingCommentsStart(level.viewIndex), level.header.line + 1};
    const auto next = std::upper_bound(s_.binding.sectionStarts.begin(), s_.binding.sectionStarts.end(),
                                       level.viewIndex);
    const int stop = next == s_.binding.sectionStarts.end() ? static_cast<int>(s_.view.lines.size()) : *next;
    int last = level.viewIndex;
    for (int v = level.viewIndex + 1; v < stop; ++v) {
      if (s_.view.lines[static_cast<std::size_t>(v)].file == block.file) last = v;
    }
    // An include that leads to the next section belongs to no level of its own.
    if (last > level.viewIndex && s_.view.lines[static_cast<std::size_t>(last)].include && stop < static_cast<int>(s_.view.lines.size())) {
      --last;
      while (last > level.viewIndex && s_.view.lines[static_cast<std::size_t>(last)].file != block.file) --last;
    }
    block.end = s_.view.lines[static_cast<std::size_t>(last)].line + 1;
    if (next != s_.binding.sectionStarts.end()) {
      const ViewLine& header = s_.view.lines[static_cast<std::size_t>(*next)];
      if (header.file == block.file && IsLevelHeader(*next)) {
        block.end = std::min(block.end, LeadingCommentsStart(*next));
      }
    }
    return block;
  }

  void SaveLevels() {
    const auto& origins = s_.binding.levels;
    std::vector<bool> survives(origins.size(), false);
    // The sections in the model's order: each surviving one with the new levels after it.
    std::vector<int> order;
    std::vector<std::vector<const TLevel*>> newAfter(1);
    for (int slot = 0; slot < m_.LevelCount; ++slot) {
      const TLevel& level = m_.Levels[static_cast<std::size_t>(slot)];
      const int origin = level.Origin;
      if (origin >= 0 && origin < static_cast<int>(origins.size()) && !survives[static_cast<std::size_t>(origin)]) {
        survives[static_cast<std::size_t>(origin)] = true;
        order.push_back(origin);
        newAfter.emplace_back();
        SaveLevel(level, origin);
      } else if (!level.IsFree()) {
        newAfter.back().push_back(&level);
      }
    }
    blocks_.resize(origins.size());
    for (std::size_t o = 0; o < origins.size(); ++o) blocks_[o] = LevelBlock(origins[o]);
    for (std::size_t o = 0; o < origins.size(); ++o) {
      if (survives[o]) continue;
      const Block& block = blocks_[o];
      if (Shared({block.file, block.begin})) {
        Refuse({block.file, block.begin}, "[Level]");
        continue;
      }
      for (int i = block.begin; i < block.end; ++i) {
        Out& line = out_[static_cast<std::size_t>(block.file)][static_cast<std::size_t>(i)];
        line.keep = false;
        line.before.clear();
        line.after.clear();
      }
    }
    // Surviving sections fill the places of the surviving sections, in the model's order.
    std::vector<int> places;
    for (std::size_t o = 0; o < origins.size(); ++o) {
      if (survives[o]) places.push_back(static_cast<int>(o));
    }
    for (std::size_t j = 0; j < places.size(); ++j) {
      const Block& place = blocks_[static_cast<std::size_t>(places[j])];
      placed_[{place.file, place.begin}] = {order[j], place.end};
      if (j == 0) lead_ = newAfter.front();
      trail_[order[j]] = newAfter[j + 1];
    }
    if (places.empty()) {
      pending_ = newAfter.front();
      if (!origins.empty()) {
        const Block& last = blocks_.back();
        pendingAt_ = {last.file, last.begin};
      }
    }
  }

  void SaveLevel(const TLevel& now, int origin) {
    const TLevel& was = s_.model.Levels[static_cast<std::size_t>(origin)];
    const LevelBinding& binding = s_.binding.levels[static_cast<std::size_t>(origin)];
    // The writer's order of the lines bound in this section.
    std::map<int, LineRef> bound;
    const auto fields = LevelFields();
    for (std::size_t index = 0; index < fields.size(); ++index) {
      const auto at = binding.keys.find(LowerAscii(fields[index].key));
      if (fields[index].kind != LevelFieldKind::Items && at != binding.keys.end()) {
        bound[static_cast<int>(index) * 100] = at->second;
      }
      if (fields[index].kind != LevelFieldKind::Items) continue;
      for (ItemKind kind : kItemKinds) {
        const auto& lines = binding.items[static_cast<std::size_t>(kind)];
        for (std::size_t slot = 0; slot < lines.size(); ++slot) {
          if (lines[slot].valid()) {
            bound[static_cast<int>(index) * 100 + ItemLineOrder(kind, static_cast<int>(slot))] = lines[slot];
          }
        }
      }
    }
    for (std::size_t index = 0; index < fields.size(); ++index) {
      const LevelField& field = fields[index];
      const int order = static_cast<int>(index) * 100;
      if (field.kind == LevelFieldKind::Items) {
        for (ItemKind kind : kItemKinds) {
          for (int slot = 0; slot < ItemSlotCount(kind); ++slot) {
            const auto a = ItemSlotLine(kind, slot, was.Items(kind)[static_cast<std::size_t>(slot)]);
            const auto b = ItemSlotLine(kind, slot, now.Items(kind)[static_cast<std::size_t>(slot)]);
            const bool sameName = was.Items(kind)[static_cast<std::size_t>(slot)].Name ==
                                  now.Items(kind)[static_cast<std::size_t>(slot)].Name;
            if (SameLine(a, b) && sameName) continue;
            const LineRef at = binding.items[static_cast<std::size_t>(kind)][static_cast<std::size_t>(slot)];
            Apply(at, b, bound, order + ItemLineOrder(kind, slot), binding.header,
                  ItemSlotLabel(kind, slot), false);
          }
        }
        continue;
      }
      const auto a = LevelFieldLine(field, was);
      const auto b = LevelFieldLine(field, now);
      const bool same = field.kind == LevelFieldKind::Text ? a == b : SameLine(a, b);
      if (same) continue;
      const auto at = binding.keys.find(LowerAscii(field.key));
      Apply(at == binding.keys.end() ? LineRef{} : at->second, b, bound, order, binding.header,
            field.key, field.kind == LevelFieldKind::Path);
    }
  }

  void Apply(LineRef at, const std::optional<std::string>& line, const std::map<int, LineRef>& bound,
             int order, LineRef header, std::string_view setting, bool path) {
    if (at.valid()) {
      if (line) {
        Replace(at, *line, setting, path);
      } else {
        Remove(at, setting);
      }
    } else if (line) {
      Insert(bound, order, header, *line);
    }
  }

  void EmitLine(std::vector<DocumentLine>& lines, const Out& out) const {
    lines.insert(lines.end(), out.before.begin(), out.before.end());
    if (out.keep) lines.push_back(out.self);
    lines.insert(lines.end(), out.after.begin(), out.after.end());
  }

  // New level sections in the writer's layout, set apart from what stands before them.
  void EmitLevels(std::vector<DocumentLine>& lines, int file, const std::vector<const TLevel*>& levels) const {
    for (const TLevel* level : levels) {
      if (!lines.empty() && lines.back().end.empty()) lines.back().end = File(file).doc.lineEnd();
      if (!lines.empty() && !TrimBlanks(lines.back().text).empty()) lines.push_back(NewLine(file, ""));
      Lines section;
      ScriptWriter::WriteLevel(*level, section);
      for (const auto& text : section) lines.push_back(NewLine(file, text));
    }
  }

  void EmitBlock(std::vector<DocumentLine>& lines, int origin) const {
    const Block& block = blocks_[static_cast<std::size_t>(origin)];
    for (int i = block.begin; i < block.end; ++i) {
      EmitLine(lines, out_[static_cast<std::size_t>(block.file)][static_cast<std::size_t>(i)]);
    }
    const auto trail = trail_.find(origin);
    if (trail != trail_.end()) EmitLevels(lines, block.file, trail->second);
  }

  void Emit(ScriptSave& result) {
    std::vector<std::vector<std::string>> sectionsLeft = newSections_;
    for (std::size_t f = 0; f < out_.size(); ++f) {
      const int file = static_cast<int>(f);
      std::vector<DocumentLine> lines;
      const auto& outs = out_[f];
      bool first = true;
      for (int i = 0; i < static_cast<int>(outs.size());) {
        const auto place = placed_.find({file, i});
        if (place != placed_.end()) {
          if (first) {
            // Sections the header lacked go before the first level.
            for (const auto& block : sectionsLeft) {
              for (const auto& text : block) lines.push_back(NewLine(file, text));
            }
            sectionsLeft.clear();
            EmitLevels(lines, file, lead_);
            first = false;
          }
          EmitBlock(lines, place->second.first);
          i = place->second.second;
          continue;
        }
        if (pendingAt_.valid() && pendingAt_.file == file && pendingAt_.line == i) {
          EmitLevels(lines, file, pending_);
        }
        EmitLine(lines, outs[static_cast<std::size_t>(i)]);
        ++i;
      }
      if (f == 0) {
        for (const auto& block : sectionsLeft) {
          if (!lines.empty() && lines.back().end.empty()) lines.back().end = File(file).doc.lineEnd();
          for (const auto& text : block) lines.push_back(NewLine(file, text));
        }
        if (!pendingAt_.valid()) EmitLevels(lines, file, pending_);
      }
      const TextDocument& doc = File(file).doc;
      const bool changed = lines != doc.lines();
      result.files.push_back({File(file).name, DocumentBytes(doc.bom(), lines), changed});
    }
  }

  const LoadedScript& s_;
  const ScriptModel& m_;
  std::vector<std::vector<Out>> out_;
  std::vector<SharedChange> refused_;
  std::vector<std::vector<std::string>> newSections_;
  std::vector<Block> blocks_;
  std::map<std::pair<int, int>, std::pair<int, int>> placed_;  // place -> (origin, place's end)
  std::vector<const TLevel*> lead_;
  std::map<int, std::vector<const TLevel*>> trail_;
  std::vector<const TLevel*> pending_;
  LineRef pendingAt_;
};

}  // namespace

ScriptSave SaveLoadedScript(const LoadedScript& script, const ScriptModel& model,
                            const KeptLineEdits& edits) {
  return Editor(script, model, edits).Run();
}

std::string SharedChangeText(const SharedChange& change) {
  std::string text = change.file + ", line " + std::to_string(change.line) + " (" + change.setting +
                     ") is shared by " + std::to_string(change.levels.size()) + " levels: ";
  for (std::size_t i = 0; i < change.levels.size(); ++i) text += (i ? ", " : "") + change.levels[i];
  return text;
}

}  // namespace scriptdesk
