// The source line loop: reads the program (and its members) line by line, decides what each
// line needs and writes the converted program.
#pragma once

namespace converter {

struct ConversionRun;

/// Converts the whole program of an opened run: every line and member, the closing BADMAPNAME
/// paragraph, the summary report, then the front end when one was asked for. Closes every file.
void convert_program(ConversionRun& run);

/// Converts one source line held in `run.line` (already read and counted).
void convert_line(ConversionRun& run);

/// Writes the paragraph that converted RECEIVE MAP checks jump to when the map name differs.
void write_badmapname_paragraph(ConversionRun& run);

}  // namespace converter
