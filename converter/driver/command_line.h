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

/// Outcome of the start-up: go on with the opened run, or end with an exit code.
enum class StartUp { kRun, kUsage, kFileError };

/// Reads `arguments` (without the program name), forms the file names and opens the program,
/// the converted program and the message file. Prints the usage text and the two warnings.
StartUp start_run(ConversionRun& run, const std::vector<std::string>& arguments);

/// A whole run over `arguments` (without the program name); returns the exit code.
int run_converter(const std::vector<std::string>& arguments);

/// A whole run over a command line as `main` receives it; returns the exit code.
int run_converter(int argc, char** argv);

}  // namespace converter
