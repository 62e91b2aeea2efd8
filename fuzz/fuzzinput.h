#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// Helpers shared by the fuzz targets: the input as text, split into fields, and a scratch
// folder of the process's own.
namespace zepfuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The pieces of text between separators; a missing piece is empty.
inline std::vector<std::string> Fields(std::string_view text, char separator, std::size_t count) {
  std::vector<std::string> fields(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t end = text.find(separator);
    fields[i] = std::string(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return fields;
}

// A folder under the system's temporary folder for the life of the process, removed at
// exit; the targets write their files there.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("zep-fuzz-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace zepfuzz
