// The new DSP4 front-end program, written from the template with one block per distinct
// screen request of the conversion.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace converter {

struct ConversionRun;

/// Name of the front-end template, looked for in the working folder and then beside the
/// program to convert.
constexpr std::string_view kTemplateFileName = "NEWDSP4.TXT";

/// The two places where the template is looked for, in this order.
struct TemplatePaths {
  std::string here;            // "NEWDSP4.TXT" in the working folder
  std::string beside_program;  // in the folder of the program to convert
};

/// Where the template is looked for when the program to convert is `first_argument` as typed:
/// in the working folder, then in the program's folder (characters dropped from the end of the
/// argument until it ends in "\" or "/", all of them when it holds neither).
TemplatePaths template_paths(std::string_view first_argument);

/// The templates a run looks for, in this order: the one named with --template, else
/// NEWDSP4.TXT in the working folder and beside the program (`template_paths`).
std::vector<std::string> template_names(const ConversionRun& run);

/// Copies `run.template_file` to `run.front_end_file` line by line: PROGRAM-ID lines get the
/// front-end name, the first "&NEWPROG;" of a line the new program name, and the RECEIVE and
/// SEND marker lines are replaced by the blocks of the distinct requests, their counts going
/// to the message file.
void generate_front_end(ConversionRun& run);

/// Writes `text` to the front-end file filled with blanks to 80 columns ("%-80s\n").
void write_front_end_line(ConversionRun& run, std::string_view text);

/// Writes "               %s IS EQUAL TO '%c' " with `switch_name` and `code`, then "AND", or
/// "THEN" when `last` is true.
void write_condition_line(ConversionRun& run, std::string_view switch_name, char code, bool last);

/// Opens the template and the front-end file, writes the front end and closes both, reporting
/// in the message file. Called at the end of a run that converted at least one command. Without
/// a template no front-end file is created or changed.
void build_front_end(ConversionRun& run);

}  // namespace converter
