// RECEIVE commands: the map-name check with the attention-key and MAPFAIL blocks.
#include "converter/commands/receive_conversion.h"

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_run.h"

namespace converter {

void convert_receive(ConversionRun&, const ExecStatement&) {}

void emit_map_name_check(ConversionRun&, const ExecStatement&, std::string_view) {}

}  // namespace converter
