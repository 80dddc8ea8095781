// Reading one program of the application: its state from quillox-all's record, its message file,
// the dates of its files, and the monitor's commands its converted files still hold, each of
// which gets its plain-text view on the way.
#pragma once

#include <sys/types.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "report/application_scan.h"
#include "report/application_totals.h"
#include "report/message_file.h"
#include "report/monitor_commands.h"
#include "report/program_state.h"
#include "report/record_file.h"
#include "report/sarif_report.h"
#include "text/file_identity.h"
#include "text/text_files.h"

namespace report {

/// Longest line of a converted file that its view shows; the view ends with a note there.
inline constexpr std::size_t kMaxConvertedLineLength = 1024 * 1024;

/// A converted file of a program: its converted program, or the converted copy of a member.
struct ConvertedFile {
  std::string member;   // empty for the converted program
  std::string file;     // its path below the application folder
  bool viewed = false;  // its plain-text view was written
  MonitorCommands commands;
};

/// Everything the reports say of one program.
struct ProgramReport {
  ProgramFiles files;
  ProgramState state = ProgramState::kNotConverted;
  std::string reason;          // why it is in its state; empty when converted
  bool read = false;           // its message file was read and understood: `summary` holds it
  bool level_shifter = false;  // its message file is one of NESTLVL's
  ProgramSummary summary;
  std::array<std::int64_t, kSeverityCount> by_class{};
  std::vector<ConvertedFile> converted;  // the converted program first, then members' copies
  std::int64_t commands = 0;             // active monitor commands in all of them
  std::string front_end;                 // the front end's path below the application folder
  std::vector<std::string> problems;     // files that could not be read, each with the reason

  OrderKey order_key() const {
    return {state, by_class, read ? summary.total_findings() : 0, files.name};
  }
};

/// Opens the plain-text view of the file `file` (its path below the application folder), or
/// gives nullptr with the reason.
using ViewOpener =
    std::function<std::unique_ptr<text::OutputFile>(const std::string& file, std::string& reason)>;

/// Reads the programs of one application folder, one at a time; files that several programs
/// share (a member's copy) are read once.
class ProgramReader {
 public:
  /// `folder` as given; `include_folders` where members are looked for after the program's own
  /// folder; `record` the programs of quillox-all's record by path, written at `record_time`.
  ProgramReader(std::filesystem::path folder, std::vector<std::filesystem::path> include_folders,
                std::map<std::string, RecordEntry> record, std::optional<timespec> record_time,
                ViewOpener open_view);

  /// Reads `files`: adds a message file read to `totals`, and its findings to `sarif`.
  ProgramReport read(const ProgramFiles& files, ApplicationTotals& totals, SarifWriter& sarif);

  /// The commands of every converted file read, each file counted once.
  const MonitorCommands& commands_in_files() const { return commands_in_files_; }
  /// Where each file read lives (device and inode), so that no report file replaces one.
  const text::FileIdentitySet& files_read() const { return files_read_; }
  /// Why a view could not be opened; once set, nothing more is viewed and no report is to be
  /// written.
  const std::string& output_failure() const { return output_failure_; }

 private:
  // What became of reading a converted file, kept for the programs that share it.
  struct FileRead {
    bool viewed = false;
    std::string problem;
    MonitorCommands commands;
  };

  void read_message_file_of(ProgramReport& program, ApplicationTotals& totals, SarifWriter& sarif);
  bool out_of_date(const ProgramReport& program, std::string& why) const;
  void read_converted(ProgramReport& program, const std::string& member, const std::string& file);
  const FileRead& read_file(const std::string& file);
  void note_read(std::FILE* stream);

  std::filesystem::path folder_;
  std::string canonical_folder_;
  std::vector<std::filesystem::path> include_folders_;
  std::map<std::string, RecordEntry> record_;
  std::optional<timespec> record_time_;
  ViewOpener open_view_;
  FolderFiles folder_files_;
  std::map<std::string, FileRead> files_;
  MonitorCommands commands_in_files_;
  text::FileIdentitySet files_read_;
  std::string output_failure_;
};

}  // namespace report
