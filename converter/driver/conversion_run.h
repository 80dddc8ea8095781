// All state of one QUILLOX run: file names, streams, flags, counters and work areas.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "converter/driver/copybook_expansion.h"
#include "converter/frontend/map_request_table.h"
#include "message_format/message_format.h"
#include "text/output_set.h"
#include "text/text_files.h"

namespace converter {

/// The file that an output of the run is written from, as its name was shown and where it lives.
struct OutputSource {
  std::string name;
  text::FileIdentity identity;
};

/// An output the run has open, as `describe_output` tells it.
struct OpenOutput {
  std::string key;              // the file written: links followed, made absolute
  bool exists = false;          // a file of that name is there already (an old output)
  bool direct = false;          // it is a device or a FIFO, written directly
  text::FileIdentity identity;  // of the old file, when it exists
};

/// The one state of a conversion run, from start-up to the exit code. Counters are the rows of
/// the summary report; they only ever grow by one.
struct ConversionRun {
  // File names, whole as the user typed them (no length limit).
  std::string first_argument;                // the program to convert, as typed
  std::string input_file_name;               // base name + ".zsc" (or ".ZSC", when only it exists)
  std::string program_folder;                // the folder part of the program's name, or empty
  std::string template_file_name;            // --template FILE, as typed; empty without
  std::string output_file_name;              // second argument, or base name + ".new"
  std::string front_end_file_name;           // third argument, or empty
  std::string message_file_name;             // base name + ".msg"
  std::string copybook_name;                 // member named by the current COPY or -INC line
  std::vector<std::string> include_folders;  // -I: where members not found here are looked for

  // Program names: at most 29 characters, upper case.
  std::string new_program_name;
  std::string front_end_name;

  // Every output of the run, under a temporary name until the run ends (declared before the
  // streams, so that it outlives them).
  text::OutputSet outputs;
  // The files the run read: no output may take the name of one of them.
  text::FileIdentitySet files_read;
  // Every file the run writes as its own (the three main outputs and each member's ".new"), by
  // the file written (links followed, made absolute), with the file it is converted from: two
  // different files written to one output are a clash.
  std::unordered_map<std::string, OutputSource> output_sources;
  // The outputs open now: the converted program and the message file, then the ".new" of each
  // member being read, innermost last. No member is read from one, nor written to one again.
  std::vector<OpenOutput> open_outputs;

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
  bool badmapname_pending = false;
  bool awaiting_usrcomm_layout = false;  // the first code line after an inserted USRCOMM is due
  bool kvzaid_copied = false;            // a COPY or -INC line naming KVZAID was met
  bool aid_test_written = false;         // an attention-key test was written
  bool in_working_storage = false;       // between a WORKING-STORAGE SECTION header and the next

  // Counters of the current level (saved and restored around a copybook member).
  int input_line_count = 0;
  int output_line_count = 0;
  int include_depth = 0;

  // Counters of the whole run, one per row of the summary report (the first two rows report the
  // main program's `input_line_count` and `output_line_count` instead).
  std::array<int, message_format::kRowCount> counts{};
  int converted_command_count = 0;  // commands whose lines became comments; not reported

  // Messages that are logged at most once per run, and have been.
  std::array<bool, message_format::kMessageCount> logged_once{};

  /// The counter of summary row `row`.
  int& count(message_format::Row row) { return counts[static_cast<std::size_t>(row)]; }
  int count(message_format::Row row) const { return counts[static_cast<std::size_t>(row)]; }

  // Work areas.
  std::string line;  // the current source line, without its line end
  MapRequestTable map_requests;
  std::string aid_handlers;   // "&KEY=LABEL" entries of the last HANDLE AID
  std::string mapfail_label;  // label of the last HANDLE CONDITION MAPFAIL
  IncludeStack include_stack;
  std::unordered_set<std::string> members_not_found;  // named on standard error once each
  // Names of the items declared in WORKING-STORAGE (in capitals), and the map areas among them
  // that a converted SEND MAP or RECEIVE MAP named and the message file has named since.
  std::unordered_set<std::string> working_storage_items;
  std::unordered_set<std::string> map_areas_named;

  // Files whose reading or writing failed; reported on standard error when the run ends.
  std::vector<std::string> write_failures;
  std::vector<std::string> read_failures;
  // Why no output of the run may be written, found while it ran ("NAME1 and NAME2 would both
  // be written to X.new - no output written", "cannot open X.new: Permission denied"); each is
  // a line on standard error, after "QUILLOX: ", when the run ends, which then replaces nothing.
  std::vector<std::string> refusals;
};

/// Notes that the run read `file`: no output of the run may replace it.
void note_read(ConversionRun& run, const text::LineReader& file);

/// Notes that the run reads, or would read, the file `name` when it exists: no output of the run
/// may replace it.
void note_read(ConversionRun& run, const std::string& name);

/// Closes `file` (if open) and notes its name in `run.write_failures` when a write to it failed.
void close_output(ConversionRun& run, std::unique_ptr<text::OutputFile>& file);

/// Closes `file` (if open) and notes its name in `run.read_failures` when a read from it failed.
void close_input(ConversionRun& run, std::unique_ptr<text::LineReader>& file);

/// What the output `name` is: the file written and the old file there, if any.
OpenOutput describe_output(const std::string& name);

/// Claims the output `output` (named `name` in the run) for the file `source_name`, whose
/// identity is `source`. False, with the clash noted in `run.refusals`, when another file is
/// already written to it; writing the same file to it again (a member copied twice) is no clash.
/// An output that is a device or a FIFO is claimed by nobody.
bool claim_output(ConversionRun& run, const OpenOutput& output, const std::string& name,
                  const std::string& source_name, const text::FileIdentity& source);

}  // namespace converter
