// A conversion run whose converted program and message file are temporary files, and a command
// built from its text the way the command assembly builds it, for tests of one conversion.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_run.h"
#include "converter/driver/keyword_scanner.h"
#include "converter/driver/text_files.h"

namespace test_support {

/// Everything written so far to `file`, which stays open for more.
inline std::string written(converter::OutputFile& file) {
  std::FILE* stream = file.stream();
  std::fflush(stream);
  long position = std::ftell(stream);
  std::rewind(stream);
  std::string all;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) all.append(buffer, got);
  std::fseek(stream, position, SEEK_SET);
  return all;
}

/// A run with its converted program and message file open on temporary files.
struct RunHarness {
  converter::ConversionRun run;

  RunHarness() {
    run.output_file = std::make_unique<converter::OutputFile>(std::tmpfile(), "PROG.new");
    run.message_file = std::make_unique<converter::OutputFile>(std::tmpfile(), "PROG.msg");
  }
  /// The converted program written so far.
  std::string output() { return written(*run.output_file); }
  /// The message file written so far.
  std::string messages() { return written(*run.message_file); }
};

/// A command with `text` (already upper case), its keywords looked up as the assembly does.
inline converter::ExecStatement make_statement(std::string_view text,
                                               std::string_view indent = "           ",
                                               char terminator = '.', int start_line = 0) {
  converter::ExecStatement statement;
  statement.text = std::string(text);
  statement.indent = std::string(indent);
  statement.terminator = terminator;
  statement.start_line = start_line;
  for (std::size_t k = 0; k < converter::kKeywordCount; ++k)
    statement.options[k] = converter::find_keyword(
        statement.text, converter::keyword_text(static_cast<converter::Keyword>(k)));
  return statement;
}

}  // namespace test_support
