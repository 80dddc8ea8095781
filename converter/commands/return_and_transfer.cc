// ROUTE, ADDRESS, HANDLE, LINK, XCTL, ASSIGN TERMCODE and RETURN commands.
#include "converter/commands/return_and_transfer.h"

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_run.h"

namespace converter {

void convert_route(ConversionRun&, const ExecStatement&) {}
void convert_address(ConversionRun&, const ExecStatement&) {}
void convert_handle(ConversionRun&, const ExecStatement&) {}
void convert_link_or_xctl(ConversionRun&, const ExecStatement&) {}
void convert_assign(ConversionRun&, const ExecStatement&) {}
void convert_return(ConversionRun&, const ExecStatement&) {}

}  // namespace converter
