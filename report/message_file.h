// Reading one QUILLOX message file: the findings that need manual attention and the summary counts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "message_format/message_format.h"

namespace report {

using message_format::Finding;
using message_format::finding_heading;
using message_format::kFindingKindCount;

/// What one program's message file tells: its counts and its findings.
struct ProgramSummary {
  std::string name;                // the message file's path below the folder, without ".msg"
  std::int64_t lines_read = 0;     // the program's own lines, copybooks not included
  std::int64_t lines_written = 0;  // lines of the converted program, copybooks not included
  std::int64_t exec_statements = 0;
  std::array<std::int64_t, kFindingKindCount> findings{};

  std::int64_t& count(Finding kind) { return findings[static_cast<std::size_t>(kind)]; }
  std::int64_t count(Finding kind) const { return findings[static_cast<std::size_t>(kind)]; }
  /// All findings of every kind added up.
  std::int64_t total_findings() const;
};

/// What kind of file a ".msg" file turned out to be.
enum class MessageFileKind {
  kConversion,    // written by QUILLOX: `summary` is filled in
  kLevelShifter,  // written by NESTLVL: holds no findings and is left out of the report
  kUnrecognised,  // anything else, a cut-off file included: `error` says what is wrong
};

/// Reads the text of a message file. For a QUILLOX message file fills `summary` (all but its
/// name); a file that does not follow the message file's layout exactly, or whose finding
/// messages disagree with its own summary counts, is kUnrecognised with `error` saying where.
MessageFileKind read_message_file(std::string_view text, ProgramSummary& summary,
                                  std::string& error);

}  // namespace report
