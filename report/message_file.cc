// Reading one QUILLOX message file: the findings that need manual attention, the lines they stand
// on, the copybook members, and the summary counts.
#include "report/message_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "report/line_source.h"

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

// The file's lines, each without its line end, read a block at a time and taken one at a time
// with up to two lines looked at ahead, so that memory never grows with the file. A fault of the
// file itself (a read error, a line too long, line ends that change, a last line without its
// line end) ends nothing at once: it is remembered and wins over what the layout says, as the
// file is no message file whatever its lines hold.
class MessageLines {
 public:
  explicit MessageLines(std::FILE* file) : source_(file, kMaxMessageLineLength) {}
  bool done() {
    fill(1);
    return ahead_.empty();
  }
  /// True when `count` more lines are there to be taken.
  bool has(std::size_t count) {
    fill(count);
    return ahead_.size() >= count;
  }
  /// The line `at` lines after the next one; the caller has made sure it is there.
  const std::string& peek(std::size_t at = 0) {
    fill(at + 1);
    return ahead_[at];
  }
  std::string take() {
    fill(1);
    std::string line = std::move(ahead_.front());
    ahead_.pop_front();
    ++taken_;
    return line;
  }
  /// 1-based number of the line that `take` returns next.
  std::size_t number() const { return taken_ + 1; }
  /// Reads the rest of the file, so that a fault of the file further on is found too.
  void drain() {
    while (!ended_) {
      ahead_.clear();
      read_line();
    }
  }
  /// The fault of the file found so far, the weightiest first; empty when there is none.
  std::string fault() const {
    if (!source_.fault().empty()) {
      if (starts_with(source_.fault(), "line "))
        return source_.fault() + ", which no line of a QUILLOX message file is";
      return source_.fault();
    }
    if (ended_ && source_.lines_read() == 0) return "the file is empty";
    if (cut_short_) return "the last line has no line end (the file is cut short)";
    return line_ends_;
  }

 private:
  void fill(std::size_t count) {
    while (ahead_.size() < count && !ended_) read_line();
  }

  // Reads the next line into `ahead_`, or marks the end.
  void read_line() {
    std::string line;
    bool ended_by_newline = false;
    if (!source_.next(line, ended_by_newline)) {
      ended_ = true;
      return;
    }
    if (!ended_by_newline) cut_short_ = true;
    std::size_t number = source_.lines_read();
    if (number == 1) crlf_ = ended_by_newline && !line.empty() && line.back() == '\r';
    if (crlf_ && ended_by_newline) {
      if (line.empty() || line.back() != '\r') {
        if (line_ends_.empty())
          line_ends_ = "line " + std::to_string(number) +
                       ": the line ends differ from those of the first line";
      } else {
        line.pop_back();
      }
    }
    ahead_.push_back(std::move(line));
  }

  LineSource source_;
  std::deque<std::string> ahead_;
  std::size_t taken_ = 0;
  bool ended_ = false;
  bool crlf_ = false;
  bool cut_short_ = false;
  std::string line_ends_;
};

std::string at_line(std::size_t number, std::string_view what) {
  return "line " + std::to_string(number) + ": " + std::string(what);
}

// Counts of one message file as the body is read.
struct Tally {
  std::array<std::int64_t, kRowCount> row_messages{};
  std::array<std::int64_t, kRowCount> rows{};
};

// What is filled in while one file is read.
struct Reading {
  ProgramSummary& summary;
  Tally tally;
  const ListedLineSink& sink;
};

// Hands `line` to the sink, and lists it in the program's detail unless the program already
// lists as many as it may.
void list_line(Reading& reading, ListedLine line) {
  if (reading.sink) reading.sink(line);
  if (reading.summary.listed.size() < kMaxListedPerProgram)
    reading.summary.listed.push_back(std::move(line));
  else
    ++reading.summary.unlisted;
}

// Notes a LINK or XCTL target once per kind.
void add_transfer(ProgramSummary& summary, Finding kind, std::string_view target) {
  for (const Transfer& transfer : summary.transfers)
    if (transfer.kind == kind && transfer.target == target) return;
  if (summary.transfers.size() < kMaxListedPerProgram)
    summary.transfers.push_back({kind, std::string(target)});
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
  std::vector<std::string> open_members;  // innermost last
  std::optional<std::string> just_opened;
  std::int64_t just_opened_at = 0;  // the input line of its COPY line
  MemberList members;

  std::string current_member() const {
    return open_members.empty() ? std::string() : open_members.back();
  }
};

// Classifies the text of a message line, counts it, and lists it when it needs attention.
void classify_message(std::int64_t number, std::string_view text, const BodyState& state,
                      Reading& reading) {
  ProgramSummary& summary = reading.summary;
  ListedLine listed{ListedLine::Number::kOutputLine,
                    number,
                    state.current_member(),
                    std::string(text),
                    std::nullopt,
                    std::nullopt};
  std::vector<std::string_view> fields;
  for (const message_format::MessageText& message : message_format::kMessages) {
    fields.clear();
    if (!matches_format(message.format, text, fields)) continue;
    if (message.counted_in)
      ++reading.tally.row_messages[static_cast<std::size_t>(*message.counted_in)];
    if (message.finding) ++summary.count(*message.finding);
    if ((message.id == Message::kLink || message.id == Message::kXctl) && !fields.empty())
      add_transfer(summary, *message.finding, fields[0]);
    if (message.finding || message_format::step_of_message(message.id) != nullptr) {
      listed.finding = message.finding;
      listed.message = message.id;
      list_line(reading, std::move(listed));
    }
    return;
  }
  // A message this report does not know, from a newer converter or written by hand: it may
  // well need attention, so it is counted and shown as it stands.
  ++summary.other_messages;
  list_line(reading, std::move(listed));
}

// A numbered message line: the indentation, "line", at least four digits, " - " and a text.
bool read_message_line(std::string_view line, const BodyState& state, Reading& reading,
                       std::string& what) {
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
  classify_message(*number, rest.substr(separator + 3), state, reading);
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
bool read_body(MessageLines& lines, Reading& reading, std::string& error) {
  ProgramSummary& summary = reading.summary;
  BodyState state;
  while (!lines.done()) {
    std::size_t number = lines.number();
    if (lines.peek().empty()) {
      if (!state.open_members.empty()) {
        error = at_line(number, "the summary report starts at copy book depth " +
                                    std::to_string(state.open_members.size()) +
                                    " (a copy book has no count lines)");
        return false;
      }
      state.members.hand_over(summary);
      return true;
    }
    std::string line = lines.take();
    std::optional<std::string> opened_here;
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
      state.open_members.emplace_back(fields[0]);
      opened_here = std::string(fields[0]);
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
      std::string_view text = std::string_view(line).substr(line.find_first_not_of(' '));
      list_line(reading,
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
      std::string written = lines.done() ? std::string() : lines.take();
      if (!matches_format(line_of(kCopyBookLinesWritten), written)) {
        error = at_line(number + 1, "\"lines written in copy book\" expected after the lines read");
        return false;
      }
      state.open_members.pop_back();
    } else {
      std::string what;
      if (!read_message_line(line, state, reading, what)) {
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
    state.just_opened = std::move(opened_here);
  }
  error = "no summary report: the file ends after line " + std::to_string(lines.number() - 1) +
          " (it is cut short or not a QUILLOX message file)";
  return false;
}

bool read_summary(MessageLines& lines, Tally& tally, std::string& error) {
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
    std::string line = lines.take();
    std::optional<std::int64_t> count;
    std::string_view view = line;
    if (view.size() > expected.text.size() && ends_with(view, expected.text) &&
        view[view.size() - expected.text.size() - 1] == ' ')
      count = read_padded_count(view.substr(0, view.size() - expected.text.size() - 1));
    if (!count) {
      error = at_line(number, "summary row " + name + " expected, found " + quoted(line));
      return false;
    }
    tally.rows[static_cast<std::size_t>(expected.id)] = *count;
  }
  return true;
}

// A front-end line listed in the detail: it has no line number and stands in no copybook.
void list_front_end_line(Reading& reading, std::string_view line, Finding kind) {
  std::string_view text = line.substr(std::min(line.find_first_not_of(' '), line.size()));
  list_line(reading,
            {ListedLine::Number::kNone, 0, std::string(), std::string(text), kind, std::nullopt});
}

// The lines about the new front-end program after the summary report, when one was asked for.
bool read_front_end(MessageLines& lines, Reading& reading, std::string& error) {
  ProgramSummary& summary = reading.summary;
  if (lines.done()) return true;
  std::size_t number = lines.number();
  if (!lines.take().empty() || lines.done()) {
    error = at_line(number, "unexpected text after the summary report");
    return false;
  }
  number = lines.number();
  std::string heading = lines.take();
  std::vector<std::string_view> created;
  bool built = matches_format(line_of(kFrontEndCreated), heading, created);
  if (built) {
    summary.front_end = std::string(created[0]);
  } else if (heading == line_of(kFrontEndNotOpened) ||
             matches_format(line_of(kTemplateNotFound), heading)) {
    ++summary.count(Finding::kFrontEndNotBuilt);
    list_front_end_line(reading, heading, Finding::kFrontEndNotBuilt);
  } else {
    error = at_line(number, "unexpected text after the summary report: " + quoted(heading));
    return false;
  }
  while (!lines.done()) {
    number = lines.number();
    std::string line = lines.take();
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
        list_front_end_line(reading, lines.take(), Finding::kMultipleReceives);
        ++summary.count(Finding::kMultipleReceives);
      }
    } else if (matches_format(line_of(kSendCount), line, fields)) {
      std::optional<std::int64_t> sends = read_count(fields[0]);
      std::vector<std::string_view> unique_fields;
      if (!lines.done() && matches_format(line_of(kUniqueSendCount), lines.peek(), unique_fields)) {
        std::optional<std::int64_t> unique = read_count(unique_fields[0]);
        lines.take();
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

constexpr std::string_view kShifterRead = "Input lines read ";

// The level-number shifter's message file: an empty line, its two counts and its notes on 99.
// Told apart by its first two lines, which QUILLOX never writes so.
bool looks_like_level_shifter_file(MessageLines& lines) {
  return lines.has(2) && lines.peek().empty() && starts_with(lines.peek(1), kShifterRead);
}

bool read_level_shifter_file(MessageLines& lines) {
  constexpr std::string_view kWritten = "Output lines written ";
  constexpr std::string_view kNote = "Level number 99 left unchanged at line ";
  lines.take();
  std::string read = lines.take();
  if (!read_padded_count(std::string_view(read).substr(kShifterRead.size()))) return false;
  if (lines.done()) return false;
  std::string written = lines.take();
  if (!starts_with(written, kWritten) ||
      !read_padded_count(std::string_view(written).substr(kWritten.size())))
    return false;
  while (!lines.done()) {
    std::string note = lines.take();
    if (!starts_with(note, kNote) || !read_count(std::string_view(note).substr(kNote.size())))
      return false;
  }
  return true;
}

// Reads the whole file by its layout; the fault of the file itself is looked at afterwards.
MessageFileKind read_layout(MessageLines& lines, ProgramSummary& summary, std::string& error,
                            const ListedLineSink& sink) {
  if (looks_like_level_shifter_file(lines)) {
    if (read_level_shifter_file(lines)) return MessageFileKind::kLevelShifter;
    error = "neither a QUILLOX nor a NESTLVL message file";
    return MessageFileKind::kUnrecognised;
  }
  ProgramSummary found;
  Reading reading{found, Tally(), sink};
  if (!read_body(lines, reading, error) || !read_summary(lines, reading.tally, error) ||
      !read_front_end(lines, reading, error))
    return MessageFileKind::kUnrecognised;

  // Each message that a summary row counts is written exactly once for what the row counts, so
  // a file where the two disagree has been changed or put together from pieces.
  const Tally& tally = reading.tally;
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

MessageFileKind read_message_file(std::FILE* file, ProgramSummary& summary, std::string& error,
                                  const ListedLineSink& sink) {
  MessageLines lines(file);
  std::string layout_error;
  MessageFileKind kind = read_layout(lines, summary, layout_error, sink);
  lines.drain();
  std::string fault = lines.fault();
  if (!fault.empty()) {
    error = std::move(fault);
    return MessageFileKind::kUnrecognised;
  }
  if (kind == MessageFileKind::kUnrecognised) error = std::move(layout_error);
  return kind;
}

MessageFileKind read_message_file(std::string_view text, ProgramSummary& summary,
                                  std::string& error) {
  // An empty text is opened as a file of one byte that is never read.
  std::FILE* file = fmemopen(const_cast<char*>(text.empty() ? "" : text.data()),
                             text.empty() ? 1 : text.size(), "r");
  if (file == nullptr) {
    error = std::string("cannot read the text: ") + std::strerror(errno);
    return MessageFileKind::kUnrecognised;
  }
  if (text.empty()) std::fseek(file, 0, SEEK_END);
  MessageFileKind kind = read_message_file(file, summary, error);
  std::fclose(file);
  return kind;
}

}  // namespace report
