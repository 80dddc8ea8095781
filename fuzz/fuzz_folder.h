// Helpers of the fuzz targets: a fresh working folder per run, and splitting one fuzz input
// into the files of a run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz_support {

/// An empty folder that is the working folder while the object lives; the previous working
/// folder is restored and the folder removed with everything in it when it goes.
class WorkingFolder {
 public:
  WorkingFolder();
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  /// False when the folder could not be made or entered.
  bool ok() const { return ok_; }

 private:
  std::string path_;
  int previous_ = -1;
  bool ok_ = false;
};

/// Writes `contents` to `name` in the working folder; false on failure.
bool write_file(const std::string& name, std::string_view contents);
/// Reads the whole of `name` into `contents`; false when it cannot be read.
bool read_file(const std::string& name, std::string& contents);
/// True when `name` exists.
bool file_exists(const std::string& name);

/// `data` cut at every `separator` byte into at most `count` parts (the last one takes the rest);
/// missing parts are empty.
std::vector<std::string_view> split_input(const std::uint8_t* data, std::size_t size,
                                          char separator, std::size_t count);

/// True when `text` holds a "/" anywhere but in column 7 of a line. Such a text could name a
/// member outside the working folder (a COPY of an absolute path writes beside that path), so
/// the targets leave it alone: a fuzz run must never touch files outside its folder.
bool could_leave_folder(std::string_view text);

}  // namespace fuzz_support
