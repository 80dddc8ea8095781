// RECEIVE commands: the map-name check with the attention-key and MAPFAIL blocks.
#include "converter/commands/receive_conversion.h"

#include <string>

#include "converter/commands/attention_keys.h"
#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_log.h"
#include "converter/driver/conversion_run.h"
#include "converter/frontend/map_request_table.h"
#include "text/text_format.h"

namespace converter {

using message_format::Message;

using message_format::Row;

using text::format;

void convert_receive(ConversionRun& run, const ExecStatement& statement) {
  if (statement.has(Keyword::kMap)) {
    ++run.count(Row::kReceiveMap);
    std::string map = statement.argument(Keyword::kMap);
    emit_map_name_check(run, statement, map);
    // Logged after the messages of the inserted blocks.
    log_message(run, statement.start_line, Message::kReceiveMapHandled, {map});
    MapRequest request = map_request(statement, RequestKind::kReceiveMap);
    note_map_area(run, statement, request);
    add_map_request(run, std::move(request));
    return;
  }
  if (statement.has(Keyword::kBuffer)) {
    ++run.count(Row::kReceiveBuffer);
    log_message(run, statement.start_line, Message::kReceiveBuffer);
    return;
  }
  log_message(run, statement.start_line, Message::kReceiveWithoutMap);
}

void emit_map_name_check(ConversionRun& run, const ExecStatement& statement, std::string_view map) {
  const std::string& indent = statement.indent;
  const std::string ending(1, statement.terminator);
  write_generated_line(run, format("%11sIF %s IS NOT EQUAL TO USRMAPNAME", {indent, map}));
  write_generated_line(run, format("%11s    GO TO BADMAPNAME", {indent}));
  write_generated_line(run, format("%11sEND-IF%c", {indent, statement.terminator}));
  run.badmapname_pending = true;

  bool resp = statement.has(Keyword::kResp);
  bool resp2 = statement.has(Keyword::kResp2);
  // A command with RESP, RESP2 or NOHANDLE never jumped to a HANDLE label: the program tests its
  // fields instead, which are set as the monitor would have set them.
  if (resp || resp2 || statement.has(Keyword::kNohandle)) {
    if (resp) {
      std::string field = statement.argument(Keyword::kResp);
      write_block_line(run, format("%11sIF USRMAPLN IS EQUAL TO 0", {indent}));
      write_block_line(run, format("%11s    MOVE KVZRESP(MAPFAIL) TO %s", {indent, field}));
      write_block_line(run, format("%11sELSE", {indent}));
      write_block_line(run, format("%11s    MOVE KVZRESP(NORMAL) TO %s", {indent, field}));
      write_block_line(run, format("%11sEND-IF%s", {indent, resp2 ? "" : ending}));
    }
    if (resp2)
      write_block_line(
          run, format("%11sMOVE 0 TO %s%s", {indent, statement.argument(Keyword::kResp2), ending}));
    return;
  }
  // The blocks follow the check in the order the HANDLE commands of the source set them; the
  // last one ends the sentence where the command did.
  bool mapfail = !run.mapfail_label.empty();
  if (!run.aid_handlers.empty()) emit_aid_blocks(run, indent, mapfail ? "" : ending);
  if (mapfail) emit_mapfail_block(run, indent, ending);
}

}  // namespace converter
