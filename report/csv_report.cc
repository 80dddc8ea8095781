// The migration report as CSV files: one row per program, and one per copybook member.
#include "report/csv_report.h"

#include "message_format/severity.h"

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

std::string csv_report(const std::vector<const ProgramReport*>& programs) {
  std::string text = "program,program kind,lines read,lines written,EXEC ZARN statements";
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
    text += "," + csv_field(finding_heading(static_cast<Finding>(kind)));
  text += ",other messages,manual attention total,state";
  for (const message_format::SeverityText& severity : message_format::kSeverities)
    text += "," + std::string(severity.name);
  text += ",active monitor commands\n";
  for (const ProgramReport* report : programs) {
    const ProgramSummary& program = report->summary;
    text += csv_field(report->files.name);
    if (report->read) {
      text += "," + std::string(program_kind(program));
      text += "," + std::to_string(program.lines_read);
      text += "," + std::to_string(program.lines_written);
      text += "," + std::to_string(program.exec_statements);
      for (std::int64_t count : program.findings) text += "," + std::to_string(count);
      text += "," + std::to_string(program.other_messages);
      text += "," + std::to_string(program.total_findings());
    } else {
      text += std::string(kFindingKindCount + 6, ',');
    }
    text += "," + csv_field(state_name(report->state));
    for (std::int64_t count : report->by_class)
      text += report->read ? "," + std::to_string(count) : ",";
    text += "," + std::to_string(report->commands) + "\n";
  }
  return text;
}

std::string members_csv(const std::vector<const ProgramReport*>& programs) {
  // Whether a member of each outcome was found, and whether it was converted.
  constexpr std::string_view kFound[] = {"yes", "no", "yes", "not looked for", "monitor's"};
  constexpr std::string_view kConverted[] = {"yes", "no", "no", "no", "no"};
  std::vector<const ProgramSummary*> summaries;
  for (const ProgramReport* program : programs)
    if (program->read) summaries.push_back(&program->summary);
  std::string text = "member,found,converted,programs\n";
  for (const MemberCopies& member : members_of(summaries)) {
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
