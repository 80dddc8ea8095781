// Copybook members named by COPY and -INC lines, converted into their own ".new" files.
#include "converter/driver/copybook_expansion.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "converter/driver/conversion_run.h"
#include "converter/driver/keyword_scanner.h"
#include "message_format/message_format.h"
#include "text/file_identity.h"
#include "text/output_set.h"

namespace converter {

using message_format::Row;

using text::LineReader;
using text::OutputFile;

namespace {

// True when the existing file `identity` is an output the run writes now.
bool written_now(const ConversionRun& run, const text::FileIdentity& identity) {
  for (const OpenOutput& output : run.open_outputs)
    if (output.exists && output.identity == identity) return true;
  return false;
}

// True when `output` is a file the run has open now: an output, an input, or `member`.
bool open_now(const ConversionRun& run, const OpenOutput& output, const LineReader& member) {
  for (const OpenOutput& open : run.open_outputs)
    if (open.key == output.key ||
        (output.exists && open.exists && open.identity == output.identity))
      return true;
  if (!output.exists) return false;
  if (member.identity() == output.identity) return true;
  if (run.input_file && run.input_file->identity() == output.identity) return true;
  for (const IncludeLevel& level : run.include_stack.levels)
    if (level.input_file && level.input_file->identity() == output.identity) return true;
  return false;
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
      // Any other name ends before the first blank, or before the first period of its last
      // part: COPY ABCREC. gives ABCREC, COPY ../lib/ABC.CPY gives ../lib/ABC.
      std::string_view word = rest.substr(0, rest.find(' '));
      std::size_t separator = word.find_last_of("\\/");
      copy.member.assign(
          word.substr(0, word.find('.', separator == std::string_view::npos ? 0 : separator + 1)));
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
  std::size_t separator = member.find_last_of("\\/");
  std::string_view last =
      separator == std::string_view::npos ? member : member.substr(separator + 1);
  return std::string(last.substr(0, last.find('.'))) + ".new";
}

std::vector<std::string> member_candidates(const std::string& name,
                                           const std::string& program_folder,
                                           const std::vector<std::string>& folders) {
  if (name.find_first_of("\\/") != std::string::npos) return {name};
  std::vector<std::string> places = {""};
  if (!program_folder.empty()) places.push_back(program_folder);
  for (const std::string& folder : folders) {
    bool separated = !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
    places.push_back(folder + (separated || folder.empty() ? "" : "/"));
  }
  std::vector<std::string> candidates;
  candidates.reserve(places.size() * (1 + std::size(kMemberExtensions)));
  for (const std::string& place : places) {
    candidates.push_back(place + name);
    for (std::string_view extension : kMemberExtensions)
      candidates.push_back(place + name + std::string(extension));
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
  for (const std::string& candidate :
       member_candidates(name, run.program_folder, run.include_folders)) {
    struct stat status;
    if (::stat(candidate.c_str(), &status) != 0) continue;
    text::FileIdentity identity{status.st_dev, status.st_ino};
    if (written_now(run, identity)) {
      // Refused because an output of the run has its name: that output must not replace the
      // member either, when the run ends.
      run.files_read.insert(identity);
      continue;
    }
    input = LineReader::open(candidate);
    if (input) break;
  }
  if (!input) {
    log.print(message_format::kCopyFileError, {name});
    if (run.members_not_found.insert(name).second)
      std::fprintf(stderr, "QUILLOX: copy member %s not found\n", name.c_str());
    return;
  }
  note_read(run, *input);
  std::string output_name = member_output_name(name);
  // Nor is its output a file that the run has open: a member that copies itself is refused here.
  OpenOutput described = describe_output(output_name);
  std::unique_ptr<OutputFile> output;
  if (claim_output(run, described, output_name, input->name(), input->identity()) &&
      !open_now(run, described, *input)) {
    // An old copy the user may not replace is refused as opening it for writing would refuse
    // it, and then no output of the run is replaced.
    std::string reason = text::why_old_output_refused(output_name);
    if (reason.empty()) {
      output = run.outputs.open(output_name, reason);
    } else {
      run.refusals.push_back("cannot open " + output_name + ": " + reason);
    }
  }
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

  run.open_outputs.push_back(std::move(described));
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
  run.open_outputs.pop_back();
  pop_include(run);
}

}  // namespace converter
