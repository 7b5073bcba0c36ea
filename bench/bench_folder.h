#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace scriptdesk::bench {

// A program folder of its own under the system's temporary folder, so the importer's temp.ini
// and the saved Setup.ini never land beside the real program; removed at the end.
class BenchFolder {
 public:
  BenchFolder() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("scriptdesk-bench-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace scriptdesk::bench
