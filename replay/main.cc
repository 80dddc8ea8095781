// quillox-replay: plays a dialogue against a program and its conversion.
#include "replay/replay_command.h"

int main(int argc, char** argv) {
  return replay::run_replay(argc, argv);
}
