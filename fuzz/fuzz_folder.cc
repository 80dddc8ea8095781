// Helpers of the fuzz targets: a fresh working folder per run, and splitting one fuzz input
// into the files of a run.
#include "fuzz/fuzz_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fuzz_support {

WorkingFolder::WorkingFolder() {
  const char* root = std::getenv("TMPDIR");
  std::string pattern =
      std::string(root != nullptr && *root != '\0' ? root : "/tmp") + "/quillox-fuzz-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return;
  path_ = pattern;
  previous_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ok_ = previous_ >= 0 && ::chdir(path_.c_str()) == 0;
}

WorkingFolder::~WorkingFolder() {
  if (previous_ >= 0) {
    if (::fchdir(previous_) != 0) std::abort();
    ::close(previous_);
  }
  if (!path_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
}

bool write_file(const std::string& name, std::string_view contents) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  return std::fclose(file) == 0 && ok;
}

bool read_file(const std::string& name, std::string& contents) {
  contents.clear();
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) return false;
  std::vector<char> buffer(4096);
  std::size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
    contents.append(buffer.data(), got);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool file_exists(const std::string& name) {
  struct stat status;
  return ::stat(name.c_str(), &status) == 0;
}

std::vector<std::string_view> split_input(const std::uint8_t* data, std::size_t size,
                                          char separator, std::size_t count) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < count) {
    std::size_t at = rest.find(separator);
    if (at == std::string_view::npos) break;
    parts.push_back(rest.substr(0, at));
    rest.remove_prefix(at + 1);
  }
  parts.push_back(rest);
  parts.resize(count);
  return parts;
}

bool could_leave_folder(std::string_view text) {
  std::size_t column = 0;
  for (char c : text) {
    if (c == '/' && column != 6) return true;
    column = c == '\n' ? 0 : column + 1;
  }
  return false;
}

}  // namespace fuzz_support
