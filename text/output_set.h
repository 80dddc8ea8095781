// The files a run writes, kept under temporary names until the run ends, so that a run replaces
// all its outputs or none and an interrupted run leaves every old file as it was.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/file_identity.h"
#include "text/text_files.h"

namespace text {

/// The signals whose default action ends the process and that come from outside it (HUP, INT,
/// QUIT, PIPE, ALRM, TERM, USR1, USR2, XFSZ, VTALRM, PROF, XCPU, POLL, PWR, STKFLT and the
/// real-time signals). The faults of the program itself (SEGV, BUS, FPE, ILL, TRAP, SYS, ABRT)
/// are left to the default action and to the tools that look for them.
const std::vector<int>& ending_signals();

/// Blocks every ending signal while it lives: one that arrives waits until the block ends.
class EndingSignalsBlocked {
 public:
  EndingSignalsBlocked();
  ~EndingSignalsBlocked();
  EndingSignalsBlocked(const EndingSignalsBlocked&) = delete;
  EndingSignalsBlocked& operator=(const EndingSignalsBlocked&) = delete;

 private:
  sigset_t before_;
};

/// Why the output `name` may not be replaced by a file of the run, or empty when it may: an
/// existing file the user may not write, a folder that is not writable, another user's file in
/// a folder with the sticky bit. `name` is the file itself, links already followed.
std::string why_not_replaceable(const std::string& name);

/// Why the old file that the output `name` would replace may not be replaced (see
/// `why_not_replaceable`), links followed; empty when it may, when there is no old file, and
/// when the name leads to a device or a FIFO, which is written directly.
std::string why_old_output_refused(const std::string& name);

/// How a commit ended.
struct CommitResult {
  enum Outcome {
    kDone,            // every output has its final name
    kReadByRun,       // `name` denotes a file the run read: nothing was replaced
    kNotReplaceable,  // `name` cannot be replaced, for `reason`: nothing was replaced
    kRenameFailed,    // renaming `name` failed for `reason`; the outputs before it were renamed
  } outcome = kDone;
  std::string name;
  std::string reason;
};

/// The outputs of one run. Each is written under a short temporary name (".quillox-" and six
/// characters) in the folder of the file it replaces, and takes its name only at `commit`. An
/// output name that is a symbolic link writes the link's final target; a replaced file keeps its
/// permission bits, and its owner and group where the process may set them; a new one gets 0666
/// less the umask. An output that resolves to a device or a FIFO is written directly. While a
/// set has temporary files, every ending signal removes them before the process ends by it (a
/// signal the process ignores or handles itself is left to it).
class OutputSet {
 public:
  OutputSet();
  /// Removes the temporary files that were not committed.
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  /// Opens the output `name`: nullptr when it cannot be written (a folder, a folder that does
  /// not exist, an existing file the user may not write, a folder where no temporary file can be
  /// made, which the reason names), with the reason in `reason`. An earlier output of this set
  /// with the same name, already closed, is given up: the new one replaces it.
  std::unique_ptr<OutputFile> open(const std::string& name, std::string& reason);

  /// Gives every output its final name, in the order opened. First every final name is checked:
  /// when one denotes a file of `read` or cannot be replaced, nothing is replaced and every
  /// temporary file is removed.
  CommitResult commit(const FileIdentitySet& read);

  /// Removes every temporary file: no old file is replaced.
  void discard();

 private:
  struct Pending {
    std::string final_name;  // as the run names it
    std::string target;      // the file it replaces: links followed
    std::size_t slot;        // of the temporary file, for the signal handler
    bool live = true;        // false once given up for a later output of the same name
  };
  void give_up(Pending& output);

  std::vector<Pending> pending_;
  std::unordered_map<std::string, std::size_t> by_name_;  // live outputs by final name
};

}  // namespace text
