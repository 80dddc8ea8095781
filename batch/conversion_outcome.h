// What one conversion's message file tells quillox-all, and the run's closing counts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace batch {

/// What quillox-all needs from a message file.
struct MessageNotes {
  bool read = false;                            // the file could be read
  long long map_requests = 0;                   // SEND MAP, SEND TEXT and RECEIVE MAP statements
  std::vector<std::string> members_not_found;   // in the order logged
  bool front_end_created = false;               // the converter wrote a front end
  bool template_not_found = false;              // it found no NEWDSP4.TXT
  std::vector<std::string> copies_not_written;  // members' copies that could not be opened
  std::vector<std::string> manual_steps;        // every line that holds "***", as it stands
};

/// Reads the notes from the text of a message file, by the message file's own format.
MessageNotes read_message_notes(std::string_view text);

/// `text` with four blanks before each line, for output relayed from the converter.
std::string indented(const std::string& text);

/// What a converter printed without its lines "QUILLOX: copy member NAME not found", which
/// quillox-all names itself with the program.
std::string without_members_not_found(const std::string& output);

/// The counts of a run, for its closing line.
struct RunCounts {
  int programs = 0;
  int converted = 0;
  int failed = 0;
  bool front_end = false;  // front ends were asked for: their counts follow
  int front_ends_built = 0;
  int front_ends_not_built = 0;  // programs with screens whose front end was not built
  int back_end_programs = 0;     // converted programs without screens, which get none
  int refused_edited = 0;        // not converted: an output was changed by hand (among failed)
  std::vector<std::string> stale_outputs;  // written by an earlier run, no longer by any program
};

/// The closing line: "N programs, N converted, N failed" (", N refused for hand edits" when any
/// was, which are among the failed), with front ends "; N front ends built, N back-end
/// programs without screens" (", N front ends not built" when any was not), then, when an
/// earlier run wrote outputs that no program writes now, "; stale outputs of an earlier run:
/// A, B"; "1 program", "1 front end", "1 back-end program" for one.
std::string closing_line(const RunCounts& counts);

}  // namespace batch
