// SEND and CONVERSE commands: moves into the header fields, or removal with a message.
#pragma once

#include <string_view>

namespace converter {

struct ConversionRun;
struct ExecStatement;

/// Converts a command holding SEND: the erase, alarm and send-type switches, PAGE, then the first
/// of SEND MAP, TEXT, CONTROL, CONVID/SESSION, FROM, CTLCHAR and a bare SEND; last the moves of
/// RESP and RESP2.
void convert_send(ConversionRun& run, const ExecStatement& statement);

/// Converts a command holding CONVERSE: reported, and the map moves when it names a map.
void convert_converse(ConversionRun& run, const ExecStatement& statement);

/// "%11sMOVE '%c' TO ERASESW%c" with `erase_code`.
void emit_erase_switch(ConversionRun& run, const ExecStatement& statement, char erase_code);

/// "%11sMOVE '%c' TO ALARMSW%c" with `alarm_code`.
void emit_alarm_switch(ConversionRun& run, const ExecStatement& statement, char alarm_code);

/// "%11sMOVE '%c' TO SENDTYPE%c" with `send_type` ('M' MAPONLY, 'D' DATAONLY).
void emit_send_type(ConversionRun& run, const ExecStatement& statement, char send_type);

/// "%11sMOVE %s TO USRMAPNAME%c", then "%11sMOVE %s TO USRMAPSET%c" when `mapset` is not empty.
void emit_map_moves(ConversionRun& run, const ExecStatement& statement, std::string_view map,
                    std::string_view mapset);

/// The map-name move with 'SENDTEXT' and no mapset, then "%11sMOVE %s TO TEXTAREA%c" with
/// `source` and "%11sMOVE %s TO USRMAPLN%c" with `length`.
void emit_text_moves(ConversionRun& run, const ExecStatement& statement, std::string_view source,
                     std::string_view length);

/// "%11s%c": the indentation and the terminator alone, so that a SEND CONTROL that ended a
/// sentence still does.
void emit_terminator_line(ConversionRun& run, const ExecStatement& statement);

}  // namespace converter
