// quillox-report: the command line, the search for message files, and writing the two reports.
#include "report/report_command.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "report/csv_report.h"
#include "report/html_report.h"
#include "report/message_file.h"

namespace report {

namespace fs = std::filesystem;

namespace {

constexpr char kUsage[] =
    "usage: quillox-report [-o OUTPUT-FOLDER] [FOLDER]\n"
    "Reads the message files (*.msg) that QUILLOX wrote in FOLDER and the folders below it\n"
    "(default: the current folder) and writes migration-report.csv and migration-report.html\n"
    "into OUTPUT-FOLDER (default: FOLDER).\n";

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

bool read_whole_file(const fs::path& path, std::string& contents) {
  std::error_code ignored;
  if (fs::is_directory(path, ignored)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  if (in.bad()) return false;
  contents = all.str();
  return true;
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
  bool all_read = true;
  for (const fs::path& file : files) {
    std::string text;
    if (!read_whole_file(file, text)) {
      err << "quillox-report: " << file.string() << ": cannot read the file\n";
      all_read = false;
      continue;
    }
    ProgramSummary program;
    program.name = program_name(options.folder, file);
    switch (read_message_file(text, program, error)) {
      case MessageFileKind::kConversion:
        programs.push_back(program);
        break;
      case MessageFileKind::kLevelShifter:
        err << "quillox-report: " << file.string() << ": skipped, written by NESTLVL\n";
        break;
      case MessageFileKind::kUnrecognised:
        err << "quillox-report: " << file.string() << ": not a QUILLOX message file: " << error
            << "\n";
        all_read = false;
        break;
    }
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
        std::pair{kHtmlReportName, html_report(programs, shown_folder)}}) {
    if (!write_whole_file(options.output / name, contents)) {
      err << "quillox-report: " << (options.output / name).string() << ": cannot write the file\n";
      return 1;
    }
  }
  std::int64_t findings = 0;
  for (const ProgramSummary& program : programs) findings += program.total_findings();
  out << programs.size() << (programs.size() == 1 ? " program, " : " programs, ") << findings
      << (findings == 1 ? " finding" : " findings") << " for manual attention: wrote "
      << (options.output / kCsvReportName).string() << " and "
      << (options.output / kHtmlReportName).string() << "\n";
  return 0;
}

int run_report(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return run_report(arguments, std::cout, std::cerr);
}

}  // namespace report
