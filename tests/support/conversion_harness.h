// A conversion run whose program, converted program and message file are in a temporary folder,
// and a command parsed from its text, for the tests of one part of a conversion.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_run.h"
#include "tests/support/test_files.h"
#include "text/text_files.h"

namespace test_support {

/// Everything written so far to `file`, which stays open for more. A file already closed, or
/// one whose writing failed, fails the test.
inline std::string written(text::OutputFile& file) {
  if (file.stream() == nullptr) {
    ADD_FAILURE() << file.name() << " is closed";
    return "";
  }
  std::string all = stream_contents(file.stream());
  EXPECT_FALSE(file.failed() || std::ferror(file.stream()) != 0) << "writing " << file.name();
  return all;
}

/// `name` created or emptied for writing as an output file of a run; a failure fails the test.
inline std::unique_ptr<text::OutputFile> output_file(const std::string& name) {
  std::FILE* stream = std::fopen(name.c_str(), "wb");
  if (stream == nullptr) ADD_FAILURE() << "cannot open " << name;
  return std::make_unique<text::OutputFile>(stream, name);
}

/// A run converting PROG.zsc into PROG.new with its messages in PROG.msg, the three in a fresh
/// folder and known to the run by these names, as after a start-up in that folder.
struct RunHarness {
  TempFolder folder;  // removed only after the run has closed its files
  converter::ConversionRun run;

  /// The converted program and the message file open and empty; no program to read.
  RunHarness() {
    run.input_file_name = "PROG.zsc";
    run.output_file_name = "PROG.new";
    run.message_file_name = "PROG.msg";
    run.output_file = std::make_unique<text::OutputFile>(open("PROG.new", "w+b"), "PROG.new");
    run.message_file = std::make_unique<text::OutputFile>(open("PROG.msg", "w+b"), "PROG.msg");
    for (const char* output : {"PROG.new", "PROG.msg"})
      run.open_outputs.push_back(converter::describe_output(folder.file(output)));
  }
  /// The same, and `program` the text of PROG.zsc, open for reading.
  explicit RunHarness(std::string_view program) : RunHarness() {
    folder.write("PROG.zsc", program);
    run.input_file = std::make_unique<text::LineReader>(open("PROG.zsc", "rb"), "PROG.zsc");
  }
  /// The converted program written so far.
  std::string output() { return written(*run.output_file); }
  /// The message file written so far.
  std::string messages() { return written(*run.message_file); }

 private:
  std::FILE* open(std::string_view name, const char* mode) {
    std::FILE* stream = std::fopen(folder.file(name).c_str(), mode);
    if (stream == nullptr) ADD_FAILURE() << "cannot open " << folder.file(name);
    return stream;
  }
};

/// The command that the real parser makes of `text` (already upper case, as gathered from
/// columns 8 on), whose first line has `indent` characters before EXEC and whose first line is
/// written after `start_line` output lines. Its terminator follows from the text.
inline converter::ExecStatement make_statement(std::string_view text, int start_line = 0,
                                               std::size_t indent = 11) {
  converter::ExecStatement statement =
      converter::parse_statement(std::string(indent, ' ') + "EXEC", std::string(text));
  statement.start_line = start_line;
  return statement;
}

}  // namespace test_support
