// The files of an application folder as the report finds them: its programs with their message
// files, the files beside them that the page shows or links, and whether each may be read.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace report {

/// A program of the application: its source, its message file, or both.
struct ProgramFiles {
  std::string name;          // the path below the folder without its extension, "/" between folders
  std::string source;        // the program (*.zsc, any case) below the folder, or empty
  std::string message_file;  // its message file (*.msg) below the folder, or empty
};

/// Finds every program (*.zsc in any case) and every message file (*.msg) below `folder`, in
/// the order of their names (bytes), without following links to folders and without entering
/// `skip` (the report's own files). A message file belongs to the program of the same name in
/// its folder; one without a program stands for a program of its own. When several programs
/// have one name (A.zsc and A.ZSC), the one QUILLOX reads keeps it (A.zsc before A.ZSC) and the
/// others are named with their extension. False with `error` when a folder cannot be read.
bool find_programs(const std::filesystem::path& folder, const std::filesystem::path& skip,
                   std::vector<ProgramFiles>& programs, std::string& error);

/// What the report may do with a file it would read, show or link.
enum class FileAccess {
  kReadable,    // a regular file within the folder (a link to one included)
  kMissing,     // nothing there, or a link that leads nowhere
  kNotRegular,  // a folder, a FIFO, a device
  kOutside,     // a link to a file outside the application folder: never read nor shown
};

/// The access to `file` for a report of the folder whose canonical path is `canonical_folder`.
FileAccess access_of(const std::filesystem::path& file, const std::string& canonical_folder);

/// Why a file with `access` was not read, as its problem says it ("lies outside the folder
/// through a link"); empty for kReadable.
std::string_view access_problem(FileAccess access);

/// The name under which QUILLOX writes a member's converted copy: the last part of the member's
/// name (after the last "/" or "\"), up to its first period, then ".new".
std::string member_copy_name(std::string_view member);

/// The file QUILLOX reads for `member` copied by a program in `program_folder`: a name with a
/// path from that folder; a plain name there, then in each of `include_folders`, under its name
/// and with ".cpy", ".CPY", ".cbl", ".CBL", ".cob", ".COB" appended. Empty when none is a regular
/// file.
std::filesystem::path member_source(const std::filesystem::path& program_folder,
                                    std::string_view member,
                                    const std::vector<std::filesystem::path>& include_folders);

/// The program name that QUILLOX makes of a file name: at most 29 characters, up to the first
/// period, in capitals. The message file names the front end by it.
std::string program_name_of(std::string_view file);

/// The regular files of each folder by the program name QUILLOX makes of them, each folder
/// listed once however many programs it holds.
class FolderFiles {
 public:
  /// The files of `folder` whose program name is `program`, in name order.
  const std::vector<std::string>& named(const std::filesystem::path& folder,
                                        const std::string& program);

 private:
  std::map<std::filesystem::path, std::map<std::string, std::vector<std::string>>> files_;
};

/// The front end beside the message file `message_file` whose program name is `front_end`:
/// the first in name order that is none of the program's own files (its source, message file,
/// converted copy). Empty when there is none.
std::filesystem::path front_end_file(const std::filesystem::path& message_file,
                                     const std::string& front_end, FolderFiles& folders);

}  // namespace report
