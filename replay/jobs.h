// Processes that the replay starts (the compiler, the played tasks): at most a few at a time,
// each with a time limit, their output caught.
#pragma once

#include <string>
#include <vector>

namespace replay {

/// Most processes that run at once.
constexpr int kParallelJobs = 2;

/// One process to run and how it ended.
struct Job {
  std::vector<std::string> arguments;  // arguments[0]: an absolute path
  std::string folder;                  // where it runs
  std::string capture;                 // the file its standard output and error go to
  int time_limit = 0;                  // seconds; 0 for none
  // How it ended.
  bool started = false;
  bool timed_out = false;
  int exit_code = -1;  // -1 when a signal ended it
  int signal = 0;
  std::string error;   // why it could not start
  std::string output;  // what it printed
};

/// Runs every job, at most kParallelJobs at a time, and fills in how each ended. A job past its
/// time limit is killed.
void run_jobs(std::vector<Job>& jobs);

/// The absolute path of `program` found in the folders of PATH, or empty.
std::string find_in_path(const std::string& program);

}  // namespace replay
