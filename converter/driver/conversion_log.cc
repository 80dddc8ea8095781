// The message file: numbered message lines and the summary report of the run's counters.
#include "converter/driver/conversion_log.h"

#include "converter/driver/conversion_run.h"

namespace converter {

using message_format::Row;

using text::OutputFile;

void log_line(ConversionRun& run, int output_lines, std::string_view text) {
  OutputFile& log = *run.message_file;
  for (int i = 0; i < run.include_depth; ++i) log.write(" ");
  log.print(message_format::kMessageLineFormat, {output_lines + 1, text});
}

void log_message(ConversionRun& run, int output_lines, message_format::Message message,
                 std::initializer_list<text::FormatArg> names) {
  std::string_view text = message_format::message_text(message);
  if (names.size() == 0) {
    log_line(run, output_lines, text);
    return;
  }
  log_line(run, output_lines, text::format(text, names));
}

void log_once(ConversionRun& run, int output_lines, message_format::Message message) {
  bool& logged = run.logged_once[static_cast<std::size_t>(message)];
  if (logged) return;
  logged = true;
  log_message(run, output_lines, message);
}

void write_summary(ConversionRun& run) {
  OutputFile& log = *run.message_file;
  for (const message_format::SummaryRow& row : message_format::kSummaryRows) {
    // The first two rows are the main program's own lines, copybooks not included.
    int count = row.id == Row::kInputLines    ? run.input_line_count
                : row.id == Row::kOutputLines ? run.output_line_count
                                              : run.count(row.id);
    if (row.blank_line_before) log.write("\n");
    log.print(message_format::kSummaryRowFormat, {count, row.text});
  }
}

}  // namespace converter
