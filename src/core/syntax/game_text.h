#pragma once

// How the game's compiler reads its text files and splits their lines: a C text stream read
// with a 512-byte fgets, then strtok and atoi. Shared by the script and the language files.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scriptdesk::syntax {

// Longest piece one read takes; a longer line goes on as the next line.
inline constexpr std::size_t kLineChunk = 511;

struct GameLine {
  int number = 0;      // as the game counts: every piece of a split line counts
  std::string text;    // up to the first NUL, the comment (from ';') removed
  bool split = false;  // the line went on past kLineChunk characters
};

// ^Z ends the line it is in, or the file when it starts one; a CR before LF is dropped, a CR
// before anything else drops itself.
// Language files lose their comments line by line; the script keeps them, because there ';' is
// one of the separators its values are taken with.
std::vector<GameLine> ReadGameLines(std::string_view bytes, bool cutComments);

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char UpperAscii(char c);
std::string UpperAscii(std::string_view text);

// A set of separator characters, looked up by byte.
class Separators {
 public:
  constexpr Separators(std::string_view characters) {
    for (char c : characters) table_[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool operator()(char c) const { return table_[static_cast<unsigned char>(c)]; }

 private:
  std::array<bool, 256> table_{};
};

// strtok over one line: each call skips the separators, takes a token and eats one separator.
class Tokens {
 public:
  explicit Tokens(std::string_view text) : rest_(text) {}
  std::optional<std::string_view> Next(const Separators& separators);

 private:
  std::string_view rest_;
};

inline constexpr Separators kBlanks{" \t"};
// A number runs on over ';' ("$1;5" is $1?5); every other value ends there.
inline constexpr Separators kNumberSeparators{", \t"};
inline constexpr Separators kWordSeparators{" \t;"};
inline constexpr Separators kNameSeparators{",\t;"};
inline constexpr Separators kFileSeparators{", \t;"};
inline constexpr Separators kStringSeparators{"\t;"};
inline constexpr Separators kTabs{"\t"};

// Every token of a text, as repeated Next calls give them.
std::vector<std::string_view> SplitTokens(std::string_view text, const Separators& separators);

// "$hex" (every character a digit, any non-hex one counting 16) or atoi; both wrap at 32 bits.
std::int32_t ParseGameNumber(std::string_view token);

}  // namespace scriptdesk::syntax
