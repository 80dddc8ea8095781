// SEND and CONVERSE commands: moves into the header fields, or removal with a message.
#pragma once

#include <string_view>

namespace converter {

struct ConversionRun;
struct ExecStatement;

/// Converts a command holding SEND: the erase and alarm switches, PAGE, then the first of
/// SEND MAP, TEXT, CONTROL, CONVID/SESSION, FROM, CTLCHAR and a bare SEND.
void convert_send(ConversionRun& run, const ExecStatement& statement);

/// Converts a command holding CONVERSE: reported, and the map moves when it names a map.
void convert_converse(ConversionRun& run, const ExecStatement& statement);

/// "%11sMOVE %s TO USRMAPNAME%c", then "%11sMOVE %s TO USRMAPSET%c" when `mapset` is not empty.
void emit_map_moves(ConversionRun& run, const ExecStatement& statement, std::string_view map,
                    std::string_view mapset);

}  // namespace converter
