// The converter's text files: a line reader that hands out fixed-size pieces and an output
// file that remembers whether any write failed.
#include "text/text_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace text {

namespace {

constexpr std::size_t kReadBufferSize = 64 * 1024;
constexpr std::size_t kWriteBufferSize = 64 * 1024;

}  // namespace

bool is_directory(const std::string& name) {
  struct stat status;
  return ::stat(name.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::unique_ptr<LineReader> LineReader::open(const std::string& name, std::string* reason) {
  // Opened without waiting, so that a FIFO is told apart instead of blocking the run; only a
  // regular file is read (a folder, a FIFO or a device such as /dev/zero is no text file).
  int descriptor = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat status;
  int error = 0;
  if (descriptor < 0) {
    error = errno;
  } else if (::fstat(descriptor, &status) != 0) {
    error = errno;
  } else if (S_ISDIR(status.st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(status.st_mode)) {
    if (reason != nullptr) *reason = "not a regular file";
    ::close(descriptor);
    return nullptr;
  }
  std::FILE* stream = nullptr;
  if (error == 0) {
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    stream = ::fdopen(descriptor, "rb");
    if (stream == nullptr) error = errno;
  }
  if (stream == nullptr) {
    if (descriptor >= 0) ::close(descriptor);
    if (reason != nullptr) *reason = std::strerror(error);
    return nullptr;
  }
  auto reader = std::make_unique<LineReader>(stream, name);
  reader->identity_ = {status.st_dev, status.st_ino};
  return reader;
}

LineReader::LineReader(std::FILE* stream, std::string name)
    : stream_(stream), name_(std::move(name)), buffer_(new char[kReadBufferSize]) {}

LineReader::~LineReader() {
  if (stream_ != nullptr) std::fclose(stream_);
}

bool LineReader::refill() {
  if (stream_ == nullptr || failed_) return false;
  // Keep what is still unread at the front of the buffer.
  std::size_t left = end_ - begin_;
  if (left != 0 && begin_ != 0) std::memmove(buffer_.get(), buffer_.get() + begin_, left);
  begin_ = 0;
  end_ = left;
  std::size_t got = std::fread(buffer_.get() + end_, 1, kReadBufferSize - end_, stream_);
  end_ += got;
  if (got == 0 && std::ferror(stream_)) failed_ = true;
  return got != 0;
}

bool LineReader::read_piece(std::string& piece, std::size_t limit) {
  // The common case: the line end already lies in the buffer, within the limit.
  if (begin_ != end_ && limit != 0) {
    const char* start = buffer_.get() + begin_;
    const char* line_feed =
        static_cast<const char*>(std::memchr(start, '\n', std::min(limit, end_ - begin_)));
    if (line_feed != nullptr) {
      std::size_t length = static_cast<std::size_t>(line_feed - start);
      begin_ += length + 1;
      if (length != 0 && start[length - 1] == '\r') --length;
      piece.assign(start, length);
      return true;
    }
  }
  piece.clear();
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !refill()) return any;
    any = true;
    if (piece.size() >= limit) {
      // A carriage return that took the last place still ends the line with its line feed.
      if (!piece.empty() && piece.back() == '\r' && buffer_[begin_] == '\n') {
        piece.pop_back();
        ++begin_;
      }
      return true;
    }
    const char* start = buffer_.get() + begin_;
    std::size_t take = std::min(limit - piece.size(), end_ - begin_);
    const char* line_feed = static_cast<const char*>(std::memchr(start, '\n', take));
    if (line_feed != nullptr) {
      piece.append(start, static_cast<std::size_t>(line_feed - start));
      begin_ += static_cast<std::size_t>(line_feed - start) + 1;
      if (!piece.empty() && piece.back() == '\r') piece.pop_back();
      return true;
    }
    piece.append(start, take);
    begin_ += take;
  }
}

OutputFile::OutputFile(std::FILE* stream, std::string name)
    : stream_(stream), name_(std::move(name)) {
  // The file gathers its bytes itself, in large blocks; the stream passes them straight on.
  std::setvbuf(stream_, nullptr, _IONBF, 0);
  buffer_.reset(new char[kWriteBufferSize]);
}

OutputFile::~OutputFile() {
  close();
}

void OutputFile::flush_buffer() {
  if (used_ == 0) return;
  if (std::fwrite(buffer_.get(), 1, used_, stream_) != used_) failed_ = true;
  used_ = 0;
}

std::FILE* OutputFile::stream() {
  if (stream_ != nullptr) flush_buffer();
  return stream_;
}

void OutputFile::write(std::string_view bytes) {
  if (stream_ == nullptr || bytes.empty()) return;
  if (used_ + bytes.size() > kWriteBufferSize) {
    flush_buffer();
    if (bytes.size() >= kWriteBufferSize) {
      if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) failed_ = true;
      return;
    }
  }
  std::memcpy(&buffer_[used_], bytes.data(), bytes.size());
  used_ += bytes.size();
}

void OutputFile::write_padded(std::string_view text, std::size_t width) {
  if (stream_ == nullptr) return;
  std::size_t fill = text.size() < width ? width - text.size() : 0;
  if (used_ + text.size() + fill + 1 > kWriteBufferSize) {
    flush_buffer();
    if (text.size() + fill + 1 > kWriteBufferSize) {
      // Longer than the whole buffer: passed straight on, so that the buffer never grows.
      write(text);
      for (; fill > 0; --fill) write(" ");
      write("\n");
      return;
    }
  }
  char* at = &buffer_[used_];
  if (!text.empty()) std::memcpy(at, text.data(), text.size());
  std::memset(at + text.size(), ' ', fill);
  at[text.size() + fill] = '\n';
  used_ += text.size() + fill + 1;
}

void OutputFile::write_line(std::string_view text) {
  write(text);
  write("\n");
}

void OutputFile::print(std::string_view pattern, std::initializer_list<FormatArg> args) {
  scratch_.clear();
  append_format(scratch_, pattern, args);
  write(scratch_);
}

bool OutputFile::close() {
  if (stream_ == nullptr) return !failed_;
  flush_buffer();
  if (std::ferror(stream_)) failed_ = true;
  if (std::fclose(stream_) != 0) failed_ = true;
  stream_ = nullptr;
  return !failed_;
}

}  // namespace text
