// The files a run writes, kept under temporary names until the run ends, so that a run replaces
// all its outputs or none and an interrupted run leaves every old file as it was.
#include "text/output_set.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace text {

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary files of every live set, for the signal handler; changed only while the ending
// signals are blocked, so the handler never sees it half changed.
std::vector<std::string>& temporaries() {
  static std::vector<std::string>* all = new std::vector<std::string>();
  return *all;
}

int live_sets = 0;
struct sigaction previous_actions[std::size(kEndingSignals)];

// Blocks the ending signals while it lives.
class SignalsBlocked {
 public:
  SignalsBlocked() {
    sigset_t ending;
    sigemptyset(&ending);
    for (int signal_number : kEndingSignals) sigaddset(&ending, signal_number);
    sigprocmask(SIG_BLOCK, &ending, &before_);
  }
  ~SignalsBlocked() { sigprocmask(SIG_SETMASK, &before_, nullptr); }
  SignalsBlocked(const SignalsBlocked&) = delete;
  SignalsBlocked& operator=(const SignalsBlocked&) = delete;

 private:
  sigset_t before_;
};

// Removes every temporary file, then ends the process by the signal that arrived.
extern "C" void remove_temporaries_and_end(int signal_number) {
  for (const std::string& temporary : temporaries()) unlink(temporary.c_str());
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  sigaction(signal_number, &default_action, nullptr);
  raise(signal_number);
}

void forget_temporary(const std::string& temporary) {
  SignalsBlocked blocked;
  std::vector<std::string>& all = temporaries();
  auto found = std::find(all.begin(), all.end(), temporary);
  if (found != all.end()) all.erase(found);
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

}  // namespace

OutputSet::OutputSet() {
  SignalsBlocked blocked;
  if (live_sets++ != 0) return;
  for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
    struct sigaction action {};
    action.sa_handler = remove_temporaries_and_end;
    sigemptyset(&action.sa_mask);
    for (int signal_number : kEndingSignals) sigaddset(&action.sa_mask, signal_number);
    sigaction(kEndingSignals[i], nullptr, &previous_actions[i]);
    // A signal the process was started to ignore stays ignored.
    if (previous_actions[i].sa_handler != SIG_IGN) sigaction(kEndingSignals[i], &action, nullptr);
  }
}

OutputSet::~OutputSet() {
  discard();
  SignalsBlocked blocked;
  if (--live_sets != 0) return;
  for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
    sigaction(kEndingSignals[i], &previous_actions[i], nullptr);
}

std::unique_ptr<OutputFile> OutputSet::open(const std::string& name, std::string& reason) {
  struct stat status;
  if (::stat(name.c_str(), &status) == 0) {
    if (S_ISDIR(status.st_mode)) {
      reason = error_text(EISDIR);
      return nullptr;
    }
    // A device or a FIFO is written as it is: there is nothing to replace.
    if (!S_ISREG(status.st_mode)) {
      std::FILE* stream = std::fopen(name.c_str(), "wb");
      if (stream == nullptr) {
        reason = error_text(errno);
        return nullptr;
      }
      return std::make_unique<OutputFile>(stream, name);
    }
  }
  // The earlier output of the same name would be replaced by this one anyway.
  for (auto earlier = pending_.begin(); earlier != pending_.end(); ++earlier) {
    if (earlier->final_name != name) continue;
    unlink(earlier->temporary.c_str());
    forget_temporary(earlier->temporary);
    pending_.erase(earlier);
    break;
  }
  std::size_t separator = name.find_last_of('/');
  std::string folder =
      separator == std::string::npos ? std::string() : name.substr(0, separator + 1);
  std::string file = separator == std::string::npos ? name : name.substr(separator + 1);
  std::string temporary = folder + "." + file + ".XXXXXX";
  int descriptor;
  {
    // Registered before the signals can see the file, so none is left behind.
    SignalsBlocked blocked;
    descriptor = mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) {
      reason = error_text(errno);
      return nullptr;
    }
    temporaries().push_back(temporary);
  }
  static const mode_t mode = created_file_mode();
  fchmod(descriptor, mode);
  std::FILE* stream = fdopen(descriptor, "wb");
  if (stream == nullptr) {
    reason = error_text(errno);
    close(descriptor);
    unlink(temporary.c_str());
    forget_temporary(temporary);
    return nullptr;
  }
  pending_.push_back({name, temporary});
  return std::make_unique<OutputFile>(stream, name);
}

bool OutputSet::commit(const std::vector<FileIdentity>& read, std::string& refused,
                       std::string& reason) {
  for (const Pending& output : pending_) {
    FileIdentity identity;
    if (identity_of(output.final_name, identity) &&
        std::find(read.begin(), read.end(), identity) != read.end()) {
      refused = output.final_name;
      discard();
      return false;
    }
  }
  // Once the first output takes its final name the others follow: an ending signal waits.
  SignalsBlocked blocked;
  bool all_renamed = true;
  for (const Pending& output : pending_) {
    if (std::rename(output.temporary.c_str(), output.final_name.c_str()) != 0) {
      if (all_renamed) {
        refused = output.final_name;
        reason = error_text(errno);
      }
      all_renamed = false;
      unlink(output.temporary.c_str());
    }
    forget_temporary(output.temporary);
  }
  pending_.clear();
  return all_renamed;
}

void OutputSet::discard() {
  for (const Pending& output : pending_) {
    unlink(output.temporary.c_str());
    forget_temporary(output.temporary);
  }
  pending_.clear();
}

}  // namespace text
