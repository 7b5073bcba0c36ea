#include "core/document/text_document.h"

#include <array>

namespace scriptdesk {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (char c : ansi) AppendUtf8(out, Windows1252CodePoint(static_cast<unsigned char>(c)));
  return out;
}

TextDocument TextDocument::FromBytes(std::string_view bytes) {
  TextDocument doc;
  if (bytes.starts_with(kUtf8Mark)) {
    doc.bom_ = std::string(kUtf8Mark);
    bytes.remove_prefix(kUtf8Mark.size());
  }
  doc.encoding_ = IsUtf8WithNonAscii(bytes) ? TextEncoding::Utf8 : TextEncoding::Ansi;
  std::array<std::size_t, 3> ends{};  // CR LF, LF, CR
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t at = bytes.find_first_of("\r\n", start);
    if (at == std::string_view::npos) {
      doc.lines_.push_back({std::string(bytes.substr(start)), {}});
      break;
    }
    std::size_t width = 1;
    int kind = bytes[at] == '\n' ? 1 : 2;
    if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') {
      width = 2;
      kind = 0;
    }
    ++ends[static_cast<std::size_t>(kind)];
    doc.lines_.push_back(
        {std::string(bytes.substr(start, at - start)), std::string(bytes.substr(at, width))});
    start = at + width;
  }
  if (ends[1] > ends[0] && ends[1] >= ends[2]) doc.lineEnd_ = "\n";
  if (ends[2] > ends[0] && ends[2] > ends[1]) doc.lineEnd_ = "\r";
  return doc;
}

TextDocument TextDocument::FromAnsiLines(const std::vector<std::string>& lines) {
  TextDocument doc;
  doc.lines_.reserve(lines.size());
  for (const auto& line : lines) doc.lines_.push_back({line, "\r\n"});
  return doc;
}

std::string DocumentBytes(std::string_view bom, const std::vector<DocumentLine>& lines) {
  std::size_t size = bom.size();
  for (const auto& line : lines) size += line.text.size() + line.end.size();
  std::string out;
  out.reserve(size);
  out += bom;
  for (const auto& line : lines) {
    out += line.text;
    out += line.end;
  }
  return out;
}

std::string TextDocument::Bytes() const {
  return DocumentBytes(bom_, lines_);
}

std::string TextDocument::AnsiLine(std::size_t index, std::vector<UnmappedCharacter>* unmapped) const {
  const std::string& text = lines_.at(index).text;
  if (encoding_ == TextEncoding::Ansi) return text;
  std::vector<UnmappedCharacter> found;
  std::string ansi = Utf8ToWindows1252(text, found);
  if (unmapped != nullptr) {
    for (auto& character : found) {
      character.line = static_cast<int>(index) + 1;
      unmapped->push_back(character);
    }
  }
  return ansi;
}

std::string TextDocument::Encoded(std::string_view ansi) const {
  return encoding_ == TextEncoding::Utf8 ? Windows1252ToUtf8(ansi) : std::string(ansi);
}

}  // namespace scriptdesk
