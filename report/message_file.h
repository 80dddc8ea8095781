// Reading one QUILLOX message file: the findings that need manual attention, the lines they stand
// on, the copybook members, and the summary counts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "message_format/message_format.h"

namespace report {

using message_format::Finding;
using message_format::finding_heading;
using message_format::kFindingKindCount;
using message_format::Message;

/// Longest line of a message file the report reads: a longer one is no line QUILLOX writes (its
/// longest names a command's argument from at most 20 source lines), and the file is refused
/// with the line named. The file itself may be of any size: it is read a line at a time.
inline constexpr std::size_t kMaxMessageLineLength = 1024 * 1024;

/// How many lines and members of one program the page lists at most; the counts stay exact and
/// the page says how many more the message file holds. Only a damaged file comes near it.
inline constexpr std::size_t kMaxListedPerProgram = 2000;

/// One line of the message file that the report lists in the program's detail.
struct ListedLine {
  /// What the number of the line is: an output line of the converted program or member, the
  /// input line of the COPY line of a member that was not converted, or none (front-end lines).
  enum class Number { kOutputLine, kCopyLine, kNone };

  Number number_kind = Number::kOutputLine;
  std::int64_t number = 0;
  std::string member;              // the copybook the line stands in; empty for the program
  std::string text;                // the message, or the line itself without its indentation
  std::optional<Finding> finding;  // the kind of finding it is, if any
  std::optional<Message> message;  // the message it is, when the report knows it
};

/// What became of a copybook member that a program copies.
enum class MemberOutcome {
  kConverted,   // opened, and its converted copy written
  kNotFound,    // " ***error*** opening copy file"
  kNotWritten,  // found, but its converted copy could not be written
  kNotOpened,   // not looked for: copybooks nested too deep
  kMonitor,     // one of the monitor's own members, never opened: the user supplies it
};

/// A copybook member and what became of it (a member copied several times with different
/// outcomes is listed once for each).
struct MemberUse {
  std::string name;
  MemberOutcome outcome;
};

/// The place of `line` as the page shows it: "line 0040" (an output line, four digits at least),
/// "line 0003 in ABCREC" inside a member, "COPY line 57" for a member that was not converted, or
/// "front end".
std::string place_of(const ListedLine& line);

/// A LINK or XCTL of the program and the program it names, as the command wrote it (a literal
/// in quotes, or the field that holds the name).
struct Transfer {
  Finding kind;  // kLink or kXctl
  std::string target;
};

/// What one program's message file tells: its counts, its findings and the lines they stand on.
struct ProgramSummary {
  std::string name;                // the message file's path below the folder, without ".msg"
  std::int64_t lines_read = 0;     // the program's own lines, copybooks not included
  std::int64_t lines_written = 0;  // lines of the converted program, copybooks not included
  std::int64_t exec_statements = 0;
  std::int64_t map_requests = 0;  // SEND MAP, SEND TEXT and RECEIVE MAP statements
  std::array<std::int64_t, kFindingKindCount> findings{};
  std::int64_t other_messages = 0;  // message lines that the report does not know
  /// The lines that need attention (each finding, the messages that call for a manual step, and
  /// the other messages), in the order of the file; at most kMaxListedPerProgram.
  std::vector<ListedLine> listed;
  /// The members copied, by name and outcome, in order of name; at most kMaxListedPerProgram.
  std::vector<MemberUse> members;
  std::int64_t unlisted = 0;  // lines and members beyond kMaxListedPerProgram
  /// Each LINK and XCTL target once per kind, in the order first met; at most
  /// kMaxListedPerProgram.
  std::vector<Transfer> transfers;
  std::string front_end;  // the program name of the front end written, if any

  std::int64_t& count(Finding kind) { return findings[static_cast<std::size_t>(kind)]; }
  std::int64_t count(Finding kind) const { return findings[static_cast<std::size_t>(kind)]; }
  /// All findings of every kind added up, the other messages included.
  std::int64_t total_findings() const;
  /// A screen program makes at least one map request; a back-end program makes none.
  bool screen_program() const { return map_requests > 0; }
};

/// What kind of file a ".msg" file turned out to be.
enum class MessageFileKind {
  kConversion,    // written by QUILLOX: `summary` is filled in
  kLevelShifter,  // written by NESTLVL: holds no findings and is left out of the report
  kUnrecognised,  // anything else, a cut-off file included: `error` says what is wrong
};

/// Receives every line that needs attention as it is read, those beyond the bound of the
/// program's own list too, so that each finding reaches the findings file.
using ListedLineSink = std::function<void(const ListedLine&)>;

/// Reads a message file from `file` a line at a time, whatever its size, with memory bounded by
/// kMaxMessageLineLength and the program's lists. For a QUILLOX message file fills `summary`
/// (all but its name); a file that does not follow the message file's layout, or whose messages
/// disagree with its own summary counts, or that cannot be read to its end, is kUnrecognised
/// with `error` saying where. A message line whose text the report does not know is counted and
/// listed as another message. `sink`, when given, sees each listed line; what it saw belongs to
/// a file that may still turn out kUnrecognised.
MessageFileKind read_message_file(std::FILE* file, ProgramSummary& summary, std::string& error,
                                  const ListedLineSink& sink = {});

/// `read_message_file` of the file whose whole text is `text`.
MessageFileKind read_message_file(std::string_view text, ProgramSummary& summary,
                                  std::string& error);

}  // namespace report
