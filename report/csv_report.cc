// The migration report as a CSV file: one row per program.
#include "report/csv_report.h"

namespace report {

namespace {

// What a spreadsheet takes as the start of a formula when it begins a cell.
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

}  // namespace

std::string csv_field(std::string_view field) {
  std::string text;
  if (!field.empty() && kFormulaStarts.find(field.front()) != std::string_view::npos) text = "'";
  text += field;
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string_view program_kind(const ProgramSummary& program) {
  return program.screen_program() ? "screen" : "back-end";
}

std::string csv_report(const std::vector<ProgramSummary>& programs) {
  std::string text = "program,program kind,lines read,lines written,EXEC ZARN statements";
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
    text += "," + csv_field(finding_heading(static_cast<Finding>(kind)));
  text += ",other messages,manual attention total\n";
  for (const ProgramSummary& program : programs) {
    text += csv_field(program.name);
    text += "," + std::string(program_kind(program));
    text += "," + std::to_string(program.lines_read);
    text += "," + std::to_string(program.lines_written);
    text += "," + std::to_string(program.exec_statements);
    for (std::int64_t count : program.findings) text += "," + std::to_string(count);
    text += "," + std::to_string(program.other_messages);
    text += "," + std::to_string(program.total_findings()) + "\n";
  }
  return text;
}

std::string members_csv(const std::vector<ProgramSummary>& programs) {
  // Whether a member of each outcome was found, and whether it was converted.
  constexpr std::string_view kFound[] = {"yes", "no", "yes", "not looked for", "monitor's"};
  constexpr std::string_view kConverted[] = {"yes", "no", "no", "no", "no"};
  std::string text = "member,found,converted,programs\n";
  for (const MemberCopies& member : members_of(programs)) {
    std::size_t outcome = static_cast<std::size_t>(member.outcome);
    std::string names;
    for (const ProgramSummary* program : member.programs) {
      if (!names.empty()) names += "; ";
      names += program->name;
    }
    text += csv_field(member.name) + "," + std::string(kFound[outcome]) + "," +
            std::string(kConverted[outcome]) + "," + csv_field(names) + "\n";
  }
  return text;
}

}  // namespace report
