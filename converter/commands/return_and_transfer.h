// ROUTE, ADDRESS, HANDLE, LINK, XCTL, ASSIGN TERMCODE and RETURN commands.
#pragma once

namespace converter {

struct ConversionRun;
struct ExecStatement;

/// ROUTE anywhere in a command: counted and reported.
void convert_route(ConversionRun& run, const ExecStatement& statement);
/// ADDRESS: SET statements for TCTUA and COMMAREA.
void convert_address(ConversionRun& run, const ExecStatement& statement);
/// HANDLE: captures the MAPFAIL label and the attention keys for later RECEIVE MAP commands.
void convert_handle(ConversionRun& run, const ExecStatement& statement);
/// A command holding LINK or XCTL: reported with the target program (LINK when it holds both).
void convert_link_or_xctl(ConversionRun& run, const ExecStatement& statement);
/// A command holding both ASSIGN and TERMCODE: counted and reported.
void convert_assign(ConversionRun& run, const ExecStatement& statement);
/// RETURN: moves into NXTRNID, USRCOMM OF KVZCOMMAREA and USRCALEN, then a plain RETURN.
void convert_return(ConversionRun& run, const ExecStatement& statement);

}  // namespace converter
