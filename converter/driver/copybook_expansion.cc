// Copybook members named by COPY and -INC lines, converted into their own ".new" files.
#include "converter/driver/copybook_expansion.h"

#include <algorithm>

#include "converter/driver/conversion_run.h"
#include "converter/driver/keyword_scanner.h"
#include "message_format/message_format.h"
#include "text/file_identity.h"

namespace converter {

using message_format::Row;

using text::LineReader;
using text::OutputFile;
using text::same_file;

namespace {

bool is_any_of(const std::string& name, const std::vector<const std::string*>& files) {
  for (const std::string* file : files)
    if (same_file(name, *file)) return true;
  return false;
}

// Names of the files the run writes at this moment.
std::vector<const std::string*> files_written(const ConversionRun& run) {
  std::vector<const std::string*> files = {&run.output_file_name, &run.message_file_name};
  if (run.output_file) files.push_back(&run.output_file->name());
  for (const IncludeLevel& level : run.include_stack.levels)
    if (level.output_file) files.push_back(&level.output_file->name());
  return files;
}

// Names of every file the run has open, read or written.
std::vector<const std::string*> files_open(const ConversionRun& run) {
  std::vector<const std::string*> files = files_written(run);
  files.push_back(&run.input_file_name);
  if (run.input_file) files.push_back(&run.input_file->name());
  for (const IncludeLevel& level : run.include_stack.levels)
    if (level.input_file) files.push_back(&level.input_file->name());
  return files;
}

}  // namespace

bool is_monitor_member(std::string_view name) {
  return equal_ignoring_case(name, "KVZAID") || equal_ignoring_case(name, "KVZZVLCA") ||
         equal_ignoring_case(name, "KVZEIBLK");
}

bool reading_member(const ConversionRun& run) {
  return run.include_stack.levels[0].input_file != nullptr;
}

bool is_examined_line(std::string_view line) {
  if (line.size() <= 6) return false;
  char indicator = line[6];
  return indicator != '*' && indicator != '/' && indicator != '-';
}

CopyLine parse_copy_line(std::string_view line) {
  CopyLine copy;
  std::size_t keyword = find_keyword(line, "COPY");
  if (keyword != std::string_view::npos) {
    copy.kind = CopyLine::kCopy;
  } else {
    keyword = find_keyword(line, "-INC");
    if (keyword == std::string_view::npos) return copy;
    copy.kind = CopyLine::kInc;
  }
  std::size_t start = keyword + 5;
  if (start < line.size()) {
    std::string_view rest = line.substr(start);
    rest.remove_prefix(skip_blanks(rest));
    if (!rest.empty() && (rest[0] == '\'' || rest[0] == '"')) {
      // A name written as a literal is the text between its quotes: COPY 'ABCREC'.
      std::string_view quoted = rest.substr(1);
      copy.member.assign(quoted.substr(0, quoted.find(rest[0])));
    } else {
      copy.member.assign(rest.substr(0, rest.find_first_of(" .")));
    }
  }
  return copy;
}

std::optional<std::string> member_opened_by(std::string_view line) {
  if (!is_examined_line(line)) return std::nullopt;
  CopyLine copy = parse_copy_line(line);
  if (copy.member.empty() || is_monitor_member(copy.member)) return std::nullopt;
  return copy.member;
}

std::string member_output_name(std::string_view member) {
  return std::string(member.substr(0, member.find('.'))) + ".new";
}

std::vector<std::string> member_candidates(const std::string& name,
                                           const std::vector<std::string>& folders) {
  std::vector<std::string> candidates = {name};
  if (name.find_first_of("\\/") != std::string::npos) return candidates;
  for (const std::string& folder : folders) {
    bool separated = !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
    candidates.push_back(folder + (separated || folder.empty() ? "" : "/") + name);
  }
  return candidates;
}

bool copy_member_name(ConversionRun& run, std::string_view line) {
  CopyLine copy = parse_copy_line(line);
  if (copy.kind == CopyLine::kNone) return false;
  ++run.count(copy.kind == CopyLine::kCopy ? Row::kCopy : Row::kInc);
  if (equal_ignoring_case(copy.member, "KVZAID")) run.kvzaid_copied = true;
  run.copybook_name = std::move(copy.member);
  return true;
}

void push_include(ConversionRun& run, const std::string& name, int copy_line) {
  if (name.empty()) return;
  OutputFile& log = *run.message_file;
  // The monitor's own members are never opened, but named: whoever compiles the converted
  // program must supply them.
  if (is_monitor_member(name)) {
    log.print(message_format::kMonitorMember, {name});
    return;
  }
  log.print(message_format::kOpeningCopyBook, {name, copy_line});
  if (run.include_depth >= kMaxIncludeDepth) {
    log.print(message_format::kNestingError, {name});
    return;
  }
  // The member is read from the first place where it opens; never from a file that the run is
  // writing.
  std::unique_ptr<LineReader> input;
  for (const std::string& candidate : member_candidates(name, run.include_folders)) {
    if (!is_any_of(candidate, files_written(run))) {
      input = LineReader::open(candidate);
      if (input) break;
    } else {
      // Refused because an output of the run has its name: that output must not replace the
      // member either, when the run ends.
      note_read(run, candidate);
    }
  }
  if (!input) {
    log.print(message_format::kCopyFileError, {name});
    return;
  }
  note_read(run, *input);
  std::string output_name = member_output_name(name);
  // Nor is its output a file that the run has open: a member that copies itself is refused here.
  std::vector<const std::string*> open_files = files_open(run);
  open_files.push_back(&input->name());
  std::string reason;
  std::unique_ptr<OutputFile> output =
      is_any_of(output_name, open_files) ? nullptr : run.outputs.open(output_name, reason);
  if (!output) {
    close_input(run, input);
    log.print(message_format::kOutputCopyFileError, {output_name});
    return;
  }

  auto& levels = run.include_stack.levels;
  for (std::size_t i = levels.size() - 1; i > 0; --i) levels[i] = std::move(levels[i - 1]);
  levels[0].input_file = std::move(run.input_file);
  levels[0].output_file = std::move(run.output_file);
  levels[0].input_line_count = run.input_line_count;
  levels[0].output_line_count = run.output_line_count;
  ++run.include_depth;

  // Each member once, however often it is copied, so that the list stays as small as the
  // set of members.
  auto remember = [&run](const std::string& file) {
    std::vector<std::string>& files = run.member_files;
    if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
  };
  remember(input->name());
  remember(output_name);
  run.input_file = std::move(input);
  run.output_file = std::move(output);
  run.input_line_count = 0;
  run.output_line_count = 0;
}

void pop_include(ConversionRun& run) {
  auto& levels = run.include_stack.levels;
  run.input_file = std::move(levels[0].input_file);
  run.output_file = std::move(levels[0].output_file);
  run.input_line_count = levels[0].input_line_count;
  run.output_line_count = levels[0].output_line_count;
  for (std::size_t i = 0; i + 1 < levels.size(); ++i) levels[i] = std::move(levels[i + 1]);
  levels.back() = IncludeLevel();
  --run.include_depth;
}

void end_member(ConversionRun& run) {
  close_output(run, run.output_file);
  close_input(run, run.input_file);
  OutputFile& log = *run.message_file;
  log.print(message_format::kCopyBookLinesRead, {run.input_line_count});
  log.print(message_format::kCopyBookLinesWritten, {run.output_line_count});
  pop_include(run);
}

}  // namespace converter
