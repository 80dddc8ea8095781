// What one conversion's message file tells quillox-all, and the run's closing counts.
#include "batch/conversion_outcome.h"

#include <algorithm>

#include "message_format/message_format.h"

namespace batch {

namespace {

using message_format::Row;

// The line a format writes, without the line ends around it.
std::string_view format_line(std::string_view format) {
  while (!format.empty() && format.front() == '\n') format.remove_prefix(1);
  while (!format.empty() && format.back() == '\n') format.remove_suffix(1);
  return format;
}

// The text a line of `format` ("... %s") holds in place of its "%s", when it is such a line.
bool filled_in(std::string_view line, std::string_view format, std::string_view& value) {
  std::string_view pattern = format_line(format);
  std::size_t slot = pattern.find("%s");
  std::string_view before = pattern.substr(0, slot);
  std::string_view after = pattern.substr(slot + 2);
  if (line.size() < before.size() + after.size() || line.substr(0, before.size()) != before ||
      line.substr(line.size() - after.size()) != after)
    return false;
  value = line.substr(before.size(), line.size() - before.size() - after.size());
  return true;
}

// The count of a summary row line ("%5d %s": blanks, digits, one blank, the row's text) for
// `row`, when `line` is that row.
bool row_count(std::string_view line, Row row, long long& count) {
  std::size_t at = line.find_first_not_of(' ');
  std::size_t digits_end = line.find_first_not_of("0123456789", at);
  if (at == std::string_view::npos || digits_end == at || digits_end == std::string_view::npos ||
      line[digits_end] != ' ' ||
      line.substr(digits_end + 1) != message_format::summary_row(row).text)
    return false;
  count = 0;
  for (char c : line.substr(at, digits_end - at)) count = count * 10 + (c - '0');
  return true;
}

std::string counted(int count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

MessageNotes read_message_notes(std::string_view text) {
  MessageNotes notes;
  notes.read = true;
  constexpr Row kMapRequestRows[] = {Row::kSendMap, Row::kSendText, Row::kReceiveMap};
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    std::string_view value;
    long long count = 0;
    if (line.find("***") != std::string_view::npos) notes.manual_steps.emplace_back(line);
    if (filled_in(line, message_format::kCopyFileError, value)) {
      notes.members_not_found.emplace_back(value);
    } else if (filled_in(line, message_format::kOutputCopyFileError, value)) {
      notes.copies_not_written.emplace_back(value);
    } else if (filled_in(line, message_format::kFrontEndCreated, value)) {
      notes.front_end_created = true;
    } else if (filled_in(line, message_format::kTemplateNotFound, value)) {
      notes.template_not_found = true;
    } else {
      for (Row row : kMapRequestRows)
        if (row_count(line, row, count)) notes.map_requests += count;
    }
  }
  return notes;
}

std::string indented(const std::string& text) {
  std::string lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines += "    " + text.substr(start, end - start) + "\n";
    start = end + 1;
  }
  return lines;
}

std::string without_members_not_found(const std::string& output) {
  static constexpr std::string_view kStart = "QUILLOX: copy member ";
  static constexpr std::string_view kEnd = " not found";
  std::string kept;
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    std::string_view line = std::string_view(output).substr(start, end - start);
    bool about_member = line.size() > kStart.size() + kEnd.size() &&
                        line.substr(0, kStart.size()) == kStart &&
                        line.substr(line.size() - kEnd.size()) == kEnd;
    if (!about_member) kept.append(output, start, std::min(end + 1, output.size()) - start);
    start = end + 1;
  }
  return kept;
}

std::string closing_line(const RunCounts& counts) {
  std::string line = counted(counts.programs, "program", "programs") + ", " +
                     std::to_string(counts.converted) + " converted, " +
                     std::to_string(counts.failed) + " failed";
  if (counts.refused_edited > 0)
    line += ", " + std::to_string(counts.refused_edited) + " refused for hand edits";
  if (counts.front_end) {
    line += "; " + counted(counts.front_ends_built, "front end", "front ends") + " built, " +
            counted(counts.back_end_programs, "back-end program", "back-end programs") +
            " without screens";
    if (counts.front_ends_not_built > 0)
      line += ", " + counted(counts.front_ends_not_built, "front end", "front ends") + " not built";
  }
  if (!counts.stale_outputs.empty()) {
    line += "; stale outputs of an earlier run: ";
    for (std::size_t i = 0; i < counts.stale_outputs.size(); ++i)
      line += (i == 0 ? "" : ", ") + counts.stale_outputs[i];
  }
  return line;
}

}  // namespace batch
