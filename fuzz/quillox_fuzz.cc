// Fuzz target: one whole QUILLOX run, in-process, in a fresh working folder.
//
// The input is cut at the byte 0x1E into the program to convert (PROG.zsc), a copybook member
// (MEMB, which the program and the member itself may copy) and the front-end template
// (NEWDSP4.TXT). The run is "QUILLOX PROG NEWPROG.cbl FRONTEND.cbl", so the PROGRAM-ID change
// and the front-end generator take part. Besides the sanitizers, the target checks that every
// run ends with exit code 0 (every file is writable here), that the files it reads are left
// as they were, that the converted program and the message file exist, and that the report's
// reader accepts the message file: the writer and the reader of that format never drift apart.
// It also holds the keyword prefilter to its promise on every line of the input, as written and
// with the case of every letter turned: a keyword that the search finds must never be ruled out.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "converter/commands/exec_statement.h"
#include "converter/driver/command_line.h"
#include "converter/driver/keyword_scanner.h"
#include "converter/driver/word_starts.h"
#include "fuzz/fuzz_folder.h"
#include "report/message_file.h"

namespace {

constexpr char kPartSeparator = '\x1e';

void fail(const char* what) {
  std::fprintf(stderr, "quillox_fuzz: %s\n", what);
  std::abort();
}

// Every keyword that `find_keyword` finds on `line` passes the prefilter's test.
void check_prefilter(std::string_view line) {
  static const std::string_view kLineWords[] = {"COPY",    "-INC",     "PROGRAM-ID", "EXEC",
                                                "ZARN",    "END",      "PROGRAM",    "LINKAGE",
                                                "SECTION", "PROCEDURE", "DIVISION",  "END-EXEC"};
  converter::WordStarts words(line);
  for (std::string_view word : kLineWords)
    if (converter::find_keyword(line, word) != std::string_view::npos && !words.may_hold(word))
      fail("the keyword prefilter ruled out a keyword the search finds");
  for (const converter::KeywordText& keyword : converter::kKeywords)
    if (converter::find_keyword(line, keyword.text) != std::string_view::npos &&
        !words.may_hold(keyword.text))
      fail("the keyword prefilter ruled out a command keyword the search finds");
}

void check_prefilter_on_lines(std::string_view text) {
  std::string turned;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    check_prefilter(line);
    turned.assign(line);
    for (char& c : turned)
      if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) c ^= 0x20;
    check_prefilter(turned);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> parts = fuzz_support::split_input(data, size, kPartSeparator, 3);
  if (fuzz_support::could_leave_folder(parts[0]) || fuzz_support::could_leave_folder(parts[1]))
    return -1;

  check_prefilter_on_lines(parts[0]);
  check_prefilter_on_lines(parts[1]);

  fuzz_support::WorkingFolder folder;
  if (!folder.ok()) fail("cannot make a working folder");
  const std::vector<std::pair<std::string, std::string_view>> inputs = {
      {"PROG.zsc", parts[0]}, {"MEMB", parts[1]}, {"NEWDSP4.TXT", parts[2]}};
  for (const auto& [name, contents] : inputs)
    if (!fuzz_support::write_file(name, contents)) fail("cannot write an input file");

  int code = converter::run_converter({"PROG", "NEWPROG.cbl", "FRONTEND.cbl"});
  std::fflush(stdout);

  if (code != 0) fail("the run did not end with exit code 0");
  std::string contents;
  for (const auto& [name, expected] : inputs) {
    if (!fuzz_support::read_file(name, contents)) fail("an input file is gone");
    if (contents != expected) fail("an input file was changed");
  }
  if (!fuzz_support::file_exists("NEWPROG.cbl")) fail("no converted program");
  if (!fuzz_support::read_file("PROG.msg", contents)) fail("no message file");
  report::ProgramSummary summary;
  std::string error;
  if (report::read_message_file(contents, summary, error) != report::MessageFileKind::kConversion) {
    std::fprintf(stderr, "quillox_fuzz: the report refuses the message file: %s\n", error.c_str());
    std::abort();
  }
  return 0;
}
