// The migration page: the states and totals, the programs in the order of the work with a
// filter, the findings by class and kind with a bar chart, the monitor's commands still active
// by verb, the transfers between programs, the members not converted, the problems met, and
// (for an application of a few hundred programs) each program in detail.
#include "report/html_report.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "message_format/severity.h"
#include "report/csv_report.h"
#include "report/html_detail.h"
#include "report/html_text.h"

namespace report {

namespace {

using message_format::Severity;

// Chart geometry in pixels: names on the left, bars from kBarLeft, the total after each bar.
constexpr int kChartWidth = 700;
constexpr int kNameRight = 170;
constexpr int kBarLeft = 180;
constexpr int kBarRoom = 460;
constexpr int kRowHeight = 26;
constexpr int kBarHeight = 18;
constexpr int kChartMargin = 4;

// The chart shows the programs with the most findings, at most this many: with a thousand
// programs a bar each would bury the tables under it. The table of programs lists them all.
constexpr std::size_t kChartBars = 40;

// Names longer than this many bytes are shortened in the chart; the table shows them whole.
constexpr std::size_t kChartNameLength = 24;

// Rows of the table of transfers, and callers named in one row, on the migration page; the
// programs' own details name every transfer.
constexpr std::size_t kTransferRows = 100;
constexpr std::size_t kCallersPerRow = 10;

// Programs named for one member not converted; the members CSV file names all.
constexpr std::size_t kProgramsPerMember = 20;

// Problems listed on the page; each program's detail lists its own.
constexpr std::size_t kProblemsListed = 200;

// The colour of each finding kind in the chart.
struct KindColour {
  Finding id;
  std::string_view colour;
};
constexpr KindColour kColours[] = {
    {Finding::kLink, "#4e79a7"},
    {Finding::kXctl, "#a0cbe8"},
    {Finding::kConverse, "#f28e2b"},
    {Finding::kReturnOptionDropped, "#e17c05"},
    {Finding::kRoute, "#ffbe7d"},
    {Finding::kAssignTermcode, "#59a14f"},
    {Finding::kHandleConditionKept, "#9c755f"},
    {Finding::kSendPage, "#8cd17d"},
    {Finding::kSendAccum, "#b6992d"},
    {Finding::kSendControl, "#f1ce63"},
    {Finding::kSendCtlcharRemoved, "#499894"},
    {Finding::kSendWithoutParameters, "#86bcb6"},
    {Finding::kSendConvidOrSession, "#e15759"},
    {Finding::kReceiveBuffer, "#ff9d9a"},
    {Finding::kReceiveWithoutMap, "#79706e"},
    {Finding::kInvalidKey, "#bab0ac"},
    {Finding::kKvzaidNotCopied, "#6b5b95"},
    {Finding::kUsrcommWithoutLayout, "#c94c4c"},
    {Finding::kMapAreaInWorkingStorage, "#5f4690"},
    {Finding::kWithoutEndExec, "#3e7c59"},
    {Finding::kNotInCapitals, "#d37295"},
    {Finding::kCopybookError, "#fabfd2"},
    {Finding::kMultipleReceives, "#b07aa1"},
    {Finding::kFrontEndNotBuilt, "#9d7660"},
};
static_assert(std::size(kColours) == kFindingKindCount, "every finding kind has a colour");
static_assert(message_format::ids_in_order(kColours), "colours stand in the order of the kinds");

// The colour and the name of the messages the report does not know.
constexpr std::string_view kOtherColour = "#2f4b7c";
constexpr std::string_view kOtherHeading = "other messages";

std::string number(std::int64_t value) {
  return std::to_string(value);
}

// At most kChartNameLength bytes of `name`, cut between characters, with an ellipsis if cut.
std::string chart_name(std::string_view name) {
  if (name.size() <= kChartNameLength) return std::string(name);
  std::size_t cut = kChartNameLength - 1;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  return std::string(name.substr(0, cut)) + "\xE2\x80\xA6";
}

Finding kind_at(std::size_t index) {
  return static_cast<Finding>(index);
}

std::string_view class_name(std::size_t grade) {
  return message_format::severity_text(static_cast<Severity>(grade)).name;
}

// The sums over the programs of the page that the totals and tables show.
struct Sums {
  std::array<std::int64_t, kStateCount> states{};
  std::array<std::int64_t, message_format::kSeverityCount> classes{};
  std::int64_t commands = 0;
  std::int64_t members_not_found = 0;
};

Sums sums_of(const ApplicationPage& application) {
  Sums sums;
  for (const ProgramReport* program : application.programs) {
    ++sums.states[static_cast<std::size_t>(program->state)];
    for (std::size_t grade = 0; grade < message_format::kSeverityCount; ++grade)
      sums.classes[grade] += program->by_class[grade];
  }
  sums.commands = command_count(*application.commands);
  std::set<std::string> not_found;
  for (const ProgramReport* program : application.programs)
    for (const MemberUse& member : program->summary.members)
      if (member.outcome == MemberOutcome::kNotFound) not_found.insert(member.name);
  sums.members_not_found = static_cast<std::int64_t>(not_found.size());
  return sums;
}

void append_totals(std::string& page, const ApplicationPage& application, const Sums& sums) {
  const ApplicationTotals& totals = *application.totals;
  page += "<dl class=\"totals\" id=\"totals\">\n";
  auto total = [&page](std::string_view label, std::int64_t value, bool alert) {
    page += alert ? "<div class=\"attention\">" : "<div>";
    page += "<dt>" + html_escape(label) + "</dt><dd>" + number(value) + "</dd></div>\n";
  };
  total("Programs", static_cast<std::int64_t>(application.programs.size()), false);
  for (const StateText& state : kStates) {
    std::int64_t count = sums.states[static_cast<std::size_t>(state.id)];
    std::string label(state.name);
    label[0] = static_cast<char>(label[0] - 'a' + 'A');
    total(label, count, needs_conversion(state.id) && count > 0);
  }
  total("Findings for manual attention", totals.findings, totals.findings > 0);
  for (std::size_t grade = 0; grade < message_format::kSeverityCount; ++grade) {
    std::string label(class_name(grade));
    label[0] = static_cast<char>(label[0] - 'a' + 'A');
    total(label, sums.classes[grade],
          static_cast<Severity>(grade) != Severity::kReview && sums.classes[grade] > 0);
  }
  total("Active monitor commands", sums.commands, false);
  total("Members not found", sums.members_not_found, sums.members_not_found > 0);
  total("Screen programs", totals.screen_programs, false);
  total("Back-end programs", totals.programs - totals.screen_programs, false);
  total("Input lines read", totals.lines_read, false);
  total("Output lines written", totals.lines_written, false);
  total("EXEC ZARN statements", totals.exec_statements, false);
  page += "</dl>\n";
}

// The filter of the table of programs, shown by the script (without it, it could do nothing).
void append_filter(std::string& page, std::size_t rows, std::size_t programs) {
  page +=
      "<form class=\"filter\" id=\"filter\" hidden>\n<label>Name <input name=\"name\" "
      "type=\"search\" placeholder=\"part of a name\"></label>\n<label>State <select "
      "name=\"state\"><option value=\"\">any</option>";
  for (const StateText& state : kStates)
    page += "<option value=\"" + number(static_cast<int>(state.id)) + "\">" +
            std::string(state.name) + "</option>";
  page += "</select></label>\n<label>Class <select name=\"grade\"><option value=\"\">any</option>";
  for (std::size_t grade = 0; grade < message_format::kSeverityCount; ++grade)
    page += "<option value=\"" + number(static_cast<int>(grade)) + "\">" +
            std::string(class_name(grade)) + "</option>";
  page += "</select></label>\n<label>Kind <select name=\"kind\"><option value=\"\">any</option>";
  for (std::size_t kind = 0; kind <= kFindingKindCount; ++kind)
    page += "<option value=\"" + number(static_cast<int>(kind)) + "\">" +
            html_escape(kind < kFindingKindCount ? finding_heading(kind_at(kind)) : kOtherHeading) +
            "</option>";
  page += "</select></label>\n<output id=\"shown\">" +
          (rows < programs ? "the first " + number(static_cast<std::int64_t>(rows)) + " of " : "") +
          number(static_cast<std::int64_t>(programs)) + " programs</output>\n</form>\n";
}

// The classes a program has findings of ("02") and the kinds (" 7 12 "), as the filter reads them.
std::string classes_of(const ProgramReport& program) {
  std::string grades;
  for (std::size_t grade = 0; grade < message_format::kSeverityCount; ++grade)
    if (program.by_class[grade] > 0) grades += number(static_cast<int>(grade));
  return grades;
}

std::string kinds_of(const ProgramReport& program) {
  std::string kinds = " ";
  if (!program.read) return kinds;
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
    if (program.summary.findings[kind] > 0) kinds += number(static_cast<int>(kind)) + " ";
  if (program.summary.other_messages > 0) kinds += number(kFindingKindCount) + " ";
  return kinds;
}

// Every program as data for the script: what a row shows and what the filter reads. The text
// is escaped where it would end the script element.
std::string programs_data(const ApplicationPage& application, const PageLinks& links) {
  nlohmann::json entries = nlohmann::json::array();
  for (std::size_t at = 0; at < application.programs.size(); ++at) {
    const ProgramReport& program = *application.programs[at];
    entries.push_back({program.files.name, links.program(program.files.name),
                       static_cast<int>(program.state), state_name(program.state), program.reason,
                       program.read ? program_kind(program.summary) : "", program.by_class[0],
                       program.by_class[1], program.by_class[2],
                       program.read ? program.summary.total_findings() : 0, program.commands,
                       application.steps[at], classes_of(program), kinds_of(program)});
  }
  std::string text = entries.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  for (std::size_t at = text.find("</"); at != std::string::npos; at = text.find("</", at + 3))
    text.replace(at, 2, "<\\/");
  return "<script type=\"application/json\" id=\"programs-data\">" + text + "</script>\n";
}

void append_programs(std::string& page, const ApplicationPage& application,
                     const PageLinks& links) {
  std::size_t count = application.programs.size();
  std::size_t rows = std::min(count, kProgramRowsShown);
  page += "<h2 id=\"programs\">Programs</h2>\n";
  page +=
      "<p class=\"note\">In the order of the work: first the programs to convert (again), then "
      "those whose findings block compilation, then those that change behaviour, then those to "
      "review, the most findings of their heaviest class first. Click a column heading to sort "
      "by it.";
  if (rows < count)
    page += " The table shows the first " + number(static_cast<std::int64_t>(rows)) + " of " +
            number(static_cast<std::int64_t>(count)) +
            " programs; the filter and the headings work on all of them, and migration-report.csv "
            "lists every one.";
  page += "</p>\n";
  append_filter(page, rows, count);
  page +=
      "<div class=\"scroll\">\n<table class=\"programs sortable\">\n<thead><tr><th>Program</th>"
      "<th>State</th><th>Kind</th>";
  for (std::size_t grade = 0; grade < message_format::kSeverityCount; ++grade)
    page += "<th>" + html_escape(class_name(grade)) + "</th>";
  page +=
      "<th>Findings</th><th>Active monitor commands</th><th>Manual steps</th></tr></thead>\n"
      "<tbody>\n";
  for (std::size_t at = 0; at < rows; ++at) {
    const ProgramReport& program = *application.programs[at];
    page += "<tr data-s=\"" + number(static_cast<int>(program.state)) + "\" data-c=\"" +
            classes_of(program) + "\" data-k=\"" + kinds_of(program) + "\"><td>" +
            anchor(links.program(program.files.name), program.files.name) + "</td><td";
    if (!program.reason.empty()) page += " title=\"" + html_escape(program.reason) + "\"";
    page += ">" + std::string(state_name(program.state)) + "</td><td>" +
            std::string(program.read ? program_kind(program.summary) : "") + "</td>";
    for (std::size_t grade = 0; grade < message_format::kSeverityCount; ++grade)
      page += "<td>" + number(program.by_class[grade]) + "</td>";
    page += "<td>" + number(program.read ? program.summary.total_findings() : 0) + "</td><td>" +
            number(program.commands) + "</td><td>" + number(application.steps[at]) + "</td></tr>\n";
  }
  page += "</tbody>\n</table>\n</div>\n";
  if (rows < count) page += programs_data(application, links);
}

// The kinds found, by class and then by count, which is also the chart's legend.
void append_kinds(std::string& page, const ApplicationTotals& totals) {
  struct Row {
    std::size_t grade;
    std::int64_t findings;
    std::int64_t programs;
    std::string_view heading;
    std::string_view colour;
  };
  std::vector<Row> rows;
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
    if (totals.kinds[kind] > 0)
      rows.push_back({static_cast<std::size_t>(message_format::severity_of(kind_at(kind))),
                      totals.kinds[kind], totals.programs_with[kind],
                      finding_heading(kind_at(kind)), kColours[kind].colour});
  if (totals.other_messages > 0)
    rows.push_back({static_cast<std::size_t>(message_format::kUnclassifiedSeverity),
                    totals.other_messages, totals.programs_with_other, kOtherHeading,
                    kOtherColour});
  if (rows.empty()) {
    page += "<p>No finding needs manual attention.</p>\n";
    return;
  }
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    if (a.grade != b.grade) return a.grade < b.grade;
    return a.findings > b.findings;
  });
  page +=
      "<table class=\"kinds sortable\">\n<thead><tr><th></th><th>Kind</th><th>Class</th>"
      "<th>Findings</th><th>Programs</th></tr></thead>\n<tbody>\n";
  for (const Row& row : rows)
    page += "<tr><td class=\"swatch\"><span style=\"background:" + std::string(row.colour) +
            "\"></span></td><td class=\"name\">" + html_escape(row.heading) +
            "</td><td class=\"text\">" + std::string(class_name(row.grade)) + "</td><td>" +
            number(row.findings) + "</td><td>" + number(row.programs) + "</td></tr>\n";
  page += "</tbody>\n</table>\n";
}

// The monitor's commands still active, by verb: the work list for leaving the monitor.
void append_monitor(std::string& page, const ApplicationPage& application) {
  page += "<h2 id=\"monitor\">Still on the monitor</h2>\n";
  std::map<std::string, std::int64_t> programs_of;
  for (const ProgramReport* program : application.programs) {
    std::set<std::string> verbs;
    for (const ConvertedFile& file : program->converted)
      for (const VerbUse& use : file.commands) verbs.insert(use.verb);
    for (const std::string& verb : verbs) ++programs_of[verb];
  }
  std::vector<const VerbUse*> verbs;
  for (const VerbUse& use : *application.commands) verbs.push_back(&use);
  if (verbs.empty()) {
    page += "<p class=\"none\">No converted file holds an active EXEC ZARN command.</p>\n";
    return;
  }
  std::stable_sort(verbs.begin(), verbs.end(),
                   [](const VerbUse* a, const VerbUse* b) { return a->count > b->count; });
  page +=
      "<p class=\"note\">The EXEC ZARN commands that the converted programs and their members' "
      "converted copies still hold as active lines, read from those files: the work list for "
      "leaving the monitor. Each file is counted once, a member's copy however many programs "
      "copy it; each program's detail lists its own with their lines.</p>\n";
  page +=
      "<table class=\"verbs sortable\">\n<thead><tr><th>Verb</th><th>Commands</th>"
      "<th>Programs</th></tr></thead>\n<tbody>\n";
  for (const VerbUse* use : verbs)
    page += "<tr><td class=\"name\">" + html_escape(use->verb) + "</td><td>" + number(use->count) +
            "</td><td>" + number(programs_of[use->verb]) + "</td></tr>\n";
  page += "</tbody>\n</table>\n";
}

// Which programs of the application the others transfer to, the most called first.
void append_transfers(std::string& page, const ApplicationPage& application,
                      const PageLinks& links) {
  page += "<h2 id=\"transfers\">Transfers between programs</h2>\n";
  struct Callers {
    std::vector<std::string> from;  // "NAME (XCTL)"
    std::vector<std::string> links;
  };
  std::map<std::string, Callers> called;
  std::int64_t elsewhere = 0;
  std::int64_t fields = 0;
  for (const ProgramReport* program : application.programs) {
    for (const Transfer& transfer : program->summary.transfers) {
      std::string name = target_program(transfer.target);
      if (name.empty()) {
        ++fields;
        continue;
      }
      auto found = application.index->find(name);
      if (found == application.index->end()) {
        ++elsewhere;
        continue;
      }
      for (const std::string& target : found->second) {
        Callers& callers = called[target];
        callers.from.push_back(program->files.name);
        callers.links.push_back(anchor(links.program(program->files.name), program->files.name) +
                                " (" + html_escape(finding_heading(transfer.kind)) + ")");
      }
    }
  }
  std::string outside;
  if (elsewhere > 0 || fields > 0)
    outside = "<p class=\"note\">" + counted(elsewhere, "transfer") +
              " to a program outside the application, " + counted(fields, "transfer") +
              " to a field, whose program is known only when it runs.</p>\n";
  if (called.empty()) {
    page += "<p class=\"none\">No program transfers to another program of the application.</p>\n" +
            outside;
    return;
  }
  std::vector<std::pair<const std::string*, const Callers*>> rows;
  for (const auto& [target, callers] : called) rows.push_back({&target, &callers});
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return a.second->from.size() > b.second->from.size();
  });
  page +=
      "<p class=\"note\">LINK and XCTL commands whose program is a program of this application, "
      "by the program they transfer to, the most called first: convert and test the called "
      "programs first.</p>\n<table class=\"transfers sortable\">\n<thead><tr><th>Program</th>"
      "<th>Transfers</th><th>Transferred to from</th></tr></thead>\n<tbody>\n";
  std::size_t shown = 0;
  for (const auto& [target, callers] : rows) {
    if (shown++ == kTransferRows) break;
    std::string from;
    for (std::size_t at = 0; at < callers->links.size() && at < kCallersPerRow; ++at)
      from += (at == 0 ? "" : ", ") + callers->links[at];
    if (callers->links.size() > kCallersPerRow)
      from += " and " + number(static_cast<std::int64_t>(callers->links.size() - kCallersPerRow)) +
              " more";
    page += "<tr><td class=\"name\">" + anchor(links.program(*target), *target) + "</td><td>" +
            number(static_cast<std::int64_t>(callers->from.size())) + "</td><td class=\"text\">" +
            from + "</td></tr>\n";
  }
  page += "</tbody>\n</table>\n";
  if (rows.size() > kTransferRows)
    page += "<p class=\"note\">The " + number(kTransferRows) + " programs called most of " +
            number(static_cast<std::int64_t>(rows.size())) +
            "; each program's detail names the programs it transfers to.</p>\n";
  page += outside;
}

// The members that some program could not convert, with the programs that copy them.
void append_members_not_converted(std::string& page, const ApplicationPage& application,
                                  const PageLinks& links) {
  std::map<std::pair<std::string, MemberOutcome>, std::vector<const ProgramReport*>> copies;
  for (const ProgramReport* program : application.programs)
    for (const MemberUse& member : program->summary.members)
      if (member.outcome != MemberOutcome::kConverted)
        copies[{member.name, member.outcome}].push_back(program);
  page += "<h2 id=\"members\">Copybook members not converted</h2>\n";
  if (copies.empty()) {
    page += "<p class=\"none\">Every copybook member was found and converted.</p>\n";
    return;
  }
  page +=
      "<table class=\"members sortable\">\n<thead><tr><th>Member</th><th>What became of it</th>"
      "<th>Programs</th><th>Copied by</th></tr></thead>\n<tbody>\n";
  for (auto& [member, programs] : copies) {
    std::sort(programs.begin(), programs.end(), [](const ProgramReport* a, const ProgramReport* b) {
      return a->files.name < b->files.name;
    });
    std::string by;
    for (std::size_t at = 0; at < programs.size() && at < kProgramsPerMember; ++at)
      by += (at == 0 ? "" : ", ") +
            anchor(links.program(programs[at]->files.name), programs[at]->files.name);
    if (programs.size() > kProgramsPerMember)
      by += " and " + number(static_cast<std::int64_t>(programs.size() - kProgramsPerMember)) +
            " more (migration-members.csv names all)";
    page += "<tr><td class=\"name\">" + html_escape(member.first) + "</td><td class=\"text\">" +
            std::string(member_outcome_text(member.second)) + "</td><td>" +
            number(static_cast<std::int64_t>(programs.size())) + "</td><td class=\"text\">" + by +
            "</td></tr>\n";
  }
  page += "</tbody>\n</table>\n";
}

void append_problems(std::string& page, const ApplicationPage& application,
                     const PageLinks& links) {
  std::size_t count = 0;
  std::string items;
  for (const ProgramReport* program : application.programs) {
    for (const std::string& problem : program->problems) {
      if (count++ < kProblemsListed)
        items += "<li>" + anchor(links.program(program->files.name), program->files.name) + ": " +
                 html_escape(problem) + "</li>\n";
    }
  }
  if (count == 0) return;
  page += "<h2 id=\"problems\">Files not read</h2>\n<ul class=\"problems\">\n" + items + "</ul>\n";
  if (count > kProblemsListed)
    page += "<p class=\"note\">" + number(static_cast<std::int64_t>(count - kProblemsListed)) +
            " more are listed in the programs' details.</p>\n";
}

}  // namespace

std::string findings_chart(const std::vector<const ProgramReport*>& programs) {
  std::vector<const ProgramReport*> order;
  for (const ProgramReport* program : programs)
    if (program->read) order.push_back(program);
  auto total = [](const ProgramReport* program) { return program->summary.total_findings(); };
  std::stable_sort(order.begin(), order.end(),
                   [&total](const ProgramReport* a, const ProgramReport* b) {
                     if (total(a) != total(b)) return total(a) > total(b);
                     return a->files.name < b->files.name;
                   });
  if (order.size() > kChartBars) order.resize(kChartBars);
  std::int64_t largest = order.empty() ? 0 : total(order.front());
  int height = 2 * kChartMargin + kRowHeight * static_cast<int>(order.size());

  std::string svg =
      "<svg class=\"chart\" width=\"" + number(kChartWidth) + "\" height=\"" + number(height) +
      "\" viewBox=\"0 0 " + number(kChartWidth) + " " + number(height) +
      "\" role=\"img\" aria-label=\"Findings that need manual attention, per program\">\n";
  for (std::size_t row = 0; row < order.size(); ++row) {
    const ProgramSummary& program = order[row]->summary;
    const std::string& program_name = order[row]->files.name;
    int top = kChartMargin + kRowHeight * static_cast<int>(row);
    int bar_top = top + (kRowHeight - kBarHeight) / 2;
    int baseline = bar_top + kBarHeight - 4;
    std::string name = html_escape(program_name);
    svg +=
        "<g class=\"bar\"><title>" + name + ": " + number(program.total_findings()) + "</title>\n";
    svg += "<text x=\"" + number(kNameRight) + "\" y=\"" + number(baseline) +
           "\" text-anchor=\"end\">" + html_escape(chart_name(program_name)) + "</text>\n";
    // Segments start where the findings counted so far end, so rounding leaves no gaps.
    std::int64_t counted_so_far = 0;
    int right = kBarLeft;
    auto segment = [&](std::int64_t count, std::string_view colour, std::string_view heading) {
      if (count == 0) return;
      counted_so_far += count;
      int left = right;
      right = kBarLeft + static_cast<int>(counted_so_far * kBarRoom / largest);
      svg += "<rect x=\"" + number(left) + "\" y=\"" + number(bar_top) + "\" width=\"" +
             number(right - left) + "\" height=\"" + number(kBarHeight) + "\" fill=\"" +
             std::string(colour) + "\"><title>" + name + " - " + html_escape(heading) + ": " +
             number(count) + "</title></rect>\n";
    };
    for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
      segment(program.findings[kind], kColours[kind].colour, finding_heading(kind_at(kind)));
    segment(program.other_messages, kOtherColour, kOtherHeading);
    svg += "<text x=\"" + number(right + 6) + "\" y=\"" + number(baseline) + "\">" +
           number(program.total_findings()) + "</text></g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

std::string html_report(const ApplicationPage& application) {
  PageLinks links;
  links.details_inline = !application.details.empty() || application.programs.empty();
  links.programs = application.index;
  Sums sums = sums_of(application);

  std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<title>Migration report - " + html_escape(application.folder) + "</title>\n";
  page += kPageStyle;
  page += "</head>\n<body>\n<h1>Migration report</h1>\n";
  page += "<p class=\"folder\">" + html_escape(application.folder) + "</p>\n";
  append_totals(page, application, sums);
  append_programs(page, application, links);

  page += "<h2 id=\"kinds\">Findings by class and kind</h2>\n";
  page +=
      "<p class=\"note\">Blocks compilation: the converted program does not compile until it is "
      "done. Changes behaviour: it compiles, but no longer does what the original did. Review: "
      "it stays as it was and needs a look. Findings inside a copy book are counted for every "
      "program that copies it.</p>\n";
  page += "<div class=\"findings\">\n";
  page += findings_chart(application.programs);
  append_kinds(page, *application.totals);
  page += "</div>\n";
  if (application.programs.size() > kChartBars)
    page += "<p class=\"note\">The chart shows the " + number(kChartBars) +
            " programs with the most findings; the table lists every program.</p>\n";

  append_monitor(page, application);
  append_transfers(page, application, links);
  append_members_not_converted(page, application, links);
  append_problems(page, application, links);

  if (!application.details.empty()) {
    page += "<h2 id=\"details\">Programs in detail</h2>\n";
    for (const std::string& detail : application.details) page += detail;
  } else if (!application.programs.empty()) {
    page += "<p class=\"note\">Each program has a page of its own in " +
            std::string(kReportFilesFolder) +
            "/programs/, linked from the table of programs.</p>\n";
  }
  page += kPageScript;
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace report
