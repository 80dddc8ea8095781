// A program's source as the compiler will see it: its lines with the members it copies in
// place, each line with the file and line it came from, and where each member is found.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_files.h"

namespace replay {

/// Where one side of a dialogue finds the members its programs copy.
struct MemberRule {
  std::string folder;                // the working folder: the script's; names are taken from it
  std::vector<std::string> folders;  // the -I folders, in the order given
  bool converted = false;            // a member's converted copy (NAME.new) comes first
  std::string shared_folder;         // the installed share/quillox: STDHEAD and KVZAID
  std::string monitor_folder;        // the stand-in's own members: KVZEIBLK, KVZAID, KVZZVLCA
};

/// The file that member `name` is read from on a side, or empty when it is nowhere: on the
/// converted side its converted copy in the working folder first; then as QUILLOX looks for
/// it (the working folder, then the -I folders); then STDHEAD and KVZAID from the shared
/// folder; then the monitor's members from the stand-in's folder.
std::string find_member(const std::string& name, const MemberRule& rule);

/// One line of the source as the compiler sees it.
struct SourceLine {
  std::string text;         // one piece as read, without its line end
  std::string file;         // the file it came from, as named
  int number = 0;           // its line number in that file
  int depth = 0;            // 0 in the program, 1 in a member it copies, and so on
  std::string member;       // on a COPY line: the member it names
  std::string member_file;  // ... and the file its lines come from next (empty: nowhere)
  std::string fault;        // on a COPY line that cannot be played: why
};

/// Reads a program and the members it copies, in the order the compiler reads them.
class SourceReader {
 public:
  explicit SourceReader(MemberRule rule) : rule_(std::move(rule)) {}

  /// Opens the program `file`; false with `error` set when it cannot be read.
  bool open(const std::string& file, std::string& error);
  /// The next line; false at the end of the program. A COPY line comes first, then the lines
  /// of its member (unless it names a fault or a member that is nowhere).
  bool next(SourceLine& line);
  /// True once a read failed for another reason than the end of a file.
  bool failed() const { return failed_; }

 private:
  struct Level {
    std::unique_ptr<text::LineReader> reader;
    std::string file;
    int number = 0;
  };
  MemberRule rule_;
  std::vector<Level> levels_;
  bool failed_ = false;
};

/// True for a line that holds code: longer than 6 characters and no "*", "/" or "-" in
/// column 7.
bool is_code_line(std::string_view line);

/// Columns 8 to 72 of `line` (less when it is shorter).
std::string_view code_area(std::string_view line);

}  // namespace replay
