// Start of a QUILLOX run: the command line, the file names, the usage text and exit codes.
#include "converter/driver/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "converter/driver/conversion_run.h"
#include "converter/driver/line_loop.h"
#include "converter/frontend/frontend_generator.h"
#include "text/file_identity.h"

namespace converter {

using text::is_directory;
using text::LineReader;
using text::OutputFile;
using text::same_file;

namespace {

void print_text(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
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
      std::printf("QUILLOX %s\n", QUILLOX_VERSION);
      std::fflush(stdout);
      ended = StartUp::kDone;
      return at;
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
  std::fflush(stdout);
}

void print_help() {
  print_usage();
  print_text("\n\nOptions, before the file names:\n");
  print_text("  -I DIR     look for copybook members not found in the working folder in DIR\n");
  print_text("             (any number of times, searched in the order given)\n");
  print_text("  --         end of the options\n");
  print_text("  --help     this text\n");
  print_text("  --version  the version of QUILLOX\n");
  std::fflush(stdout);
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
  // The base name is cut at the first period of the whole argument, directory part included.
  std::string base = first.substr(0, first.find('.'));
  run.input_file_name = base + ".zsc";
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
    TemplatePaths templates = template_paths(first);
    if (names_own_file(third, first,
                       {&run.input_file_name, &run.output_file_name, &run.message_file_name,
                        &templates.here, &templates.beside_program})) {
      print_text("Old and new names are the same - ignoring new front end name");
    } else {
      run.front_end_file_name = third;
      run.front_end_name = name_from_path(third);
    }
  }
  std::fflush(stdout);

  // An output name that is a folder is refused before anything is read or written.
  for (const std::string* output :
       {&run.output_file_name, &run.message_file_name, &run.front_end_file_name}) {
    if (!output->empty() && is_directory(*output))
      return cannot_open(*output, std::strerror(EISDIR));
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
  return StartUp::kRun;
}

int run_converter(const std::vector<std::string>& arguments) {
  ConversionRun run;
  switch (start_run(run, arguments)) {
    case StartUp::kUsage:
      return kExitUsage;
    case StartUp::kDone:
      return 0;
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
  // All outputs or none: after a failure every old file stays as it was.
  if (!run.read_failures.empty() || !run.write_failures.empty()) {
    run.outputs.discard();
    return kExitFileError;
  }
  std::string refused;
  std::string reason;
  if (!run.outputs.commit(run.files_read, refused, reason)) {
    if (reason.empty())
      std::fprintf(stderr, "QUILLOX: %s is read by this run - no output written\n",
                   refused.c_str());
    else
      std::fprintf(stderr, "QUILLOX: cannot write %s: %s\n", refused.c_str(), reason.c_str());
    return kExitFileError;
  }
  return 0;
}

int run_converter(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return run_converter(arguments);
}

}  // namespace converter
