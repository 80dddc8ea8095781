// Start of a QUILLOX run: the command line, the file names, the usage text and exit codes.
#include "converter/driver/command_line.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "converter/driver/conversion_run.h"
#include "converter/driver/line_loop.h"
#include "converter/frontend/frontend_generator.h"
#include "text/file_identity.h"
#include "text/output_set.h"

namespace converter {

using text::is_directory;
using text::LineReader;
using text::OutputFile;
using text::same_file;

namespace {

// The reason of the first write to standard output that failed, or 0: such a run ends with exit
// 100, since its user would miss what it printed.
int standard_output_error = 0;

void print_text(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && standard_output_error == 0)
    standard_output_error = errno != 0 ? errno : EIO;
}

void flush_standard_output() {
  if (std::fflush(stdout) != 0 && standard_output_error == 0)
    standard_output_error = errno != 0 ? errno : EIO;
}

// False, after saying why on standard error, when anything written to standard output was lost.
bool standard_output_intact() {
  flush_standard_output();
  if (standard_output_error == 0 && std::ferror(stdout) != 0) standard_output_error = EIO;
  if (standard_output_error == 0) return true;
  std::fprintf(stderr, "QUILLOX: error writing standard output: %s\n",
               std::strerror(standard_output_error));
  std::fflush(stderr);
  return false;
}

bool exists(const std::string& name) {
  struct stat status;
  return ::stat(name.c_str(), &status) == 0;
}

// True when a second or third argument must be ignored: it is the first argument as typed, or
// it names a file that the run reads or writes.
bool names_own_file(const std::string& argument, const std::string& first,
                    std::initializer_list<const std::string*> files) {
  if (argument == first) return true;
  for (const std::string* file : files)
    if (same_file(argument, *file)) return true;
  return false;
}

// Reads the options in front of the file names into `run`. Returns the position of the first
// file name, or the outcome that ends the start-up in `ended`.
std::size_t read_options(ConversionRun& run, const std::vector<std::string>& arguments,
                         std::optional<StartUp>& ended) {
  std::size_t at = 0;
  while (at < arguments.size()) {
    const std::string& argument = arguments[at];
    if (argument == "--") return at + 1;
    // "-?" (and "/?" and "?") ask for the usage in the place of the file name.
    if (argument.empty() || argument[0] != '-' || (argument.size() > 1 && argument[1] == '?'))
      return at;
    if (argument == "--help") {
      print_help();
      ended = StartUp::kDone;
      return at;
    }
    if (argument == "--version") {
      print_text("QUILLOX " QUILLOX_VERSION "\n");
      flush_standard_output();
      ended = StartUp::kDone;
      return at;
    }
    if (argument == "-T" || argument.compare(0, 10, "--template") == 0 ||
        argument.compare(0, 2, "-T") == 0) {
      std::string value;
      bool given = true;
      if (argument == "-T" || argument == "--template") {
        given = at + 1 < arguments.size();
        if (given) value = arguments[++at];
      } else if (argument.compare(0, 11, "--template=") == 0) {
        value = argument.substr(11);
      } else if (argument.compare(0, 10, "--template") != 0) {
        value = argument.substr(2);
      } else {
        std::fprintf(stderr, "QUILLOX: unknown option %s\n", argument.c_str());
        print_usage();
        ended = StartUp::kUsage;
        return at;
      }
      if (!given || value.empty()) {
        std::fprintf(stderr, "QUILLOX: option %s needs a file\n", argument.c_str());
        print_usage();
        ended = StartUp::kUsage;
        return at;
      }
      run.template_file_name = value;
      ++at;
      continue;
    }
    if (argument.compare(0, 2, "-I") == 0) {
      if (argument.size() > 2) {
        run.include_folders.push_back(argument.substr(2));
      } else if (at + 1 < arguments.size()) {
        run.include_folders.push_back(arguments[++at]);
      } else {
        std::fprintf(stderr, "QUILLOX: option -I needs a folder\n");
        print_usage();
        ended = StartUp::kUsage;
        return at;
      }
      ++at;
      continue;
    }
    std::fprintf(stderr, "QUILLOX: unknown option %s\n", argument.c_str());
    print_usage();
    ended = StartUp::kUsage;
    return at;
  }
  return at;
}

// Says why a main file cannot be opened, and ends the start-up. Outputs opened before it are
// given up: nothing is left behind.
StartUp cannot_open(const std::string& name, const std::string& reason) {
  std::fprintf(stderr, "QUILLOX: cannot open %s: %s\n", name.c_str(), reason.c_str());
  std::fflush(stderr);
  return StartUp::kFileError;
}

}  // namespace

void print_usage() {
  print_text("\n   TANVERO V1.2\n");
  print_text("\n   Command usage is:\n\n");
  print_text("     QUILLOX cobol-file-name <new-file-name> <new-front-end-name>\n\n");
  print_text("The cobol file name is assumed to have a file ");
  print_text("extension of ZSC.\n");
  print_text("If not new file name is given, the converted program wil have\n");
  print_text("a file extension of NEW.\n");
  print_text("If the new front end name parameter is specified, then a\n");
  print_text("new skeleton DSP4 front end program will be built.");
  flush_standard_output();
}

void print_help() {
  print_usage();
  print_text("\n\nOptions, before the file names:\n");
  print_text("  -I DIR     look for copybook members not found in the working folder or beside\n");
  print_text(
      "             the program in DIR (any number of times, searched in the order given)\n");
  print_text("  -T FILE, --template FILE\n");
  print_text("             build the front end from FILE instead of NEWDSP4.TXT\n");
  print_text("  --         end of the options\n");
  print_text("  --help     this text\n");
  print_text("  --version  the version of QUILLOX\n");
  flush_standard_output();
}

std::string base_name(std::string_view argument) {
  std::size_t separator = argument.find_last_of("\\/");
  std::size_t last_part = separator == std::string_view::npos ? 0 : separator + 1;
  return std::string(argument.substr(0, argument.find('.', last_part)));
}

std::string name_from_path(std::string_view path) {
  std::size_t separator = path.find_last_of("\\/");
  std::string_view file = separator == std::string_view::npos ? path : path.substr(separator + 1);
  std::string name(file.substr(0, kProgramNameLength));
  std::size_t period = name.find('.');
  if (period != std::string::npos) name.erase(period);
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

StartUp start_run(ConversionRun& run, const std::vector<std::string>& all_arguments) {
  std::optional<StartUp> ended;
  std::size_t first_name = read_options(run, all_arguments, ended);
  if (ended) return *ended;
  const std::vector<std::string> arguments(all_arguments.begin() + first_name, all_arguments.end());
  if (arguments.empty()) {
    print_usage();
    return StartUp::kUsage;
  }
  const std::string& first = arguments[0];
  if ((first.size() > 0 && first[0] == '?') || (first.size() > 1 && first[1] == '?')) {
    print_usage();
    return StartUp::kUsage;
  }
  run.first_argument = first;
  // The base name is the argument cut at the first period of its last part: ../src/PAYROLL
  // reads ../src/PAYROLL.zsc; members are also looked for in ../src/.
  std::string base = base_name(first);
  std::size_t separator = base.find_last_of("\\/");
  if (separator != std::string::npos) run.program_folder = base.substr(0, separator + 1);
  run.input_file_name = base + ".zsc";
  if (!exists(run.input_file_name) && exists(base + ".ZSC")) run.input_file_name = base + ".ZSC";
  run.message_file_name = base + ".msg";

  if (arguments.size() > 1) {
    const std::string& second = arguments[1];
    if (names_own_file(second, first, {&run.input_file_name, &run.message_file_name})) {
      print_text("Old and new names are the same - ignoring new name");
    } else {
      run.output_file_name = second;
      run.new_program_name = name_from_path(second);
      run.rename_pending = !run.new_program_name.empty();
    }
  }
  if (run.output_file_name.empty()) run.output_file_name = base + ".new";

  if (arguments.size() > 2) {
    const std::string& third = arguments[2];
    std::vector<std::string> templates = template_names(run);
    std::initializer_list<const std::string*> own = {&run.input_file_name, &run.output_file_name,
                                                     &run.message_file_name, &templates.front(),
                                                     &templates.back()};
    if (names_own_file(third, first, own)) {
      print_text("Old and new names are the same - ignoring new front end name");
    } else {
      run.front_end_file_name = third;
      run.front_end_name = name_from_path(third);
    }
  }
  if (!standard_output_intact()) return StartUp::kFileError;

  // An output name that is a folder, or an old output that the user may not replace, is refused
  // before anything is read or written.
  for (const std::string* output :
       {&run.output_file_name, &run.message_file_name, &run.front_end_file_name}) {
    if (output->empty()) continue;
    if (is_directory(*output)) return cannot_open(*output, std::strerror(EISDIR));
    std::string reason = text::why_old_output_refused(*output);
    if (!reason.empty()) return cannot_open(*output, reason);
  }

  std::string reason;
  run.input_file = LineReader::open(run.input_file_name, &reason);
  if (!run.input_file) return cannot_open(run.input_file_name, reason);
  note_read(run, *run.input_file);
  // A default name that is a link to a file the run already has open would empty that file
  // before it is read or mix two outputs in one: such a name counts as one that cannot be opened.
  if (same_file(run.output_file_name, run.input_file_name))
    return cannot_open(run.output_file_name, "it is the program to convert");
  run.output_file = run.outputs.open(run.output_file_name, reason);
  if (!run.output_file) return cannot_open(run.output_file_name, reason);
  if (same_file(run.message_file_name, run.input_file_name))
    return cannot_open(run.message_file_name, "it is the program to convert");
  if (same_file(run.message_file_name, run.output_file_name))
    return cannot_open(run.message_file_name, "it is the converted program");
  run.message_file = run.outputs.open(run.message_file_name, reason);
  if (!run.message_file) return cannot_open(run.message_file_name, reason);
  // The outputs of the program itself: a member whose copy would be written to one of them
  // clashes with it, and no member is read from them.
  const text::FileIdentity& program = run.input_file->identity();
  for (const std::string* output : {&run.output_file_name, &run.message_file_name}) {
    run.open_outputs.push_back(describe_output(*output));
    claim_output(run, run.open_outputs.back(), *output, run.input_file_name, program);
  }
  if (!run.front_end_file_name.empty())
    claim_output(
        run, describe_output(run.front_end_file_name), run.front_end_file_name,
        run.template_file_name.empty() ? std::string(kTemplateFileName) : run.template_file_name,
        text::FileIdentity{});
  return StartUp::kRun;
}

int run_converter(const std::vector<std::string>& arguments) {
  ConversionRun run;
  switch (start_run(run, arguments)) {
    case StartUp::kUsage:
      return standard_output_intact() ? kExitUsage : kExitFileError;
    case StartUp::kDone:
      return standard_output_intact() ? 0 : kExitFileError;
    case StartUp::kFileError:
      return kExitFileError;
    case StartUp::kRun:
      break;
  }
  convert_program(run);
  for (const std::string& name : run.read_failures)
    std::fprintf(stderr, "QUILLOX: error reading %s\n", name.c_str());
  for (const std::string& name : run.write_failures)
    std::fprintf(stderr, "QUILLOX: error writing %s\n", name.c_str());
  for (const std::string& refusal : run.refusals)
    std::fprintf(stderr, "QUILLOX: %s\n", refusal.c_str());
  // All outputs or none: after a failure every old file stays as it was.
  if (!run.read_failures.empty() || !run.write_failures.empty() || !run.refusals.empty()) {
    run.outputs.discard();
    return kExitFileError;
  }
  text::CommitResult commit = run.outputs.commit(run.files_read);
  switch (commit.outcome) {
    case text::CommitResult::kDone:
      return 0;
    case text::CommitResult::kReadByRun:
      std::fprintf(stderr, "QUILLOX: %s is read by this run - no output written\n",
                   commit.name.c_str());
      break;
    case text::CommitResult::kNotReplaceable:
      std::fprintf(stderr, "QUILLOX: cannot replace %s: %s - no output written\n",
                   commit.name.c_str(), commit.reason.c_str());
      break;
    case text::CommitResult::kRenameFailed:
      std::fprintf(stderr, "QUILLOX: cannot write %s: %s\n", commit.name.c_str(),
                   commit.reason.c_str());
      break;
  }
  return kExitFileError;
}

int run_converter(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return run_converter(arguments);
}

}  // namespace converter
