// Start of a QUILLOX run: the command line, the file names, the usage text and exit codes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace converter {

struct ConversionRun;

/// Exit code after the usage text was printed.
constexpr int kExitUsage = 1;
/// Exit code when a main file cannot be opened, or a file could not be read or written.
constexpr int kExitFileError = 100;

/// Longest program name taken from a file name; longer names are cut.
constexpr std::size_t kProgramNameLength = 29;

/// Writes the usage text to standard output.
void print_usage();

/// Program name from a file path: the text after the last "\" or "/", at most 29 characters,
/// cut at its first period, a to z turned to upper case.
std::string name_from_path(std::string_view path);

/// The base name of the program argument: the argument cut at the first period of its last part
/// (after the last "\" or "/"), so that "../src/PAYROLL" and "v1.2/PROG.zsc" keep their folders.
std::string base_name(std::string_view argument);

/// Outcome of the start-up: go on with the opened run, or end with an exit code: after the
/// usage text (also for an unknown option), after the help or the version, or when a main file
/// cannot be opened.
enum class StartUp { kRun, kUsage, kDone, kFileError };

/// Writes the usage text and the list of options, for --help.
void print_help();

/// Reads `arguments` (without the program name): the options before the file names ("-I DIR"
/// or "-IDIR" any number of times, "-T FILE" or "--template FILE", "--" to end them, "--help",
/// "--version"), then the file names, which it forms and opens (program, converted program,
/// message file). Prints the usage text, the help, the version and the two warnings to standard
/// output, and an unknown option to standard error. A run whose warnings could not be written
/// to standard output does not start.
StartUp start_run(ConversionRun& run, const std::vector<std::string>& arguments);

/// A whole run over `arguments` (without the program name); returns the exit code: 100 also when
/// the usage text, the help or the version could not be written to standard output.
int run_converter(const std::vector<std::string>& arguments);

/// A whole run over a command line as `main` receives it; returns the exit code.
int run_converter(int argc, char** argv);

}  // namespace converter
