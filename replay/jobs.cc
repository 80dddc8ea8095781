// Processes that the replay starts (the compiler, the played tasks): at most a few at a time,
// each with a time limit, their output caught.
#include "replay/jobs.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "batch/child_process.h"

namespace replay {

namespace {

using Clock = std::chrono::steady_clock;

struct Running {
  std::size_t job;
  pid_t pid;
  Clock::time_point started;
};

void ended(Job& job, int status) {
  if (WIFEXITED(status)) {
    job.exit_code = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    job.signal = WTERMSIG(status);
  }
  batch::read_file(job.capture, job.output);
}

}  // namespace

void run_jobs(std::vector<Job>& jobs) {
  std::vector<Running> running;
  std::size_t next = 0;
  while (next < jobs.size() || !running.empty()) {
    while (next < jobs.size() && static_cast<int>(running.size()) < kParallelJobs) {
      Job& job = jobs[next];
      pid_t pid = batch::start_in_folder(job.arguments, job.folder, job.capture, job.error,
                                         "quillox-replay");
      if (pid > 0) {
        job.started = true;
        running.push_back(Running{next, pid, Clock::now()});
      }
      ++next;
    }
    bool any = false;
    for (std::size_t i = 0; i < running.size();) {
      Job& job = jobs[running[i].job];
      int status = 0;
      pid_t done = waitpid(running[i].pid, &status, WNOHANG);
      if (done == running[i].pid) {
        ended(job, status);
        running.erase(running.begin() + static_cast<long>(i));
        any = true;
        continue;
      }
      if (job.time_limit > 0 &&
          Clock::now() - running[i].started > std::chrono::seconds(job.time_limit)) {
        kill(running[i].pid, SIGKILL);
        waitpid(running[i].pid, &status, 0);
        job.timed_out = true;
        ended(job, status);
        running.erase(running.begin() + static_cast<long>(i));
        any = true;
        continue;
      }
      ++i;
    }
    if (!any && !running.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

std::string find_in_path(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (!path) return std::string();
  std::string folders = path;
  std::size_t begin = 0;
  while (begin <= folders.size()) {
    std::size_t end = folders.find(':', begin);
    if (end == std::string::npos) end = folders.size();
    std::string folder = folders.substr(begin, end - begin);
    if (folder.empty()) folder = ".";
    std::string candidate = folder + "/" + program;
    struct stat status;
    if (stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        access(candidate.c_str(), X_OK) == 0) {
      if (candidate[0] != '/') {
        char here[4096];
        if (getcwd(here, sizeof here)) candidate = std::string(here) + "/" + candidate;
      }
      return candidate;
    }
    begin = end + 1;
  }
  return std::string();
}

}  // namespace replay
