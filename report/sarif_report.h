// The findings as a SARIF 2.1.0 log (migration-report.sarif), for editors and code-scanning
// services: one result per finding with its rule, level, message and place, written while the
// message files are read so that memory does not grow with the findings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/message_file.h"
#include "report/program_state.h"
#include "text/text_files.h"

namespace report {

/// Name of the SARIF log written into the output folder.
inline constexpr char kSarifReportName[] = "migration-report.sarif";

/// The rule id of a kind of finding: its heading in small letters, each run of other
/// characters a "-" ("USRCOMM without layout" gives "usrcomm-without-layout").
std::string rule_id(std::string_view heading);

/// Where a program's files stand, as paths below the application folder ("/" between folders).
struct SarifProgram {
  std::string name;
  std::string folder;             // the folder of its message file, empty for the top
  std::string source;             // its program, if any
  std::string message_file;       // its message file, if any
  std::string converted_program;  // NAME.new beside the message file
};

/// Writes the log into `file`: the tool with one rule per kind of finding, one for the messages
/// the report does not know and one per state of a program that is not converted; then the
/// results, program by program.
class SarifWriter {
 public:
  /// Writes the start of the log; `version` is the tool's.
  SarifWriter(text::OutputFile& file, std::string_view version);

  /// Starts the results of `program`.
  void begin_program(const SarifProgram& program);
  /// A result for the finding or message `line` of the program begun: at its line of the
  /// converted program or of the member's converted copy, at the COPY line of the program for
  /// a member not converted, and at the message file for a front-end line.
  void add_line(const ListedLine& line);
  /// A result for a program in a state that needs a conversion, at its program (or message
  /// file), its text the state and `reason`.
  void add_state(ProgramState state, std::string_view reason);
  /// Takes back every result of the program begun: its message file was not understood.
  void drop_program();
  /// Writes the end of the log.
  void finish();

  /// Results written and kept so far.
  std::int64_t results() const { return results_; }
  /// True once results could not be taken back: the log is not to be kept.
  bool failed() const { return broken_; }

 private:
  void write_result(std::string_view rule, std::size_t rule_index, std::string_view level,
                    std::string_view text, std::string_view uri, std::int64_t line);

  text::OutputFile& file_;
  SarifProgram program_;
  long program_start_ = 0;  // where the program's results begin in the file
  std::int64_t results_ = 0;
  std::int64_t program_results_ = 0;
  bool broken_ = false;
};

}  // namespace report
