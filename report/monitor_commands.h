// The monitor's commands that a converted file still holds active, found by reading the file
// itself: what is left to do before the application can leave the monitor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace report {

/// Line numbers kept per verb of one file; the count stays exact.
inline constexpr std::size_t kLinesPerVerb = 20;

/// One verb of the monitor's commands in a file: how many commands, and the lines they begin on
/// (the first kLinesPerVerb of them).
struct VerbUse {
  std::string verb;  // the word after EXEC ZARN, in capitals ("READ", "XCTL")
  std::int64_t count = 0;
  std::vector<std::int64_t> lines;
};

/// The active commands of one file, by verb in alphabetical order.
using MonitorCommands = std::vector<VerbUse>;

/// The number of commands in `commands`, all verbs together.
std::int64_t command_count(const MonitorCommands& commands);

/// Adds each verb's count of `more` to `into` (lines are not kept).
void add_counts(MonitorCommands& into, const MonitorCommands& more);

/// Finds the active EXEC ZARN commands of a fixed-format COBOL file fed to it line by line:
/// each EXEC followed by ZARN as whole words in any case, in the program text (columns 8 to 72)
/// of a line that is no comment (neither "*" nor "/" in column 7) and outside literals. The
/// verb may stand on a later line than EXEC ZARN; a command ends at END-EXEC.
class CommandScanner {
 public:
  /// Reads the line numbered `number` (1 for the first line of the file).
  void feed(std::string_view line, std::int64_t number);
  /// The commands found, by verb.
  const MonitorCommands& commands() const { return commands_; }

 private:
  enum class Expect { kExec, kZarn, kVerb, kEndExec };
  void word(std::string_view text, std::int64_t number);
  void add(std::string_view verb, std::int64_t line);

  Expect expect_ = Expect::kExec;
  std::int64_t start_line_ = 0;
  MonitorCommands commands_;
};

}  // namespace report
