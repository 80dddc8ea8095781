// QUILLOX: converts one screen program of the transaction monitor into a called program.
#include "converter/driver/command_line.h"

int main(int argc, char** argv) {
  return converter::run_converter(argc, argv);
}
