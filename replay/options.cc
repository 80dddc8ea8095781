// quillox-replay's command line: its options and scripts, and its usage text.
#include "replay/options.h"

namespace replay {

const std::string_view kUsage =
    "usage: quillox-replay [-I DIR]... [--through front-end|client] [--against both|converted]\n"
    "                      [--record] [--keep DIR] [--timeout S] [--precompile] SCRIPT.dlg...\n"
    "\n"
    "Plays each dialogue script against the original program NAME.zsc, run under a stand-in for\n"
    "the monitor, and against its conversion NAME.new, called by its front end NAMEFE.cbl or by\n"
    "a reference client, and compares what both show, step by step. It runs in the folder of\n"
    "the script and needs GnuCOBOL (cobc).\n"
    "\n"
    "  -I DIR               look for copybook members in DIR too, as QUILLOX does\n"
    "  --through front-end  call the converted program through its front end (the default)\n"
    "  --through client     call it through a client that follows the header's contract\n"
    "  --against both       compare the original and the converted program (the default)\n"
    "  --against converted  check the converted program against the script's expect lines only\n"
    "  --record             play the original and write its results into the script as expect\n"
    "                       lines\n"
    "  --keep DIR           keep the precompiled sources, the builds and the traces in DIR\n"
    "  --timeout S          end a task that runs longer than S seconds, 1 to 3600 (default 10)\n"
    "  --precompile         only precompile the programs into the --keep folder\n"
    "  --help, --version    this text; the version\n"
    "\n"
    "Exit status: 0 when every step passed, 1 when a step failed, 2 when a script or a side\n"
    "could not be played, 100 when a file could not be read or written.\n";

Options parse_options(const std::vector<std::string>& arguments) {
  Options options;
  auto wrong = [&options](std::string error) {
    options.request = Options::kWrong;
    options.error = std::move(error);
    return options;
  };
  bool only_scripts = false;
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    if (only_scripts || argument.empty() || argument[0] != '-' || argument == "-") {
      options.scripts.push_back(argument);
      continue;
    }
    if (argument == "--") {
      only_scripts = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      options.request = Options::kHelp;
      return options;
    }
    if (argument == "--version") {
      options.request = Options::kVersion;
      return options;
    }
    // An option's value: "--name=value", "-Ivalue", or the next argument.
    std::string name = argument, value;
    bool has_value = false;
    std::size_t equals = argument.find('=');
    if (argument.compare(0, 2, "--") == 0 && equals != std::string::npos) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
      has_value = true;
    } else if (argument.compare(0, 2, "-I") == 0 && argument.size() > 2) {
      name = "-I";
      value = argument.substr(2);
      has_value = true;
    }
    auto take_value = [&]() {
      if (has_value) return true;
      if (at + 1 >= arguments.size()) return false;
      value = arguments[++at];
      return true;
    };
    if (name == "--record" || name == "--precompile") {
      if (has_value) return wrong("option " + name + " takes no value");
      (name == "--record" ? options.record : options.precompile_only) = true;
    } else if (name == "-I") {
      if (!take_value() || value.empty()) return wrong("option -I needs a folder");
      options.folders.push_back(value);
    } else if (name == "--through") {
      if (!take_value()) return wrong("option --through needs front-end or client");
      if (value != "front-end" && value != "client")
        return wrong("option --through takes front-end or client, not \"" + value + "\"");
      options.through_client = value == "client";
    } else if (name == "--against") {
      if (!take_value()) return wrong("option --against needs both or converted");
      if (value != "both" && value != "converted")
        return wrong("option --against takes both or converted, not \"" + value + "\"");
      options.against_converted = value == "converted";
    } else if (name == "--keep") {
      if (!take_value() || value.empty()) return wrong("option --keep needs a folder");
      options.keep = value;
    } else if (name == "--timeout") {
      if (!take_value()) return wrong("option --timeout needs a number of seconds");
      int seconds = 0;
      bool digits = !value.empty() && value.size() <= 4;
      for (char c : value) {
        if (c < '0' || c > '9') digits = false;
        if (digits) seconds = seconds * 10 + (c - '0');
      }
      if (!digits || seconds < 1 || seconds > 3600)
        return wrong("option --timeout takes a whole number of seconds from 1 to 3600, not \"" +
                     value + "\"");
      options.timeout = seconds;
    } else {
      return wrong("unknown option " + argument);
    }
  }
  if (options.scripts.empty()) return wrong("no dialogue script given");
  if (options.record && options.against_converted)
    return wrong("--record plays the original only; it takes no --against converted");
  if (options.precompile_only && options.keep.empty())
    return wrong("--precompile writes into the folder of --keep DIR, which is missing");
  return options;
}

}  // namespace replay
