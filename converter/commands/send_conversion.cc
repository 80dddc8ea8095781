// SEND and CONVERSE commands: moves into the header fields, or removal with a message.
#include "converter/commands/send_conversion.h"

#include <string>

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_log.h"
#include "converter/driver/conversion_run.h"
#include "converter/frontend/map_request_table.h"
#include "text/text_format.h"

namespace converter {

using message_format::Message;

using message_format::Row;

using text::format;

namespace {

// The length moved into USRMAPLN for SEND TEXT and SEND FROM. Without a LENGTH option the
// monitor took the length of the FROM area, so the converted program does the same; with
// neither option the move names nothing.
std::string text_length(const ExecStatement& statement, const std::string& source) {
  if (statement.has(Keyword::kLength) || source.empty())
    return statement.argument(Keyword::kLength);
  return format("FUNCTION LENGTH(%s)", {source});
}

// The moves and the 'T' request shared by SEND TEXT and SEND FROM.
void convert_text(ConversionRun& run, const ExecStatement& statement) {
  std::string source = statement.argument(Keyword::kFrom);
  emit_text_moves(run, statement, source, text_length(statement, source));
  add_map_request(run, map_request(statement, RequestKind::kSendText));
}

}  // namespace

void emit_erase_switch(ConversionRun& run, const ExecStatement& statement, char erase_code) {
  write_generated_line(run, format("%11sMOVE '%c' TO ERASESW%c",
                                   {statement.indent, erase_code, statement.terminator}));
}

void emit_alarm_switch(ConversionRun& run, const ExecStatement& statement, char alarm_code) {
  write_generated_line(run, format("%11sMOVE '%c' TO ALARMSW%c",
                                   {statement.indent, alarm_code, statement.terminator}));
}

void emit_send_type(ConversionRun& run, const ExecStatement& statement, char send_type) {
  write_generated_line(run, format("%11sMOVE '%c' TO SENDTYPE%c",
                                   {statement.indent, send_type, statement.terminator}));
}

void emit_map_moves(ConversionRun& run, const ExecStatement& statement, std::string_view map,
                    std::string_view mapset) {
  write_generated_line(
      run, format("%11sMOVE %s TO USRMAPNAME%c", {statement.indent, map, statement.terminator}));
  if (!mapset.empty())
    write_generated_line(run, format("%11sMOVE %s TO USRMAPSET%c",
                                     {statement.indent, mapset, statement.terminator}));
}

void emit_text_moves(ConversionRun& run, const ExecStatement& statement, std::string_view source,
                     std::string_view length) {
  emit_map_moves(run, statement, "'SENDTEXT'", std::string_view());
  write_generated_line(
      run, format("%11sMOVE %s TO TEXTAREA%c", {statement.indent, source, statement.terminator}));
  write_generated_line(
      run, format("%11sMOVE %s TO USRMAPLN%c", {statement.indent, length, statement.terminator}));
}

void emit_terminator_line(ConversionRun& run, const ExecStatement& statement) {
  write_generated_line(run, format("%11s%c", {statement.indent, statement.terminator}));
}

void convert_send(ConversionRun& run, const ExecStatement& statement) {
  const int at = statement.start_line;
  if (statement.has(Keyword::kErase) || statement.has(Keyword::kEraseaup))
    emit_erase_switch(run, statement, statement.erase_code);
  if (statement.has(Keyword::kAlarm)) emit_alarm_switch(run, statement, statement.alarm_code);
  // The front end shows a MAPONLY or DATAONLY screen only when SENDTYPE says so.
  if (statement.send_type != ' ') emit_send_type(run, statement, statement.send_type);
  if (statement.has(Keyword::kPage)) {
    ++run.count(Row::kPage);
    log_message(run, at, Message::kSendPage);
  }

  if (statement.has(Keyword::kMap)) {
    std::string map = statement.argument(Keyword::kMap);
    std::string mapset = statement.argument(Keyword::kMapset);
    emit_map_moves(run, statement, map, mapset);
    ++run.count(Row::kSendMap);
    log_message(run, at, Message::kSendMapHandled, {map, mapset});
    if (statement.has(Keyword::kAccum)) {
      ++run.count(Row::kAccum);
      log_message(run, at, Message::kSendAccum);
    }
    MapRequest request = map_request(statement, RequestKind::kSendMap);
    note_map_area(run, statement, request);
    add_map_request(run, std::move(request));
  } else if (statement.has(Keyword::kText)) {
    ++run.count(Row::kSendText);
    log_message(run, at, Message::kSendTextHandled);
    convert_text(run, statement);
  } else if (statement.has(Keyword::kControl)) {
    ++run.count(Row::kSendControl);
    log_message(run, at, Message::kSendControl);
    emit_terminator_line(run, statement);
  } else if (statement.has(Keyword::kConvid) || statement.has(Keyword::kSession)) {
    ++run.count(Row::kSendConvid);
    log_message(run, at, Message::kSendConvid);
  } else if (statement.has(Keyword::kFrom)) {
    ++run.count(Row::kSendText);
    log_message(run, at, Message::kSendFromHandled);
    convert_text(run, statement);
  } else if (statement.has(Keyword::kCtlchar)) {
    ++run.count(Row::kSendFromOnly);
    log_message(run, at, Message::kSendCtlcharRemoved);
  } else {
    ++run.count(Row::kSendBare);
    log_message(run, at, Message::kSendBareRemoved);
  }
  emit_resp_moves(run, statement);
}

void convert_converse(ConversionRun& run, const ExecStatement& statement) {
  ++run.count(Row::kConverse);
  log_message(run, statement.start_line, Message::kConverseRemoved);
  if (statement.has(Keyword::kMap)) {
    emit_map_moves(run, statement, statement.argument(Keyword::kMap),
                   statement.argument(Keyword::kMapset));
  } else {
    log_message(run, statement.start_line, Message::kMapParameterMissing);
  }
}

}  // namespace converter
