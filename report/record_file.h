// The record quillox-all keeps in the application folder: what became of each program in its
// last run.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <string_view>

namespace report {

/// Name of the record in the application folder.
inline constexpr char kRecordName[] = "quillox-all.record";

/// What the last run of quillox-all did with a program.
enum class RecordState {
  kConverted,      // converted, all its outputs written
  kFailed,         // its conversion ran and failed
  kRefusedClash,   // not converted: a clash
  kRefusedEdited,  // not converted: an output it wrote earlier was changed since
  kNotRun,         // not converted: the run was interrupted before its turn
};

/// A program's line of the record.
struct RecordEntry {
  RecordState state = RecordState::kConverted;
  std::string reason;  // as quillox-all named the program on standard error; empty if converted
};

/// Longest line of a record the report reads; a longer one refuses the record.
inline constexpr std::size_t kMaxRecordLineLength = 1024 * 1024;

/// `field` with the record's escapes "\t", "\n", "\r" and "\\" turned back into their
/// characters; any other backslash stands for itself.
std::string unescape_record_field(std::string_view field);

/// Reads the record from `file`: each program line into `programs` by its path (relative to the
/// application folder, "/" between folders). Lines it does not know, a program line with a
/// state it does not know included, are passed over. False, with `error` saying why, when the
/// file does not start with "quillox-all record 1" or cannot be read to its end.
bool read_record(std::FILE* file, std::map<std::string, RecordEntry>& programs, std::string& error);

}  // namespace report
