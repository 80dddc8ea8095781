// The record quillox-all keeps in the application folder: each program's state after the last
// run, and the files its last successful conversion wrote with their checksums, so that hand
// edits are noticed and stale outputs named.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace batch {

/// Name of the record, in the application folder.
inline constexpr std::string_view kRecordFileName = "quillox-all.record";

/// First line of every record, the version of its format.
inline constexpr std::string_view kRecordHeader = "quillox-all record 1";

/// One file a conversion wrote.
struct RecordedOutput {
  std::string path;      // relative to the application folder, "/" between folders
  std::string checksum;  // "sha256:" and 64 lowercase hex digits
};

/// One program and what became of it.
struct RecordedProgram {
  std::string path;    // relative to the application folder
  std::string state;   // converted, failed, refused-clash, refused-edited, not-run
  std::string reason;  // as quillox-all named the program; empty for converted
  std::vector<RecordedOutput> outputs;
};

/// A whole record, programs in the order of their paths.
struct Record {
  std::vector<RecordedProgram> programs;
};

/// `text` with TAB, line feed, carriage return and backslash written as \t, \n, \r and \\.
std::string escape_field(std::string_view text);

/// The text an escaped field stands for; false for a backslash before anything else.
bool unescape_field(std::string_view field, std::string& text);

/// Reads a record from its text. False, with `error` saying why, when the text does not start
/// with the header line; lines it does not know (and output lines before any program) are
/// skipped.
bool parse_record(std::string_view text, Record& record, std::string& error);

/// The text of `record`, programs sorted by path (byte order).
std::string format_record(Record record);

/// The checksum of `content` as the record writes it: "sha256:" and 64 lowercase hex digits.
std::string checksum_of(std::string_view content);

/// Reads the record of the earlier runs in the application folder `root`, if there is one: an
/// empty record without. False with `error` (naming the file) when the file cannot be used: not
/// a regular file, unreadable, or no record.
bool read_record(const std::string& root, Record& record, std::string& error);

/// Writes `record` into `root` as every output of the tools is written (a temporary name beside
/// it, renamed when complete, never through a FIFO); an ending signal waits until it is done.
/// False with `error` when it cannot be written.
bool write_record(const std::string& root, const Record& record, std::string& error);

/// Tells which outputs were changed since quillox-all wrote them: the checksum of the file is
/// none that the record holds for its path. A file the record does not know is no hand edit.
class HandEdits {
 public:
  explicit HandEdits(const Record& earlier);
  /// True when the file `shown` (its path in the record: `path`) was changed; each file is read
  /// once.
  bool changed(const std::string& shown, const std::string& path);

 private:
  std::unordered_map<std::string, std::set<std::string>> recorded_;  // checksums by path
  std::unordered_map<std::string, bool> changed_;                    // by path
};

/// The outputs (as shown: `root`, "/", their path) that `earlier` holds and `now` does not, and
/// that are still there, in path order.
std::vector<std::string> stale_outputs(const std::string& root, const Record& earlier,
                                       const Record& now);

}  // namespace batch
