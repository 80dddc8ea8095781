// ROUTE, ADDRESS, HANDLE, LINK, XCTL, ASSIGN TERMCODE and RETURN commands.
#include "converter/commands/return_and_transfer.h"

#include <string>

#include "converter/commands/attention_keys.h"
#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_log.h"
#include "converter/driver/conversion_run.h"
#include "text/text_format.h"

namespace converter {

using message_format::Message;

using message_format::Row;

using text::append_format;
using text::format;

namespace {

// The RETURN message names each of TRANSID, COMMAREA and LENGTH that the command has, with its
// argument, and notes when the length was set to zero. Never cut, however long the arguments.
void log_return_message(ConversionRun& run, const ExecStatement& statement) {
  std::string named;
  if (statement.has(Keyword::kTransid))
    append_format(named, "TRANSID(%s) ", {statement.argument(Keyword::kTransid)});
  if (statement.has(Keyword::kCommarea))
    append_format(named, "COMMAREA(%s) ", {statement.argument(Keyword::kCommarea)});
  if (statement.has(Keyword::kLength))
    append_format(named, "LENGTH(%s) ", {statement.argument(Keyword::kLength)});
  // Only a RETURN that hands back no area sets the length to zero.
  bool length_set = statement.has(Keyword::kLength) || statement.has(Keyword::kCommarea);
  log_message(run, statement.start_line,
              length_set ? Message::kReturnHandled : Message::kReturnHandledLengthZero, {named});
}

// Before a line that names USRCOMM OF KVZCOMMAREA: without a LINKAGE SECTION the inserted area
// has no USRCOMM, which the user must declare.
void note_usrcomm_line(ConversionRun& run) {
  if (!run.linkage_seen) log_once(run, run.output_line_count, Message::kUsrcommWithoutLayout);
}

}  // namespace

void convert_route(ConversionRun& run, const ExecStatement& statement) {
  ++run.count(Row::kRoute);
  log_message(run, statement.start_line, Message::kRoute);
}

void convert_address(ConversionRun& run, const ExecStatement& statement) {
  ++run.count(Row::kAddress);
  bool commarea = statement.has(Keyword::kCommarea);
  if (statement.has(Keyword::kTctua)) {
    log_message(run, statement.start_line, Message::kAddressTctua);
    // Only the last SET statement ends the sentence.
    char ending = commarea ? ' ' : statement.terminator;
    write_generated_line(run,
                         format("%11sSET %s TO ADDRESS OF USRTCTUA%c",
                                {statement.indent, statement.argument(Keyword::kTctua), ending}));
  }
  if (commarea) {
    log_message(run, statement.start_line, Message::kAddressCommarea);
    note_usrcomm_line(run);
    write_generated_line(run, format("%11sSET %s TO ADDRESS OF %s%c",
                                     {statement.indent, statement.argument(Keyword::kCommarea),
                                      "USRCOMM OF KVZCOMMAREA", statement.terminator}));
  }
  emit_resp_moves(run, statement);
}

void convert_handle(ConversionRun& run, const ExecStatement& statement) {
  if (statement.has(Keyword::kMapfail)) {
    ++run.count(Row::kHandleMapfail);
    log_message(run, statement.start_line, Message::kHandleMapfail);
    // Kept whole, however long: every later RECEIVE MAP jumps to it.
    run.mapfail_label = statement.argument(Keyword::kMapfail);
  }
  if (statement.has(Keyword::kAid)) {
    ++run.count(Row::kHandleAid);
    log_message(run, statement.start_line, Message::kHandleAid);
    run.aid_handlers.clear();
    capture_aid_keys(run, statement.text, statement.position(Keyword::kAid), statement.start_line);
  }
}

void convert_link_or_xctl(ConversionRun& run, const ExecStatement& statement) {
  // LINK wins when a command names both.
  bool link = statement.has(Keyword::kLink);
  ++run.count(link ? Row::kLink : Row::kXctl);
  log_message(run, statement.start_line, link ? Message::kLink : Message::kXctl,
              {statement.argument(Keyword::kProgram)});
}

void convert_assign(ConversionRun& run, const ExecStatement& statement) {
  ++run.count(Row::kAssignTermcode);
  log_message(run, statement.start_line, Message::kAssignTermcode);
}

void convert_return(ConversionRun& run, const ExecStatement& statement) {
  ++run.count(Row::kReturn);
  if (statement.has(Keyword::kTransid))
    write_generated_line(run, format("%11sMOVE %s TO NXTRNID",
                                     {statement.indent, statement.argument(Keyword::kTransid)}));
  if (statement.has(Keyword::kCommarea)) {
    note_usrcomm_line(run);
    write_generated_line(
        run, format("%11sMOVE %s TO %s", {statement.indent, statement.argument(Keyword::kCommarea),
                                          "USRCOMM OF KVZCOMMAREA"}));
  }
  // Without LENGTH the monitor handed back the whole area; a caller that tests USRCALEN = 0
  // would otherwise take the answer for a first call. With neither, nothing is handed back.
  std::string length = statement.has(Keyword::kLength) ? statement.argument(Keyword::kLength)
                       : statement.has(Keyword::kCommarea)
                           ? format("FUNCTION LENGTH(%s)", {statement.argument(Keyword::kCommarea)})
                           : std::string("ZEROS");
  write_generated_line(run, format("%11sMOVE %s TO USRCALEN", {statement.indent, length}));
  // The message follows the moves, so that a note on the USRCOMM line stands before it.
  log_return_message(run, statement);
  // The converted RETURN only hands back to its caller: what these options asked of the
  // monitor is lost.
  for (Keyword dropped : {Keyword::kChannel, Keyword::kImmediate})
    if (statement.has(dropped))
      log_message(run, statement.start_line, Message::kReturnOptionDropped,
                  {kKeywords[static_cast<std::size_t>(dropped)].text});
  write_generated_line(
      run, format("%11sEXEC ZARN RETURN END-EXEC%c", {statement.indent, statement.terminator}));
}

}  // namespace converter
