// Whole lines of a file the report reads, one at a time, with memory bounded by the longest line
// it accepts rather than by the file.
#include "report/line_source.h"

#include <cerrno>
#include <cstring>

namespace report {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

// "1 MiB", "64 KiB", "300 bytes": a bound as a reader says it.
std::string size_text(std::size_t bytes) {
  if (bytes % (1024 * 1024) == 0) return std::to_string(bytes / (1024 * 1024)) + " MiB";
  if (bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KiB";
  return std::to_string(bytes) + " bytes";
}

}  // namespace

LineSource::LineSource(std::FILE* file, std::size_t max_length)
    : file_(file), max_length_(max_length), block_(kBlockSize) {}

bool LineSource::refill() {
  begin_ = 0;
  end_ = std::fread(block_.data(), 1, block_.size(), file_);
  if (end_ == 0 && std::ferror(file_)) {
    fault_ = std::string("cannot read the file: ") + std::strerror(errno);
    ended_ = true;
  }
  return end_ > 0;
}

bool LineSource::next(std::string& line, bool& ended_by_newline) {
  line.clear();
  ended_by_newline = false;
  if (ended_) return false;
  while (!ended_by_newline) {
    if (begin_ == end_ && !refill()) break;
    const char* start = block_.data() + begin_;
    const void* newline = std::memchr(start, '\n', end_ - begin_);
    std::size_t length = newline != nullptr
                             ? static_cast<std::size_t>(static_cast<const char*>(newline) - start)
                             : end_ - begin_;
    if (line.size() + length > max_length_) {
      fault_ =
          "line " + std::to_string(lines_read_ + 1) + ": longer than " + size_text(max_length_);
      ended_ = true;
      line.clear();
      return false;
    }
    line.append(start, length);
    begin_ += length;
    if (newline != nullptr) {
      ++begin_;
      ended_by_newline = true;
    }
  }
  if (!ended_by_newline) {
    ended_ = true;
    if (!fault_.empty() || line.empty()) return false;
  }
  ++lines_read_;
  return true;
}

}  // namespace report
