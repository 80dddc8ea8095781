// One EXEC ZARN command: gathering its lines, recognising its options, and the writers and
// argument extraction that every command conversion shares.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "converter/frontend/map_request_table.h"
#include "text/table_order.h"

namespace converter {

struct ConversionRun;

/// The words looked for in a command's text, in the order they are looked for.
enum class Keyword {
  kReceive,
  kSend,
  kConverse,
  kMap,
  kText,
  kControl,
  kAccum,
  kBuffer,
  kPage,
  kConvid,
  kSession,
  kInto,
  kFrom,
  kCtlchar,
  kMapset,
  kMaponly,
  kDataonly,
  kFreekb,
  kFrset,
  kAlarm,
  kRoute,
  kErase,
  kEraseaup,
  kReturn,
  kTransid,
  kCommarea,
  kLength,
  kAddress,
  kTctua,
  kHandle,
  kAid,
  kMapfail,
  kAssign,
  kTermcode,
  kLink,
  kXctl,
  kProgram,
  kCursor,
  kResp,
  kResp2,
  kNohandle,
  kChannel,
  kImmediate,
};
constexpr std::size_t kKeywordCount = static_cast<std::size_t>(Keyword::kImmediate) + 1;

/// A keyword and its text as it stands in a command.
struct KeywordText {
  Keyword id;
  std::string_view text;
};

inline constexpr KeywordText kKeywords[] = {
    {Keyword::kReceive, "RECEIVE"},
    {Keyword::kSend, "SEND"},
    {Keyword::kConverse, "CONVERSE"},
    {Keyword::kMap, "MAP"},
    {Keyword::kText, "TEXT"},
    {Keyword::kControl, "CONTROL"},
    {Keyword::kAccum, "ACCUM"},
    {Keyword::kBuffer, "BUFFER"},
    {Keyword::kPage, "PAGE"},
    {Keyword::kConvid, "CONVID"},
    {Keyword::kSession, "SESSION"},
    {Keyword::kInto, "INTO"},
    {Keyword::kFrom, "FROM"},
    {Keyword::kCtlchar, "CTLCHAR"},
    {Keyword::kMapset, "MAPSET"},
    {Keyword::kMaponly, "MAPONLY"},
    {Keyword::kDataonly, "DATAONLY"},
    {Keyword::kFreekb, "FREEKB"},
    {Keyword::kFrset, "FRSET"},
    {Keyword::kAlarm, "ALARM"},
    {Keyword::kRoute, "ROUTE"},
    {Keyword::kErase, "ERASE"},
    {Keyword::kEraseaup, "ERASEAUP"},
    {Keyword::kReturn, "RETURN"},
    {Keyword::kTransid, "TRANSID"},
    {Keyword::kCommarea, "COMMAREA"},
    {Keyword::kLength, "LENGTH"},
    {Keyword::kAddress, "ADDRESS"},
    {Keyword::kTctua, "TCTUA"},
    {Keyword::kHandle, "HANDLE"},
    {Keyword::kAid, "AID"},
    {Keyword::kMapfail, "MAPFAIL"},
    {Keyword::kAssign, "ASSIGN"},
    {Keyword::kTermcode, "TERMCODE"},
    {Keyword::kLink, "LINK"},
    {Keyword::kXctl, "XCTL"},
    {Keyword::kProgram, "PROGRAM"},
    {Keyword::kCursor, "CURSOR"},
    {Keyword::kResp, "RESP"},
    {Keyword::kResp2, "RESP2"},
    {Keyword::kNohandle, "NOHANDLE"},
    {Keyword::kChannel, "CHANNEL"},
    {Keyword::kImmediate, "IMMEDIATE"},
};
static_assert(std::size(kKeywords) == kKeywordCount, "every keyword has its text");
static_assert(text::ids_in_order(kKeywords), "keywords stand in the order they are looked for");

/// Most source lines a command may span; a command whose END-EXEC comes later is copied
/// unchanged.
constexpr int kMaxCommandLines = 20;

/// Characters after a keyword within which `extract_argument` looks for its parentheses.
constexpr std::size_t kArgumentWindow = 255;

/// One command being converted. Lives for one call of `convert_exec_statement`.
struct ExecStatement {
  int start_line = 0;     // output lines written before the command's first line
  std::string indent;     // blanks, as many as stood before EXEC, at most 32
  std::string text;       // columns 8 on of the command's lines, upper case, renamed
  char terminator = ' ';  // '.' when a period follows END-EXEC, else ' '
  std::array<std::size_t, kKeywordCount> options{};  // first whole-word position, or npos
  char erase_code = ' ';                             // ' ', 'E' ERASE, 'U' ERASEAUP
  char alarm_code = ' ';                             // ' ', 'A' ALARM
  char send_type = ' ';                              // ' ', 'M' MAPONLY, 'D' DATAONLY

  /// Position of `keyword` in `text`, or npos.
  std::size_t position(Keyword keyword) const { return options[static_cast<std::size_t>(keyword)]; }
  /// True when `keyword` stands in the command.
  bool has(Keyword keyword) const { return position(keyword) != std::string::npos; }
  /// The argument of `keyword` (see `extract_argument`).
  std::string argument(Keyword keyword) const;
};

/// The characters strictly between the first "(" at or after `position` and the ")" that
/// closes it (nested parentheses and those inside literals are part of the argument), both
/// within `kArgumentWindow` characters from `position`. When none closes it within the window,
/// the first ")" after the "(" ends it. Empty when `position` is npos or there is no "(" or
/// no ")". Blanks and apostrophes are kept.
std::string extract_argument(std::string_view text, std::size_t position);

/// Writes one replacement statement to the current output, filled with blanks to 80 columns,
/// and counts it. Text that would reach past column 72 continues on further lines.
void write_generated_line(ConversionRun& run, std::string_view line);

/// Writes one line of an inserted attention-key or MAPFAIL block to the current output without
/// filling, and counts it; kept within column 72 like `write_generated_line`.
void write_block_line(ConversionRun& run, std::string_view line);

/// The source lines of one command, from the line that holds EXEC to the one that holds
/// END-EXEC.
struct GatheredCommand {
  std::vector<std::string> lines;  // the first line first, each as read
  bool complete = false;           // END-EXEC stood within kMaxCommandLines lines
};

/// Gathers the command that begins on `first_line`: while the latest line holds no END-EXEC
/// (a whole word in capitals, comment lines included), takes the next piece from `read_next`
/// (false at the end of the input), at most kMaxCommandLines lines in all. Incomplete when
/// the limit or the end of the input came first.
GatheredCommand gather_command(std::string first_line,
                               const std::function<bool(std::string&)>& read_next);

/// Columns 8 on of the lines that are neither comment lines ("*" in column 7) nor shorter
/// than 8 characters, joined with no separator, in the case they were written.
std::string command_source_text(const std::vector<std::string>& lines);

/// `text` with the letters a to z in capitals; every other byte, and so every position, kept.
std::string upper_case_letters(std::string text);

/// How a line is written: filled with blanks to 80 columns, or as it stands (a command's own
/// source lines).
enum class LineForm { kPadded, kAsItStands };

/// Writes a source line that a rename changed, whose last `identification_length` characters are
/// its identification area (columns 73 on before the rename), and counts what it writes. Text
/// that now reaches past column 72 continues on further lines, broken at a blank outside
/// literals; the first line keeps the identification area in columns 73 on.
void write_renamed_line(ConversionRun& run, std::string_view line,
                        std::size_t identification_length, LineForm form);

/// For a command with RESP or RESP2 whose conversion keeps its path: the values the monitor
/// would have set, "%11sMOVE KVZRESP(NORMAL) TO %s%c" with the RESP field and "%11sMOVE 0 TO
/// %s%c" with the RESP2 field, each only when the command names it.
void emit_resp_moves(ConversionRun& run, const ExecStatement& statement);

/// The command whose gathered text is `text` (columns 8 on of its lines, upper case, renames
/// applied) and whose first source line is `first_line`: the indentation before EXEC, the
/// position of every keyword, the terminator and the option characters. Counts and writes
/// nothing; `start_line` is left for the caller.
ExecStatement parse_statement(std::string_view first_line, std::string text);

/// The screen request of kind `kind` that `statement` makes: the MAP and MAPSET arguments (none
/// for a text request), INTO (RECEIVE MAP) or FROM as the data, LENGTH, the option characters,
/// FREEKB and FRSET.
MapRequest map_request(const ExecStatement& statement, RequestKind kind);

/// Names in the message file, once per run, the data area of the map `request` of `statement`
/// when it is declared in WORKING-STORAGE: there the front end can neither show nor pass its
/// data. The area is the first word of the INTO or FROM argument, or, without one, the map name
/// without its quotes followed by "I" (RECEIVE) or "O" (SEND).
void note_map_area(ConversionRun& run, const ExecStatement& statement, const MapRequest& request);

/// Converts the command that begins on `run.line`: reads its further lines, writes its source
/// lines (as comments when it is replaced) and its replacement statements, logs and counts.
void convert_exec_statement(ConversionRun& run);

}  // namespace converter
