// Reading one program of the application: its state from quillox-all's record, its message file,
// the dates of its files, and the monitor's commands its converted files still hold, each of
// which gets its plain-text view on the way.
#include "report/program_reading.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "report/line_source.h"
#include "report/line_view.h"

namespace report {

namespace fs = std::filesystem;

namespace {

// A file opened for reading, closed when it goes.
struct ReadFile {
  explicit ReadFile(const fs::path& path) : stream(std::fopen(path.c_str(), "rb")) {}
  ~ReadFile() {
    if (stream != nullptr) std::fclose(stream);
  }
  ReadFile(const ReadFile&) = delete;
  ReadFile& operator=(const ReadFile&) = delete;
  std::FILE* stream;
};

std::optional<timespec> modified(const fs::path& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return status.st_mtim;
}

bool later(const timespec& a, const timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

std::string folder_of(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string in_folder(const std::string& folder, const std::string& file) {
  return folder.empty() ? file : folder + "/" + file;
}

// "the link's target: No such file or directory" from errno.
std::string error_text() {
  return std::strerror(errno);
}

// The back link of a view at `file` (below the application folder) to the migration page,
// which stands two folders and the file's own folders above it.
std::string back_link(const std::string& file) {
  std::string back = "../../";
  for (char c : file)
    if (c == '/') back += "../";
  return back + "migration-report.html";
}

}  // namespace

ProgramReader::ProgramReader(fs::path folder, std::vector<fs::path> include_folders,
                             std::map<std::string, RecordEntry> record,
                             std::optional<timespec> record_time, ViewOpener open_view)
    : folder_(std::move(folder)),
      include_folders_(std::move(include_folders)),
      record_(std::move(record)),
      record_time_(record_time),
      open_view_(std::move(open_view)) {
  std::error_code ignored;
  canonical_folder_ = fs::canonical(folder_, ignored).string();
}

void ProgramReader::note_read(std::FILE* stream) {
  struct stat status;
  if (::fstat(fileno(stream), &status) == 0)
    files_read_.insert(text::FileIdentity{status.st_dev, status.st_ino});
}

void ProgramReader::read_message_file_of(ProgramReport& program, ApplicationTotals& totals,
                                         SarifWriter& sarif) {
  const std::string& name = program.files.message_file;
  FileAccess access = access_of(folder_ / name, canonical_folder_);
  if (access != FileAccess::kReadable) {
    program.reason = name + ": " + std::string(access_problem(access)) + " - not read";
    program.problems.push_back(program.reason);
    return;
  }
  ReadFile file(folder_ / name);
  if (file.stream == nullptr) {
    program.reason = name + ": cannot open the file: " + error_text();
    program.problems.push_back(program.reason);
    return;
  }
  note_read(file.stream);
  std::string error;
  ProgramSummary summary;
  summary.name = program.files.name;
  MessageFileKind kind = read_message_file(
      file.stream, summary, error, [&sarif](const ListedLine& line) { sarif.add_line(line); });
  if (kind == MessageFileKind::kLevelShifter) {
    program.level_shifter = true;
    sarif.drop_program();
    return;
  }
  if (kind == MessageFileKind::kUnrecognised) {
    program.reason = name + ": not a QUILLOX message file: " + error;
  } else if (std::string too_large; !add_program(totals, summary, too_large)) {
    program.reason =
        name + ": with its counts the total of " + too_large + " is too large to be true";
  } else {
    program.read = true;
    program.summary = std::move(summary);
    return;
  }
  sarif.drop_program();
  program.problems.push_back(program.reason);
}

bool ProgramReader::out_of_date(const ProgramReport& program, std::string& why) const {
  std::optional<timespec> converted = modified(folder_ / program.files.message_file);
  if (!converted) return false;
  if (!program.files.source.empty()) {
    std::optional<timespec> source = modified(folder_ / program.files.source);
    if (source && later(*source, *converted)) {
      why = program.files.source + " is newer than its message file";
      return true;
    }
  }
  fs::path program_folder = (folder_ / program.files.message_file).parent_path();
  for (const MemberUse& member : program.summary.members) {
    if (member.outcome != MemberOutcome::kConverted && member.outcome != MemberOutcome::kNotWritten)
      continue;
    fs::path source = member_source(program_folder, member.name, include_folders_);
    if (source.empty()) continue;
    std::optional<timespec> changed = modified(source);
    if (changed && later(*changed, *converted)) {
      why = "member " + member.name + " is newer than the message file";
      return true;
    }
  }
  return false;
}

const ProgramReader::FileRead& ProgramReader::read_file(const std::string& file) {
  auto [at, added] = files_.try_emplace(file);
  FileRead& result = at->second;
  if (!added) return result;
  FileAccess access = access_of(folder_ / file, canonical_folder_);
  if (access != FileAccess::kReadable) {
    // A converted file that is not there is no problem: the page does not link it.
    if (access != FileAccess::kMissing)
      result.problem = file + ": " + std::string(access_problem(access)) + " - not read";
    return result;
  }
  ReadFile input(folder_ / file);
  if (input.stream == nullptr) {
    result.problem = file + ": cannot open the file: " + error_text();
    return result;
  }
  note_read(input.stream);
  std::unique_ptr<text::OutputFile> view;
  if (output_failure_.empty()) {
    std::string reason;
    view = open_view_(file, reason);
    if (view == nullptr) output_failure_ = reason;
  }
  if (view != nullptr) view->write(view_head(file, back_link(file)));
  LineSource lines(input.stream, kMaxConvertedLineLength);
  CommandScanner scanner;
  std::string line;
  bool ended_by_newline = false;
  while (lines.next(line, ended_by_newline)) {
    std::int64_t number = static_cast<std::int64_t>(lines.lines_read());
    scanner.feed(line, number);
    if (view != nullptr) view->write(view_line(number, line));
  }
  if (!lines.fault().empty()) {
    result.problem = file + ": " + lines.fault() + " - read up to there";
    if (view != nullptr)
      view->write("</pre>\n<p>" + lines.fault() + ": the rest is not shown.</p>\n<pre>");
  }
  if (view != nullptr) {
    view->write(view_tail());
    if (!view->close() && output_failure_.empty())
      output_failure_ = view->name() + ": cannot write the file";
    result.viewed = output_failure_.empty();
  }
  result.commands = scanner.commands();
  add_counts(commands_in_files_, result.commands);
  return result;
}

void ProgramReader::read_converted(ProgramReport& program, const std::string& member,
                                   const std::string& file) {
  const FileRead& read = read_file(file);
  if (!read.problem.empty()) program.problems.push_back(read.problem);
  if (!read.viewed && read.commands.empty()) return;
  program.converted.push_back({member, file, read.viewed, read.commands});
  program.commands += command_count(read.commands);
}

ProgramReport ProgramReader::read(const ProgramFiles& files, ApplicationTotals& totals,
                                  SarifWriter& sarif) {
  ProgramReport program;
  program.files = files;
  std::string message_folder =
      folder_of(files.message_file.empty() ? files.source : files.message_file);
  std::string stem = files.name.substr(files.name.rfind('/') + 1);
  sarif.begin_program({files.name, message_folder, files.source, files.message_file,
                       in_folder(message_folder, stem + ".new")});

  StateFacts facts;
  facts.has_message_file = !files.message_file.empty();
  if (facts.has_message_file) read_message_file_of(program, totals, sarif);
  if (program.level_shifter) {
    facts.has_message_file = false;
    program.reason.clear();
  }
  facts.message_file_read = program.read;
  if (!files.source.empty()) {
    auto entry = record_.find(files.source);
    if (entry != record_.end()) {
      // A message file written after the record comes of a conversion since the last run.
      std::optional<timespec> converted;
      if (program.read) converted = modified(folder_ / files.message_file);
      if (!converted || !record_time_ || !later(*converted, *record_time_))
        facts.record = entry->second;
    }
  }
  std::string why_out_of_date;
  if (program.read) {
    facts.out_of_date = out_of_date(program, why_out_of_date);
    facts.findings = program.summary.total_findings();
    program.by_class = findings_by_class(program.summary);
    read_converted(program, std::string(), in_folder(message_folder, stem + ".new"));
    std::set<std::string> copies;
    for (const MemberUse& member : program.summary.members) {
      if (member.outcome != MemberOutcome::kConverted) continue;
      std::string copy = in_folder(message_folder, member_copy_name(member.name));
      if (copies.insert(copy).second) read_converted(program, member.name, copy);
    }
    if (!program.summary.front_end.empty()) {
      fs::path front_end =
          front_end_file(folder_ / files.message_file, program.summary.front_end, folder_files_);
      if (!front_end.empty()) {
        std::string path = front_end.lexically_relative(folder_).generic_string();
        FileAccess access = access_of(front_end, canonical_folder_);
        if (access == FileAccess::kReadable)
          program.front_end = path;
        else
          program.problems.push_back(path + ": " + std::string(access_problem(access)) +
                                     " - not linked");
      }
    }
  }
  program.state = state_of(facts);
  switch (program.state) {
    case ProgramState::kFailed:
    case ProgramState::kRefusedClash:
    case ProgramState::kRefusedEdited:
    case ProgramState::kNotConverted:
      if (facts.record) {
        program.reason = facts.record->reason;
        if (program.reason.empty() && facts.record->state == RecordState::kNotRun)
          program.reason = "the last run of quillox-all ended before its turn";
      } else {
        program.reason = "no message file: QUILLOX has not converted it";
      }
      break;
    case ProgramState::kMessageFileNotRead:
      break;
    case ProgramState::kOutOfDate:
      program.reason = why_out_of_date;
      break;
    case ProgramState::kConvertedWithFindings:
    case ProgramState::kConverted:
      program.reason.clear();
      break;
  }
  if (needs_conversion(program.state)) sarif.add_state(program.state, program.reason);
  return program;
}

}  // namespace report
