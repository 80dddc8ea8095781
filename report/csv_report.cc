// The migration report as a CSV file: one row per program.
#include "report/csv_report.h"

namespace report {

std::string csv_field(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string csv_report(const std::vector<ProgramSummary>& programs) {
  std::string text = "program,lines read,lines written,EXEC ZARN statements";
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
    text += "," + csv_field(finding_heading(static_cast<Finding>(kind)));
  text += ",manual attention total\n";
  for (const ProgramSummary& program : programs) {
    text += csv_field(program.name);
    text += "," + std::to_string(program.lines_read);
    text += "," + std::to_string(program.lines_written);
    text += "," + std::to_string(program.exec_statements);
    for (std::int64_t count : program.findings) text += "," + std::to_string(count);
    text += "," + std::to_string(program.total_findings()) + "\n";
  }
  return text;
}

}  // namespace report
