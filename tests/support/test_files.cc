// Test helpers: scoped temporary folders, in-memory files and visible padding.
#include "tests/support/test_files.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace test_support {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillox-test-XXXXXX").string();
  char* made = ::mkdtemp(pattern.data());
  path_ = made != nullptr ? std::filesystem::path(made) : std::filesystem::temp_directory_path();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::file(std::string_view name) const {
  return (path_ / std::string(name)).string();
}

void TempFolder::write(std::string_view name, std::string_view contents) const {
  std::ofstream out(file(name), std::ios::binary);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

std::string TempFolder::read(std::string_view name) const {
  std::ifstream in(file(name), std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

bool TempFolder::exists(std::string_view name) const {
  return std::filesystem::exists(file(name));
}

std::vector<std::string> TempFolder::listing() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

WorkingFolder::WorkingFolder(const std::filesystem::path& folder)
    : saved_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

WorkingFolder::~WorkingFolder() {
  std::filesystem::current_path(saved_);
}

std::string stream_contents(std::FILE* stream) {
  std::string all;
  if (stream == nullptr) return all;
  std::fflush(stream);
  long position = std::ftell(stream);
  std::rewind(stream);
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) all.append(buffer, got);
  std::fseek(stream, position, SEEK_SET);
  return all;
}

MemoryFile::MemoryFile() : stream_(std::tmpfile()) {}

MemoryFile::~MemoryFile() {
  if (stream_ != nullptr) std::fclose(stream_);
}

void MemoryFile::set(std::string_view contents) {
  std::FILE* fresh = std::tmpfile();
  std::fwrite(contents.data(), 1, contents.size(), fresh);
  std::rewind(fresh);
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = fresh;
}

std::string MemoryFile::contents() {
  return stream_contents(stream_);
}

std::FILE* MemoryFile::release() {
  std::FILE* stream = stream_;
  stream_ = nullptr;
  return stream;
}

std::string pad80(std::string_view text) {
  std::string line(text);
  if (line.size() < 80) line.resize(80, ' ');
  return line;
}

std::string padded_lines(std::initializer_list<std::string_view> lines) {
  std::string all;
  for (std::string_view line : lines) all += pad80(line) + "\n";
  return all;
}

}  // namespace test_support
