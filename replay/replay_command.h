// quillox-replay's command line and the play of each dialogue: both sides built, every step
// played on each twice, the traces compared and the outcome printed.
#pragma once

namespace replay {

/// Runs quillox-replay with its command line; returns the exit code: 0 every step passed, 1 a
/// step failed, 2 a script or a side could not be played, 100 a file could not be read or
/// written.
int run_replay(int argc, char** argv);

}  // namespace replay
