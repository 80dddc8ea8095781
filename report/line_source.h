// Whole lines of a file the report reads, one at a time, with memory bounded by the longest line
// it accepts rather than by the file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace report {

/// The lines of an open file, each without its line feed, read a 64 KiB block at a time.
class LineSource {
 public:
  /// Reads `file` (not owned); a line longer than `max_length` bytes ends the reading.
  LineSource(std::FILE* file, std::size_t max_length);

  /// Reads the next line into `line`; `ended_by_newline` tells whether a line feed ended it (the
  /// last line of a file may lack one). False at the end of the file, after a read error and
  /// after a line too long; `fault` then tells which.
  bool next(std::string& line, bool& ended_by_newline);

  /// Lines handed out so far.
  std::size_t lines_read() const { return lines_read_; }
  /// Why reading stopped before the end ("cannot read the file: ...", "line 7: longer than
  /// ..."); empty when it did not.
  const std::string& fault() const { return fault_; }

 private:
  bool refill();

  std::FILE* file_;
  std::size_t max_length_;
  std::vector<char> block_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::size_t lines_read_ = 0;
  bool ended_ = false;
  std::string fault_;
};

}  // namespace report
