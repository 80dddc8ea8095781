// quillox-stub-exec: a copy of a converted program in which the monitor's commands are put
// aside, so that a COBOL compiler that does not know them can check the rest.
#pragma once

#include <cstdint>
#include <cstdio>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace stubexec {

/// Where the copy stands between lines: inside a command whose END-EXEC is still to come, and
/// what was found that cannot be put aside.
struct StubState {
  bool in_command = false;
  std::int64_t command_line = 0;  // where the open command began
  std::vector<std::string> problems;
};

/// The monitor's number for the response `name` (NORMAL, NOTFND, MAPFAIL, ...), in any case;
/// -1 for a name the monitor does not have.
int response_number(std::string_view name);

/// Puts the monitor's commands aside in `line` (numbered `number`, without its line end), every
/// other character in its column: in the program text (columns 8 to 72) of a line that is no
/// comment, outside literals, the words EXEC ZARN (any case, on one line) become CONTINUE
/// filled with blanks to their width, the rest of the command up to and including its END-EXEC
/// becomes blanks (on the following lines too), and each KVZRESP(NAME) outside a command
/// becomes the monitor's number of that response, filled with blanks to the same width. A
/// response the monitor does not have is left as it is and named in `state.problems`.
void stub_line(StubState& state, std::string& line, std::int64_t number);

/// Runs quillox-stub-exec with `arguments` (without the program name): reads SOURCE ("-":
/// standard input) and writes the copy to `out`. Returns the exit code: 0 when written; 1 when
/// written but the source ends inside a command or names a response the monitor does not have
/// (named on `err`); 2 for a wrong command line; 100 when the source cannot be read or the copy
/// cannot be written.
int run_stub_exec(const std::vector<std::string>& arguments, std::FILE* in, std::FILE* out,
                  std::ostream& err);

/// `run_stub_exec` for `main`.
int run_stub_exec(int argc, char** argv);

}  // namespace stubexec
