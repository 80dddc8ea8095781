// The record quillox-all keeps in the application folder: what became of each program in its
// last run.
#include "report/record_file.h"

#include <optional>
#include <utility>

#include "report/line_source.h"

namespace report {

namespace {

constexpr std::string_view kFirstLine = "quillox-all record 1";

const struct {
  std::string_view text;
  RecordState state;
} kStates[] = {
    {"converted", RecordState::kConverted},
    {"failed", RecordState::kFailed},
    {"refused-clash", RecordState::kRefusedClash},
    {"refused-edited", RecordState::kRefusedEdited},
    {"not-run", RecordState::kNotRun},
};

std::optional<RecordState> state_of(std::string_view text) {
  for (const auto& known : kStates)
    if (known.text == text) return known.state;
  return std::nullopt;
}

}  // namespace

std::string unescape_record_field(std::string_view field) {
  std::string text;
  text.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    char c = field[i];
    if (c == '\\' && i + 1 < field.size()) {
      char next = field[i + 1];
      char meant = next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
      if (next == 't' || next == 'n' || next == 'r' || next == '\\') {
        text += meant;
        ++i;
        continue;
      }
    }
    text += c;
  }
  return text;
}

bool read_record(std::FILE* file, std::map<std::string, RecordEntry>& programs,
                 std::string& error) {
  LineSource lines(file, kMaxRecordLineLength);
  std::string line;
  bool ended_by_newline = false;
  bool first = true;
  while (lines.next(line, ended_by_newline)) {
    if (first) {
      if (line != kFirstLine || !ended_by_newline) {
        error = "not a record of quillox-all: its first line is not \"quillox-all record 1\"";
        return false;
      }
      first = false;
      continue;
    }
    // A last line without its line end was cut short: it may name a program half.
    if (!ended_by_newline) break;
    std::string_view rest = line;
    std::size_t tab = rest.find('\t');
    if (rest.substr(0, tab) != "program" || tab == std::string_view::npos) continue;
    rest.remove_prefix(tab + 1);
    std::size_t path_end = rest.find('\t');
    if (path_end == std::string_view::npos) continue;
    std::string_view path = rest.substr(0, path_end);
    rest.remove_prefix(path_end + 1);
    std::size_t state_end = rest.find('\t');
    if (state_end == std::string_view::npos) continue;
    std::optional<RecordState> state = state_of(rest.substr(0, state_end));
    if (!state) continue;
    std::string_view reason = rest.substr(state_end + 1);
    if (reason.find('\t') != std::string_view::npos) continue;
    programs[unescape_record_field(path)] = {*state, unescape_record_field(reason)};
  }
  if (!lines.fault().empty()) {
    error = lines.fault();
    return false;
  }
  if (first) {
    error = "not a record of quillox-all: the file is empty";
    return false;
  }
  return true;
}

}  // namespace report
