// quillox-replay's command line: its options and scripts, and its usage text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace replay {

/// Seconds a task may run unless --timeout says otherwise.
constexpr int kDefaultTimeout = 10;

/// What the command line asks for.
struct Options {
  enum Request { kPlay, kHelp, kVersion, kWrong } request = kPlay;
  std::string error;                 // with kWrong: what is wrong
  std::vector<std::string> folders;  // -I
  bool through_client = false;       // --through client (default: front-end)
  bool against_converted = false;    // --against converted (default: both)
  bool record = false;               // --record
  bool precompile_only = false;      // --precompile
  std::string keep;                  // --keep DIR
  int timeout = kDefaultTimeout;     // --timeout S
  std::vector<std::string> scripts;
};

/// Reads the arguments after the program's name.
Options parse_options(const std::vector<std::string>& arguments);

/// The usage text.
extern const std::string_view kUsage;

}  // namespace replay
