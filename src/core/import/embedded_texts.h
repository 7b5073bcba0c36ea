#pragma once

#include <span>
#include <string_view>

namespace scriptdesk {

// One file of core/import/stock, embedded byte for byte at build time.
struct EmbeddedText {
  std::string_view name;  // the file name without ".txt"
  std::string_view bytes;
};

std::span<const EmbeddedText> EmbeddedTexts();

}  // namespace scriptdesk
