// The files a run writes, kept under temporary names until the run ends, so that a run replaces
// all its outputs or none and an interrupted run leaves every old file as it was.
#include "text/output_set.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace text {

namespace {

// The temporary name, in the folder of the file it replaces: short, so that any final name the
// system accepts works; mkostemp fills in the six X.
constexpr std::string_view kTemporaryPattern = ".quillox-XXXXXX";

// The temporary files of every live set, for the signal handler, each in a slot of its own (an
// empty slot is free); changed only while the ending signals are blocked, so the handler never
// sees them half changed.
std::vector<std::string>& temporaries() {
  static std::vector<std::string>* all = new std::vector<std::string>();
  return *all;
}
std::vector<std::size_t>& free_slots() {
  static std::vector<std::size_t>* free = new std::vector<std::size_t>();
  return *free;
}

int live_sets = 0;
// What each ending signal did before the first live set took it over, in the order of
// `ending_signals()`.
std::vector<struct sigaction>& previous_actions() {
  static std::vector<struct sigaction>* previous = new std::vector<struct sigaction>();
  return *previous;
}

// Removes every temporary file, then gives the signal back its default action: the process ends
// by it as soon as this handler returns.
extern "C" void remove_temporaries_and_end(int signal_number) {
  int saved_errno = errno;
  for (const std::string& temporary : temporaries())
    if (!temporary.empty()) unlink(temporary.c_str());
  const std::vector<int>& signals = ending_signals();
  for (std::size_t i = 0; i < signals.size(); ++i)
    if (signals[i] == signal_number) sigaction(signal_number, &previous_actions()[i], nullptr);
  raise(signal_number);
  errno = saved_errno;
}

std::size_t remember_temporary(const std::string& temporary) {
  std::vector<std::string>& all = temporaries();
  std::vector<std::size_t>& free = free_slots();
  if (free.empty()) {
    all.push_back(temporary);
    return all.size() - 1;
  }
  std::size_t slot = free.back();
  free.pop_back();
  all[slot] = temporary;
  return slot;
}

// Removes the temporary file of `slot` (when `remove`) and frees the slot.
void forget_temporary(std::size_t slot, bool remove) {
  EndingSignalsBlocked blocked;
  std::string& temporary = temporaries()[slot];
  if (remove) unlink(temporary.c_str());
  temporary.clear();
  free_slots().push_back(slot);
}

// The permissions a file created with fopen gets: 0666 less the process's umask.
mode_t created_file_mode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

std::string error_text(int error) {
  return std::strerror(error);
}

// The folder of `name` with its final separator ("" for the working folder), and as shown.
std::string folder_of(const std::string& name) {
  std::size_t separator = name.find_last_of('/');
  return separator == std::string::npos ? std::string() : name.substr(0, separator + 1);
}
std::string shown_folder(const std::string& folder) {
  if (folder.empty()) return ".";
  if (folder == "/") return folder;
  return folder.substr(0, folder.size() - 1);
}

}  // namespace

const std::vector<int>& ending_signals() {
  static const std::vector<int>* signals = [] {
    auto* list = new std::vector<int>{SIGHUP,  SIGINT,  SIGQUIT, SIGPIPE, SIGALRM,
                                      SIGTERM, SIGUSR1, SIGUSR2, SIGXFSZ, SIGVTALRM,
                                      SIGPROF, SIGXCPU, SIGPOLL, SIGPWR,  SIGSTKFLT};
    for (int signal_number = SIGRTMIN; signal_number <= SIGRTMAX; ++signal_number)
      list->push_back(signal_number);
    return list;
  }();
  return *signals;
}

EndingSignalsBlocked::EndingSignalsBlocked() {
  sigset_t ending;
  sigemptyset(&ending);
  for (int signal_number : ending_signals()) sigaddset(&ending, signal_number);
  sigprocmask(SIG_BLOCK, &ending, &before_);
}

EndingSignalsBlocked::~EndingSignalsBlocked() {
  sigprocmask(SIG_SETMASK, &before_, nullptr);
}

std::string why_not_replaceable(const std::string& name) {
  struct stat file;
  bool exists = ::lstat(name.c_str(), &file) == 0;
  // An existing file is refused as opening it for writing would refuse it.
  if (exists && S_ISREG(file.st_mode) && faccessat(AT_FDCWD, name.c_str(), W_OK, AT_EACCESS) != 0)
    return error_text(errno);
  std::string folder = folder_of(name);
  std::string folder_name = folder.empty() ? "." : folder;
  struct stat status;
  if (::stat(folder_name.c_str(), &status) != 0) return error_text(errno);
  if (faccessat(AT_FDCWD, folder_name.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
    return "no temporary file can be made in " + shown_folder(folder) + ": " + error_text(errno);
  // In a folder with the sticky bit only the owner of a file (or of the folder) may replace it.
  uid_t user = geteuid();
  if (exists && (status.st_mode & S_ISVTX) != 0 && user != 0 && file.st_uid != user &&
      status.st_uid != user)
    return "it is another user's file in a folder with the sticky bit";
  return "";
}

std::string why_old_output_refused(const std::string& name) {
  struct stat status;
  if (::stat(name.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return "";
  return why_not_replaceable(link_target(name));
}

OutputSet::OutputSet() {
  EndingSignalsBlocked blocked;
  if (live_sets++ != 0) return;
  const std::vector<int>& signals = ending_signals();
  std::vector<struct sigaction>& previous = previous_actions();
  previous.assign(signals.size(), {});
  struct sigaction action {};
  action.sa_handler = remove_temporaries_and_end;
  sigemptyset(&action.sa_mask);
  for (int signal_number : signals) sigaddset(&action.sa_mask, signal_number);
  for (std::size_t i = 0; i < signals.size(); ++i) {
    sigaction(signals[i], nullptr, &previous[i]);
    // Only a signal that would end the process is taken over: one the process ignores ends
    // nothing, and one it handles itself (a test driver's timer) may well go on with the run.
    if (previous[i].sa_handler == SIG_DFL && (previous[i].sa_flags & SA_SIGINFO) == 0)
      sigaction(signals[i], &action, nullptr);
  }
}

OutputSet::~OutputSet() {
  discard();
  EndingSignalsBlocked blocked;
  if (--live_sets != 0) return;
  const std::vector<int>& signals = ending_signals();
  for (std::size_t i = 0; i < signals.size(); ++i)
    sigaction(signals[i], &previous_actions()[i], nullptr);
}

void OutputSet::give_up(Pending& output) {
  if (!output.live) return;
  forget_temporary(output.slot, true);
  output.live = false;
}

std::unique_ptr<OutputFile> OutputSet::open(const std::string& name, std::string& reason) {
  std::string target = link_target(name);
  struct stat status;
  bool exists = ::stat(target.c_str(), &status) == 0;
  if (!exists && errno != ENOENT) {
    reason = error_text(errno);
    return nullptr;
  }
  // What the name itself leads to, every link followed (those of the system too).
  struct stat named;
  bool named_exists = ::stat(name.c_str(), &named) == 0;
  if (named_exists && S_ISDIR(named.st_mode)) {
    reason = error_text(EISDIR);
    return nullptr;
  }
  // A device or a FIFO is written as it is: there is nothing to replace. So is a file that a
  // link of the system (such as /proc/self/fd/1) names by a path that does not lead to it.
  bool direct = named_exists && (!S_ISREG(named.st_mode) || !exists ||
                                 named.st_dev != status.st_dev || named.st_ino != status.st_ino);
  if (direct) {
    std::FILE* stream = std::fopen(name.c_str(), "wb");
    if (stream == nullptr) {
      reason = error_text(errno);
      return nullptr;
    }
    return std::make_unique<OutputFile>(stream, name);
  }
  reason = why_not_replaceable(target);
  if (!reason.empty()) return nullptr;
  // The earlier output of the same name would be replaced by this one anyway.
  auto earlier = by_name_.find(name);
  if (earlier != by_name_.end()) give_up(pending_[earlier->second]);

  std::string folder = folder_of(target);
  std::string temporary = folder + std::string(kTemporaryPattern);
  int descriptor;
  std::size_t slot;
  {
    // Registered before the signals can see the file, so none is left behind.
    EndingSignalsBlocked blocked;
    descriptor = mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) {
      reason =
          "no temporary file can be made in " + shown_folder(folder) + ": " + error_text(errno);
      return nullptr;
    }
    slot = remember_temporary(temporary);
  }
  static const mode_t new_file_mode = created_file_mode();
  if (exists) {
    // The owner first: changing it may clear the set-user-ID bits that the mode then restores.
    if (fchown(descriptor, status.st_uid, status.st_gid) != 0)
      (void)!fchown(descriptor, static_cast<uid_t>(-1), status.st_gid);
    fchmod(descriptor, status.st_mode & 07777);
  } else {
    fchmod(descriptor, new_file_mode);
  }
  std::FILE* stream = fdopen(descriptor, "wb");
  if (stream == nullptr) {
    reason = error_text(errno);
    close(descriptor);
    forget_temporary(slot, true);
    return nullptr;
  }
  by_name_[name] = pending_.size();
  pending_.push_back({name, target, slot});
  return std::make_unique<OutputFile>(stream, name);
}

CommitResult OutputSet::commit(const FileIdentitySet& read) {
  CommitResult result;
  for (const Pending& output : pending_) {
    if (!output.live) continue;
    FileIdentity identity;
    if (identity_of(output.target, identity) && read.count(identity) != 0) {
      result = {CommitResult::kReadByRun, output.final_name, ""};
      discard();
      return result;
    }
  }
  // Every final name is checked before the first rename, so that a commit does not stop
  // half-way for a reason that could be known.
  for (const Pending& output : pending_) {
    if (!output.live) continue;
    std::string why = why_not_replaceable(output.target);
    if (!why.empty()) {
      result = {CommitResult::kNotReplaceable, output.final_name, why};
      discard();
      return result;
    }
  }
  // Once the first output takes its final name the others follow: an ending signal waits.
  EndingSignalsBlocked blocked;
  for (Pending& output : pending_) {
    if (!output.live) continue;
    const std::string& temporary = temporaries()[output.slot];
    if (std::rename(temporary.c_str(), output.target.c_str()) != 0) {
      result = {CommitResult::kRenameFailed, output.final_name, error_text(errno)};
      discard();
      return result;
    }
    forget_temporary(output.slot, false);
    output.live = false;
  }
  pending_.clear();
  by_name_.clear();
  return result;
}

void OutputSet::discard() {
  for (Pending& output : pending_) give_up(output);
  pending_.clear();
  by_name_.clear();
}

}  // namespace text
