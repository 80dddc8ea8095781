// quillox-stub-exec: a converted program with the monitor's commands put aside.
#include "stubexec/stub_exec.h"

int main(int argc, char** argv) {
  return stubexec::run_stub_exec(argc, argv);
}
