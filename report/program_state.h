// What became of each program of the application, from quillox-all's record, its message file
// and the dates of its files, and the order in which the page lists the programs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "message_format/severity.h"
#include "report/message_file.h"
#include "report/record_file.h"
#include "text/table_order.h"

namespace report {

using message_format::kSeverityCount;
using message_format::Severity;

/// The states of a program, in the order the page lists them: first those that need a
/// conversion before anything else, then the converted ones.
enum class ProgramState : std::size_t {
  kFailed,
  kRefusedClash,
  kRefusedEdited,
  kNotConverted,
  kMessageFileNotRead,
  kOutOfDate,
  kConvertedWithFindings,
  kConverted,
};
inline constexpr std::size_t kStateCount = static_cast<std::size_t>(ProgramState::kConverted) + 1;

/// A state and its name on the page and in the CSV file.
struct StateText {
  ProgramState id;
  std::string_view name;
};

inline constexpr StateText kStates[] = {
    {ProgramState::kFailed, "failed"},
    {ProgramState::kRefusedClash, "refused: clash"},
    {ProgramState::kRefusedEdited, "refused: hand edits"},
    {ProgramState::kNotConverted, "not converted"},
    {ProgramState::kMessageFileNotRead, "message file not read"},
    {ProgramState::kOutOfDate, "out of date"},
    {ProgramState::kConvertedWithFindings, "converted with findings"},
    {ProgramState::kConverted, "converted"},
};
static_assert(std::size(kStates) == kStateCount, "every state has its name");
static_assert(text::ids_in_order(kStates), "states stand in the order of their ids");

/// The name of `state`.
constexpr std::string_view state_name(ProgramState state) {
  return kStates[static_cast<std::size_t>(state)].name;
}

/// True for the states whose program has to be converted (again) before its findings can be
/// trusted: all but the two converted ones. Such a program counts as blocking compilation.
constexpr bool needs_conversion(ProgramState state) {
  return state != ProgramState::kConverted && state != ProgramState::kConvertedWithFindings;
}

/// What is known of a program when its state is decided.
struct StateFacts {
  /// Its line in quillox-all's record, unless the message file was written after the record
  /// (a conversion by hand since the last run).
  std::optional<RecordEntry> record;
  bool has_message_file = false;
  bool message_file_read = false;  // read and understood
  bool out_of_date = false;        // the program or a member it copies is newer than the file
  std::int64_t findings = 0;
};

/// The state the facts give: what the record says of a failed, refused or interrupted program
/// first, then a message file missing or not read, then the dates, then the findings.
ProgramState state_of(const StateFacts& facts);

/// The findings of `program` by class: each kind in its class, the other messages as
/// unclassified.
std::array<std::int64_t, kSeverityCount> findings_by_class(const ProgramSummary& program);

/// The heaviest class with at least one finding in `by_class`, if any.
std::optional<Severity> heaviest_class(const std::array<std::int64_t, kSeverityCount>& by_class);

/// What the page orders the programs by.
struct OrderKey {
  ProgramState state;
  std::array<std::int64_t, kSeverityCount> by_class;
  std::int64_t findings;
  std::string_view name;
};

/// True when `a` comes before `b` on the page: by state (those to convert first), then by the
/// heaviest class found, then by the number of findings of that class, the most first, then by
/// all findings, then by name.
bool comes_before(const OrderKey& a, const OrderKey& b);

}  // namespace report
