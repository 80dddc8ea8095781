// All state of one QUILLOX run: file names, streams, flags, counters and work areas.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "converter/driver/copybook_expansion.h"
#include "converter/frontend/map_request_table.h"
#include "text/text_files.h"

namespace converter {

/// The one state of a conversion run, from start-up to the exit code. Counters are the rows of
/// the summary report; they only ever grow by one.
struct ConversionRun {
  // File names, whole as the user typed them (no length limit).
  std::string first_argument;       // the program to convert, as typed
  std::string input_file_name;      // base name + ".zsc"
  std::string output_file_name;     // second argument, or base name + ".new"
  std::string front_end_file_name;  // third argument, or empty
  std::string message_file_name;    // base name + ".msg"
  std::string copybook_name;        // member named by the current COPY or -INC line

  // Program names: at most 29 characters, upper case.
  std::string new_program_name;
  std::string front_end_name;

  // Streams. `input_file` and `output_file` are the current level's (a member's while one is read).
  std::unique_ptr<text::LineReader> input_file;
  std::unique_ptr<text::OutputFile> output_file;
  std::unique_ptr<text::OutputFile> message_file;
  std::unique_ptr<text::OutputFile> front_end_file;
  std::unique_ptr<text::LineReader> template_file;

  // Flags.
  bool rename_pending = false;
  bool in_procedure_division = false;
  bool linkage_seen = false;
  bool line_written = false;
  bool badmapname_pending = false;
  bool line_renamed = false;  // a rename changed the current source line

  // Counters of the current level (saved and restored around a copybook member).
  int input_line_count = 0;
  int output_line_count = 0;
  int include_depth = 0;

  // Counters of the whole run, in the order of the summary report.
  int copy_count = 0;
  int inc_count = 0;
  int exec_count = 0;
  int link_count = 0;
  int xctl_count = 0;
  int send_map_count = 0;
  int send_text_count = 0;
  int send_control_count = 0;
  int send_convid_count = 0;
  int send_from_only_count = 0;
  int send_bare_count = 0;
  int receive_map_count = 0;
  int receive_buffer_count = 0;
  int converse_count = 0;
  int return_count = 0;
  int address_count = 0;
  int handle_mapfail_count = 0;
  int handle_aid_count = 0;
  int route_count = 0;
  int maponly_count = 0;
  int dataonly_count = 0;
  int erase_count = 0;
  int eraseaup_count = 0;
  int alarm_count = 0;
  int accum_count = 0;
  int page_count = 0;
  int frset_count = 0;
  int freekb_count = 0;
  int eibaid_count = 0;
  int eibtrmid_count = 0;
  int eibtrnid_count = 0;
  int eibcalen_count = 0;
  int eibcposn_count = 0;
  int commarea_count = 0;
  int assign_termcode_count = 0;
  int converted_command_count = 0;  // commands whose lines became comments; not reported

  // Work areas.
  std::string line;                       // the current source line, without its line end
  std::size_t identification_length = 0;  // columns 73 on of a renamed line, kept at its end
  MapRequestTable map_requests;
  std::string aid_handlers;   // "&KEY=LABEL" entries of the last HANDLE AID
  std::string mapfail_label;  // label of the last HANDLE CONDITION MAPFAIL
  IncludeStack include_stack;
  std::vector<std::string>
      member_files;  // members read and their ".new" files, kept from the front end

  // Files whose reading or writing failed; reported on standard error when the run ends.
  std::vector<std::string> write_failures;
  std::vector<std::string> read_failures;
};

/// Closes `file` (if open) and notes its name in `run.write_failures` when a write to it failed.
void close_output(ConversionRun& run, std::unique_ptr<text::OutputFile>& file);

/// Closes `file` (if open) and notes its name in `run.read_failures` when a read from it failed.
void close_input(ConversionRun& run, std::unique_ptr<text::LineReader>& file);

}  // namespace converter
