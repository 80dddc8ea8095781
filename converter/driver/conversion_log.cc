// The message file: numbered message lines and the summary report of the run's counters.
#include "converter/driver/conversion_log.h"

#include "converter/driver/conversion_run.h"

namespace converter {

using text::OutputFile;

void log_line(ConversionRun& run, int output_lines, std::string_view text) {
  OutputFile& log = *run.message_file;
  for (int i = 0; i < run.include_depth; ++i) log.write(" ");
  log.print("line %.4d - %s\n", {output_lines + 1, text});
}

void write_summary(ConversionRun& run) {
  OutputFile& log = *run.message_file;
  log.print("\n%5d Input lines read\n", {run.input_line_count});
  log.print("%5d Output lines written\n", {run.output_line_count});
  log.print("%5d Total copy statements found\n", {run.copy_count});
  log.print("%5d Total -INC statements found\n", {run.inc_count});
  log.print("\n%5d EXEC ZARN Statements\n", {run.exec_count});
  log.print("%5d Total EXEC ZARN LINK statements found\n", {run.link_count});
  log.print("%5d Total EXEC ZARN XCTL statements found\n", {run.xctl_count});
  log.print("\n%5d SEND MAP statements\n", {run.send_map_count});
  log.print("%5d SEND TEXT statements\n", {run.send_text_count});
  log.print("%5d SEND CONTROL statements\n", {run.send_control_count});
  log.print("%5d SEND CONVID or SESSION statements\n", {run.send_convid_count});
  log.print("%5d SEND with FROM or CTLCHAR only\n", {run.send_from_only_count});
  log.print("%5d SEND with no other parameters\n", {run.send_bare_count});
  log.print("%5d RECEIVE MAP statements\n", {run.receive_map_count});
  log.print("%5d RECEIVE BUFFER statementss\n", {run.receive_buffer_count});
  log.print("%5d CONVERSE statements\n", {run.converse_count});
  log.print("%5d RETURN statements\n", {run.return_count});
  log.print("%5d ADDRESS statements\n", {run.address_count});
  log.print("%5d HANDLE MAPFAIL statements\n", {run.handle_mapfail_count});
  log.print("%5d HANDLE AID statements\n", {run.handle_aid_count});
  log.print("%5d ROUTE statements\n", {run.route_count});
  log.print("\n%5d MAPONLY parameters\n", {run.maponly_count});
  log.print("%5d DATAONLY parameters\n", {run.dataonly_count});
  log.print("%5d ERASE parameters\n", {run.erase_count});
  log.print("%5d ERASEAUP parameters\n", {run.eraseaup_count});
  log.print("%5d ALARM parameters\n", {run.alarm_count});
  log.print("%5d ACCUM parameters\n", {run.accum_count});
  log.print("%5d PAGE parameters\n", {run.page_count});
  log.print("%5d FRSET statements\n", {run.frset_count});
  log.print("%5d FREEKB statements\n", {run.freekb_count});
  log.print("\n%5d EIBAID variables\n", {run.eibaid_count});
  log.print("%5d EIBTRMID variables\n", {run.eibtrmid_count});
  log.print("%5d EIBTRNID variables\n", {run.eibtrnid_count});
  log.print("%5d EIBCALEN variables\n", {run.eibcalen_count});
  log.print("%5d EIBCPOSN variables\n", {run.eibcposn_count});
  log.print("\n%5d KVZCOMMAREA references\n", {run.commarea_count});
  log.print("%5d ASSIGN TERMCODE references\n", {run.assign_termcode_count});
}

}  // namespace converter
