// Tests of quillox-all's command line: the number of conversions at a time, and the options.
#include "batch/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace batch {
namespace {

TEST(BatchCommandLine, JobsFromOneTo1024) {
  struct Row {
    const char* text;
    int expected;  // 0: refused
    const char* why;
  };
  const Row rows[] = {
      {"1", 1, "the fewest"},
      {"1024", 1024, "the most"},
      {"08", 8, "leading zeros are still a decimal number"},
      {"0", 0, "no conversion at all would never end"},
      {"1025", 0, "one above the most"},
      {"99999999999", 0, "far above the most, without overflowing"},
      {"", 0, "no number"},
      {"-1", 0, "a sign is no digit"},
      {"+4", 0, "a sign is no digit"},
      {"4x", 0, "trailing text"},
      {" 4", 0, "blanks are no digits"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + ": " + row.why);
    std::optional<int> jobs = parse_jobs(row.text);
    EXPECT_EQ(jobs.value_or(0), row.expected);
  }
}

// A command line read, written out: the request, then each option, or the refusal.
std::string described(const CommandLine& line) {
  switch (line.request) {
    case Request::kHelp:
      return "help";
    case Request::kVersion:
      return "version";
    case Request::kRefused:
      return "refused: " + line.error;
    case Request::kRun:
      break;
  }
  const Options& options = line.options;
  std::string text = "run " + options.folder + " j" + std::to_string(options.jobs);
  if (options.front_end) text += " front-end";
  if (!options.template_file.empty()) text += " template=" + options.template_file;
  if (!options.quillox.empty()) text += " quillox=" + options.quillox;
  for (const std::string& folder : options.include_folders) text += " I=" + folder;
  return text;
}

TEST(BatchCommandLine, OptionsAndFolder) {
  struct Row {
    std::vector<std::string> arguments;
    const char* expected;
    const char* why;
  };
  const Row rows[] = {
      {{}, "run . j0", "the current folder, processors by default"},
      {{"-j", "3", "app"}, "run app j3", "-j N"},
      {{"-j3", "--jobs=4", "app"}, "run app j4", "the last -j counts; joined forms"},
      {{"app", "--jobs", "2"}, "run app j2", "options after the folder"},
      {{"-I", "lib", "-Icommon", "app"},
       "run app j0 I=lib I=common",
       "-I folders in order, both forms"},
      {{"--template", "T.TXT", "app"},
       "run app j0 front-end template=T.TXT",
       "a template asks for front ends"},
      {{"--template=T.TXT", "--quillox=/opt/QUILLOX"},
       "run . j0 front-end template=T.TXT "
       "quillox=/opt/QUILLOX",
       "joined forms"},
      {{"--", "-app"}, "run -app j0", "after --, a folder beginning with -"},
      {{"--front-end", "--"}, "run . j0 front-end", "-- with nothing after it"},
      {{"-app"}, "refused: unknown option -app", "a folder beginning with - needs --"},
      {{"--jobsx"}, "refused: unknown option --jobsx", "not -j's long form"},
      {{"app", "other"}, "refused: more than one folder given", "two folders"},
      {{"app", "--", "other"}, "refused: more than one folder given", "two folders around --"},
      {{"--", "a", "b"}, "refused: more than one folder given", "two folders after --"},
      {{"-j", "0"},
       "refused: the number of conversions at a time must be a whole number from 1 to "
       "1024: 0",
       "-j out of range"},
      {{"app", "-j"}, "refused: option -j needs a number", "-j at the end"},
      {{"-I"}, "refused: option -I needs a folder", "-I at the end"},
      {{"--template"}, "refused: option --template needs a file", "--template at the end"},
      {{"--help", "-j", "0"}, "help", "help before anything wrong"},
      {{"app", "--version"}, "version", "the version"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(described(read_command_line(row.arguments)), row.expected);
  }
}

}  // namespace
}  // namespace batch
