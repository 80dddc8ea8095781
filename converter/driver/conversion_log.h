// The message file: numbered message lines and the summary report of the run's counters.
#pragma once

#include <initializer_list>
#include <string_view>

#include "message_format/message_format.h"
#include "text/text_format.h"

namespace converter {

struct ConversionRun;

/// Writes one message line, indented by one blank per open copybook level: "line %.4d - %s\n"
/// with `output_lines` + 1, the number of the output line where the affected text starts.
void log_line(ConversionRun& run, int output_lines, std::string_view text);

/// Logs `message` with `log_line`, its names ("%s") filled from `names` in order.
void log_message(ConversionRun& run, int output_lines, message_format::Message message,
                 std::initializer_list<text::FormatArg> names = {});

/// Logs `message` like `log_message` unless it was logged once before in the run: a manual step
/// is named once, where it is first needed.
void log_once(ConversionRun& run, int output_lines, message_format::Message message);

/// Writes the summary report of the run's counters to the message file.
void write_summary(ConversionRun& run);

}  // namespace converter
