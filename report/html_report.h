// The migration page: the states and totals, the programs in the order of the work with a
// filter, the findings by class and kind with a bar chart, the monitor's commands still active
// by verb, the transfers between programs, the members not converted, the problems met, and
// (for an application of a few hundred programs) each program in detail.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "report/application_totals.h"
#include "report/html_page.h"
#include "report/monitor_commands.h"
#include "report/program_reading.h"

namespace report {

/// The bar chart as inline SVG: one bar per program (a `<g class="bar">` each) for the 40 with
/// the most findings, largest total first and by name among equals, each bar made of one
/// segment per finding kind it holds and one for its other messages.
std::string findings_chart(const std::vector<const ProgramReport*>& programs);

/// What the migration page shows of the whole application.
struct ApplicationPage {
  std::string folder;                          // the application folder's own name
  std::vector<const ProgramReport*> programs;  // in the order of the page
  std::vector<std::int64_t> steps;             // each program's number of manual steps
  const ApplicationTotals* totals = nullptr;   // of the message files read
  const MonitorCommands* commands = nullptr;   // in all converted files, each file once
  const ProgramIndex* index = nullptr;         // the programs by the name they are called by
  std::vector<std::string> details;            // each program's detail, when the page holds them
};

/// The whole migration page. Needs no other file, font or server; its one inline script sorts
/// the tables and filters the programs, and the page reads as well without it.
std::string html_report(const ApplicationPage& application);

}  // namespace report
