// The migration report as CSV files: one row per program, and one per copybook member.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/application_totals.h"
#include "report/message_file.h"
#include "report/program_reading.h"

namespace report {

/// `field` as a CSV field. A field that begins with "=", "+", "-", "@", a tab or a carriage
/// return gets an apostrophe in front, so that a spreadsheet shows it as text and never runs it
/// as a formula; then the field is enclosed in double quotes, with each quote doubled, when it
/// holds a comma, a double quote, a carriage return or a line feed.
std::string csv_field(std::string_view field);

/// The kind of `program` as the reports name it: "screen" (it makes map requests) or "back-end".
std::string_view program_kind(const ProgramSummary& program);

/// The whole CSV file: a heading line, then one line per program in the order given, each line
/// ending in a line feed. Columns: program, program kind, lines read, lines written, EXEC ZARN
/// statements, one column per finding kind, other messages, the findings added up, then the
/// program's state, its findings of each class and its active monitor commands. A program whose
/// message file was not read has its counts empty.
std::string csv_report(const std::vector<const ProgramReport*>& programs);

/// The members CSV file: a heading line, then one line per member and outcome (in order of name,
/// then outcome), each with whether it was found, whether it was converted, and the programs that
/// copy it (in the order given, separated by "; ").
std::string members_csv(const std::vector<const ProgramReport*>& programs);

}  // namespace report
