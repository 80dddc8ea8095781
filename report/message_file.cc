// Reading one QUILLOX message file: the findings that need manual attention and the summary counts.
#include "report/message_file.h"

#include <optional>
#include <vector>

namespace report {

namespace {

// Counts are read with at most this many digits, far beyond any 32-bit counter of the converter.
constexpr std::size_t kMaxCountDigits = 18;

// The rows of the summary report in their order: whether an empty line stands before the row,
// and the text after the count.
struct SummaryRow {
  bool empty_line_before;
  std::string_view text;
};

constexpr std::size_t kSummaryRowCount = 37;

constexpr SummaryRow kSummaryRows[kSummaryRowCount] = {
    {true, "Input lines read"},
    {false, "Output lines written"},
    {false, "Total copy statements found"},
    {false, "Total -INC statements found"},
    {true, "EXEC ZARN Statements"},
    {false, "Total EXEC ZARN LINK statements found"},
    {false, "Total EXEC ZARN XCTL statements found"},
    {true, "SEND MAP statements"},
    {false, "SEND TEXT statements"},
    {false, "SEND CONTROL statements"},
    {false, "SEND CONVID or SESSION statements"},
    {false, "SEND with FROM or CTLCHAR only"},
    {false, "SEND with no other parameters"},
    {false, "RECEIVE MAP statements"},
    {false, "RECEIVE BUFFER statementss"},
    {false, "CONVERSE statements"},
    {false, "RETURN statements"},
    {false, "ADDRESS statements"},
    {false, "HANDLE MAPFAIL statements"},
    {false, "HANDLE AID statements"},
    {false, "ROUTE statements"},
    {true, "MAPONLY parameters"},
    {false, "DATAONLY parameters"},
    {false, "ERASE parameters"},
    {false, "ERASEAUP parameters"},
    {false, "ALARM parameters"},
    {false, "ACCUM parameters"},
    {false, "PAGE parameters"},
    {false, "FRSET statements"},
    {false, "FREEKB statements"},
    {true, "EIBAID variables"},
    {false, "EIBTRMID variables"},
    {false, "EIBTRNID variables"},
    {false, "EIBCALEN variables"},
    {false, "EIBCPOSN variables"},
    {true, "KVZCOMMAREA references"},
    {false, "ASSIGN TERMCODE references"},
};

// Positions of the summary rows that the report reads or checks messages against.
enum Row : std::size_t {
  kRowInputLines = 0,
  kRowOutputLines = 1,
  kRowExecStatements = 4,
  kRowLink = 5,
  kRowXctl = 6,
  kRowSendMap = 7,
  kRowSendText = 8,
  kRowSendControl = 9,
  kRowSendConvid = 10,
  kRowSendCtlchar = 11,
  kRowSendBare = 12,
  kRowReceiveMap = 13,
  kRowReceiveBuffer = 14,
  kRowConverse = 15,
  kRowReturn = 16,
  kRowHandleMapfail = 18,
  kRowHandleAid = 19,
  kRowRoute = 20,
  kRowAccum = 26,
  kRowPage = 27,
  kRowEibaid = 30,
  kRowEibtrmid = 31,
  kRowEibtrnid = 32,
  kRowEibcalen = 33,
  kRowEibcposn = 34,
  kRowCommarea = 35,
  kRowAssignTermcode = 36,
  kNoRow = kSummaryRowCount,
};

// A message of fixed text: the finding it reports (if any) and the summary row that counts
// the same event once per message (if any).
struct FixedMessage {
  std::string_view text;
  std::optional<Finding> finding;
  std::size_t row;
};

const FixedMessage kFixedMessages[] = {
    {"PROGRAM-ID paragraph changed", std::nullopt, kNoRow},
    {"COPY for STDHEAD in KVZCOMMAREA inserted", std::nullopt, kNoRow},
    {"LINKAGE SECTION INSERTED", std::nullopt, kNoRow},
    {"*** EXEC ZARN not in capitals - not converted", Finding::kNotInCapitals, kNoRow},
    {"EIBTRMID changed", std::nullopt, kRowEibtrmid},
    {"EIBTRNID changed", std::nullopt, kRowEibtrnid},
    {"EIBAID changed", std::nullopt, kRowEibaid},
    {"EIBCPOSN changed", std::nullopt, kRowEibcposn},
    {"EIBCALEN changed", std::nullopt, kRowEibcalen},
    {"KVZCOMMAREA changed", std::nullopt, kRowCommarea},
    {"*** SEND PAGE found", Finding::kSendPage, kRowPage},
    {"*** SEND ACCUM found", Finding::kSendAccum, kRowAccum},
    {"ZARN SEND TEXT handled", std::nullopt, kRowSendText},
    {"*** ZARN SEND CONTROL found", Finding::kSendControl, kRowSendControl},
    {"*** XPCM SEND found - ignored", Finding::kSendConvidOrSession, kRowSendConvid},
    {"ZARN SEND FROM handled as SEND TEXT", std::nullopt, kRowSendText},
    {"Send CTLCHAR found - removed", Finding::kSendCtlcharRemoved, kRowSendCtlchar},
    {"SEND found - no recognized parameters - removed", Finding::kSendWithoutParameters,
     kRowSendBare},
    {"CONVERSE removed - program logic must be checked", Finding::kConverse, kRowConverse},
    {"MAP parameter missing", std::nullopt, kNoRow},
    {"*** EXEC ZARN RECEIVE BUFFER found", Finding::kReceiveBuffer, kRowReceiveBuffer},
    {"*** EXEC ZARN RECEIVE with no MAP parameter", Finding::kReceiveWithoutMap, kNoRow},
    {"*** ZVL ROUTE command found", Finding::kRoute, kRowRoute},
    {"ZARN ADDRESS TCTUA handled", std::nullopt, kNoRow},
    {"ZARN ADDRESS COMMAREA handled", std::nullopt, kNoRow},
    {"*** ZARN HANDLE CONDITION MAPFAIL found", std::nullopt, kRowHandleMapfail},
    {"*** ZARN HANDLE AID found", std::nullopt, kRowHandleAid},
    {"ASSIGN TERMCODE found - program logic should be checked", Finding::kAssignTermcode,
     kRowAssignTermcode},
    {"Invalid PF Key", Finding::kInvalidKey, kNoRow},
    {"Invalid PA Key", Finding::kInvalidKey, kNoRow},
    {"HANDLE AID statements inserted for EXEC ZARN RECEIVE", std::nullopt, kNoRow},
    {"HANDLE MAPFAIL statement inserted for EXEC ZARN RECEIVE", std::nullopt, kNoRow},
};

// A message with names filled in: the text before, between and after the names.
struct FilledMessage {
  std::string_view before;
  std::string_view between;
  std::string_view after;
  std::optional<Finding> finding;
  std::size_t row;
};

const FilledMessage kFilledMessages[] = {
    {"EXEC ZARN LINK to program ", "", " found", Finding::kLink, kRowLink},
    {"EXEC ZARN XCTL to program ", "", " found", Finding::kXctl, kRowXctl},
    {"ZARN SEND MAP handled for map ", " mapset ", "", std::nullopt, kRowSendMap},
    {"ZARN RECEIVE MAP for map ", "", " handled", std::nullopt, kRowReceiveMap},
    // The RETURN message lists the command's arguments and ends in one of two ways.
    {"EXEC ZARN RETURN ", "", "handled", std::nullopt, kRowReturn},
    {"EXEC ZARN RETURN ", "", "handled User COMMAREA Length was set to zero", std::nullopt,
     kRowReturn},
};

// The name of a finding kind next to the summary row that must count as many of them, for the
// message that tells the two apart.
struct CrossCheck {
  std::size_t row;
  std::string_view messages;
};

const CrossCheck kCrossChecks[] = {
    {kRowLink, "\"EXEC ZARN LINK to program ... found\""},
    {kRowXctl, "\"EXEC ZARN XCTL to program ... found\""},
    {kRowSendMap, "\"ZARN SEND MAP handled for map ...\""},
    {kRowSendText, "\"ZARN SEND TEXT handled\" and \"ZARN SEND FROM handled as SEND TEXT\""},
    {kRowSendControl, "\"*** ZARN SEND CONTROL found\""},
    {kRowSendConvid, "\"*** XPCM SEND found - ignored\""},
    {kRowSendCtlchar, "\"Send CTLCHAR found - removed\""},
    {kRowSendBare, "\"SEND found - no recognized parameters - removed\""},
    {kRowReceiveMap, "\"ZARN RECEIVE MAP for map ... handled\""},
    {kRowReceiveBuffer, "\"*** EXEC ZARN RECEIVE BUFFER found\""},
    {kRowConverse, "\"CONVERSE removed - program logic must be checked\""},
    {kRowReturn, "\"EXEC ZARN RETURN ... handled\""},
    {kRowHandleMapfail, "\"*** ZARN HANDLE CONDITION MAPFAIL found\""},
    {kRowHandleAid, "\"*** ZARN HANDLE AID found\""},
    {kRowRoute, "\"*** ZVL ROUTE command found\""},
    {kRowAccum, "\"*** SEND ACCUM found\""},
    {kRowPage, "\"*** SEND PAGE found\""},
    {kRowEibaid, "\"EIBAID changed\""},
    {kRowEibtrmid, "\"EIBTRMID changed\""},
    {kRowEibtrnid, "\"EIBTRNID changed\""},
    {kRowEibcalen, "\"EIBCALEN changed\""},
    {kRowEibcposn, "\"EIBCPOSN changed\""},
    {kRowCommarea, "\"KVZCOMMAREA changed\""},
    {kRowAssignTermcode, "\"ASSIGN TERMCODE found - program logic should be checked\""},
};

constexpr std::string_view kOpeningCopyBook = "  opening copy book ";
constexpr std::string_view kOpeningAtLine = " at line ";
constexpr std::string_view kCopyFileError = " ***error*** opening copy file ";
constexpr std::string_view kOutputCopyFileError = " ***error*** opening output copy file ";
constexpr std::string_view kNestingError = " ***error*** copy book nesting exceeds 10 levels - ";
constexpr std::string_view kNestingErrorEnd = " not opened";
constexpr std::string_view kCopyBookLinesRead = " lines read in copy book";
constexpr std::string_view kCopyBookLinesWritten = " lines written in copy book";
constexpr std::string_view kFrontEndCreated = " Creating new DSP4 front end prototype file - ";
constexpr std::string_view kFrontEndNotOpened = " Unable to open new DSP4 front end file";
constexpr std::string_view kReceiveCount =
    "Number of ZVL RECEIVE statements found in original Program - ";
constexpr std::string_view kMultipleReceives =
    "**** Warning - Multiple receives found - manual changes required";
constexpr std::string_view kSendCount =
    "Number of ZVL SEND statements found in original Program -    ";
constexpr std::string_view kUniqueSendCount =
    "Number of unique ZVL SEND statements found              -    ";

bool starts_with(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

bool ends_with(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// A count written with "%d": one or more digits and nothing else.
std::optional<std::int64_t> read_count(std::string_view digits) {
  if (digits.empty() || digits.size() > kMaxCountDigits) return std::nullopt;
  std::int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// A count written with "%5d": blanks on the left up to five columns, or more digits than five.
std::optional<std::int64_t> read_padded_count(std::string_view field) {
  if (field.size() < 5) return std::nullopt;
  std::size_t first_digit = field.find_first_not_of(' ');
  if (first_digit == std::string_view::npos) return std::nullopt;
  if (field.size() > 5 && first_digit != 0) return std::nullopt;
  return read_count(field.substr(first_digit));
}

std::string quoted(std::string_view text) {
  std::string result = "\"";
  result += text;
  result += "\"";
  return result;
}

// The file's lines, each without its line end, and a reading position.
class LineCursor {
 public:
  explicit LineCursor(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}
  bool done() const { return next_ >= lines_.size(); }
  std::string_view peek() const { return lines_[next_]; }
  std::string_view take() { return lines_[next_++]; }
  /// 1-based number of the line that `take` returns next.
  std::size_t number() const { return next_ + 1; }

 private:
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
};

std::string at_line(std::size_t number, std::string_view what) {
  return "line " + std::to_string(number) + ": " + std::string(what);
}

// Splits the text into lines. A file whose lines end in CR LF throughout is read as well.
bool split_lines(std::string_view text, std::vector<std::string_view>& lines, std::string& error) {
  if (text.empty()) {
    error = "the file is empty";
    return false;
  }
  if (text.back() != '\n') {
    error = "the last line has no line end (the file is cut short)";
    return false;
  }
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  bool crlf = !lines.front().empty() && lines.front().back() == '\r';
  if (!crlf) return true;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty() || lines[i].back() != '\r') {
      error = at_line(i + 1, "the line ends differ from those of the first line");
      return false;
    }
    lines[i].remove_suffix(1);
  }
  return true;
}

// Counts of one message file as the body is read.
struct Tally {
  std::array<std::int64_t, kSummaryRowCount> row_messages{};
  std::array<std::int64_t, kSummaryRowCount> rows{};
};

bool classify_message(std::string_view text, ProgramSummary& summary, Tally& tally) {
  for (const FixedMessage& message : kFixedMessages) {
    if (text != message.text) continue;
    if (message.finding) ++summary.count(*message.finding);
    if (message.row != kNoRow) ++tally.row_messages[message.row];
    return true;
  }
  for (const FilledMessage& message : kFilledMessages) {
    if (text.size() < message.before.size() + message.between.size() + message.after.size())
      continue;
    if (!starts_with(text, message.before) || !ends_with(text, message.after)) continue;
    std::string_view names = text.substr(
        message.before.size(), text.size() - message.before.size() - message.after.size());
    if (names.find(message.between) == std::string_view::npos) continue;
    if (message.finding) ++summary.count(*message.finding);
    if (message.row != kNoRow) ++tally.row_messages[message.row];
    return true;
  }
  return false;
}

// A numbered message line: the indentation, "line", at least four digits, " - " and a text.
bool read_message_line(std::string_view line, int depth, ProgramSummary& summary, Tally& tally,
                       std::string& what) {
  std::size_t indent = line.find_first_not_of(' ');
  if (indent == std::string_view::npos || !starts_with(line.substr(indent), "line ")) {
    what = "not a line of a QUILLOX message file: " + quoted(line);
    return false;
  }
  std::string_view rest = line.substr(indent + 5);
  std::size_t separator = rest.find(" - ");
  if (separator == std::string_view::npos || separator < 4 ||
      !read_count(rest.substr(0, separator))) {
    what = "a message line without its line number: " + quoted(line);
    return false;
  }
  if (indent != static_cast<std::size_t>(depth)) {
    what = "a message indented by " + std::to_string(indent) + " where the copy book depth is " +
           std::to_string(depth) + ": " + quoted(line);
    return false;
  }
  std::string_view text = rest.substr(separator + 3);
  if (!classify_message(text, summary, tally)) {
    what = "a message that QUILLOX does not write: " + quoted(text);
    return false;
  }
  return true;
}

// The message lines and copybook lines before the summary report.
bool read_body(LineCursor& lines, ProgramSummary& summary, Tally& tally, std::string& error) {
  int depth = 0;
  bool just_opened = false;
  while (!lines.done()) {
    std::size_t number = lines.number();
    std::string_view line = lines.peek();
    if (line.empty()) {
      if (depth != 0) {
        error = at_line(number, "the summary report starts at copy book depth " +
                                    std::to_string(depth) + " (a copy book has no count lines)");
        return false;
      }
      return true;
    }
    lines.take();
    bool opened_here = false;
    if (starts_with(line, kOpeningCopyBook)) {
      std::size_t at = line.rfind(kOpeningAtLine);
      if (at == std::string_view::npos || at <= kOpeningCopyBook.size() ||
          !read_count(line.substr(at + kOpeningAtLine.size()))) {
        error = at_line(number, "a copy book line without its line number: " + quoted(line));
        return false;
      }
      ++depth;
      opened_here = true;
    } else if (starts_with(line, kCopyFileError) || starts_with(line, kOutputCopyFileError) ||
               (starts_with(line, kNestingError) && ends_with(line, kNestingErrorEnd))) {
      if (!just_opened) {
        error = at_line(number, "a copy book error that follows no \"opening copy book\" line");
        return false;
      }
      // The member was not opened: the level counted for it is given up again.
      --depth;
      ++summary.count(Finding::kCopybookError);
    } else if (starts_with(line, "  ") && ends_with(line, kCopyBookLinesRead) &&
               read_count(line.substr(2, line.size() - 2 - kCopyBookLinesRead.size()))) {
      if (depth == 0) {
        error = at_line(number, "copy book counts while no copy book is open");
        return false;
      }
      std::string_view written = lines.done() ? std::string_view() : lines.take();
      if (!starts_with(written, "  ") || !ends_with(written, kCopyBookLinesWritten) ||
          !read_count(written.substr(2, written.size() - 2 - kCopyBookLinesWritten.size()))) {
        error = at_line(number + 1, "\"lines written in copy book\" expected after the lines read");
        return false;
      }
      --depth;
    } else {
      std::string what;
      if (!read_message_line(line, depth, summary, tally, what)) {
        error = at_line(number, what);
        return false;
      }
    }
    just_opened = opened_here;
  }
  error = "no summary report: the file ends after line " + std::to_string(lines.number() - 1) +
          " (it is cut short or not a QUILLOX message file)";
  return false;
}

bool read_summary(LineCursor& lines, Tally& tally, std::string& error) {
  for (std::size_t row = 0; row < kSummaryRowCount; ++row) {
    const SummaryRow& expected = kSummaryRows[row];
    std::string name = quoted(expected.text);
    if (expected.empty_line_before) {
      if (lines.done()) {
        error = "the summary report is cut short before row " + name;
        return false;
      }
      std::size_t number = lines.number();
      if (!lines.take().empty()) {
        error = at_line(number, "the empty line before summary row " + name + " is missing");
        return false;
      }
    }
    if (lines.done()) {
      error = "the summary report is cut short before row " + name;
      return false;
    }
    std::size_t number = lines.number();
    std::string_view line = lines.take();
    std::optional<std::int64_t> count;
    if (line.size() > expected.text.size() && ends_with(line, expected.text) &&
        line[line.size() - expected.text.size() - 1] == ' ')
      count = read_padded_count(line.substr(0, line.size() - expected.text.size() - 1));
    if (!count) {
      error = at_line(number, "summary row " + name + " expected, found " + quoted(line));
      return false;
    }
    tally.rows[row] = *count;
  }
  return true;
}

// The lines about the new front-end program after the summary report, when one was asked for.
bool read_front_end(LineCursor& lines, ProgramSummary& summary, std::string& error) {
  if (lines.done()) return true;
  std::size_t number = lines.number();
  if (!lines.take().empty() || lines.done()) {
    error = at_line(number, "unexpected text after the summary report");
    return false;
  }
  number = lines.number();
  std::string_view heading = lines.take();
  if (heading == kFrontEndNotOpened) {
    ++summary.count(Finding::kFrontEndNotBuilt);
  } else if (!starts_with(heading, kFrontEndCreated)) {
    error = at_line(number, "unexpected text after the summary report: " + quoted(heading));
    return false;
  }
  while (!lines.done()) {
    number = lines.number();
    std::string_view line = lines.take();
    if (heading == kFrontEndNotOpened) {
      error = at_line(number, "unexpected text after \"Unable to open new DSP4 front end file\"");
      return false;
    }
    if (starts_with(line, kReceiveCount) && read_count(line.substr(kReceiveCount.size()))) {
      std::int64_t receives = *read_count(line.substr(kReceiveCount.size()));
      bool warned = !lines.done() && lines.peek() == kMultipleReceives;
      if (warned != (receives > 1)) {
        error =
            at_line(number + 1, receives > 1 ? "the warning on multiple receives is missing"
                                             : "a warning on multiple receives for at most one");
        return false;
      }
      if (warned) {
        lines.take();
        ++summary.count(Finding::kMultipleReceives);
      }
    } else if (starts_with(line, kSendCount) && read_count(line.substr(kSendCount.size()))) {
      std::int64_t sends = *read_count(line.substr(kSendCount.size()));
      if (!lines.done() && starts_with(lines.peek(), kUniqueSendCount)) {
        std::optional<std::int64_t> unique =
            read_count(lines.take().substr(kUniqueSendCount.size()));
        if (!unique || *unique >= sends) {
          error = at_line(number + 1,
                          "a count of unique SEND statements that is not below their number");
          return false;
        }
      }
    } else if (line == kMultipleReceives) {
      error = at_line(number, "a warning on multiple receives without a RECEIVE count");
      return false;
    } else {
      error = at_line(number, "unexpected text in the front-end lines: " + quoted(line));
      return false;
    }
  }
  return true;
}

// The level-number shifter's message file: an empty line, its two counts and its notes on 99.
bool is_level_shifter_file(const std::vector<std::string_view>& lines) {
  constexpr std::string_view kRead = "Input lines read ";
  constexpr std::string_view kWritten = "Output lines written ";
  constexpr std::string_view kNote = "Level number 99 left unchanged at line ";
  if (lines.size() < 3 || !lines[0].empty()) return false;
  if (!starts_with(lines[1], kRead) || !read_padded_count(lines[1].substr(kRead.size())))
    return false;
  if (!starts_with(lines[2], kWritten) || !read_padded_count(lines[2].substr(kWritten.size())))
    return false;
  for (std::size_t i = 3; i < lines.size(); ++i)
    if (!starts_with(lines[i], kNote) || !read_count(lines[i].substr(kNote.size()))) return false;
  return true;
}

}  // namespace

std::string_view finding_heading(Finding kind) {
  switch (kind) {
    case Finding::kLink:
      return "LINK";
    case Finding::kXctl:
      return "XCTL";
    case Finding::kConverse:
      return "CONVERSE";
    case Finding::kRoute:
      return "ROUTE";
    case Finding::kAssignTermcode:
      return "ASSIGN TERMCODE";
    case Finding::kSendPage:
      return "SEND PAGE";
    case Finding::kSendAccum:
      return "SEND ACCUM";
    case Finding::kSendControl:
      return "SEND CONTROL";
    case Finding::kSendCtlcharRemoved:
      return "SEND CTLCHAR removed";
    case Finding::kSendWithoutParameters:
      return "SEND without parameters";
    case Finding::kSendConvidOrSession:
      return "SEND CONVID or SESSION";
    case Finding::kReceiveBuffer:
      return "RECEIVE BUFFER";
    case Finding::kReceiveWithoutMap:
      return "RECEIVE without MAP";
    case Finding::kInvalidKey:
      return "invalid PF/PA keys";
    case Finding::kNotInCapitals:
      return "EXEC ZARN not in capitals";
    case Finding::kCopybookError:
      return "copybook errors";
    case Finding::kMultipleReceives:
      return "multiple RECEIVE maps";
    case Finding::kFrontEndNotBuilt:
      return "front end not built";
  }
  return "";
}

std::int64_t ProgramSummary::total_findings() const {
  std::int64_t total = 0;
  for (std::int64_t count : findings) total += count;
  return total;
}

MessageFileKind read_message_file(std::string_view text, ProgramSummary& summary,
                                  std::string& error) {
  std::vector<std::string_view> all_lines;
  if (!split_lines(text, all_lines, error)) return MessageFileKind::kUnrecognised;
  if (is_level_shifter_file(all_lines)) return MessageFileKind::kLevelShifter;

  LineCursor lines(std::move(all_lines));
  Tally tally;
  ProgramSummary found;
  if (!read_body(lines, found, tally, error) || !read_summary(lines, tally, error) ||
      !read_front_end(lines, found, error))
    return MessageFileKind::kUnrecognised;

  // Each of these messages is written exactly once for what its summary row counts, so a file
  // where the two disagree has been changed or put together from pieces.
  for (const CrossCheck& check : kCrossChecks) {
    if (tally.row_messages[check.row] == tally.rows[check.row]) continue;
    error = "the file holds " + std::to_string(tally.row_messages[check.row]) +
            " of the messages " + std::string(check.messages) + " but its summary row " +
            quoted(kSummaryRows[check.row].text) + " counts " +
            std::to_string(tally.rows[check.row]);
    return MessageFileKind::kUnrecognised;
  }
  found.name = summary.name;
  found.lines_read = tally.rows[kRowInputLines];
  found.lines_written = tally.rows[kRowOutputLines];
  found.exec_statements = tally.rows[kRowExecStatements];
  summary = found;
  return MessageFileKind::kConversion;
}

}  // namespace report
