// quillox-report: the command line, the programs of the folder, and writing the reports.
#include "report/report_command.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <set>

#include "message_format/severity.h"
#include "report/application_scan.h"
#include "report/checklist.h"
#include "report/csv_report.h"
#include "report/html_detail.h"
#include "report/html_page.h"
#include "report/html_report.h"
#include "report/program_reading.h"
#include "report/record_file.h"
#include "report/sarif_report.h"
#include "text/output_set.h"

namespace report {

namespace fs = std::filesystem;

namespace {

using message_format::Severity;

constexpr char kUsage[] =
    "usage: quillox-report [-o OUTPUT-FOLDER] [-I DIR]... [--fail-on CLASS] [--] [FOLDER]\n"
    "Reads the programs (*.zsc) and message files (*.msg) in FOLDER and the folders below it\n"
    "(default: the current folder), the record quillox-all keeps there and the converted files,\n"
    "and writes migration-report.html, migration-report.csv, migration-members.csv,\n"
    "migration-report.sarif and migration-report-files/ into OUTPUT-FOLDER (default: FOLDER).\n"
    "  -o, --output DIR  write the reports into DIR\n"
    "  -I DIR            members are also looked for in DIR, as quillox-all was told\n"
    "  --fail-on CLASS   exit 1 when a finding of CLASS (blocks, behaviour, review) or a\n"
    "                    heavier one exists, or a program is still to be converted\n"
    "  --version         print the version\n"
    "  -h, --help        print this text\n";

#ifndef QUILLOX_VERSION
#define QUILLOX_VERSION "unknown"
#endif

struct Options {
  fs::path folder = ".";
  fs::path output;
  std::vector<fs::path> include_folders;
  std::optional<Severity> fail_on;
  bool help = false;
  bool version = false;
};

bool parse_arguments(const std::vector<std::string>& arguments, Options& options,
                     std::string& error) {
  bool folder_given = false;
  bool options_end = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    bool option = !options_end && argument.size() > 1 && argument[0] == '-';
    auto value = [&](std::string_view what) -> const std::string* {
      if (i + 1 == arguments.size()) {
        error = "option " + argument + " needs " + std::string(what);
        return nullptr;
      }
      return &arguments[++i];
    };
    if (!option) {
      if (folder_given) {
        error = "more than one folder given";
        return false;
      }
      options.folder = argument;
      folder_given = true;
    } else if (argument == "--") {
      options_end = true;
    } else if (argument == "-h" || argument == "--help") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "-o" || argument == "--output") {
      const std::string* folder = value("a folder");
      if (folder == nullptr) return false;
      options.output = *folder;
    } else if (argument == "-I") {
      const std::string* folder = value("a folder");
      if (folder == nullptr) return false;
      options.include_folders.push_back(*folder);
    } else if (argument.size() > 2 && argument.compare(0, 2, "-I") == 0) {
      options.include_folders.push_back(argument.substr(2));
    } else if (argument == "--fail-on") {
      const std::string* name = value("a class: blocks, behaviour or review");
      if (name == nullptr) return false;
      options.fail_on = message_format::severity_of_option(*name);
      if (!options.fail_on) {
        error = "unknown class " + *name + " for --fail-on: blocks, behaviour or review";
        return false;
      }
    } else {
      error = "unknown option " + argument;
      return false;
    }
  }
  if (options.output.empty()) options.output = options.folder;
  return true;
}

// The path to show for `relative` (below the folder) on standard error: as the folder was given.
std::string shown_path(const fs::path& folder, const std::string& relative) {
  return folder == "." ? relative : (folder / relative).string();
}

// The name the page shows for the folder: its own name, never the path that leads to it.
std::string folder_name(const fs::path& folder) {
  std::error_code ignored;
  fs::path canonical = fs::weakly_canonical(fs::absolute(folder, ignored), ignored);
  std::string name = canonical.filename().string();
  return name.empty() ? canonical.string() : name;
}

// The way from the output folder to the application folder, "/" ending it unless empty.
std::string path_between(const fs::path& from, const fs::path& to) {
  std::error_code ignored;
  fs::path a = fs::weakly_canonical(fs::absolute(from, ignored), ignored);
  fs::path b = fs::weakly_canonical(fs::absolute(to, ignored), ignored);
  std::string way = b.lexically_relative(a).generic_string();
  if (way.empty() || way == ".") return std::string();
  return way + "/";
}

// The programs of quillox-all's record that the search did not find as programs (a folder named
// like one, which quillox-all names as failed) but that are still there, in the order of names.
void add_recorded_programs(const fs::path& folder, const std::map<std::string, RecordEntry>& record,
                           std::vector<ProgramFiles>& found) {
  std::set<std::string> sources;
  std::set<std::string> names;
  for (const ProgramFiles& program : found) {
    if (!program.source.empty()) sources.insert(program.source);
    names.insert(program.name);
  }
  bool added = false;
  for (const auto& [path, entry] : record) {
    if (sources.count(path) != 0 || path.size() <= 4) continue;
    struct stat status;
    if (::lstat((folder / path).c_str(), &status) != 0) continue;
    std::string name = path.substr(0, path.size() - 4);
    if (names.count(name) != 0) name = path;
    found.push_back({name, path, std::string()});
    names.insert(name);
    added = true;
  }
  if (added)
    std::sort(found.begin(), found.end(),
              [](const ProgramFiles& a, const ProgramFiles& b) { return a.name < b.name; });
}

// The files of one run of the report, all written under temporary names and given their names
// together at the end, or none.
class ReportOutputs {
 public:
  explicit ReportOutputs(fs::path folder) : folder_(std::move(folder)) {}

  /// Opens `name` below the output folder; nullptr with `reason` when it may not be written:
  /// a name that is a folder, a FIFO or a device is refused, never written through.
  std::unique_ptr<text::OutputFile> open(const std::string& name, std::string& reason) {
    fs::path path = folder_ / name;
    std::string shown = path.string();
    struct stat status;
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
      reason = shown + ": not a regular file";
      return nullptr;
    }
    std::error_code failure;
    fs::create_directories(path.parent_path(), failure);
    if (failure) {
      reason = path.parent_path().string() + ": cannot make the folder: " + failure.message();
      return nullptr;
    }
    std::string why;
    std::unique_ptr<text::OutputFile> file = set_.open(shown, why);
    if (file == nullptr) {
      reason = shown + ": cannot write the file: " + why;
      return nullptr;
    }
    names_.push_back(shown);
    return file;
  }

  /// Closes `file`; false with `reason` when any write to it failed.
  static bool close(text::OutputFile& file, std::string& reason) {
    if (file.close()) return true;
    reason = file.name() + ": cannot write the file";
    return false;
  }

  /// Gives every file its name, unless one of them denotes a file the run read or may not be
  /// replaced: then none is replaced.
  bool commit(const text::FileIdentitySet& read, std::string& reason) {
    text::CommitResult result = set_.commit(read);
    switch (result.outcome) {
      case text::CommitResult::kDone:
        return true;
      case text::CommitResult::kReadByRun:
        reason = result.name + ": is a file the report reads";
        return false;
      case text::CommitResult::kNotReplaceable:
        reason = result.name + ": " + result.reason;
        return false;
      case text::CommitResult::kRenameFailed:
        reason = result.name + ": cannot give the file its name: " + result.reason;
        return false;
    }
    return false;
  }

  std::size_t count() const { return names_.size(); }

 private:
  fs::path folder_;
  text::OutputSet set_;
  std::vector<std::string> names_;
};

// One run of the report.
class ReportRun {
 public:
  ReportRun(Options options, std::ostream& out, std::ostream& err)
      : options_(std::move(options)), out_(out), err_(err), outputs_(options_.output) {}

  int run();

 private:
  bool read_record(std::map<std::string, RecordEntry>& record, std::optional<timespec>& time);
  int no_report(const std::string& reason) {
    err_ << "quillox-report: " << reason << " - no report written\n";
    return 100;
  }
  bool write_file(const std::string& name, const std::string& contents, std::string& reason) {
    std::unique_ptr<text::OutputFile> file = outputs_.open(name, reason);
    if (file == nullptr) return false;
    file->write(contents);
    return ReportOutputs::close(*file, reason);
  }
  void closing_lines(const std::vector<const ProgramReport*>& programs, std::int64_t commands);
  int gate(const std::vector<const ProgramReport*>& programs);

  Options options_;
  std::ostream& out_;
  std::ostream& err_;
  ReportOutputs outputs_;
  ApplicationTotals totals_;
  bool all_read_ = true;
};

bool ReportRun::read_record(std::map<std::string, RecordEntry>& record,
                            std::optional<timespec>& time) {
  fs::path path = options_.folder / kRecordName;
  std::string shown = shown_path(options_.folder, kRecordName);
  std::error_code ignored;
  FileAccess access = access_of(path, fs::canonical(options_.folder, ignored).string());
  if (access == FileAccess::kMissing) return true;
  std::string error;
  if (access != FileAccess::kReadable) {
    error = std::string(access_problem(access));
  } else if (std::FILE* file = std::fopen(path.c_str(), "rb"); file == nullptr) {
    error = "cannot open the file: " + std::string(std::strerror(errno));
  } else {
    struct stat status;
    if (::fstat(fileno(file), &status) == 0) time = status.st_mtim;
    bool read = report::read_record(file, record, error);
    std::fclose(file);
    if (read) return true;
    record.clear();
  }
  err_ << "quillox-report: " << shown << ": " << error
       << " - the states of quillox-all's last run are not shown\n";
  return false;
}

void ReportRun::closing_lines(const std::vector<const ProgramReport*>& programs,
                              std::int64_t commands) {
  std::array<std::int64_t, kStateCount> states{};
  std::array<std::int64_t, message_format::kSeverityCount> classes{};
  for (const ProgramReport* program : programs) {
    ++states[static_cast<std::size_t>(program->state)];
    for (std::size_t grade = 0; grade < classes.size(); ++grade)
      classes[grade] += program->by_class[grade];
  }
  out_ << programs.size() << (programs.size() == 1 ? " program:" : " programs:");
  const char* separator = " ";
  for (const StateText& state : kStates) {
    std::int64_t count = states[static_cast<std::size_t>(state.id)];
    if (count == 0) continue;
    out_ << separator << count << " " << state.name;
    separator = ", ";
  }
  out_ << "; " << totals_.findings << (totals_.findings == 1 ? " finding" : " findings")
       << " for manual attention (";
  for (std::size_t grade = 0; grade < classes.size(); ++grade)
    out_ << (grade == 0 ? "" : ", ")
         << message_format::severity_text(static_cast<Severity>(grade)).name << " "
         << classes[grade];
  out_ << "), " << commands
       << (commands == 1 ? " active monitor command" : " active monitor commands") << "\n";
  fs::path folder = options_.output;
  out_ << "wrote " << (folder / kHtmlReportName).string() << ", "
       << (folder / kCsvReportName).string() << ", " << (folder / kMembersReportName).string()
       << ", " << (folder / kSarifReportName).string() << " and " << (outputs_.count() - 4)
       << (outputs_.count() - 4 == 1 ? " page in " : " pages in ")
       << (folder / kReportFilesFolder).string() << "\n";
}

int ReportRun::gate(const std::vector<const ProgramReport*>& programs) {
  if (!options_.fail_on) return 0;
  std::size_t heaviest = static_cast<std::size_t>(*options_.fail_on);
  std::int64_t findings = 0;
  std::int64_t to_convert = 0;
  for (const ProgramReport* program : programs) {
    for (std::size_t grade = 0; grade <= heaviest; ++grade) findings += program->by_class[grade];
    if (needs_conversion(program->state)) ++to_convert;
  }
  if (findings == 0 && to_convert == 0) return 0;
  const message_format::SeverityText& text = message_format::severity_text(*options_.fail_on);
  err_ << "quillox-report: --fail-on " << text.option << ": " << findings
       << (findings == 1 ? " finding" : " findings") << " of class " << text.name
       << (heaviest == 0 ? "" : " or heavier") << ", " << to_convert
       << (to_convert == 1 ? " program" : " programs") << " to convert\n";
  return 1;
}

int ReportRun::run() {
  std::error_code failure;
  if (!fs::is_directory(options_.folder, failure)) {
    err_ << "quillox-report: " << options_.folder.string() << ": not a folder\n";
    return 1;
  }
  std::map<std::string, RecordEntry> record;
  std::optional<timespec> record_time;
  if (!read_record(record, record_time)) all_read_ = false;

  std::vector<ProgramFiles> found;
  std::string error;
  if (!find_programs(options_.folder, options_.output / kReportFilesFolder, found, error))
    return no_report(error);
  add_recorded_programs(options_.folder, record, found);
  if (found.empty()) {
    err_ << "quillox-report: no program (*.zsc) and no QUILLOX message file (*.msg) in "
         << options_.folder.string() << "\n";
    return 1;
  }
  bool details_inline = found.size() <= kInlineDetailsLimit;
  std::vector<std::string> names;
  for (const ProgramFiles& program : found) names.push_back(program.name);
  ProgramIndex index = index_programs(names);

  std::string reason;
  std::unique_ptr<text::OutputFile> sarif_file = outputs_.open(kSarifReportName, reason);
  if (sarif_file == nullptr) return no_report(reason);
  SarifWriter sarif(*sarif_file, QUILLOX_VERSION);
  ProgramReader reader(options_.folder, options_.include_folders, std::move(record), record_time,
                       [this](const std::string& file, std::string& why) {
                         return outputs_.open(view_path(file), why);
                       });

  PageLinks page_links;
  page_links.to_application = path_between(options_.output, options_.folder);
  page_links.details_inline = details_inline;
  page_links.programs = &index;
  std::string shown_folder = folder_name(options_.folder);

  std::vector<ProgramReport> programs;
  programs.reserve(found.size());
  std::vector<std::int64_t> steps;
  for (const ProgramFiles& files : found) {
    ProgramReport program = reader.read(files, totals_, sarif);
    if (!reader.output_failure().empty()) return no_report(reader.output_failure());
    if (program.level_shifter && files.source.empty()) {
      err_ << "quillox-report: " << shown_path(options_.folder, files.message_file)
           << ": skipped, written by NESTLVL\n";
      continue;
    }
    for (const std::string& problem : program.problems) {
      err_ << "quillox-report: " << shown_path(options_.folder, problem) << "\n";
      all_read_ = false;
    }
    if (!details_inline) {
      // The page of each program is written now, so that its lines need not be kept.
      PageLinks links = page_links;
      links.on_summary = false;
      links.to_output = "../../";
      for (char c : files.name)
        if (c == '/') links.to_output += "../";
      links.to_application = links.to_output + page_links.to_application;
      if (!write_file(program_page_path(files.name), program_page(program, links, shown_folder),
                      reason))
        return no_report(reason);
      std::int64_t step_count = static_cast<std::int64_t>(manual_steps(program.summary).size());
      program.summary.listed.clear();
      program.summary.listed.shrink_to_fit();
      steps.push_back(step_count);
    }
    programs.push_back(std::move(program));
  }
  sarif.finish();
  if (sarif.failed())
    return no_report(std::string(kSarifReportName) + ": cannot take back results");
  if (!ReportOutputs::close(*sarif_file, reason)) return no_report(reason);

  std::vector<std::size_t> order(programs.size());
  for (std::size_t at = 0; at < order.size(); ++at) order[at] = at;
  std::stable_sort(order.begin(), order.end(), [&programs](std::size_t a, std::size_t b) {
    return comes_before(programs[a].order_key(), programs[b].order_key());
  });
  ApplicationPage page;
  page.folder = shown_folder;
  page.totals = &totals_;
  page.commands = &reader.commands_in_files();
  page.index = &index;
  for (std::size_t at : order) {
    const ProgramReport& program = programs[at];
    page.programs.push_back(&program);
    if (details_inline) {
      page.steps.push_back(static_cast<std::int64_t>(manual_steps(program.summary).size()));
      page.details.push_back(program_detail(program, page_links));
    } else {
      page.steps.push_back(steps[at]);
    }
  }
  std::vector<const ProgramReport*> by_name;
  for (const ProgramReport& program : programs) by_name.push_back(&program);
  if (!write_file(kHtmlReportName, html_report(page), reason) ||
      !write_file(kCsvReportName, csv_report(by_name), reason) ||
      !write_file(kMembersReportName, members_csv(by_name), reason))
    return no_report(reason);
  if (!outputs_.commit(reader.files_read(), reason)) return no_report(reason);

  closing_lines(page.programs, command_count(reader.commands_in_files()));
  int code = gate(page.programs);
  if (!all_read_) code = 1;
  return code;
}

}  // namespace

int run_report(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  Options options;
  std::string error;
  int code = 0;
  if (!parse_arguments(arguments, options, error)) {
    err << "quillox-report: " << error << "\n" << kUsage;
    code = 2;
  } else if (options.help) {
    out << kUsage;
  } else if (options.version) {
    out << "quillox-report " << QUILLOX_VERSION << "\n";
  } else {
    ReportRun run(std::move(options), out, err);
    code = run.run();
  }
  out.flush();
  if (!out) {
    err << "quillox-report: cannot write standard output\n";
    return 100;
  }
  return code;
}

int run_report(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return run_report(arguments, std::cout, std::cerr);
}

}  // namespace report
