// Tests of finding the monitor's commands still active in a converted file, by verb.
#include "report/monitor_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace report {
namespace {

// The commands found in `lines` (numbered from 1), one verb a line: "VERB COUNT @ LINES".
std::string commands_in(const std::vector<std::string>& lines) {
  CommandScanner scanner;
  for (std::size_t at = 0; at < lines.size(); ++at)
    scanner.feed(lines[at], static_cast<std::int64_t>(at + 1));
  std::string shown;
  for (const VerbUse& use : scanner.commands()) {
    shown += use.verb + " " + std::to_string(use.count) + " @";
    for (std::int64_t line : use.lines) shown += " " + std::to_string(line);
    shown += "\n";
  }
  return shown;
}

TEST(MonitorCommands, ActiveCommandsAreFoundByVerbAndLine) {
  const struct {
    const char* why;
    std::vector<std::string> lines;
    std::string expected;
  } cases[] = {
      {"one command on one line",
       {"000100     EXEC ZARN READ FILE('F') END-EXEC."},
       "READ 1 @ 1\n"},
      {"the verb on the next line, the command counted where EXEC stands",
       {"           EXEC ZARN", "                XCTL PROGRAM('P')", "           END-EXEC."},
       "XCTL 1 @ 1\n"},
      {"EXEC and ZARN on two lines",
       {"           EXEC", "           ZARN SYNCPOINT END-EXEC"},
       "SYNCPOINT 1 @ 1\n"},
      {"any case, the verb in capitals",
       {"           exec Zarn startbr file('F') end-exec."},
       "STARTBR 1 @ 1\n"},
      {"two commands on one line",
       {"           EXEC ZARN READ END-EXEC EXEC ZARN READ END-EXEC"},
       "READ 2 @ 1 1\n"},
      {"verbs in alphabetical order with their counts",
       {"           EXEC ZARN XCTL END-EXEC", "           EXEC ZARN RETURN END-EXEC",
        "           EXEC ZARN XCTL END-EXEC"},
       "RETURN 1 @ 2\nXCTL 2 @ 1 3\n"},
      {"a command converted to comment lines is no longer active",
       {"000100*    EXEC ZARN SEND MAP('M1')", "000200/    EXEC ZARN RECEIVE MAP('M1')"},
       ""},
      {"a command named in a literal is none",
       {"           MOVE 'EXEC ZARN READ' TO A", "           DISPLAY \"EXEC ZARN LINK\""},
       ""},
      {"another translator's command is none", {"           EXEC SQL SELECT 1 END-EXEC"}, ""},
      {"the sequence area holds no code", {"EXEC Z     ZARN READ END-EXEC"}, ""},
      {"nor does the identification area after column 72",
       {std::string(68, ' ') + "EXECZARN READ"},
       ""},
      {"a command without its END-EXEC does not swallow the next",
       {"           EXEC ZARN SEND MAP('M1')", "           EXEC ZARN RETURN END-EXEC"},
       "RETURN 1 @ 2\nSEND 1 @ 1\n"},
      {"words of a command's text are no verbs",
       {"           EXEC ZARN LINK PROGRAM('P') COMMAREA(EXEC-AREA) END-EXEC"},
       "LINK 1 @ 1\n"},
      {"a command with no verb", {"           EXEC ZARN END-EXEC"}, "(no verb) 1 @ 1\n"},
      {"short lines and blank lines", {"", "      ", "       ", "  * a short line"}, ""},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(commands_in(row.lines), row.expected);
  }
}

TEST(MonitorCommands, LinesAreKeptUpToTheirBoundWhileTheCountStaysExact) {
  std::vector<std::string> lines(kLinesPerVerb + 5, "           EXEC ZARN READ END-EXEC");
  CommandScanner scanner;
  for (std::size_t at = 0; at < lines.size(); ++at)
    scanner.feed(lines[at], static_cast<std::int64_t>(at + 1));
  ASSERT_EQ(scanner.commands().size(), 1u);
  EXPECT_EQ(scanner.commands()[0].count, static_cast<std::int64_t>(kLinesPerVerb + 5));
  EXPECT_EQ(scanner.commands()[0].lines.size(), kLinesPerVerb);
  EXPECT_EQ(command_count(scanner.commands()), static_cast<std::int64_t>(kLinesPerVerb + 5));
}

TEST(MonitorCommands, CountsOfFilesAddUpByVerb) {
  MonitorCommands all;
  add_counts(all, {{"READ", 2, {1, 2}}, {"XCTL", 1, {3}}});
  add_counts(all, {{"LINK", 4, {}}, {"READ", 1, {}}});
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].verb, "LINK");
  EXPECT_EQ(all[0].count, 4);
  EXPECT_EQ(all[1].verb, "READ");
  EXPECT_EQ(all[1].count, 3);
  EXPECT_EQ(all[2].verb, "XCTL");
  EXPECT_EQ(all[2].count, 1);
  EXPECT_EQ(command_count(all), 8);
}

}  // namespace
}  // namespace report
