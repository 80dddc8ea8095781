// quillox-report: the migration report of a converted application folder.
#include "report/report_command.h"

int main(int argc, char** argv) {
  return report::run_report(argc, argv);
}
