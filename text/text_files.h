// The converter's text files: a line reader that hands out fixed-size pieces and an output
// file that remembers whether any write failed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/file_identity.h"
#include "text/text_format.h"

namespace text {

/// Longest piece of a line that one read hands out: a longer line arrives as several pieces,
/// each converted and written as a line of its own. The line end counts as one character.
constexpr std::size_t kReadPieceLength = 254;

/// A file read line by line in pieces. A carriage return right before a line feed is part of
/// the line end; any other byte, NUL included, is text.
class LineReader {
 public:
  /// Opens `name` for reading; nullptr when it cannot be opened or is not a regular file (a
  /// folder, a FIFO, a device; links are followed), with the reason in `reason` when given.
  static std::unique_ptr<LineReader> open(const std::string& name, std::string* reason = nullptr);
  /// Reads from an already open stream, which the reader then owns and closes.
  LineReader(std::FILE* stream, std::string name);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  /// Reads the next piece of at most `limit` characters into `piece`, without its line end.
  /// The line end counts as one character of the limit, and a piece ends right after it.
  /// Returns false, with `piece` empty, when nothing is left (end of file or a read error).
  bool read_piece(std::string& piece, std::size_t limit = kReadPieceLength);
  /// True once a read failed for another reason than the end of the file.
  bool failed() const { return failed_; }
  const std::string& name() const { return name_; }
  /// Where the file read lives (all 0 for a stream given open).
  const FileIdentity& identity() const { return identity_; }

 private:
  bool refill();

  std::FILE* stream_;
  std::string name_;
  std::unique_ptr<char[]> buffer_;  // 64 KiB, never filled in advance
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool failed_ = false;
  FileIdentity identity_;
};

/// A file written by the converter. Write errors are remembered (sticky) and reported once,
/// when the run ends; a failed write never stops the run.
class OutputFile {
 public:
  /// Writes to an already open stream, which the file then owns and closes.
  OutputFile(std::FILE* stream, std::string name);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  /// Writes `bytes` as they are.
  void write(std::string_view bytes);
  /// Writes `text` filled with blanks to `width` characters, then a line end; a longer text
  /// is written whole ("%-80s\n").
  void write_padded(std::string_view text, std::size_t width = 80);
  /// Writes `text` and a line end ("%s\n").
  void write_line(std::string_view text);
  /// Writes `pattern` filled from `args` (see `format`).
  void print(std::string_view pattern, std::initializer_list<FormatArg> args);
  /// Flushes and closes the file; false when any write since the opening failed.
  bool close();
  /// True once a write failed.
  bool failed() const { return failed_; }
  const std::string& name() const { return name_; }
  /// The stream underneath, with every byte written so far handed to it, for a reader that
  /// looks at the same stream while the file stays open.
  std::FILE* stream();

 private:
  // Hands the bytes gathered in `buffer_` to the stream.
  void flush_buffer();

  std::FILE* stream_;
  std::string name_;
  std::string scratch_;
  std::unique_ptr<char[]> buffer_;  // room for written bytes not yet handed to the stream
  std::size_t used_ = 0;            // bytes of `buffer_` in use
  bool failed_ = false;
};

/// True when `name` exists and is a directory.
bool is_directory(const std::string& name);

}  // namespace text
