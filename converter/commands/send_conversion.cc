// SEND and CONVERSE commands: moves into the header fields, or removal with a message.
#include "converter/commands/send_conversion.h"

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_run.h"

namespace converter {

void convert_send(ConversionRun&, const ExecStatement&) {}

void convert_converse(ConversionRun&, const ExecStatement&) {}

void emit_map_moves(ConversionRun&, const ExecStatement&, std::string_view, std::string_view) {}

}  // namespace converter
