// Starting and waiting for the converter's processes, the signals that end a run early, and the
// run's temporary folder.
#include "batch/child_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "text/output_set.h"

namespace batch {

namespace {

volatile std::sig_atomic_t caught_signal = 0;

extern "C" void note_signal(int signal_number) {
  if (caught_signal == 0) caught_signal = signal_number;
}

// Writes `text` and the reason for `errno` to `fd` in a child that is about to end.
void tell(int fd, const char* tool, const char* text, const std::string& name) {
  std::string message = std::string(tool) + ": " + text + name + ": " + std::strerror(errno) + "\n";
  ssize_t written = write(fd, message.data(), message.size());
  (void)written;  // the child ends with kExitCannotStart either way
}

}  // namespace

InterruptGuard::InterruptGuard() {
  caught_signal = 0;
  struct sigaction action = {};
  action.sa_handler = note_signal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a wait for a child returns when a signal arrives.
  action.sa_flags = 0;
  const std::vector<int>& signals = text::ending_signals();
  previous_.assign(signals.size(), {});
  for (std::size_t i = 0; i < signals.size(); ++i) {
    sigaction(signals[i], nullptr, &previous_[i]);
    if (previous_[i].sa_handler != SIG_IGN) sigaction(signals[i], &action, nullptr);
  }
}

InterruptGuard::~InterruptGuard() {
  const std::vector<int>& signals = text::ending_signals();
  for (std::size_t i = 0; i < signals.size(); ++i) sigaction(signals[i], &previous_[i], nullptr);
}

void end_by_signal(int signal_number) {
  std::fflush(stdout);
  std::fflush(stderr);
  struct sigaction default_action = {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  sigaction(signal_number, &default_action, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal_number);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal_number);
  // A signal whose default action does not end the process was never caught: end as it would.
  _exit(128 + signal_number);
}

int InterruptGuard::caught() {
  return caught_signal;
}

pid_t start_in_folder(const std::vector<std::string>& arguments, const std::string& folder,
                      const std::string& capture, std::string& error, const char* tool) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int output = open(capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (output < 0) {
    error = "cannot create " + capture + ": " + std::strerror(errno);
    return -1;
  }
  int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (input < 0) {
    error = std::string("cannot open /dev/null: ") + std::strerror(errno);
    close(output);
    return -1;
  }
  // No signal is handled between the fork and the parent's note of the child: one that arrives
  // waits, and the child starts with the default actions.
  text::EndingSignalsBlocked blocked;
  pid_t pid = fork();
  if (pid == 0) {
    // The child: only its own descriptors, folder and program from here on.
    if (dup2(input, STDIN_FILENO) < 0 || dup2(output, STDOUT_FILENO) < 0 ||
        dup2(output, STDERR_FILENO) < 0)
      _exit(kExitCannotStart);
    if (chdir(folder.c_str()) != 0) {
      tell(STDERR_FILENO, tool, "cannot enter the folder ", folder);
      _exit(kExitCannotStart);
    }
    // The program starts with the default action of each signal caught here (exec gives it
    // that) and none of them blocked.
    sigset_t ending;
    sigemptyset(&ending);
    for (int signal_number : text::ending_signals()) sigaddset(&ending, signal_number);
    sigprocmask(SIG_UNBLOCK, &ending, nullptr);
    execv(argv[0], argv.data());
    tell(STDERR_FILENO, tool, "cannot run ", arguments[0]);
    _exit(kExitCannotStart);
  }
  int fork_error = errno;
  close(input);
  close(output);
  if (pid < 0) {
    error = std::string("cannot start a process: ") + std::strerror(fork_error);
    unlink(capture.c_str());
  }
  return pid;
}

std::optional<EndedChild> wait_for_child() {
  EndedChild ended;
  ended.pid = waitpid(-1, &ended.status, 0);
  if (ended.pid < 0) return std::nullopt;
  return ended;
}

bool read_file(const std::string& file, std::string& text) {
  text.clear();
  std::FILE* stream = std::fopen(file.c_str(), "rb");
  if (!stream) return false;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, got);
  bool failed = std::ferror(stream) != 0;
  std::fclose(stream);
  return !failed;
}

std::string take_file(const std::string& file) {
  std::string text;
  read_file(file, text);
  unlink(file.c_str());
  return text;
}

bool TemporaryFolder::create(std::string& error) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quillox-all.XXXXXX";
  if (!mkdtemp(pattern.data())) {
    error = "cannot create a temporary folder " + pattern + ": " + std::strerror(errno);
    return false;
  }
  path_ = pattern;
  return true;
}

TemporaryFolder::~TemporaryFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace batch
