#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace scriptdesk {

// Whole-file read; throws IoError "Cannot open file "<path>". <reason>".
std::string ReadFileBytes(const std::filesystem::path& path);

enum class Durability {
  Flush,    // on the disk before the call returns: the user's files and settings
  NoFlush,  // a scratch file read back at once and deleted: waiting for the disk buys nothing
};

// Writes through a temporary file in the same folder and a rename, so a failure never leaves
// half a file; throws IoError "Cannot create file "<path>". <reason>".
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes,
                     Durability durability = Durability::Flush);

// The entry of `folder` whose name equals `name` without regard to letter case (an exact match
// first); nullopt when there is none.
std::optional<std::filesystem::path> FindFileNoCase(const std::filesystem::path& folder,
                                                    std::string_view name);

// The system's reason for the last failed call (errno text).
std::string SystemErrorText(int error);

}  // namespace scriptdesk
