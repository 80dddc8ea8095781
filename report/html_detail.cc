// One program in detail: its state, its files, its checklist in the order of the work, its
// findings with links to their lines, what it still asks of the monitor, the programs it
// transfers to, and its members.
#include "report/html_detail.h"

#include <utility>
#include <vector>

#include "message_format/severity.h"
#include "report/checklist.h"
#include "report/csv_report.h"
#include "report/html_text.h"

namespace report {

namespace {

using message_format::Severity;

std::string number(std::int64_t value) {
  return std::to_string(value);
}

// The last part of a path, the file's own name.
std::string_view file_name(std::string_view path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string class_label(Severity severity) {
  return "<span class=\"class c" + number(static_cast<int>(severity)) + "\">" +
         std::string(message_format::severity_text(severity).name) + "</span>";
}

// The converted file that line numbers in `member` (empty: the program itself) refer to, if its
// view was written.
const ConvertedFile* viewed_file(const ProgramReport& program, const std::string& member) {
  for (const ConvertedFile& file : program.converted)
    if (file.member == member) return file.viewed ? &file : nullptr;
  return nullptr;
}

// The place of `line`, a link to its line in the view of its file where there is one.
std::string place_link(const ProgramReport& program, const ListedLine& line,
                       const PageLinks& links) {
  std::string place = place_of(line);
  if (line.number_kind != ListedLine::Number::kOutputLine) return html_escape(place);
  const ConvertedFile* file = viewed_file(program, line.member);
  if (file == nullptr) return html_escape(place);
  return anchor(links.line(file->file, line.number), place);
}

void append_checklist(std::string& detail, const ProgramReport& program, const PageLinks& links) {
  std::vector<ChecklistItem> steps = manual_steps(program.summary);
  detail += "<h4>Manual steps</h4>\n";
  if (steps.empty()) {
    detail += "<p class=\"none\">None.</p>\n";
    return;
  }
  detail += "<ul class=\"checklist\">\n";
  for (const ChecklistItem& item : steps) {
    detail += "<li>" + class_label(item.severity) + html_escape(item.step);
    std::string where;
    if (!item.members.empty()) {
      where = html_escape(item.members);
    } else {
      for (const ListedLine* line : item.places) {
        if (!where.empty()) where += ", ";
        where += place_link(program, *line, links);
      }
      if (item.more > 0) where += (where.empty() ? "" : " and ") + number(item.more) + " more";
    }
    if (!where.empty()) detail += " <span class=\"where\">" + where + "</span>";
    detail += "</li>\n";
  }
  detail += "</ul>\n";
}

void append_group(std::string& rows, const ProgramReport& program, const PageLinks& links,
                  std::string heading, std::int64_t count,
                  const std::vector<const ListedLine*>& lines) {
  rows +=
      "<tr class=\"group\"><th colspan=\"2\">" + heading + " (" + number(count) + ")</th></tr>\n";
  for (const ListedLine* line : lines)
    rows += "<tr><td class=\"place\">" + place_link(program, *line, links) +
            "</td><td class=\"text\">" + html_escape(line->text) + "</td></tr>\n";
}

// The findings by kind, the heaviest class first.
void append_findings(std::string& detail, const ProgramReport& program, const PageLinks& links) {
  const ProgramSummary& summary = program.summary;
  std::string rows;
  for (std::size_t grade = 0; grade < message_format::kSeverityCount; ++grade) {
    Severity severity = static_cast<Severity>(grade);
    for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
      Finding finding = static_cast<Finding>(kind);
      if (summary.findings[kind] == 0 || message_format::severity_of(finding) != severity) continue;
      std::vector<const ListedLine*> lines;
      for (const ListedLine& line : summary.listed)
        if (line.finding == finding) lines.push_back(&line);
      append_group(rows, program, links,
                   class_label(severity) + html_escape(finding_heading(finding)),
                   summary.findings[kind], lines);
    }
    if (severity == message_format::kUnclassifiedSeverity && summary.other_messages > 0) {
      std::vector<const ListedLine*> lines;
      for (const ListedLine& line : summary.listed)
        if (!line.finding && !line.message) lines.push_back(&line);
      append_group(rows, program, links,
                   class_label(severity) + "other messages, which this report does not know",
                   summary.other_messages, lines);
    }
  }
  detail += "<h4>Findings</h4>\n";
  if (rows.empty())
    detail += "<p class=\"none\">None.</p>\n";
  else
    detail += "<table class=\"lines\">\n<tbody>\n" + rows + "</tbody>\n</table>\n";
  if (summary.unlisted > 0)
    detail += "<p class=\"note\">" + number(summary.unlisted) +
              " more lines and members are not listed here: see the message file.</p>\n";
}

// The monitor's commands still active, file by file and verb by verb, with their lines.
void append_commands(std::string& detail, const ProgramReport& program, const PageLinks& links) {
  detail += "<h4>Still on the monitor</h4>\n";
  if (program.commands == 0) {
    detail += "<p class=\"none\">No active EXEC ZARN command.</p>\n";
    return;
  }
  detail +=
      "<table class=\"lines\">\n<thead><tr><th>File</th><th>Verb</th><th>Commands</th>"
      "<th>Lines</th></tr></thead>\n<tbody>\n";
  for (const ConvertedFile& file : program.converted) {
    for (const VerbUse& use : file.commands) {
      std::string lines;
      for (std::int64_t line : use.lines) {
        if (!lines.empty()) lines += ", ";
        std::string shown = number(line);
        if (shown.size() < 4) shown.insert(0, 4 - shown.size(), '0');
        lines += file.viewed ? anchor(links.line(file.file, line), shown) : shown;
      }
      if (use.count > static_cast<std::int64_t>(use.lines.size()))
        lines +=
            " and " + number(use.count - static_cast<std::int64_t>(use.lines.size())) + " more";
      detail += "<tr><td class=\"name\">" + html_escape(file_name(file.file)) +
                "</td><td class=\"name\">" + html_escape(use.verb) + "</td><td>" +
                number(use.count) + "</td><td class=\"place\">" + lines + "</td></tr>\n";
    }
  }
  detail += "</tbody>\n</table>\n";
}

void append_transfers(std::string& detail, const ProgramReport& program, const PageLinks& links) {
  const std::vector<Transfer>& transfers = program.summary.transfers;
  if (transfers.empty()) return;
  detail += "<h4>Transfers</h4>\n<ul class=\"transfers\">\n";
  for (const Transfer& transfer : transfers) {
    detail += "<li>" + html_escape(finding_heading(transfer.kind)) + " to " +
              html_escape(transfer.target) + ": ";
    std::string name = target_program(transfer.target);
    const std::vector<std::string>* targets = nullptr;
    if (!name.empty() && links.programs != nullptr) {
      auto found = links.programs->find(name);
      if (found != links.programs->end()) targets = &found->second;
    }
    if (name.empty()) {
      detail += "a field, the program is known only when it runs";
    } else if (targets == nullptr) {
      detail += "not a program of this application";
    } else {
      bool first = true;
      for (const std::string& target : *targets) {
        detail += (first ? "" : ", ") + anchor(links.program(target), target);
        first = false;
      }
    }
    detail += "</li>\n";
  }
  detail += "</ul>\n";
}

void append_members(std::string& detail, const ProgramReport& program, const PageLinks& links) {
  const ProgramSummary& summary = program.summary;
  detail += "<h4>Copybook members</h4>\n";
  if (summary.members.empty()) {
    detail += "<p class=\"none\">None.</p>\n";
    return;
  }
  detail += "<ul class=\"members\">\n";
  for (const MemberUse& member : summary.members) {
    bool converted = member.outcome == MemberOutcome::kConverted;
    detail += converted ? "<li>" : "<li class=\"missing\">";
    detail += "<span class=\"member\">" + html_escape(member.name) + "</span> " +
              std::string(member_outcome_text(member.outcome));
    const ConvertedFile* copy = converted ? viewed_file(program, member.name) : nullptr;
    if (copy != nullptr) detail += ": " + anchor(links.line(copy->file, 0), file_name(copy->file));
    detail += "</li>\n";
  }
  detail += "</ul>\n";
}

}  // namespace

std::string_view member_outcome_text(MemberOutcome outcome) {
  constexpr std::string_view kMemberOutcome[] = {
      "converted", "not found", "found, but its converted copy could not be written",
      "not opened: copy books nested more than 10 deep",
      "the monitor's own member: not opened, to be supplied"};
  return kMemberOutcome[static_cast<std::size_t>(outcome)];
}

std::string program_detail(const ProgramReport& program, const PageLinks& links) {
  const ProgramSummary& summary = program.summary;
  const ProgramFiles& files = program.files;
  bool done = !needs_conversion(program.state);
  std::string detail = "<section class=\"program\" id=\"" + program_anchor(files.name) + "\">\n";
  detail += "<h3>" + html_escape(files.name);
  if (program.read)
    detail += "<span class=\"kind " + std::string(program_kind(summary)) + "\">" +
              (summary.screen_program() ? "screen program" : "back-end program") + "</span>";
  detail += std::string("<span class=\"state") + (done ? " done" : "") + "\">" +
            std::string(state_name(program.state)) + "</span></h3>\n";
  if (!program.reason.empty())
    detail += "<p class=\"reason\">" + html_escape(program.reason) + "</p>\n";

  std::vector<std::pair<const char*, std::string>> shown;
  if (!files.source.empty())
    shown.push_back({"Program", anchor(links.file(files.source), file_name(files.source))});
  if (program.read)
    shown.push_back(
        {"Message file", anchor(links.file(files.message_file), file_name(files.message_file))});
  const ConvertedFile* converted = viewed_file(program, std::string());
  if (converted != nullptr)
    shown.push_back(
        {"Converted program", anchor(links.line(converted->file, 0), file_name(converted->file))});
  if (!program.front_end.empty())
    shown.push_back(
        {"Front end", anchor(links.file(program.front_end), file_name(program.front_end))});
  std::string line;
  for (const auto& [what, link] : shown) {
    if (!line.empty()) line += " \xC2\xB7 ";
    line += std::string(what) + " " + link;
  }
  if (!line.empty()) detail += "<p class=\"files\">" + line + "</p>\n";
  if (!program.problems.empty()) {
    detail += "<ul class=\"problems\">\n";
    for (const std::string& problem : program.problems)
      detail += "<li>" + html_escape(problem) + "</li>\n";
    detail += "</ul>\n";
  }
  if (program.read) {
    detail += "<p class=\"counts\">" + counted(summary.lines_read, "line") + " read, " +
              number(summary.lines_written) + " written, " +
              counted(summary.exec_statements, "EXEC ZARN statement") + ", " +
              counted(summary.map_requests, "map request") + ", " +
              counted(summary.total_findings(), "finding") + ", " +
              counted(program.commands, "active monitor command") + ".</p>\n";
    append_checklist(detail, program, links);
    append_findings(detail, program, links);
    append_commands(detail, program, links);
    append_transfers(detail, program, links);
    append_members(detail, program, links);
  }
  detail +=
      "<p class=\"top\">" +
      anchor(links.on_summary ? "#programs" : links.to_output + "migration-report.html#programs",
             "Back to the programs") +
      "</p>\n</section>\n";
  return detail;
}

std::string program_page(const ProgramReport& program, const PageLinks& links,
                         std::string_view folder) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
         html_escape(program.files.name) + " - migration report - " + html_escape(folder) +
         "</title>\n" + kPageStyle + "</head>\n<body>\n" + program_detail(program, links) +
         "</body>\n</html>\n";
}

}  // namespace report
