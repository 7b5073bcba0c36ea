#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/code_page.h"

namespace scriptdesk {

// One line of a file: its bytes as the file holds them and the line end that followed them
// ("\r\n", "\n", "\r", or nothing for a last line without one).
struct DocumentLine {
  std::string text;
  std::string end;

  bool operator==(const DocumentLine&) const = default;
};

enum class TextEncoding { Ansi, Utf8 };

// A text file kept as it was read, so that writing it back unchanged gives the same bytes: every
// line with its own line end, the byte-order mark and the encoding. Lines the program changes
// are given as ANSI text and stored in the file's encoding, ended as most of its lines are.
class TextDocument {
 public:
  TextDocument() = default;
  static TextDocument FromBytes(std::string_view bytes);
  // A new file holding `lines` (ANSI), each ended by CR LF.
  static TextDocument FromAnsiLines(const std::vector<std::string>& lines);

  std::string Bytes() const;

  std::size_t size() const { return lines_.size(); }
  const std::vector<DocumentLine>& lines() const { return lines_; }
  const std::string& bom() const { return bom_; }
  TextEncoding encoding() const { return encoding_; }
  // What new lines end with: the end most of the file's lines have (CR LF in an empty file).
  const std::string& lineEnd() const { return lineEnd_; }

  // A line in the ANSI code page: a UTF-8 file's characters that the code page cannot hold
  // become "?", listed in `unmapped` (1-based line numbers) when given.
  std::string AnsiLine(std::size_t index, std::vector<UnmappedCharacter>* unmapped = nullptr) const;
  // ANSI text in this file's encoding.
  std::string Encoded(std::string_view ansi) const;

 private:
  std::string bom_;
  TextEncoding encoding_ = TextEncoding::Ansi;
  std::string lineEnd_ = "\r\n";
  std::vector<DocumentLine> lines_;
};

// A file's bytes: the byte-order mark, then every line followed by its own line end.
std::string DocumentBytes(std::string_view bom, const std::vector<DocumentLine>& lines);

// ANSI (windows-1252) text as UTF-8.
std::string Windows1252ToUtf8(std::string_view ansi);

}  // namespace scriptdesk
