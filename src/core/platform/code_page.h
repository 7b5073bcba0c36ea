#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scriptdesk {

// windows-1252, the ANSI code page the core's texts are in: bytes 0x00..0x7F and 0xA0..0xFF are
// the code points of the same value, 0x80..0x9F the characters of this table (the five
// unassigned bytes keep their C1 code points, as Windows maps them).
char32_t Windows1252CodePoint(unsigned char byte);
// The byte of a code point, or nullopt when the code page has none for it.
std::optional<char> Windows1252Byte(char32_t codePoint);

// A code point that a UTF-8 text held and the code page could not: it became '?'.
struct UnmappedCharacter {
  int line = 0;  // 1-based line of the text
  char32_t codePoint = 0;
};

// True when `bytes` are well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF) and hold at least one character outside ASCII: a text saved as UTF-8, which an ANSI
// text with a letter above 0x7F almost never is.
bool IsUtf8WithNonAscii(std::string_view bytes);

// The UTF-8 text in the code page; every character it cannot hold becomes '?' and is listed.
std::string Utf8ToWindows1252(std::string_view utf8, std::vector<UnmappedCharacter>& unmapped);

// "U+0142": how a report names a character it cannot show.
std::string CodePointName(char32_t codePoint);

}  // namespace scriptdesk
