// Starting and waiting for the converter's processes, the signals that end a run early, and the
// run's temporary folder.
#pragma once

#include <sys/types.h>

#include <csignal>
#include <optional>
#include <string>
#include <vector>

namespace batch {

/// Exit code of a child that could not enter its folder or start its program; what went
/// wrong is in its captured output.
constexpr int kExitCannotStart = 127;

/// Catches every signal whose default action ends the process (text::ending_signals) while it
/// lives, so that a run can pass it to its conversions, wait for them and clean up before it
/// ends by that signal itself; a signal the process was started to ignore stays ignored. The
/// previous handlers come back when it ends.
class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

  /// The first signal caught since the guard began, or 0.
  static int caught();

 private:
  std::vector<struct sigaction> previous_;
};

/// Ends the process by `signal_number` with its default action (after the run has cleaned up).
[[noreturn]] void end_by_signal(int signal_number);

/// Starts `arguments[0]` (an absolute path) with `arguments`, no shell, in `folder`, with
/// standard input from /dev/null and standard output and error both into the new file
/// `capture`, and the default action for every signal the guard catches. Returns the process
/// id, or -1 with `error` set. A child that cannot start says why in `capture`, its message
/// beginning with `tool`.
pid_t start_in_folder(const std::vector<std::string>& arguments, const std::string& folder,
                      const std::string& capture, std::string& error,
                      const char* tool = "quillox-all");

/// A child that ended, with its wait status.
struct EndedChild {
  pid_t pid = -1;
  int status = 0;
};

/// Waits until a child ends; nothing, with errno EINTR, when a caught signal came first, or
/// with another errno when no child is left.
std::optional<EndedChild> wait_for_child();

/// Reads the whole of `file` into `text`; false when it cannot be read.
bool read_file(const std::string& file, std::string& text);

/// The text of `file`, which is then removed; empty when it cannot be read.
std::string take_file(const std::string& file);

/// A folder of the run's own files, made under $TMPDIR (or /tmp), removed with what it holds
/// when the object ends.
class TemporaryFolder {
 public:
  TemporaryFolder() = default;
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  /// Makes the folder; false with `error` set when it cannot be made.
  bool create(std::string& error);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace batch
