// Arbitrary bytes as script.txt and two language files (split at "\0\xFF"), compiled in memory.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/compiler/compiler_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!scriptdesk::fuzz::CheckCompile(bytes)) __builtin_trap();
  return 0;
}
