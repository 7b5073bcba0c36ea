#include "core/compiler/game_text.h"

namespace scriptdesk::compiler {

namespace {

constexpr int kEnd = -1;
constexpr char kCtrlZ = 0x1A;

// The stream as the game's C library hands it out, one character at a time.
class TextStream {
 public:
  explicit TextStream(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ >= bytes_.size(); }

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

}  // namespace

std::vector<GameLine> ReadGameLines(std::string_view bytes, bool cutComments) {
  std::vector<GameLine> lines;
  TextStream stream(bytes);
  int number = 0;
  while (true) {
    std::string raw;
    bool newline = false;
    int c = kEnd;
    while (raw.size() < kLineChunk) {
      c = stream.Get();
      if (c == kEnd) break;
      if (c == '\n') {
        newline = true;
        break;
      }
      raw += static_cast<char>(c);
    }
    if (raw.empty() && !newline && c == kEnd) break;  // nothing read: the end of the file
    GameLine line;
    line.number = ++number;
    line.split = !newline && c != kEnd && !stream.AtEnd();
    const auto nul = raw.find('\0');
    if (nul != std::string::npos) raw.resize(nul);
    const auto comment = cutComments ? raw.find(';') : std::string::npos;
    if (comment != std::string::npos) raw.resize(comment);
    line.text = std::move(raw);
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

std::optional<std::string_view> Tokens::Next(std::string_view separators) {
  const auto start = rest_.find_first_not_of(separators);
  if (start == std::string_view::npos) {
    rest_ = {};
    return std::nullopt;
  }
  rest_.remove_prefix(start);
  const auto end = rest_.find_first_of(separators);
  const auto token = rest_.substr(0, end);
  rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
  return token;
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

}  // namespace scriptdesk::compiler
