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

/// Catches SIGINT, SIGTERM and SIGHUP while it lives, so that a run can stop its conversions
/// and clean up; the previous handlers come back when it ends.
class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

  /// The signal caught since the guard began, or 0.
  static int caught();

 private:
  struct sigaction previous_[3];
};

/// Starts `arguments[0]` (an absolute path) with `arguments`, no shell, in `folder`, with
/// standard input from /dev/null and standard output and error both into the new file
/// `capture`. Returns the process id, or -1 with `error` set. A child that cannot start says
/// why in `capture`, its message beginning with `tool`.
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
