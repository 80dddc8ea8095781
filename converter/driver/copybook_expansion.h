// Copybook members named by COPY and -INC lines, converted into their own ".new" files.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_files.h"

namespace converter {

struct ConversionRun;

/// Most copybook levels suspended at once; a member that would be the eleventh nested one is
/// not opened, with a message.
constexpr int kMaxIncludeDepth = 10;

/// One suspended file: its open streams and the lines read from and written to them so far.
struct IncludeLevel {
  std::unique_ptr<text::LineReader> input_file;
  std::unique_ptr<text::OutputFile> output_file;
  int input_line_count = 0;
  int output_line_count = 0;
};

/// The suspended files, entry 0 the most recently suspended. A member is being read while
/// entry 0 holds an input stream.
struct IncludeStack {
  std::array<IncludeLevel, kMaxIncludeDepth> levels;
};

/// True while a copybook member (not the program) is the current input.
bool reading_member(const ConversionRun& run);

/// True for a source line that the line loop examines: longer than 6 characters, and column 7
/// not "*" (comment), "/" (page eject) or "-" (continuation).
bool is_examined_line(std::string_view line);

/// What a COPY or -INC line names.
struct CopyLine {
  enum Kind { kNone, kCopy, kInc } kind = kNone;  // "COPY" wins when a line holds both
  std::string member;                             // empty when the line gives no usable name
};

/// Whether `line` is a COPY or -INC line, and the member it names: after the keyword and the
/// blanks that follow it, a name written as a literal ('NAME' or "NAME") is the text between the
/// quotes (to the end of the line when the quote is not closed); any other name ends before the
/// first blank, or before the first period of its last part (after the last "/" or "\"), so that
/// `COPY ../X.` names ../X.
CopyLine parse_copy_line(std::string_view line);

/// True for the monitor's own copybooks, which the converter never opens: KVZAID, KVZZVLCA and
/// KVZEIBLK, in any case.
bool is_monitor_member(std::string_view name);

/// The member that the converter opens for the source line `line` (one piece as read): an
/// examined COPY or -INC line with a usable name that is not one of the monitor's own
/// copybooks (KVZAID, KVZZVLCA, KVZEIBLK). Nothing for any other line.
std::optional<std::string> member_opened_by(std::string_view line);

/// The name of a member's converted copy, in the working folder: the last part of the name
/// (after the last "/" or "\"), up to its first period, then ".new". `COPY sub/MEMB` gives
/// MEMB.new, `COPY 'CUST.REC'` CUST.new, `COPY ../X` X.new.
std::string member_output_name(std::string_view member);

/// Extensions tried, in this order, after a member's own name in each folder it is looked for.
inline constexpr std::string_view kMemberExtensions[] = {".cpy", ".CPY", ".cbl",
                                                         ".CBL", ".cob", ".COB"};

/// The names under which member `name` is looked for, in this order. A name with a path
/// separator is taken as it is. Any other is looked for in the working folder, then in
/// `program_folder` (the folder part of the program's name, with its separator; empty when the
/// program was named without a path), then in each of `folders` (the -I folders, in the order
/// given); in each under its name and then with each of `kMemberExtensions`. The first regular
/// file that opens is read; its converted copy is still `member_output_name(name)` in the
/// working folder.
std::vector<std::string> member_candidates(const std::string& name,
                                           const std::string& program_folder,
                                           const std::vector<std::string>& folders);

/// Tells whether `line` is a COPY or -INC line ("COPY" wins), counts it, and puts the member
/// name into `run.copybook_name` (empty when the line gives no usable name).
bool copy_member_name(ConversionRun& run, std::string_view line);

/// Suspends the current file and makes member `name` and its ".new" output current. The COPY
/// line, number `copy_line` of the current input, has already been written to the current
/// output. Unusable names open nothing; the monitor's own members open nothing and are named in
/// the message file; a refused member is logged. A member that is not found is named on
/// standard error too, once per name. A member whose output another file of the run is written
/// to, or whose output the user may not replace, is noted in `run.refusals`: the run then
/// replaces nothing.
void push_include(ConversionRun& run, const std::string& name, int copy_line);

/// Resumes the most recently suspended file (streams are not closed here).
void pop_include(ConversionRun& run);

/// The member being read has ended: closes its files, logs its counts and resumes the
/// enclosing file.
void end_member(ConversionRun& run);

}  // namespace converter
