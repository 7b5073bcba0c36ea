// Arbitrary bytes as an INI file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!scriptdesk::fuzz::CheckIniBytes(std::string(reinterpret_cast<const char*>(data), size))) {
    __builtin_trap();
  }
  return 0;
}
