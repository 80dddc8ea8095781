// RECEIVE commands: the map-name check with the attention-key and MAPFAIL blocks.
#pragma once

#include <string_view>

namespace converter {

struct ConversionRun;
struct ExecStatement;

/// Converts a command holding RECEIVE: RECEIVE MAP, RECEIVE BUFFER, or RECEIVE without a map.
void convert_receive(ConversionRun& run, const ExecStatement& statement);

/// Writes the IF/GO TO BADMAPNAME/END-IF check of `map`, sets `badmapname_pending`, then either
/// the settings of RESP and RESP2 (a command with RESP, RESP2 or NOHANDLE), or the attention-key
/// blocks and the MAPFAIL block when HANDLE commands set them. The last line written carries the
/// command's terminator, as the check's END-IF does.
void emit_map_name_check(ConversionRun& run, const ExecStatement& statement, std::string_view map);

}  // namespace converter
