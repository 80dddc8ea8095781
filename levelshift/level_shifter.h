// NESTLVL: copies a copybook with every two-digit level number raised by one, and writes a
// message file with the line counts.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace levelshift {

/// Exit codes: the copy was written; the usage text was printed; a main file could not be
/// opened, would overwrite the input, or failed while being read or written.
constexpr int kExitDone = 0;
constexpr int kExitUsage = 1;
constexpr int kExitFileError = 100;

/// Bytes read and written at a time. Lines of any length pass through this one buffer, so
/// the memory a copy needs does not depend on the size of the copybook or of its lines.
constexpr std::size_t kChunkSize = 128 * 1024;

/// Message lines about 99s kept in memory before the rest goes to a temporary file.
constexpr std::size_t kNoteMemoryLimit = 64 * 1024;

/// What `raise_level_number` did to a line.
enum class LevelChange { kUnchanged, kRaised, kNinetyNineKept };

/// Raises the level number that is the first word from column 8 of `line` (one line, its line
/// end included or not) when that word is two digits: 01 becomes 02, 09 becomes 10. A word of
/// other digits (123, a value continued from the line before), a comment line ("*" in column
/// 7), a continuation line ("-"), a line too short to reach column 8, and the numbers 49, 66, 77,
/// 88 and 99 are left as they are. Only those two digits ever change.
LevelChange raise_level_number(std::string& line);

/// Follows a text byte by byte, line by line, and raises each line's level number in place.
/// It keeps no more than the place reached in the current line, so a line of any length can
/// pass through in pieces.
class LevelScanner {
 public:
  /// Examines the next `size` bytes of the text and raises a level number among them in place.
  /// Returns how many bytes at the front are final. The rest, at most kMostHeld bytes (a digit
  /// pair and a carriage return whose follower has not come yet), must be handed in again at
  /// the front of the next call.
  std::size_t scan(char* bytes, std::size_t size);
  /// Ends the text, given the `size` bytes held back: a pair that ends the text is raised, and a
  /// last line without a line end is counted.
  void finish(char* held, std::size_t size);

  /// Most bytes `scan` holds back.
  static constexpr std::size_t kMostHeld = 3;

  /// Lines ended so far, a line end being a line feed (a carriage return before it is text).
  long long line_count() const { return line_count_; }
  long long raised_count() const { return raised_count_; }
  long long ninety_nine_count() const { return ninety_nine_count_; }

  /// Called with the line number (from 1) of every line whose level number 99 was kept.
  std::function<void(long long)> on_ninety_nine;

 private:
  enum class Place {
    kSequenceArea,
    kIndicator,
    kBlanks,
    kSecondDigit,
    kAfterPair,
    kAfterPairReturn,
    kRestOfLine
  };

  /// Raises the level number of one whole line, `length` characters without its line feed.
  void raise_in_line(char* line, std::size_t length);
  void end_line();
  void raise_pair(char& tens, char& units);

  Place place_ = Place::kSequenceArea;
  std::size_t column_ = 0;  // characters of the line seen while in the sequence area
  bool line_open_ = false;  // the current line holds at least one character
  std::size_t held_ = 0;    // bytes at the end of the last call handed in again
  long long line_count_ = 0;
  long long raised_count_ = 0;
  long long ninety_nine_count_ = 0;
};

/// Message lines that must follow the counts, which are only known at the end. Held in memory
/// up to kNoteMemoryLimit bytes, then moved to a temporary file, so that a copybook full of
/// 99s needs no more memory than any other.
class NoteSpool {
 public:
  NoteSpool() = default;
  ~NoteSpool();
  NoteSpool(const NoteSpool&) = delete;
  NoteSpool& operator=(const NoteSpool&) = delete;

  /// Adds `text` after the lines already held.
  void append(std::string_view text);
  /// Writes every line held, in order, to `out`. False when the temporary file failed, so
  /// that lines are missing.
  bool write_to(std::FILE* out);

 private:
  std::string held_;
  std::FILE* spill_ = nullptr;
  bool failed_ = false;
};

/// What one copy met.
struct CopyResult {
  long long line_count = 0;  // lines read; every one is written too
  bool read_failed = false;
  bool write_failed = false;
};

/// Copies `in` to `out` byte for byte, raising the level number of each line, and adds a line
/// to `notes` for every 99 left unchanged. Reads `chunk_size` bytes at a time. A read error
/// ends the copy like the end of the file; a write error does not stop it.
CopyResult copy_raising_levels(std::FILE* in, std::FILE* out, NoteSpool& notes,
                               std::size_t chunk_size = kChunkSize);

/// The three file names of a run.
struct FileNames {
  std::string input;
  std::string output;
  std::string message;
};

/// Forms the names from the arguments (at least one): the input as typed; the output as the
/// second argument, else the base name with ".new"; the message file always the base name with
/// ".msg". The base name is the first argument cut at its first period, directory included.
FileNames form_file_names(const std::vector<std::string>& arguments);

/// True when `a` and `b` name the same file: the same device and inode when both exist,
/// otherwise the same absolute path once "." and ".." and links are resolved.
bool same_file(const std::string& a, const std::string& b);

/// Runs NESTLVL over `arguments` (without the program name). The usage text goes to `console`,
/// error messages to `errors`. Returns the exit code.
int run_level_shifter(const std::vector<std::string>& arguments, std::FILE* console,
                      std::FILE* errors);

/// Runs NESTLVL over the process's command line, with standard output and standard error.
int run_level_shifter(int argc, char** argv);

}  // namespace levelshift
