#include "core/platform/code_page.h"

#include <array>
#include <cstdio>

namespace scriptdesk {

namespace {

constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// One UTF-8 sequence at `at`: its code point and length, or length 0 when it is malformed.
struct Decoded {
  char32_t codePoint = 0;
  std::size_t length = 0;
};

Decoded DecodeAt(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t codePoint = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1Fu;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0Fu;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07u;
    smallest = 0x10000;
  } else {
    return {};
  }
  if (at + length > bytes.size()) return {};
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(at + i);
    if ((next & 0xC0u) != 0x80u) return {};
    codePoint = (codePoint << 6) | (next & 0x3Fu);
  }
  if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return {};
  }
  return {codePoint, length};
}

}  // namespace

char32_t Windows1252CodePoint(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80u] : byte;
}

std::optional<char> Windows1252Byte(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<char>(codePoint);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == codePoint) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

bool IsUtf8WithNonAscii(std::string_view bytes) {
  bool nonAscii = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const Decoded decoded = DecodeAt(bytes, at);
    if (decoded.length == 0) return false;
    nonAscii = nonAscii || decoded.length > 1;
    at += decoded.length;
  }
  return nonAscii;
}

std::string Utf8ToWindows1252(std::string_view utf8, std::vector<UnmappedCharacter>& unmapped) {
  std::string out;
  out.reserve(utf8.size());
  int line = 1;
  for (std::size_t at = 0; at < utf8.size();) {
    Decoded decoded = DecodeAt(utf8, at);
    // A malformed byte stands for itself: callers check the text first, this only keeps the
    // conversion total.
    if (decoded.length == 0) decoded = {static_cast<unsigned char>(utf8[at]), 1};
    // Lines end as the importer splits them: at CR LF, LF or a lone CR.
    if (decoded.codePoint == '\n' || (decoded.codePoint == '\r' && (at + 1 == utf8.size() || utf8[at + 1] != '\n'))) {
      ++line;
    }
    if (const auto byte = Windows1252Byte(decoded.codePoint)) {
      out += *byte;
    } else {
      out += '?';
      unmapped.push_back({line, decoded.codePoint});
    }
    at += decoded.length;
  }
  return out;
}

std::string CodePointName(char32_t codePoint) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
  return text;
}

}  // namespace scriptdesk
