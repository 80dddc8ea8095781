// The message file: numbered message lines and the summary report of the run's counters.
#pragma once

#include <string_view>

namespace converter {

struct ConversionRun;

/// Writes one message line, indented by one blank per open copybook level: "line %.4d - %s\n"
/// with `output_lines` + 1, the number of the output line where the affected text starts.
void log_line(ConversionRun& run, int output_lines, std::string_view text);

/// Writes the summary report of the run's counters to the message file.
void write_summary(ConversionRun& run);

}  // namespace converter
