// What the report's pages share: the style sheet, the scripts that sort and filter the tables,
// and the links between the pages and to the files of the application.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "report/message_file.h"
#include "report/program_reading.h"

namespace report {

/// Folder beside the migration page that holds the views of the converted files and, for a
/// large application, one page per program.
inline constexpr char kReportFilesFolder[] = "migration-report-files";

/// Programs whose details the migration page holds itself; beyond them each program gets a
/// page of its own and the migration page stays small enough to open in a second or two.
inline constexpr std::size_t kInlineDetailsLimit = 300;

/// Rows of the table of programs on the migration page: beyond them the page carries the
/// programs as data, which its script sorts and filters, showing this many rows of the result.
inline constexpr std::size_t kProgramRowsShown = 300;

/// The path below the output folder of the view of `file` (a path below the application folder).
std::string view_path(std::string_view file);

/// The path below the output folder of the page of the program named `name`.
std::string program_page_path(std::string_view name);

/// The programs of the application by the name another program calls them by: the name of
/// their file as QUILLOX makes a program name of it ("billing/INVC01" is called INVC01).
using ProgramIndex = std::map<std::string, std::vector<std::string>>;

/// The index of the programs named `names`.
ProgramIndex index_programs(const std::vector<std::string>& names);

/// The program name a LINK or XCTL target names when it is a literal ('PRICE01' gives
/// PRICE01); empty for a field, whose value is known only when the program runs.
std::string target_program(std::string_view target);

/// Where links of one page lead: from the page's folder to the output folder and to the
/// application folder, and whether program details are on the migration page.
struct PageLinks {
  std::string to_output;       // "" on the migration page, "../../" on a program's page, ...
  std::string to_application;  // to_output and then the way from the output folder
  bool details_inline = true;
  bool on_summary = true;  // the page is the migration page itself
  const ProgramIndex* programs = nullptr;

  /// The link to the detail of the program named `name`.
  std::string program(std::string_view name) const;
  /// The link to line `number` of the view of `file`, or to the view when `number` is 0.
  std::string line(std::string_view file, std::int64_t number) const;
  /// The link to `file` of the application as it is.
  std::string file(std::string_view path) const;
};

/// `<a href="...">text</a>` for an href already made safe, the text escaped.
std::string anchor(std::string_view href, std::string_view text);

/// "1 finding", "2 findings".
std::string counted(std::int64_t value, std::string_view what);

/// The style sheet of the migration page and of the programs' pages.
extern const char kPageStyle[];

/// The script that sorts the tables marked "sortable" by the column whose heading is clicked,
/// and filters the table of programs by the form "filter".
extern const char kPageScript[];

}  // namespace report
