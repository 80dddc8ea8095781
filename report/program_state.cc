// What became of each program of the application, from quillox-all's record, its message file
// and the dates of its files, and the order in which the page lists the programs.
#include "report/program_state.h"

namespace report {

namespace {

// The rank of a program's heaviest class: kSeverityCount when it has no finding.
std::size_t class_rank(const std::array<std::int64_t, kSeverityCount>& by_class) {
  std::optional<Severity> heaviest = heaviest_class(by_class);
  return heaviest ? static_cast<std::size_t>(*heaviest) : kSeverityCount;
}

}  // namespace

ProgramState state_of(const StateFacts& facts) {
  if (facts.record) {
    switch (facts.record->state) {
      case RecordState::kFailed:
        return ProgramState::kFailed;
      case RecordState::kRefusedClash:
        return ProgramState::kRefusedClash;
      case RecordState::kRefusedEdited:
        return ProgramState::kRefusedEdited;
      case RecordState::kNotRun:
        return ProgramState::kNotConverted;
      case RecordState::kConverted:
        break;
    }
  }
  if (!facts.has_message_file) return ProgramState::kNotConverted;
  if (!facts.message_file_read) return ProgramState::kMessageFileNotRead;
  if (facts.out_of_date) return ProgramState::kOutOfDate;
  return facts.findings > 0 ? ProgramState::kConvertedWithFindings : ProgramState::kConverted;
}

std::array<std::int64_t, kSeverityCount> findings_by_class(const ProgramSummary& program) {
  std::array<std::int64_t, kSeverityCount> by_class{};
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
    by_class[static_cast<std::size_t>(message_format::severity_of(static_cast<Finding>(kind)))] +=
        program.findings[kind];
  by_class[static_cast<std::size_t>(message_format::kUnclassifiedSeverity)] +=
      program.other_messages;
  return by_class;
}

std::optional<Severity> heaviest_class(const std::array<std::int64_t, kSeverityCount>& by_class) {
  for (std::size_t at = 0; at < kSeverityCount; ++at)
    if (by_class[at] > 0) return static_cast<Severity>(at);
  return std::nullopt;
}

bool comes_before(const OrderKey& a, const OrderKey& b) {
  if (a.state != b.state) {
    // The converted programs, with findings or none, are ordered by their findings alone.
    bool a_converted = !needs_conversion(a.state);
    bool b_converted = !needs_conversion(b.state);
    if (!a_converted || !b_converted) return a.state < b.state;
  }
  std::size_t a_rank = class_rank(a.by_class);
  std::size_t b_rank = class_rank(b.by_class);
  if (a_rank != b_rank) return a_rank < b_rank;
  if (a_rank < kSeverityCount && a.by_class[a_rank] != b.by_class[b_rank])
    return a.by_class[a_rank] > b.by_class[b_rank];
  if (a.findings != b.findings) return a.findings > b.findings;
  return a.name < b.name;
}

}  // namespace report
