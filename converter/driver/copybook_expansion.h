// Copybook members named by COPY and -INC lines, converted into their own ".new" files.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "text/text_files.h"

namespace converter {

struct ConversionRun;

/// Most copybook levels suspended at once; a member that would be the eleventh nested one is
/// not opened, with a message.
constexpr int kMaxIncludeDepth = 10;

/// One suspended file: its open streams and the lines read from and written to them so far.
struct IncludeLevel {
  std::unique_ptr<text::LineReader> input_file;
  std::unique_ptr<text::OutputFile> output_file;
  int input_line_count = 0;
  int output_line_count = 0;
};

/// The suspended files, entry 0 the most recently suspended. A member is being read while
/// entry 0 holds an input stream.
struct IncludeStack {
  std::array<IncludeLevel, kMaxIncludeDepth> levels;
};

/// True while a copybook member (not the program) is the current input.
bool reading_member(const ConversionRun& run);

/// Tells whether `line` is a COPY or -INC line ("COPY" wins), counts it, and puts the member
/// name into `run.copybook_name` (empty when the line gives no usable name).
bool copy_member_name(ConversionRun& run, std::string_view line);

/// Suspends the current file and makes member `name` and its ".new" output current. The COPY
/// line, number `copy_line` of the current input, has already been written to the current
/// output. Reserved and unusable names open nothing; a refused member is logged.
void push_include(ConversionRun& run, const std::string& name, int copy_line);

/// Resumes the most recently suspended file (streams are not closed here).
void pop_include(ConversionRun& run);

/// The member being read has ended: closes its files, logs its counts and resumes the
/// enclosing file.
void end_member(ConversionRun& run);

}  // namespace converter
