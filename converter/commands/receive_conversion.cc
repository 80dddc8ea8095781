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
    add_map_request(run, map_request(statement, RequestKind::kReceiveMap));
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
  write_generated_line(run, format("%11sIF %s IS NOT EQUAL TO USRMAPNAME", {indent, map}));
  write_generated_line(run, format("%11s    GO TO BADMAPNAME", {indent}));
  write_generated_line(run, format("%11sEND-IF%c", {indent, statement.terminator}));
  run.badmapname_pending = true;
  // The blocks follow the check in the order the HANDLE commands of the source set them.
  if (!run.aid_handlers.empty()) emit_aid_blocks(run, indent);
  if (!run.mapfail_label.empty()) emit_mapfail_block(run, indent);
}

}  // namespace converter
