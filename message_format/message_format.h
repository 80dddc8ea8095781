// The message file that QUILLOX writes and quillox-report reads: the rows of its summary report,
// the messages it logs with the kind of finding each one is, and the lines about copybooks and
// the front end. The converter writes from these tables and the report reads by them, so the
// two cannot drift apart: adding a row or a message is one edit here.
#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

#include "text/table_order.h"

namespace message_format {

using text::ids_in_order;

// ---------------------------------------------------------------------------------------------
// The summary report

/// The rows of the summary report, in their order.
enum class Row : std::size_t {
  kInputLines,
  kOutputLines,
  kCopy,
  kInc,
  kExec,
  kLink,
  kXctl,
  kSendMap,
  kSendText,
  kSendControl,
  kSendConvid,
  kSendFromOnly,
  kSendBare,
  kReceiveMap,
  kReceiveBuffer,
  kConverse,
  kReturn,
  kAddress,
  kHandleMapfail,
  kHandleAid,
  kRoute,
  kMaponly,
  kDataonly,
  kErase,
  kEraseaup,
  kAlarm,
  kAccum,
  kPage,
  kFrset,
  kFreekb,
  kEibaid,
  kEibtrmid,
  kEibtrnid,
  kEibcalen,
  kEibcposn,
  kCommarea,
  kAssignTermcode,
};
inline constexpr std::size_t kRowCount = static_cast<std::size_t>(Row::kAssignTermcode) + 1;

/// One row: "%5d %s\n" with its count and `text`, after an empty line when `blank_line_before`.
struct SummaryRow {
  Row id;
  std::string_view text;
  bool blank_line_before;
};

/// The format of every summary row, filled with the count and the row's text.
inline constexpr std::string_view kSummaryRowFormat = "%5d %s\n";

inline constexpr SummaryRow kSummaryRows[] = {
    {Row::kInputLines, "Input lines read", true},
    {Row::kOutputLines, "Output lines written", false},
    {Row::kCopy, "Total copy statements found", false},
    {Row::kInc, "Total -INC statements found", false},
    {Row::kExec, "EXEC ZARN Statements", true},
    {Row::kLink, "Total EXEC ZARN LINK statements found", false},
    {Row::kXctl, "Total EXEC ZARN XCTL statements found", false},
    {Row::kSendMap, "SEND MAP statements", true},
    {Row::kSendText, "SEND TEXT statements", false},
    {Row::kSendControl, "SEND CONTROL statements", false},
    {Row::kSendConvid, "SEND CONVID or SESSION statements", false},
    {Row::kSendFromOnly, "SEND with FROM or CTLCHAR only", false},
    {Row::kSendBare, "SEND with no other parameters", false},
    {Row::kReceiveMap, "RECEIVE MAP statements", false},
    {Row::kReceiveBuffer, "RECEIVE BUFFER statementss", false},
    {Row::kConverse, "CONVERSE statements", false},
    {Row::kReturn, "RETURN statements", false},
    {Row::kAddress, "ADDRESS statements", false},
    {Row::kHandleMapfail, "HANDLE MAPFAIL statements", false},
    {Row::kHandleAid, "HANDLE AID statements", false},
    {Row::kRoute, "ROUTE statements", false},
    {Row::kMaponly, "MAPONLY parameters", true},
    {Row::kDataonly, "DATAONLY parameters", false},
    {Row::kErase, "ERASE parameters", false},
    {Row::kEraseaup, "ERASEAUP parameters", false},
    {Row::kAlarm, "ALARM parameters", false},
    {Row::kAccum, "ACCUM parameters", false},
    {Row::kPage, "PAGE parameters", false},
    {Row::kFrset, "FRSET statements", false},
    {Row::kFreekb, "FREEKB statements", false},
    {Row::kEibaid, "EIBAID variables", true},
    {Row::kEibtrmid, "EIBTRMID variables", false},
    {Row::kEibtrnid, "EIBTRNID variables", false},
    {Row::kEibcalen, "EIBCALEN variables", false},
    {Row::kEibcposn, "EIBCPOSN variables", false},
    {Row::kCommarea, "KVZCOMMAREA references", true},
    {Row::kAssignTermcode, "ASSIGN TERMCODE references", false},
};
static_assert(std::size(kSummaryRows) == kRowCount, "every summary row has its text");
static_assert(ids_in_order(kSummaryRows), "summary rows stand in the order of their ids");

/// The row with id `row`.
constexpr const SummaryRow& summary_row(Row row) {
  return kSummaryRows[static_cast<std::size_t>(row)];
}

/// The rows that count the map requests of a program (the requests a front end serves): a
/// program with none in any of them is a back-end program, one with any is a screen program.
inline constexpr Row kMapRequestRows[] = {Row::kSendMap, Row::kSendText, Row::kReceiveMap};

// ---------------------------------------------------------------------------------------------
// Kinds of finding: what a user has to look at by hand after a conversion

/// The kinds of finding, in the order of the report's columns.
enum class Finding : std::size_t {
  kLink,
  kXctl,
  kConverse,
  kReturnOptionDropped,
  kRoute,
  kAssignTermcode,
  kHandleConditionKept,
  kSendPage,
  kSendAccum,
  kSendControl,
  kSendCtlcharRemoved,
  kSendWithoutParameters,
  kSendConvidOrSession,
  kReceiveBuffer,
  kReceiveWithoutMap,
  kInvalidKey,
  kKvzaidNotCopied,
  kUsrcommWithoutLayout,
  kMapAreaInWorkingStorage,
  kWithoutEndExec,
  kNotInCapitals,
  kCopybookError,
  kMultipleReceives,
  kFrontEndNotBuilt,
};
inline constexpr std::size_t kFindingKindCount =
    static_cast<std::size_t>(Finding::kFrontEndNotBuilt) + 1;

/// A kind of finding and its column heading in the report.
struct FindingKind {
  Finding id;
  std::string_view heading;
};

inline constexpr FindingKind kFindingKinds[] = {
    {Finding::kLink, "LINK"},
    {Finding::kXctl, "XCTL"},
    {Finding::kConverse, "CONVERSE"},
    {Finding::kReturnOptionDropped, "RETURN option dropped"},
    {Finding::kRoute, "ROUTE"},
    {Finding::kAssignTermcode, "ASSIGN TERMCODE"},
    {Finding::kHandleConditionKept, "HANDLE CONDITION kept"},
    {Finding::kSendPage, "SEND PAGE"},
    {Finding::kSendAccum, "SEND ACCUM"},
    {Finding::kSendControl, "SEND CONTROL"},
    {Finding::kSendCtlcharRemoved, "SEND CTLCHAR removed"},
    {Finding::kSendWithoutParameters, "SEND without parameters"},
    {Finding::kSendConvidOrSession, "SEND CONVID or SESSION"},
    {Finding::kReceiveBuffer, "RECEIVE BUFFER"},
    {Finding::kReceiveWithoutMap, "RECEIVE without MAP"},
    {Finding::kInvalidKey, "invalid PF/PA keys"},
    {Finding::kKvzaidNotCopied, "KVZAID not copied"},
    {Finding::kUsrcommWithoutLayout, "USRCOMM without layout"},
    {Finding::kMapAreaInWorkingStorage, "map area in WORKING-STORAGE"},
    {Finding::kWithoutEndExec, "EXEC ZARN without END-EXEC"},
    {Finding::kNotInCapitals, "EXEC ZARN not in capitals"},
    {Finding::kCopybookError, "copybook errors"},
    {Finding::kMultipleReceives, "multiple RECEIVE maps"},
    {Finding::kFrontEndNotBuilt, "front end not built"},
};
static_assert(std::size(kFindingKinds) == kFindingKindCount, "every finding kind has a heading");
static_assert(ids_in_order(kFindingKinds), "finding kinds stand in the order of their ids");

/// The column heading of `kind`.
constexpr std::string_view finding_heading(Finding kind) {
  return kFindingKinds[static_cast<std::size_t>(kind)].heading;
}

// ---------------------------------------------------------------------------------------------
// Message lines: "line %.4d - %s\n", indented by one blank per open copybook level

/// The format of a message line, filled with the output line number and the message.
inline constexpr std::string_view kMessageLineFormat = "line %.4d - %s\n";

/// The messages of a conversion.
enum class Message : std::size_t {
  kProgramIdChanged,
  kStdheadInserted,
  kLinkageInserted,
  kNotInCapitals,
  kEibtrmidChanged,
  kEibtrnidChanged,
  kEibaidChanged,
  kEibcposnChanged,
  kEibcalenChanged,
  kCommareaChanged,
  kSendPage,
  kSendMapHandled,
  kSendAccum,
  kSendTextHandled,
  kSendControl,
  kSendConvid,
  kSendFromHandled,
  kSendCtlcharRemoved,
  kSendBareRemoved,
  kConverseRemoved,
  kMapParameterMissing,
  kReceiveMapHandled,
  kReceiveBuffer,
  kReceiveWithoutMap,
  kRoute,
  kAddressTctua,
  kAddressCommarea,
  kHandleMapfail,
  kHandleAid,
  kLink,
  kXctl,
  kAssignTermcode,
  kReturnHandled,
  kReturnHandledLengthZero,
  kInvalidPfKey,
  kInvalidPaKey,
  kAidBlocksInserted,
  kMapfailBlockInserted,
  kKvzaidNotCopied,
  kUsrcommWithoutLayout,
  kWithoutEndExec,
  kMapAreaInWorkingStorage,
  kReturnOptionDropped,
};
inline constexpr std::size_t kMessageCount =
    static_cast<std::size_t>(Message::kReturnOptionDropped) + 1;

/// One message: its text ("%s" where names or arguments are filled in), the kind of finding
/// it reports, if any, and the summary row that counts the same event once per message, if any.
struct MessageText {
  Message id;
  std::string_view format;
  std::optional<Finding> finding;
  std::optional<Row> counted_in;
};

inline constexpr MessageText kMessages[] = {
    {Message::kProgramIdChanged, "PROGRAM-ID paragraph changed", {}, {}},
    {Message::kStdheadInserted, "COPY for STDHEAD in KVZCOMMAREA inserted", {}, {}},
    {Message::kLinkageInserted, "LINKAGE SECTION INSERTED", {}, {}},
    {Message::kNotInCapitals,
     "*** EXEC ZARN not in capitals - not converted",
     Finding::kNotInCapitals,
     {}},
    {Message::kEibtrmidChanged, "EIBTRMID changed", {}, Row::kEibtrmid},
    {Message::kEibtrnidChanged, "EIBTRNID changed", {}, Row::kEibtrnid},
    {Message::kEibaidChanged, "EIBAID changed", {}, Row::kEibaid},
    {Message::kEibcposnChanged, "EIBCPOSN changed", {}, Row::kEibcposn},
    {Message::kEibcalenChanged, "EIBCALEN changed", {}, Row::kEibcalen},
    {Message::kCommareaChanged, "KVZCOMMAREA changed", {}, Row::kCommarea},
    {Message::kSendPage, "*** SEND PAGE found", Finding::kSendPage, Row::kPage},
    {Message::kSendMapHandled, "ZARN SEND MAP handled for map %s mapset %s", {}, Row::kSendMap},
    {Message::kSendAccum, "*** SEND ACCUM found", Finding::kSendAccum, Row::kAccum},
    {Message::kSendTextHandled, "ZARN SEND TEXT handled", {}, Row::kSendText},
    {Message::kSendControl, "*** ZARN SEND CONTROL found", Finding::kSendControl,
     Row::kSendControl},
    {Message::kSendConvid, "*** XPCM SEND found - ignored", Finding::kSendConvidOrSession,
     Row::kSendConvid},
    {Message::kSendFromHandled, "ZARN SEND FROM handled as SEND TEXT", {}, Row::kSendText},
    {Message::kSendCtlcharRemoved, "Send CTLCHAR found - removed", Finding::kSendCtlcharRemoved,
     Row::kSendFromOnly},
    {Message::kSendBareRemoved, "SEND found - no recognized parameters - removed",
     Finding::kSendWithoutParameters, Row::kSendBare},
    {Message::kConverseRemoved, "CONVERSE removed - program logic must be checked",
     Finding::kConverse, Row::kConverse},
    {Message::kMapParameterMissing, "MAP parameter missing", {}, {}},
    {Message::kReceiveMapHandled, "ZARN RECEIVE MAP for map %s handled", {}, Row::kReceiveMap},
    {Message::kReceiveBuffer, "*** EXEC ZARN RECEIVE BUFFER found", Finding::kReceiveBuffer,
     Row::kReceiveBuffer},
    {Message::kReceiveWithoutMap,
     "*** EXEC ZARN RECEIVE with no MAP parameter",
     Finding::kReceiveWithoutMap,
     {}},
    {Message::kRoute, "*** ZVL ROUTE command found", Finding::kRoute, Row::kRoute},
    {Message::kAddressTctua, "ZARN ADDRESS TCTUA handled", {}, {}},
    {Message::kAddressCommarea, "ZARN ADDRESS COMMAREA handled", {}, {}},
    {Message::kHandleMapfail, "*** ZARN HANDLE CONDITION MAPFAIL found",
     Finding::kHandleConditionKept, Row::kHandleMapfail},
    {Message::kHandleAid, "*** ZARN HANDLE AID found", {}, Row::kHandleAid},
    {Message::kLink, "EXEC ZARN LINK to program %s found", Finding::kLink, Row::kLink},
    {Message::kXctl, "EXEC ZARN XCTL to program %s found", Finding::kXctl, Row::kXctl},
    {Message::kAssignTermcode, "ASSIGN TERMCODE found - program logic should be checked",
     Finding::kAssignTermcode, Row::kAssignTermcode},
    // The RETURN message names each of TRANSID, COMMAREA and LENGTH that the command has, with
    // its argument and a blank after it.
    {Message::kReturnHandled, "EXEC ZARN RETURN %shandled", {}, Row::kReturn},
    {Message::kReturnHandledLengthZero,
     "EXEC ZARN RETURN %shandled User COMMAREA Length was set to zero",
     {},
     Row::kReturn},
    {Message::kInvalidPfKey, "Invalid PF Key", Finding::kInvalidKey, {}},
    {Message::kInvalidPaKey, "Invalid PA Key", Finding::kInvalidKey, {}},
    {Message::kAidBlocksInserted, "HANDLE AID statements inserted for EXEC ZARN RECEIVE", {}, {}},
    {Message::kMapfailBlockInserted,
     "HANDLE MAPFAIL statement inserted for EXEC ZARN RECEIVE",
     {},
     {}},
    {Message::kKvzaidNotCopied,
     "*** KVZAID is not copied - the attention-key tests need its constants",
     Finding::kKvzaidNotCopied,
     {}},
    {Message::kUsrcommWithoutLayout,
     "*** USRCOMM has no layout - declare the user communication area under 02 USRCOMM",
     Finding::kUsrcommWithoutLayout,
     {}},
    {Message::kWithoutEndExec,
     "*** EXEC ZARN command without END-EXEC in 20 lines - not converted",
     Finding::kWithoutEndExec,
     {}},
    // A map area must travel in the communication area, after the USRCOMM items, for the front
    // end to show or pass its data.
    {Message::kMapAreaInWorkingStorage,
     "*** map area %s is in WORKING-STORAGE - move it after USRCOMM, here and in the front end",
     Finding::kMapAreaInWorkingStorage,
     {}},
    // The option word (CHANNEL, IMMEDIATE).
    {Message::kReturnOptionDropped,
     "*** RETURN %s dropped - program logic must be checked",
     Finding::kReturnOptionDropped,
     {}},
};
static_assert(std::size(kMessages) == kMessageCount, "every message has its text");
static_assert(ids_in_order(kMessages), "messages stand in the order of their ids");

/// The text of `message`, "%s" standing where names are filled in.
constexpr std::string_view message_text(Message message) {
  return kMessages[static_cast<std::size_t>(message)].format;
}

// ---------------------------------------------------------------------------------------------
// Manual steps: what the user still does by hand after a conversion

/// One manual step and what calls for it: a kind of finding, or a message that is none.
struct ManualStep {
  std::string_view text;
  std::optional<Finding> finding;
  std::optional<Message> message;
};

/// The manual steps in the order of a program's checklist: what keeps the program from
/// compiling first, then the commands to check, the members, the front end.
inline constexpr ManualStep kManualSteps[] = {
    {"Declare the user communication area under 02 USRCOMM", Finding::kUsrcommWithoutLayout, {}},
    {"Check the user communication area under 02 USRCOMM; raise its level numbers with NESTLVL "
     "where they collide with the header's",
     {},
     Message::kStdheadInserted},
    {"COPY KVZAID into WORKING-STORAGE: the attention-key tests need its constants",
     Finding::kKvzaidNotCopied,
     {}},
    {"Move each map area out of WORKING-STORAGE to after the USRCOMM items, in the program and "
     "in the front end",
     Finding::kMapAreaInWorkingStorage,
     {}},
    {"Check each LINK, which stays active", Finding::kLink, {}},
    {"Check each XCTL, which stays active", Finding::kXctl, {}},
    {"Check the program logic where CONVERSE was removed", Finding::kConverse, {}},
    {"Check the program logic where a RETURN option (CHANNEL, IMMEDIATE) was dropped",
     Finding::kReturnOptionDropped,
     {}},
    {"Check each ROUTE, which stays active", Finding::kRoute, {}},
    {"Check the program logic at each ASSIGN TERMCODE, which stays active",
     Finding::kAssignTermcode,
     {}},
    {"Check each SEND PAGE: paging is not converted", Finding::kSendPage, {}},
    {"Check each SEND ACCUM: accumulated maps are not converted", Finding::kSendAccum, {}},
    {"Check where SEND CONTROL was found", Finding::kSendControl, {}},
    {"Check where a SEND with CTLCHAR only was removed", Finding::kSendCtlcharRemoved, {}},
    {"Check where a SEND without parameters was removed", Finding::kSendWithoutParameters, {}},
    {"Check each SEND CONVID or SESSION, which was left as it was",
     Finding::kSendConvidOrSession,
     {}},
    {"Check each RECEIVE BUFFER: it is not converted", Finding::kReceiveBuffer, {}},
    {"Check each RECEIVE without MAP: it is not converted", Finding::kReceiveWithoutMap, {}},
    {"Check each HANDLE CONDITION MAPFAIL, which stays active: each later RECEIVE MAP now tests "
     "USRMAPLN for it",
     Finding::kHandleConditionKept,
     {}},
    {"Correct the invalid PF/PA keys of HANDLE AID: no test was written for them",
     Finding::kInvalidKey,
     {}},
    {"Convert by hand each EXEC ZARN command whose END-EXEC was not found",
     Finding::kWithoutEndExec,
     {}},
    {"Convert again: an EXEC ZARN command not in capitals was not converted",
     Finding::kNotInCapitals,
     {}},
    {"Make the copybook members that were not converted available, and convert again",
     Finding::kCopybookError,
     {}},
    {"In the front end, make each RECEIVE block depend on the map on the screen",
     Finding::kMultipleReceives,
     {}},
    {"Build the front end: its file or the template NEWDSP4.TXT could not be opened",
     Finding::kFrontEndNotBuilt,
     {}},
};

/// True when each step is called for by exactly one kind of finding or one message, and each
/// kind of finding calls for exactly one step. Meant for a static_assert.
constexpr bool every_finding_has_one_step() {
  for (const ManualStep& step : kManualSteps)
    if (step.finding.has_value() == step.message.has_value()) return false;
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
    int steps = 0;
    for (const ManualStep& step : kManualSteps)
      if (step.finding == static_cast<Finding>(kind)) ++steps;
    if (steps != 1) return false;
  }
  return true;
}
static_assert(every_finding_has_one_step(), "every kind of finding has one manual step");

/// The step that `message` calls for by itself (not through its kind of finding), if any.
constexpr const ManualStep* step_of_message(Message message) {
  for (const ManualStep& step : kManualSteps)
    if (step.message == message) return &step;
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Lines written without the message-line format

/// Copybook lines: a member opened (name, input line of the COPY line), the three ways it is
/// not converted, a monitor's member, and its counts when it ends.
inline constexpr std::string_view kOpeningCopyBook = "  opening copy book %s at line %d\n";
inline constexpr std::string_view kCopyFileError = " ***error*** opening copy file %s\n";
inline constexpr std::string_view kOutputCopyFileError =
    " ***error*** opening output copy file %s\n";
inline constexpr std::string_view kNestingError =
    " ***error*** copy book nesting exceeds 10 levels - %s not opened\n";
/// A COPY or -INC of one of the monitor's own members (KVZAID, KVZZVLCA, KVZEIBLK), which is
/// never opened: written where an opened member writes its opening line.
inline constexpr std::string_view kMonitorMember = "  copy book %s is the monitor's - not opened\n";
inline constexpr std::string_view kCopyBookLinesRead = "  %d lines read in copy book\n";
inline constexpr std::string_view kCopyBookLinesWritten = "  %d lines written in copy book\n";

/// Front-end lines after the summary report: the front end built (its name), not built because
/// its file or the template could not be opened, and the counts written at the template's markers.
inline constexpr std::string_view kFrontEndCreated =
    "\n Creating new DSP4 front end prototype file - %s\n";
inline constexpr std::string_view kFrontEndNotOpened =
    "\n Unable to open new DSP4 front end file\n";
/// The template named (NEWDSP4.TXT, or the file given with --template) was not found.
inline constexpr std::string_view kTemplateNotFound =
    "\n Unable to open DSP4 template file %s - no front end written\n";
inline constexpr std::string_view kReceiveCount =
    "Number of ZVL RECEIVE statements found in original Program - %d\n";
inline constexpr std::string_view kMultipleReceives =
    "**** Warning - Multiple receives found - manual changes required\n";
inline constexpr std::string_view kSendCount =
    "Number of ZVL SEND statements found in original Program -    %d\n";
inline constexpr std::string_view kUniqueSendCount =
    "Number of unique ZVL SEND statements found              -    %d\n";

}  // namespace message_format
