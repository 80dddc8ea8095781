// quillox-report: the command line, the search for message files, and writing the three reports.
#include "report/report_command.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include "report/application_totals.h"
#include "report/csv_report.h"
#include "report/html_report.h"
#include "report/message_file.h"

namespace report {

namespace fs = std::filesystem;

namespace {

constexpr char kUsage[] =
    "usage: quillox-report [-o OUTPUT-FOLDER] [FOLDER]\n"
    "Reads the message files (*.msg) that QUILLOX wrote in FOLDER and the folders below it\n"
    "(default: the current folder) and writes migration-report.csv, migration-members.csv and\n"
    "migration-report.html into OUTPUT-FOLDER (default: FOLDER).\n";

constexpr std::string_view kMessageExtension = ".msg";

struct Options {
  fs::path folder = ".";
  fs::path output;
  bool help = false;
};

bool parse_arguments(const std::vector<std::string>& arguments, Options& options,
                     std::string& error) {
  bool folder_given = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "-h" || argument == "--help") {
      options.help = true;
    } else if (argument == "-o" || argument == "--output") {
      if (i + 1 == arguments.size()) {
        error = "option " + argument + " needs a folder";
        return false;
      }
      options.output = arguments[++i];
    } else if (argument.size() > 1 && argument[0] == '-') {
      error = "unknown option " + argument;
      return false;
    } else if (folder_given) {
      error = "more than one folder given";
      return false;
    } else {
      options.folder = argument;
      folder_given = true;
    }
  }
  if (options.output.empty()) options.output = options.folder;
  return true;
}

bool ends_with(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Every entry named "*.msg" below `folder` that is not itself a folder, in name order.
bool find_message_files(const fs::path& folder, std::vector<fs::path>& found, std::string& error) {
  std::error_code failure;
  fs::path last = folder;  // the entry before a failure, to name where reading stopped
  fs::recursive_directory_iterator entry(folder, failure);
  for (; !failure && entry != fs::recursive_directory_iterator(); entry.increment(failure)) {
    last = entry->path();
    if (!ends_with(last.filename().string(), kMessageExtension)) continue;
    std::error_code ignored;
    if (entry->is_directory(ignored)) continue;
    found.push_back(last);
  }
  if (failure) {
    error = last.string() + ": cannot read the folder: " + failure.message();
    return false;
  }
  std::sort(found.begin(), found.end());
  return true;
}

// What became of reading one message file.
enum class FileRead { kRead, kNotRegular, kTooLarge, kFailed };

// Reads the file at `path` whole, if it is a regular file (links followed) of at most
// kMaxMessageFileSize bytes. Reading stops one byte past the bound, so a file that grows while
// it is read is refused too, and memory never goes beyond the bound.
FileRead read_message_bytes(const fs::path& path, std::string& contents) {
  std::error_code failure;
  fs::file_status status = fs::status(path, failure);
  if (failure || status.type() == fs::file_type::not_found) return FileRead::kFailed;
  // A FIFO would keep the report waiting for a writer, a device such as /dev/zero would feed it
  // without end: neither is a message file.
  if (!fs::is_regular_file(status)) return FileRead::kNotRegular;
  std::uintmax_t size = fs::file_size(path, failure);
  if (!failure && size > kMaxMessageFileSize) return FileRead::kTooLarge;
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileRead::kFailed;
  contents.clear();
  std::vector<char> block(64 * 1024);
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    contents.append(block.data(), static_cast<std::size_t>(in.gcount()));
    if (contents.size() > kMaxMessageFileSize) return FileRead::kTooLarge;
  }
  return in.bad() ? FileRead::kFailed : FileRead::kRead;
}

bool write_whole_file(const fs::path& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out << contents;
  out.close();
  return !out.fail();
}

// The program's name in the report: the message file's path below the folder, without ".msg".
std::string program_name(const fs::path& folder, const fs::path& file) {
  std::string name = file.lexically_relative(folder).generic_string();
  return name.substr(0, name.size() - kMessageExtension.size());
}

// A path from the page's folder to `file`, with "/" between folders, for a link of the page.
std::string path_from(const fs::path& page_folder, const fs::path& file) {
  std::error_code ignored;
  fs::path from = fs::weakly_canonical(fs::absolute(page_folder, ignored), ignored);
  fs::path to = fs::weakly_canonical(fs::absolute(file, ignored), ignored);
  return to.lexically_relative(from).generic_string();
}

// The path to `file` from the page's folder when `file` is a regular file; empty otherwise.
std::string link_to(const fs::path& page_folder, const fs::path& file) {
  std::error_code ignored;
  return fs::is_regular_file(file, ignored) ? path_from(page_folder, file) : std::string();
}

// The name under which QUILLOX writes a member's converted copy: the name up to its first
// period, then ".new".
std::string member_copy_name(const std::string& member) {
  return member.substr(0, member.find('.')) + ".new";
}

// The program name that QUILLOX makes of a file name: at most 29 characters, up to the first
// period, in capitals. The message file names the front end by it.
std::string program_name_of(std::string_view file) {
  std::string name(file.substr(0, 29));
  name.erase(std::min(name.find('.'), name.size()));
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

// The regular files of each folder, by name, read once however many programs it holds.
class FolderFiles {
 public:
  const std::vector<std::string>& of(const fs::path& folder) {
    auto [at, added] = files_.try_emplace(folder);
    if (!added) return at->second;
    std::error_code failure;
    for (fs::directory_iterator entry(folder, failure), end; !failure && entry != end;
         entry.increment(failure)) {
      std::error_code ignored;
      if (entry->is_regular_file(ignored)) at->second.push_back(entry->path().filename().string());
    }
    std::sort(at->second.begin(), at->second.end());
    return at->second;
  }

 private:
  std::map<fs::path, std::vector<std::string>> files_;
};

// The front end beside the message file that has the program name `front_end`: the first in
// name order that is none of the program's own files (its source, message file, converted copy).
fs::path front_end_file(const fs::path& message_file, const std::string& front_end,
                        FolderFiles& folders) {
  fs::path folder = message_file.parent_path();
  std::string stem = message_file.stem().string();
  for (const std::string& name : folders.of(folder)) {
    if (program_name_of(name) != front_end) continue;
    if (name == stem + ".zsc" || name == stem + std::string(kMessageExtension) ||
        name == stem + ".new")
      continue;
    return folder / name;
  }
  return fs::path();
}

// The files beside the message file that the page links to: the message file itself, the
// converted program (NAME.new beside NAME.msg), the front end it names, and the converted
// copies of its members.
void find_program_files(const fs::path& message_file, const fs::path& page_folder,
                        FolderFiles& folders, ProgramSummary& program) {
  fs::path folder = message_file.parent_path();
  program.files.message_file = path_from(page_folder, message_file);
  program.files.converted_program =
      link_to(page_folder, fs::path(message_file).replace_extension(".new"));
  if (!program.front_end.empty()) {
    fs::path front_end = front_end_file(message_file, program.front_end, folders);
    if (!front_end.empty()) program.files.front_end = path_from(page_folder, front_end);
  }
  for (const MemberUse& member : program.members) {
    if (member.outcome != MemberOutcome::kConverted) continue;
    std::string copy = link_to(page_folder, folder / member_copy_name(member.name));
    if (!copy.empty()) program.files.member_copies[member.name] = copy;
  }
}

}  // namespace

int run_report(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  Options options;
  std::string error;
  if (!parse_arguments(arguments, options, error)) {
    err << "quillox-report: " << error << "\n" << kUsage;
    return 2;
  }
  if (options.help) {
    out << kUsage;
    return 0;
  }
  std::error_code failure;
  if (!fs::is_directory(options.folder, failure)) {
    err << "quillox-report: " << options.folder.string() << ": not a folder\n";
    return 1;
  }

  std::vector<fs::path> files;
  if (!find_message_files(options.folder, files, error)) {
    err << "quillox-report: " << error << "\n";
    return 1;
  }
  std::vector<ProgramSummary> programs;
  ApplicationTotals totals;
  FolderFiles folders;
  bool all_read = true;
  for (const fs::path& file : files) {
    std::string name = "quillox-report: " + file.string() + ": ";
    std::string text;
    switch (read_message_bytes(file, text)) {
      case FileRead::kRead:
        break;
      case FileRead::kNotRegular:
        err << name << "skipped, not a regular file\n";
        continue;
      case FileRead::kTooLarge:
        err << name << "refused: larger than " << kMaxMessageFileSize / (1024 * 1024)
            << " MiB, which no QUILLOX message file is\n";
        all_read = false;
        continue;
      case FileRead::kFailed:
        err << name << "cannot read the file\n";
        all_read = false;
        continue;
    }
    ProgramSummary program;
    program.name = program_name(options.folder, file);
    switch (read_message_file(text, program, error)) {
      case MessageFileKind::kConversion:
        break;
      case MessageFileKind::kLevelShifter:
        err << name << "skipped, written by NESTLVL\n";
        continue;
      case MessageFileKind::kUnrecognised:
        err << name << "not a QUILLOX message file: " << error << "\n";
        all_read = false;
        continue;
    }
    std::string too_large;
    if (!add_program(totals, program, too_large)) {
      err << name << "refused: with its counts the total of " << too_large
          << " is too large to be true\n";
      all_read = false;
      continue;
    }
    find_program_files(file, options.output, folders, program);
    programs.push_back(std::move(program));
  }
  if (!all_read) {
    err << "quillox-report: no report written\n";
    return 1;
  }
  if (programs.empty()) {
    err << "quillox-report: no QUILLOX message file (*.msg) in " << options.folder.string() << "\n";
    return 1;
  }

  fs::create_directories(options.output, failure);
  std::string shown_folder =
      fs::weakly_canonical(fs::absolute(options.folder, failure), failure).string();
  for (const auto& [name, contents] :
       {std::pair{kCsvReportName, csv_report(programs)},
        std::pair{kMembersReportName, members_csv(programs)},
        std::pair{kHtmlReportName, html_report(programs, totals, shown_folder)}}) {
    if (!write_whole_file(options.output / name, contents)) {
      err << "quillox-report: " << (options.output / name).string() << ": cannot write the file\n";
      return 1;
    }
  }
  out << totals.programs << (totals.programs == 1 ? " program, " : " programs, ") << totals.findings
      << (totals.findings == 1 ? " finding" : " findings") << " for manual attention: wrote "
      << (options.output / kCsvReportName).string() << ", "
      << (options.output / kMembersReportName).string() << " and "
      << (options.output / kHtmlReportName).string() << "\n";
  return 0;
}

int run_report(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return run_report(arguments, std::cout, std::cerr);
}

}  // namespace report
