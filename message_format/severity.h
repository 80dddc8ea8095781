// How much each kind of finding weighs: whether it keeps the converted program from compiling,
// changes what it does, or only asks for a look. The report orders the work by it, tools read it
// as the level of each finding, and a CI job can fail on it.
#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

#include "message_format/message_format.h"
#include "text/table_order.h"

namespace message_format {

/// The classes of finding, the heaviest first.
enum class Severity : std::size_t {
  kBlocksCompilation,
  kChangesBehaviour,
  kReview,
};
inline constexpr std::size_t kSeverityCount = static_cast<std::size_t>(Severity::kReview) + 1;

/// A class: its name on the page, the word that names it on the command line, and the level of
/// its findings for editors and code-scanning services.
struct SeverityText {
  Severity id;
  std::string_view name;
  std::string_view option;
  std::string_view level;
};

inline constexpr SeverityText kSeverities[] = {
    {Severity::kBlocksCompilation, "blocks compilation", "blocks", "error"},
    {Severity::kChangesBehaviour, "changes behaviour", "behaviour", "warning"},
    {Severity::kReview, "review", "review", "note"},
};
static_assert(std::size(kSeverities) == kSeverityCount, "every class has its texts");
static_assert(ids_in_order(kSeverities), "classes stand in the order of their ids");

/// The texts of `severity`.
constexpr const SeverityText& severity_text(Severity severity) {
  return kSeverities[static_cast<std::size_t>(severity)];
}

/// The class whose command-line word is `option` ("blocks", "behaviour", "review"), if any.
constexpr std::optional<Severity> severity_of_option(std::string_view option) {
  for (const SeverityText& text : kSeverities)
    if (text.option == option) return text.id;
  return std::nullopt;
}

/// A kind of finding and its class.
struct FindingSeverity {
  Finding id;
  Severity severity;
};

// What cannot compile comes first: a communication area without items, constants not copied,
// a member missing or not converted, a map area the front end cannot see, a command left
// unconverted. Then what compiles but no longer does what the original did: screen logic that
// has no counterpart in the header. Last what stays as it was and needs a look: the transfers,
// ROUTE, ASSIGN and HANDLE CONDITION, which still call the monitor.
inline constexpr FindingSeverity kFindingSeverities[] = {
    {Finding::kLink, Severity::kReview},
    {Finding::kXctl, Severity::kReview},
    {Finding::kConverse, Severity::kChangesBehaviour},
    {Finding::kReturnOptionDropped, Severity::kChangesBehaviour},
    {Finding::kRoute, Severity::kReview},
    {Finding::kAssignTermcode, Severity::kReview},
    {Finding::kHandleConditionKept, Severity::kReview},
    {Finding::kSendPage, Severity::kChangesBehaviour},
    {Finding::kSendAccum, Severity::kChangesBehaviour},
    {Finding::kSendControl, Severity::kChangesBehaviour},
    {Finding::kSendCtlcharRemoved, Severity::kChangesBehaviour},
    {Finding::kSendWithoutParameters, Severity::kChangesBehaviour},
    {Finding::kSendConvidOrSession, Severity::kChangesBehaviour},
    {Finding::kReceiveBuffer, Severity::kChangesBehaviour},
    {Finding::kReceiveWithoutMap, Severity::kChangesBehaviour},
    {Finding::kInvalidKey, Severity::kChangesBehaviour},
    {Finding::kKvzaidNotCopied, Severity::kBlocksCompilation},
    {Finding::kUsrcommWithoutLayout, Severity::kBlocksCompilation},
    {Finding::kMapAreaInWorkingStorage, Severity::kBlocksCompilation},
    {Finding::kWithoutEndExec, Severity::kBlocksCompilation},
    {Finding::kNotInCapitals, Severity::kBlocksCompilation},
    {Finding::kCopybookError, Severity::kBlocksCompilation},
    {Finding::kMultipleReceives, Severity::kChangesBehaviour},
    {Finding::kFrontEndNotBuilt, Severity::kChangesBehaviour},
};
static_assert(std::size(kFindingSeverities) == kFindingKindCount, "every finding kind has a class");
static_assert(ids_in_order(kFindingSeverities), "classes stand in the order of the kinds");

/// The class of `kind`.
constexpr Severity severity_of(Finding kind) {
  return kFindingSeverities[static_cast<std::size_t>(kind)].severity;
}

/// The class of a message the report does not know, and of a step that a message calls for by
/// itself: nothing says it blocks anything, yet someone has to read it.
inline constexpr Severity kUnclassifiedSeverity = Severity::kReview;

/// The class of the monitor's own members that a program copies: it does not compile until
/// they are supplied.
inline constexpr Severity kMonitorMemberSeverity = Severity::kBlocksCompilation;

}  // namespace message_format
