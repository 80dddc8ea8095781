// Reading one QUILLOX message file: the findings that need manual attention, the lines they stand
// on, the copybook members, and the summary counts.
#include "report/message_file.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace report {

namespace {

// Counts are read with at most this many digits, far beyond any 32-bit counter of the converter.
constexpr std::size_t kMaxCountDigits = 18;

// The converter never opens a member while ten are open around it: it names an eleventh and
// says at once that it is not opened. A file with more members open is no QUILLOX message file.
constexpr std::size_t kMaxCopyBookDepth = 10;

using message_format::kCopyBookLinesRead;
using message_format::kCopyBookLinesWritten;
using message_format::kCopyFileError;
using message_format::kFrontEndCreated;
using message_format::kFrontEndNotOpened;
using message_format::kMonitorMember;
using message_format::kMultipleReceives;
using message_format::kNestingError;
using message_format::kOpeningCopyBook;
using message_format::kOutputCopyFileError;
using message_format::kReceiveCount;
using message_format::kRowCount;
using message_format::kSendCount;
using message_format::kSummaryRows;
using message_format::kTemplateNotFound;
using message_format::kUniqueSendCount;
using message_format::Row;

// A line of the file as `format` writes it: without the line ends that the format puts before
// and after it.
constexpr std::string_view line_of(std::string_view format) {
  if (!format.empty() && format.front() == '\n') format.remove_prefix(1);
  if (!format.empty() && format.back() == '\n') format.remove_suffix(1);
  return format;
}

// Whether `text` is what `format` writes, each "%s" standing for any text and each "%d" for
// one or more digits; the text of each conversion goes to `fields` in order.
bool matches_format(std::string_view format, std::string_view text,
                    std::vector<std::string_view>& fields) {
  std::size_t percent = format.find('%');
  if (percent == std::string_view::npos) return text == format;
  if (text.substr(0, percent) != format.substr(0, percent)) return false;
  text.remove_prefix(percent);
  std::size_t conversion = format.find_first_of("sd", percent + 1);
  if (conversion == std::string_view::npos) return false;
  std::string_view rest = format.substr(conversion + 1);
  if (format[conversion] == 'd') {
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    if (digits == 0) return false;
    fields.push_back(text.substr(0, digits));
    if (matches_format(rest, text.substr(digits), fields)) return true;
    fields.pop_back();
    return false;
  }
  // A text ends where the format's next literal piece can follow it; each place is tried, so
  // that a name holding that piece itself is still read right.
  std::string_view next = rest.substr(0, rest.find('%'));
  for (std::size_t end = text.find(next); end != std::string_view::npos;
       end = text.find(next, end + 1)) {
    fields.push_back(text.substr(0, end));
    if (matches_format(rest, text.substr(end), fields)) return true;
    fields.pop_back();
    if (end == text.size()) break;
  }
  return false;
}

bool matches_format(std::string_view format, std::string_view text) {
  std::vector<std::string_view> fields;
  return matches_format(format, text, fields);
}

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

// The text a format writes before its first conversion.
std::string_view prefix_of(std::string_view format) {
  return line_of(format).substr(0, line_of(format).find('%'));
}

// The messages that summary row `row` counts, quoted, with "..." for their names; empty when
// the row counts none.
std::string messages_counted_in(Row row) {
  std::string shown;
  for (const message_format::MessageText& message : message_format::kMessages) {
    if (message.counted_in != row) continue;
    if (!shown.empty()) shown += " and ";
    std::string text(message.format);
    for (std::size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at))
      text.replace(at, 2, "...");
    shown += quoted(text);
  }
  return shown;
}

// The file's lines, each without its line end, taken one at a time: the text is never copied
// or split up front, so reading needs no memory beyond it.
class LineCursor {
 public:
  /// `text` ends in a line end; with `crlf` every line ends in CR LF.
  LineCursor(std::string_view text, bool crlf) : rest_(text), crlf_(crlf) { advance(); }
  bool done() const { return !has_next_; }
  std::string_view peek() const { return next_; }
  std::string_view take() {
    std::string_view line = next_;
    ++taken_;
    advance();
    return line;
  }
  /// 1-based number of the line that `take` returns next.
  std::size_t number() const { return taken_ + 1; }

 private:
  void advance() {
    has_next_ = !rest_.empty();
    if (!has_next_) return;
    std::size_t end = rest_.find('\n');
    next_ = rest_.substr(0, end);
    if (crlf_) next_.remove_suffix(1);
    rest_.remove_prefix(end + 1);
  }

  std::string_view rest_;
  std::string_view next_;
  bool crlf_;
  bool has_next_ = false;
  std::size_t taken_ = 0;
};

std::string at_line(std::size_t number, std::string_view what) {
  return "line " + std::to_string(number) + ": " + std::string(what);
}

// Checks that the text is whole lines with one kind of line end: LF, or CR LF throughout as the
// first line has it (`crlf`).
bool check_line_ends(std::string_view text, bool& crlf, std::string& error) {
  if (text.empty()) {
    error = "the file is empty";
    return false;
  }
  if (text.back() != '\n') {
    error = "the last line has no line end (the file is cut short)";
    return false;
  }
  std::size_t first_end = text.find('\n');
  crlf = first_end > 0 && text[first_end - 1] == '\r';
  if (!crlf) return true;
  std::size_t number = 1;
  for (std::size_t end = first_end; end != std::string_view::npos;
       end = text.find('\n', end + 1), ++number) {
    // A line holding nothing but its LF has no CR before it, whatever stands before that LF.
    bool empty = end == 0 || text[end - 1] == '\n';
    if (empty || text[end - 1] != '\r') {
      error = at_line(number, "the line ends differ from those of the first line");
      return false;
    }
  }
  return true;
}

// Counts of one message file as the body is read.
struct Tally {
  std::array<std::int64_t, kRowCount> row_messages{};
  std::array<std::int64_t, kRowCount> rows{};
};

// Lists `line` in the program's detail unless the program already lists as many as it may.
void list_line(ProgramSummary& summary, ListedLine line) {
  if (summary.listed.size() < kMaxListedPerProgram)
    summary.listed.push_back(std::move(line));
  else
    ++summary.unlisted;
}

// The members of one program as the file names them, each name once per outcome.
class MemberList {
 public:
  void add(std::string_view name, MemberOutcome outcome, ProgramSummary& summary) {
    std::pair<std::string, MemberOutcome> member(std::string(name), outcome);
    if (members_.count(member) != 0) return;
    if (members_.size() < kMaxListedPerProgram)
      members_.insert(std::move(member));
    else
      ++summary.unlisted;
  }
  void hand_over(ProgramSummary& summary) const {
    for (const auto& [name, outcome] : members_) summary.members.push_back({name, outcome});
  }

 private:
  std::set<std::pair<std::string, MemberOutcome>> members_;
};

// Where the body stands while it is read: the copybooks open around the current line, and the
// member whose "opening copy book" line came just before it.
struct BodyState {
  std::vector<std::string_view> open_members;  // innermost last
  std::optional<std::string_view> just_opened;
  std::int64_t just_opened_at = 0;  // the input line of its COPY line
  MemberList members;

  std::string current_member() const {
    return open_members.empty() ? std::string() : std::string(open_members.back());
  }
};

// Classifies the text of a message line, counts it, and lists it when it needs attention.
void classify_message(std::int64_t number, std::string_view text, const BodyState& state,
                      ProgramSummary& summary, Tally& tally) {
  ListedLine listed{ListedLine::Number::kOutputLine,
                    number,
                    state.current_member(),
                    std::string(text),
                    std::nullopt,
                    std::nullopt};
  for (const message_format::MessageText& message : message_format::kMessages) {
    if (!matches_format(message.format, text)) continue;
    if (message.counted_in) ++tally.row_messages[static_cast<std::size_t>(*message.counted_in)];
    if (message.finding) ++summary.count(*message.finding);
    if (message.finding || message_format::step_of_message(message.id) != nullptr) {
      listed.finding = message.finding;
      listed.message = message.id;
      list_line(summary, std::move(listed));
    }
    return;
  }
  // A message this report does not know, from a newer converter or written by hand: it may
  // well need attention, so it is counted and shown as it stands.
  ++summary.other_messages;
  list_line(summary, std::move(listed));
}

// A numbered message line: the indentation, "line", at least four digits, " - " and a text.
bool read_message_line(std::string_view line, const BodyState& state, ProgramSummary& summary,
                       Tally& tally, std::string& what) {
  std::size_t indent = line.find_first_not_of(' ');
  if (indent == std::string_view::npos || !starts_with(line.substr(indent), "line ")) {
    what = "not a line of a QUILLOX message file: " + quoted(line);
    return false;
  }
  std::string_view rest = line.substr(indent + 5);
  std::size_t separator = rest.find(" - ");
  std::optional<std::int64_t> number;
  if (separator != std::string_view::npos && separator >= 4)
    number = read_count(rest.substr(0, separator));
  if (!number) {
    what = "a message line without its line number: " + quoted(line);
    return false;
  }
  std::size_t depth = state.open_members.size();
  if (indent != depth) {
    what = "a message indented by " + std::to_string(indent) + " where the copy book depth is " +
           std::to_string(depth) + ": " + quoted(line);
    return false;
  }
  classify_message(*number, rest.substr(separator + 3), state, summary, tally);
  return true;
}

// The outcome of a member whose "opening copy book" line is followed by `line`, if `line` is
// one of the copybook errors.
std::optional<MemberOutcome> copybook_error(std::string_view line) {
  if (matches_format(line_of(kCopyFileError), line)) return MemberOutcome::kNotFound;
  if (matches_format(line_of(kOutputCopyFileError), line)) return MemberOutcome::kNotWritten;
  if (matches_format(line_of(kNestingError), line)) return MemberOutcome::kNotOpened;
  return std::nullopt;
}

// The message lines and copybook lines before the summary report.
bool read_body(LineCursor& lines, ProgramSummary& summary, Tally& tally, std::string& error) {
  BodyState state;
  while (!lines.done()) {
    std::size_t number = lines.number();
    std::string_view line = lines.peek();
    if (line.empty()) {
      if (!state.open_members.empty()) {
        error = at_line(number, "the summary report starts at copy book depth " +
                                    std::to_string(state.open_members.size()) +
                                    " (a copy book has no count lines)");
        return false;
      }
      state.members.hand_over(summary);
      return true;
    }
    lines.take();
    std::optional<std::string_view> opened_here;
    std::vector<std::string_view> fields;
    std::optional<MemberOutcome> failed;
    if (starts_with(line, prefix_of(kOpeningCopyBook))) {
      std::optional<std::int64_t> copy_line;
      if (matches_format(line_of(kOpeningCopyBook), line, fields))
        copy_line = read_count(fields[1]);
      if (!copy_line) {
        error = at_line(number, "a copy book line without its line number: " + quoted(line));
        return false;
      }
      state.open_members.push_back(fields[0]);
      opened_here = fields[0];
      state.just_opened_at = *copy_line;
    } else if ((failed = copybook_error(line))) {
      if (!state.just_opened) {
        error = at_line(number, "a copy book error that follows no \"opening copy book\" line");
        return false;
      }
      // The member was not opened: the level counted for it is given up again.
      state.open_members.pop_back();
      state.members.add(*state.just_opened, *failed, summary);
      ++summary.count(Finding::kCopybookError);
      std::string_view text = line.substr(line.find_first_not_of(' '));
      list_line(summary,
                {ListedLine::Number::kCopyLine, state.just_opened_at, state.current_member(),
                 std::string(text), Finding::kCopybookError, std::nullopt});
      state.just_opened.reset();
    } else if (matches_format(line_of(kMonitorMember), line, fields)) {
      // Never opened: no level, no count lines.
      state.members.add(fields[0], MemberOutcome::kMonitor, summary);
    } else if (matches_format(line_of(kCopyBookLinesRead), line)) {
      if (state.open_members.empty()) {
        error = at_line(number, "copy book counts while no copy book is open");
        return false;
      }
      std::string_view written = lines.done() ? std::string_view() : lines.take();
      if (!matches_format(line_of(kCopyBookLinesWritten), written)) {
        error = at_line(number + 1, "\"lines written in copy book\" expected after the lines read");
        return false;
      }
      state.open_members.pop_back();
    } else {
      std::string what;
      if (!read_message_line(line, state, summary, tally, what)) {
        error = at_line(number, what);
        return false;
      }
    }
    bool eleventh_named = opened_here && state.open_members.size() == kMaxCopyBookDepth + 1;
    if (state.open_members.size() > kMaxCopyBookDepth && !eleventh_named) {
      error = at_line(
          number, "copy books nested deeper than " + std::to_string(kMaxCopyBookDepth) + " levels");
      return false;
    }
    // A member is converted unless the line right after its "opening copy book" line is an error.
    if (state.just_opened)
      state.members.add(*state.just_opened, MemberOutcome::kConverted, summary);
    state.just_opened = opened_here;
  }
  error = "no summary report: the file ends after line " + std::to_string(lines.number() - 1) +
          " (it is cut short or not a QUILLOX message file)";
  return false;
}

bool read_summary(LineCursor& lines, Tally& tally, std::string& error) {
  for (const message_format::SummaryRow& expected : kSummaryRows) {
    std::string name = quoted(expected.text);
    if (expected.blank_line_before) {
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
    tally.rows[static_cast<std::size_t>(expected.id)] = *count;
  }
  return true;
}

// A front-end line listed in the detail: it has no line number and stands in no copybook.
void list_front_end_line(ProgramSummary& summary, std::string_view line, Finding kind) {
  std::string_view text = line.substr(std::min(line.find_first_not_of(' '), line.size()));
  list_line(summary,
            {ListedLine::Number::kNone, 0, std::string(), std::string(text), kind, std::nullopt});
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
  std::vector<std::string_view> created;
  bool built = matches_format(line_of(kFrontEndCreated), heading, created);
  if (built) {
    summary.front_end = std::string(created[0]);
  } else if (heading == line_of(kFrontEndNotOpened) ||
             matches_format(line_of(kTemplateNotFound), heading)) {
    ++summary.count(Finding::kFrontEndNotBuilt);
    list_front_end_line(summary, heading, Finding::kFrontEndNotBuilt);
  } else {
    error = at_line(number, "unexpected text after the summary report: " + quoted(heading));
    return false;
  }
  while (!lines.done()) {
    number = lines.number();
    std::string_view line = lines.take();
    if (!built) {
      error = at_line(number, "unexpected text after " + quoted(heading.substr(1)));
      return false;
    }
    std::vector<std::string_view> fields;
    if (matches_format(line_of(kReceiveCount), line, fields)) {
      std::optional<std::int64_t> receives = read_count(fields[0]);
      bool warned = !lines.done() && lines.peek() == line_of(kMultipleReceives);
      if (!receives || warned != (*receives > 1)) {
        error = at_line(number + 1, warned ? "a warning on multiple receives for at most one"
                                           : "the warning on multiple receives is missing");
        return false;
      }
      if (warned) {
        list_front_end_line(summary, lines.take(), Finding::kMultipleReceives);
        ++summary.count(Finding::kMultipleReceives);
      }
    } else if (matches_format(line_of(kSendCount), line, fields)) {
      std::optional<std::int64_t> sends = read_count(fields[0]);
      std::vector<std::string_view> unique_fields;
      if (!lines.done() && matches_format(line_of(kUniqueSendCount), lines.peek(), unique_fields)) {
        lines.take();
        std::optional<std::int64_t> unique = read_count(unique_fields[0]);
        if (!sends || !unique || *unique >= *sends) {
          error = at_line(number + 1,
                          "a count of unique SEND statements that is not below their number");
          return false;
        }
      }
    } else if (line == line_of(kMultipleReceives)) {
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
bool is_level_shifter_file(LineCursor lines) {
  constexpr std::string_view kRead = "Input lines read ";
  constexpr std::string_view kWritten = "Output lines written ";
  constexpr std::string_view kNote = "Level number 99 left unchanged at line ";
  if (lines.done() || !lines.take().empty() || lines.done()) return false;
  std::string_view read = lines.take();
  if (!starts_with(read, kRead) || !read_padded_count(read.substr(kRead.size()))) return false;
  if (lines.done()) return false;
  std::string_view written = lines.take();
  if (!starts_with(written, kWritten) || !read_padded_count(written.substr(kWritten.size())))
    return false;
  while (!lines.done()) {
    std::string_view note = lines.take();
    if (!starts_with(note, kNote) || !read_count(note.substr(kNote.size()))) return false;
  }
  return true;
}

}  // namespace

std::string place_of(const ListedLine& line) {
  std::string number = std::to_string(line.number);
  if (number.size() < 4) number.insert(0, 4 - number.size(), '0');
  std::string place;
  switch (line.number_kind) {
    case ListedLine::Number::kOutputLine:
      place = "line " + number;
      break;
    case ListedLine::Number::kCopyLine:
      place = "COPY line " + std::to_string(line.number);
      break;
    case ListedLine::Number::kNone:
      return "front end";
  }
  if (!line.member.empty()) place += " in " + line.member;
  return place;
}

std::int64_t ProgramSummary::total_findings() const {
  std::int64_t total = other_messages;
  for (std::int64_t count : findings) total += count;
  return total;
}

MessageFileKind read_message_file(std::string_view text, ProgramSummary& summary,
                                  std::string& error) {
  bool crlf = false;
  if (!check_line_ends(text, crlf, error)) return MessageFileKind::kUnrecognised;
  LineCursor lines(text, crlf);
  if (is_level_shifter_file(lines)) return MessageFileKind::kLevelShifter;

  Tally tally;
  ProgramSummary found;
  if (!read_body(lines, found, tally, error) || !read_summary(lines, tally, error) ||
      !read_front_end(lines, found, error))
    return MessageFileKind::kUnrecognised;

  // Each message that a summary row counts is written exactly once for what the row counts, so
  // a file where the two disagree has been changed or put together from pieces.
  for (const message_format::SummaryRow& row : kSummaryRows) {
    std::size_t at = static_cast<std::size_t>(row.id);
    std::string messages = messages_counted_in(row.id);
    if (messages.empty() || tally.row_messages[at] == tally.rows[at]) continue;
    error = "the file holds " + std::to_string(tally.row_messages[at]) + " of the messages " +
            messages + " but its summary row " + quoted(row.text) + " counts " +
            std::to_string(tally.rows[at]);
    return MessageFileKind::kUnrecognised;
  }
  found.name = std::move(summary.name);
  found.lines_read = tally.rows[static_cast<std::size_t>(Row::kInputLines)];
  found.lines_written = tally.rows[static_cast<std::size_t>(Row::kOutputLines)];
  found.exec_statements = tally.rows[static_cast<std::size_t>(Row::kExec)];
  // Each row is below 10 to the 18th, so three of them add up without overflow.
  for (Row row : message_format::kMapRequestRows)
    found.map_requests += tally.rows[static_cast<std::size_t>(row)];
  summary = std::move(found);
  return MessageFileKind::kConversion;
}

}  // namespace report
