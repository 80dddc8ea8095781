// Test helpers: scoped temporary and working folders, in-memory files and visible padding.
#pragma once

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

/// A fresh empty folder, removed with everything in it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  /// Full name of `name` inside the folder.
  std::string file(std::string_view name) const;
  /// Writes `contents` to `name` inside the folder.
  void write(std::string_view name, std::string_view contents) const;
  /// Contents of `name` inside the folder; empty when it does not exist.
  std::string read(std::string_view name) const;
  /// True when `name` exists inside the folder.
  bool exists(std::string_view name) const;
  /// The names in the folder (hidden ones too), sorted.
  std::vector<std::string> listing() const;

 private:
  std::filesystem::path path_;
};

/// Makes `folder` the working folder, and the previous one again when the object goes.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder);
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::filesystem::path saved_;
};

/// Everything in `stream` from its start, read without moving its position; empty for nullptr.
std::string stream_contents(std::FILE* stream);

/// A temporary file opened for reading and writing, removed when the object goes.
class MemoryFile {
 public:
  MemoryFile();
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  /// Replaces the contents with `contents` and rewinds.
  void set(std::string_view contents);
  /// Everything written so far.
  std::string contents();
  std::FILE* stream() const { return stream_; }
  /// Hands the stream over to a new owner, which closes it.
  std::FILE* release();

 private:
  std::FILE* stream_;
};

/// `text` filled with blanks to 80 columns, as the converter writes its lines.
std::string pad80(std::string_view text);

/// Each of `lines` filled with blanks to 80 columns and followed by a line end.
std::string padded_lines(std::initializer_list<std::string_view> lines);

}  // namespace test_support
