#include "core/syntax/game_text.h"

#include <algorithm>

namespace scriptdesk::syntax {

namespace {

constexpr int kEnd = -1;
constexpr char kCtrlZ = 0x1A;

// The stream as the game's C library hands it out, one character at a time.
class TextStream {
 public:
  explicit TextStream(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ >= bytes_.size(); }
  std::size_t Position() const { return pos_; }
  void Seek(std::size_t pos) { pos_ = pos; }

  int Get() {
    if (AtEnd()) return kEnd;
    char c = bytes_[pos_++];
    if (c == '\r') {
      if (AtEnd()) return kEnd;
      c = bytes_[pos_++];
      if (c == '\n' || c == '\r') return static_cast<unsigned char>(c);
    }
    if (c == kCtrlZ) return kEnd;
    return static_cast<unsigned char>(c);
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// A line ends at its first NUL, as the C string it is read into.
void Finish(GameLine& line, bool cutComments) {
  std::string& raw = line.text;
  const auto nul = raw.find('\0');
  if (nul != std::string::npos) raw.resize(nul);
  const auto comment = cutComments ? raw.find(';') : std::string::npos;
  if (comment != std::string::npos) raw.resize(comment);
}

}  // namespace

std::vector<GameLine> ReadGameLines(std::string_view bytes, bool cutComments) {
  std::vector<GameLine> lines;
  lines.reserve(bytes.size() / 24 + 1);
  TextStream stream(bytes);
  int number = 0;
  std::size_t pos = 0;
  while (true) {
    GameLine line;
    std::string& raw = line.text;
    // Most lines hold no CR but the one before LF, no ^Z and fit one read: take them whole. The
    // search looks no further than one read, so a long line costs no more than its length.
    const auto newline =
        pos < bytes.size() ? bytes.substr(pos, kLineChunk + 1).find('\n') : std::string_view::npos;
    if (newline != std::string_view::npos) {
      auto plain = bytes.substr(pos, newline);
      if (!plain.empty() && plain.back() == '\r') plain.remove_suffix(1);
      const bool simple =
          std::none_of(plain.begin(), plain.end(), [](char c) { return c == '\r' || c == kCtrlZ; });
      if (plain.size() < kLineChunk && simple) {
        raw.assign(plain);
        pos += newline + 1;
        stream.Seek(pos);
        line.number = ++number;
        Finish(line, cutComments);
        lines.push_back(std::move(line));
        continue;
      }
    }
    stream.Seek(pos);
    bool ended = false;
    int c = kEnd;
    while (raw.size() < kLineChunk) {
      c = stream.Get();
      if (c == kEnd) break;
      if (c == '\n') {
        ended = true;
        break;
      }
      raw += static_cast<char>(c);
    }
    pos = stream.Position();
    if (raw.empty() && !ended && c == kEnd) break;  // nothing read: the end of the file
    line.number = ++number;
    line.split = !ended && c != kEnd && !stream.AtEnd();
    Finish(line, cutComments);
    lines.push_back(std::move(line));
  }
  return lines;
}

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

std::optional<std::string_view> Tokens::Next(const Separators& isSeparator) {
  std::size_t start = 0;
  while (start < rest_.size() && isSeparator(rest_[start])) ++start;
  if (start == rest_.size()) {
    rest_ = {};
    return std::nullopt;
  }
  std::size_t end = start;
  while (end < rest_.size() && !isSeparator(rest_[end])) ++end;
  const auto token = rest_.substr(start, end - start);
  rest_.remove_prefix(end < rest_.size() ? end + 1 : end);
  return token;
}

std::vector<std::string_view> SplitTokens(std::string_view text, const Separators& separators) {
  std::vector<std::string_view> tokens;
  Tokens reader(text);
  while (const auto token = reader.Next(separators)) tokens.push_back(*token);
  return tokens;
}

std::int32_t ParseGameNumber(std::string_view token) {
  std::uint32_t value = 0;
  std::size_t i = 0;
  if (!token.empty() && token[0] == '$') {
    for (i = 1; i < token.size(); ++i) {
      const char c = token[i];
      std::uint32_t digit = 16;
      if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
      if (c >= 'a' && c <= 'f') digit = static_cast<std::uint32_t>(c - 'a' + 10);
      if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
      value = (value << 4) | digit;
    }
    return static_cast<std::int32_t>(value);
  }
  while (i < token.size() && (token[i] == ' ' || (token[i] >= '\t' && token[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
    value = value * 10 + static_cast<std::uint32_t>(token[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

}  // namespace scriptdesk::syntax
