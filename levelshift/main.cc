// NESTLVL: copies a copybook with every two-digit level number raised by one.
#include "levelshift/level_shifter.h"

int main(int argc, char** argv) {
  return levelshift::run_level_shifter(argc, argv);
}
