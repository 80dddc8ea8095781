// quillox-all's command line: its options, the usage text, and where QUILLOX is found.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

/// Exit code when every program was converted.
constexpr int kExitConverted = 0;
/// Exit code when a program was not converted, or a folder could not be read.
constexpr int kExitNotAllConverted = 1;
/// Exit code for a wrong command line or a QUILLOX that is not found.
constexpr int kExitUsage = 2;
/// Exit code when the closing line or the usage text could not be written to standard output.
constexpr int kExitOutputFailed = 100;

/// Most conversions at a time: a larger -j is refused with a message, since more processes than
/// that only wait on each other.
constexpr int kMaxJobs = 1024;

/// What the command line asks for.
struct Options {
  int jobs = 0;                              // 0: not given, the number of processors
  bool front_end = false;                    // also build front ends (--front-end, --template)
  bool force = false;                        // --force: convert programs whose outputs were edited
  bool strict = false;                       // --strict: missing members and "***" findings fail
  std::string template_file;                 // --template FILE, as typed; empty without
  std::string quillox;                       // --quillox PATH, as typed; empty without
  std::vector<std::string> include_folders;  // -I folders, as typed, in order
  std::string folder = ".";                  // the application folder
};

/// How the command line ends: a run, the help or version text, or a refusal.
enum class Request { kRun, kHelp, kVersion, kRefused };

/// The command line read: the request, its options, and for a refusal what is wrong.
struct CommandLine {
  Request request = Request::kRun;
  Options options;
  std::string error;  // for kRefused: the message after "quillox-all: "
};

/// Reads `arguments` (without the program name). Options and the folder may stand in any
/// order until "--", after which the next argument is the folder whatever it begins with.
CommandLine read_command_line(const std::vector<std::string>& arguments);

/// The number of conversions at a time written in `text`: a whole number from 1 to kMaxJobs in
/// decimal digits, nothing else; nothing for any other text.
std::optional<int> parse_jobs(std::string_view text);

/// Writes the usage text to standard output; false when it could not be written.
bool print_usage();

/// The QUILLOX to run: `given` when not empty (its path made absolute); else QUILLOX or quillox
/// beside `invoked_as` (argv[0], through PATH when it holds no "/"); else one on PATH. Empty
/// with `error` set when there is none.
std::string find_quillox(const std::string& given, const std::string& invoked_as,
                         std::string& error);

/// `path` made absolute against the working folder; unchanged when already absolute.
std::string absolute_path(const std::string& path);

}  // namespace batch
