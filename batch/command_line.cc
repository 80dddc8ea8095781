// quillox-all's command line: its options, the usage text, and where QUILLOX is found.
#include "batch/command_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace batch {

namespace {

constexpr std::string_view kUsage =
    "usage: quillox-all [-j N] [-I DIR]... [--front-end] [--template FILE] [--force] [--strict]\n"
    "                   [--quillox PATH] [--] [FOLDER]\n"
    "\n"
    "Converts every program (*.zsc or *.ZSC) in FOLDER and the folders below it (default: the\n"
    "current folder) with QUILLOX, each in its own folder so that its copybooks are found there:\n"
    "NAME.zsc gives NAME.new, NAME.msg and the .new file of each copybook member it names. A\n"
    "program whose files another conversion of the run would also write, or whose output is not a\n"
    "regular file, is not converted, and both are named. The record quillox-all.record in FOLDER\n"
    "keeps what each conversion wrote: a program an output of which was changed since is not\n"
    "converted again, and its changed files are named.\n"
    "\n"
    "  -j N, --jobs N    run N conversions at a time, 1 to 1024 (default: the number of\n"
    "                    processors); programs that write the same copybook's .new file still\n"
    "                    run one after the other, in name order\n"
    "  -I DIR            look for copybook members not found beside a program in DIR too (any\n"
    "                    number of times, in order; passed on to QUILLOX)\n"
    "  --front-end       also build a DSP4 front-end program NAMEFE.cbl beside each program\n"
    "                    that sends or receives maps or text, from the NEWDSP4.TXT beside it\n"
    "  --template FILE   build the front ends from FILE (implies --front-end); nothing is placed\n"
    "                    beside the programs\n"
    "  --force           convert programs whose outputs were changed by hand since the last run\n"
    "  --strict          a program with copybook members not found or with findings that need a\n"
    "                    manual step (\"***\" lines of its message file) fails the run\n"
    "  --quillox PATH    the QUILLOX executable (default: the one beside quillox-all, else PATH)\n"
    "  --                the next argument is the folder, even when it begins with \"-\"\n"
    "  --help, --version this text; the version\n"
    "\n"
    "A progress line is shown when standard output is a terminal. Programs that could not be\n"
    "converted are named on standard error with the reason. Exit status: 0 when every program\n"
    "was converted, 1 when one was not (or failed --strict), 2 for a wrong command line or when\n"
    "QUILLOX is not found, 100 when standard output could not be written; a run ended by a signal\n"
    "ends by that signal.\n";

// The value of an option that takes one: the rest of `argument` after `inline_prefix`
// ("-j4", "--jobs=4"), else the next argument. False when there is none.
bool option_value(const std::vector<std::string>& arguments, std::size_t& at,
                  std::string_view inline_prefix, std::string& value) {
  const std::string& argument = arguments[at];
  if (argument.size() > inline_prefix.size() &&
      argument.compare(0, inline_prefix.size(), inline_prefix) == 0) {
    value = argument.substr(inline_prefix.size());
    return true;
  }
  if (at + 1 >= arguments.size()) return false;
  value = arguments[++at];
  return true;
}

bool is_executable_file(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

// The folder part of `path` ("." when it has none).
std::string folder_of(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// `name` in the first folder of PATH that holds it as an executable file, or empty.
std::string on_path(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    std::string folder = folders.substr(start, end - start);
    std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
    if (is_executable_file(candidate)) return candidate;
    start = end + 1;
  }
  return "";
}

}  // namespace

std::optional<int> parse_jobs(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > kMaxJobs) return std::nullopt;
  return value;
}

CommandLine read_command_line(const std::vector<std::string>& arguments) {
  CommandLine line;
  Options& options = line.options;
  auto refuse = [&line](std::string error) {
    line.request = Request::kRefused;
    line.error = std::move(error);
    return line;
  };
  bool folder_given = false;
  auto take_folder = [&](const std::string& folder) {
    if (folder_given) return false;
    options.folder = folder;
    folder_given = true;
    return true;
  };
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    std::string value;
    if (argument == "--") {
      if (at + 2 < arguments.size() ||
          (at + 1 < arguments.size() && !take_folder(arguments[at + 1])))
        return refuse("more than one folder given");
      break;
    }
    if (argument == "-h" || argument == "--help") {
      line.request = Request::kHelp;
      return line;
    }
    if (argument == "--version") {
      line.request = Request::kVersion;
      return line;
    }
    if (argument == "--front-end") {
      options.front_end = true;
    } else if (argument == "--force") {
      options.force = true;
    } else if (argument == "--strict") {
      options.strict = true;
    } else if (argument.compare(0, 2, "-j") == 0 || argument.compare(0, 6, "--jobs") == 0) {
      bool short_form = argument.compare(0, 2, "-j") == 0;
      if (!short_form && argument != "--jobs" && argument.compare(0, 7, "--jobs=") != 0)
        return refuse("unknown option " + argument);
      if (!option_value(arguments, at, short_form ? "-j" : "--jobs=", value))
        return refuse("option " + argument + " needs a number");
      std::optional<int> jobs = parse_jobs(value);
      if (!jobs)
        return refuse("the number of conversions at a time must be a whole number from 1 to " +
                      std::to_string(kMaxJobs) + ": " + value);
      options.jobs = *jobs;
    } else if (argument.compare(0, 2, "-I") == 0) {
      if (!option_value(arguments, at, "-I", value)) return refuse("option -I needs a folder");
      options.include_folders.push_back(value);
    } else if (argument == "--template" || argument.compare(0, 11, "--template=") == 0) {
      if (!option_value(arguments, at, "--template=", value) || value.empty())
        return refuse("option --template needs a file");
      options.template_file = value;
      options.front_end = true;
    } else if (argument == "--quillox" || argument.compare(0, 10, "--quillox=") == 0) {
      if (!option_value(arguments, at, "--quillox=", value) || value.empty())
        return refuse("option --quillox needs a path");
      options.quillox = value;
    } else if (argument.size() > 1 && argument[0] == '-') {
      return refuse("unknown option " + argument);
    } else if (!take_folder(argument)) {
      return refuse("more than one folder given");
    }
  }
  return line;
}

bool print_usage() {
  bool written = std::fwrite(kUsage.data(), 1, kUsage.size(), stdout) == kUsage.size();
  return std::fflush(stdout) == 0 && written;
}

std::string absolute_path(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  std::string folder(4096, '\0');
  while (!getcwd(folder.data(), folder.size())) {
    if (errno != ERANGE) return path;
    folder.resize(folder.size() * 2);
  }
  folder.resize(std::strlen(folder.c_str()));
  if (path.empty() || path == ".") return folder;
  return folder + (folder == "/" ? "" : "/") +
         (path.compare(0, 2, "./") == 0 ? path.substr(2) : path);
}

std::string find_quillox(const std::string& given, const std::string& invoked_as,
                         std::string& error) {
  if (!given.empty()) {
    if (is_executable_file(given)) return absolute_path(given);
    error = given + ": not an executable QUILLOX";
    return "";
  }
  std::string self = invoked_as.find('/') != std::string::npos ? invoked_as : on_path(invoked_as);
  if (!self.empty()) {
    for (const char* name : {"QUILLOX", "quillox"}) {
      std::string candidate = folder_of(self) + "/" + name;
      if (is_executable_file(candidate)) return absolute_path(candidate);
    }
  }
  for (const char* name : {"QUILLOX", "quillox"}) {
    std::string candidate = on_path(name);
    if (!candidate.empty()) return absolute_path(candidate);
  }
  error = "QUILLOX not found beside quillox-all nor on PATH; name it with --quillox PATH";
  return "";
}

}  // namespace batch
