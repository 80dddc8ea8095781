// The source line loop: reads the program (and its members) line by line, decides what each
// line needs and writes the converted program.
#pragma once

#include <string_view>

namespace converter {

struct ConversionRun;

/// Converts the whole program of an opened run: every line and member, the closing BADMAPNAME
/// paragraph, the summary report, then the front end when one was asked for. Closes every file.
void convert_program(ConversionRun& run);

/// Converts one source line held in `run.line` (already read and counted).
void convert_line(ConversionRun& run);

/// Writes the paragraph that converted RECEIVE MAP checks jump to when the map name differs.
void write_badmapname_paragraph(ConversionRun& run);

/// True when `line` starts an EXEC ZARN command: the word EXEC, and the word ZARN in the text
/// that begins 5 characters after EXEC.
bool starts_exec_command(std::string_view line);

}  // namespace converter
