// quillox-all: converts every program of an application folder with QUILLOX, several at a time.
#include "batch/quillox_all.h"

int main(int argc, char** argv) {
  return batch::run_quillox_all(argc, argv);
}
