// ROUTE, ADDRESS, HANDLE, LINK, XCTL, ASSIGN TERMCODE and RETURN commands.
#include "converter/commands/return_and_transfer.h"

#include <string>

#include "converter/commands/attention_keys.h"
#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_log.h"
#include "converter/driver/conversion_run.h"
#include "text/text_format.h"

namespace converter {

using message_format::Row;

using text::append_format;
using text::format;

void convert_route(ConversionRun& run, const ExecStatement& statement) {
  ++run.count(Row::kRoute);
  log_line(run, statement.start_line, "*** ZVL ROUTE command found");
}

void convert_address(ConversionRun& run, const ExecStatement& statement) {
  ++run.count(Row::kAddress);
  bool commarea = statement.has(Keyword::kCommarea);
  if (statement.has(Keyword::kTctua)) {
    log_line(run, statement.start_line, "ZARN ADDRESS TCTUA handled");
    // Only the last SET statement ends the sentence.
    char ending = commarea ? ' ' : statement.terminator;
    write_generated_line(run,
                         format("%11sSET %s TO ADDRESS OF USRTCTUA%c",
                                {statement.indent, statement.argument(Keyword::kTctua), ending}));
  }
  if (commarea) {
    log_line(run, statement.start_line, "ZARN ADDRESS COMMAREA handled");
    write_generated_line(run, format("%11sSET %s TO ADDRESS OF %s%c",
                                     {statement.indent, statement.argument(Keyword::kCommarea),
                                      "USRCOMM OF KVZCOMMAREA", statement.terminator}));
  }
}

void convert_handle(ConversionRun& run, const ExecStatement& statement) {
  if (statement.has(Keyword::kMapfail)) {
    ++run.count(Row::kHandleMapfail);
    log_line(run, statement.start_line, "*** ZARN HANDLE CONDITION MAPFAIL found");
    // Kept whole, however long: every later RECEIVE MAP jumps to it.
    run.mapfail_label = statement.argument(Keyword::kMapfail);
  }
  if (statement.has(Keyword::kAid)) {
    ++run.count(Row::kHandleAid);
    log_line(run, statement.start_line, "*** ZARN HANDLE AID found");
    run.aid_handlers.clear();
    capture_aid_keys(run, statement.text, statement.position(Keyword::kAid), statement.start_line);
  }
}

void convert_link_or_xctl(ConversionRun& run, const ExecStatement& statement) {
  // LINK wins when a command names both.
  bool link = statement.has(Keyword::kLink);
  std::string_view word = link ? "LINK" : "XCTL";
  ++(link ? run.count(Row::kLink) : run.count(Row::kXctl));
  log_line(
      run, statement.start_line,
      format("EXEC ZARN %s to program %s found", {word, statement.argument(Keyword::kProgram)}));
}

void convert_assign(ConversionRun& run, const ExecStatement& statement) {
  ++run.count(Row::kAssignTermcode);
  log_line(run, statement.start_line, "ASSIGN TERMCODE found - program logic should be checked");
}

void convert_return(ConversionRun& run, const ExecStatement& statement) {
  ++run.count(Row::kReturn);
  log_line(run, statement.start_line, return_message(statement));
  if (statement.has(Keyword::kTransid))
    write_generated_line(run, format("%11sMOVE %s TO NXTRNID",
                                     {statement.indent, statement.argument(Keyword::kTransid)}));
  if (statement.has(Keyword::kCommarea))
    write_generated_line(
        run, format("%11sMOVE %s TO %s", {statement.indent, statement.argument(Keyword::kCommarea),
                                          "USRCOMM OF KVZCOMMAREA"}));
  // Without LENGTH the caller gets no user communication area back.
  std::string length =
      statement.has(Keyword::kLength) ? statement.argument(Keyword::kLength) : "ZEROS";
  write_generated_line(run, format("%11sMOVE %s TO USRCALEN", {statement.indent, length}));
  write_generated_line(
      run, format("%11sEXEC ZARN RETURN END-EXEC%c", {statement.indent, statement.terminator}));
}

std::string return_message(const ExecStatement& statement) {
  std::string message = "EXEC ZARN RETURN ";
  if (statement.has(Keyword::kTransid))
    append_format(message, "TRANSID(%s) ", {statement.argument(Keyword::kTransid)});
  if (statement.has(Keyword::kCommarea))
    append_format(message, "COMMAREA(%s) ", {statement.argument(Keyword::kCommarea)});
  if (statement.has(Keyword::kLength))
    append_format(message, "LENGTH(%s) ", {statement.argument(Keyword::kLength)});
  message += "handled";
  if (!statement.has(Keyword::kLength)) message += " User COMMAREA Length was set to zero";
  return message;
}

}  // namespace converter
