#pragma once

// What must hold for any bytes given to the compiler, checked by the fuzzer and by the test that
// replays its corpus: it ends (no crash, no hang), its verdict agrees with its messages, and the
// files it returns are laid out as their own headers say.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/compiler/script_compiler.h"

namespace scriptdesk::fuzz {

// The input as script.txt, ENGLISH.TXT and one more language file, split at "\0\xFF".
inline std::vector<std::string> SplitInput(std::string_view bytes) {
  std::vector<std::string> parts;
  while (parts.size() < 2) {
    const auto cut = bytes.find(std::string_view("\0\xFF", 2));
    if (cut == std::string_view::npos) break;
    parts.emplace_back(bytes.substr(0, cut));
    bytes.remove_prefix(cut + 2);
  }
  parts.emplace_back(bytes);
  return parts;
}

inline std::size_t U16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) |
         static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

// The number of language names SCRIPT.DAT lists, or nullopt when its blocks do not add up.
inline std::optional<std::size_t> GameflowLanguages(const std::string& dat) {
  if (dat.size() < 56) return std::nullopt;
  const std::size_t slots = static_cast<unsigned char>(dat[9]);
  const std::size_t files = static_cast<unsigned char>(dat[10]);
  const std::size_t names = U16(dat, 12), blocks = U16(dat, 14);
  const std::size_t slotTable = 56 + 2 * files + names;
  const std::size_t end = slotTable + 2 * slots + blocks;
  if (slots < 1 || names % 2 != 0 || end > dat.size() || dat[end - 1] != '\x83')
    return std::nullopt;
  for (std::size_t i = 0; i < slots; ++i) {
    if (U16(dat, slotTable + 2 * i) >= blocks) return std::nullopt;
  }
  std::size_t listed = 0;
  for (std::size_t at = end; at < dat.size(); ++at) listed += dat[at] == '\0' ? 1 : 0;
  if (listed == 0 || dat.back() != '\0') return std::nullopt;
  return listed;
}

inline bool LanguageLaidOut(const std::string& dat) {
  if (dat.size() < 12) return false;
  const std::size_t count = U16(dat, 0) + U16(dat, 2) + U16(dat, 4);
  const std::size_t size = U16(dat, 6) + U16(dat, 8) + U16(dat, 10);
  return dat.size() == 12 + 2 * count + size;
}

inline bool CheckCompile(std::string_view input) {
  const auto parts = SplitInput(input);
  const auto result =
      compiler::CompileScript(parts[0], [&](const std::string& path) -> std::optional<std::string> {
        if (parts.size() > 1 && path == "ENGLISH.TXT") return parts[1];
        if (parts.size() > 2 && path != "ENGLISH.TXT") return parts[2];
        return std::nullopt;
      });
  bool hasError = false;
  for (const auto& message : result.messages) {
    hasError = hasError || message.severity == compiler::Severity::Error;
    if (message.text.empty()) return false;
  }
  if (result.succeeded == hasError) return false;
  if (!result.succeeded)
    return result.outputs.empty() && result.messages.back().severity == compiler::Severity::Error;
  if (result.outputs.size() < 2 || result.outputs[0].name != "SCRIPT.DAT") return false;
  // Slot 0 is always listed, and every language written is too.
  const auto listed = GameflowLanguages(result.outputs[0].bytes);
  if (!listed || *listed < result.outputs.size() - 1) return false;
  for (std::size_t i = 1; i < result.outputs.size(); ++i) {
    if (!LanguageLaidOut(result.outputs[i].bytes)) return false;
  }
  return true;
}

}  // namespace scriptdesk::fuzz
