// The findings as a SARIF 2.1.0 log (migration-report.sarif), for editors and code-scanning
// services: one result per finding with its rule, level, message and place, written while the
// message files are read so that memory does not grow with the findings.
#include "report/sarif_report.h"

#include <unistd.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "message_format/severity.h"
#include "report/application_scan.h"
#include "report/checklist.h"
#include "report/html_text.h"

namespace report {

namespace {

using nlohmann::json;

constexpr std::string_view kSchema = "https://json.schemastore.org/sarif-2.1.0.json";

// What a program in each state that needs a conversion calls for.
constexpr std::string_view kStateSteps[] = {
    "Its conversion failed: mend what the reason names and convert it again",
    "It was not converted because of a clash: mend what the reason names and convert it again",
    "It was not converted because an output it wrote was edited since: keep the edits, then "
    "convert it again (quillox-all --force)",
    "Convert it: no message file of QUILLOX belongs to it",
    "Its message file could not be read: mend what the reason names, or convert it again",
    "The program or a member it copies changed after its conversion: convert it again",
};

// Rule indexes: the kinds of finding, then the other messages, then the states.
constexpr std::size_t kOtherRule = kFindingKindCount;
constexpr std::size_t kFirstStateRule = kFindingKindCount + 1;

std::string state_rule(ProgramState state) {
  return "program-" + rule_id(state_name(state));
}

json rule(std::string_view id, std::string_view heading, std::string_view step,
          message_format::Severity severity) {
  const message_format::SeverityText& text = message_format::severity_text(severity);
  return {{"id", id},
          {"shortDescription", {{"text", heading}}},
          {"fullDescription", {{"text", step}}},
          {"defaultConfiguration", {{"level", text.level}}},
          {"properties", {{"class", text.name}}}};
}

json tool(std::string_view version) {
  json rules = json::array();
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
    Finding finding = static_cast<Finding>(kind);
    std::string_view step;
    for (const message_format::ManualStep& manual : message_format::kManualSteps)
      if (manual.finding == finding) step = manual.text;
    rules.push_back(rule(rule_id(finding_heading(finding)), finding_heading(finding), step,
                         message_format::severity_of(finding)));
  }
  rules.push_back(rule("other-message", "other messages", kReadOtherMessagesStep,
                       message_format::kUnclassifiedSeverity));
  for (std::size_t at = 0; at < std::size(kStateSteps); ++at) {
    ProgramState state = static_cast<ProgramState>(at);
    rules.push_back(rule(state_rule(state),
                         std::string("program ") + std::string(state_name(state)), kStateSteps[at],
                         message_format::Severity::kBlocksCompilation));
  }
  return {
      {"driver", {{"name", "quillox-report"}, {"version", version}, {"rules", std::move(rules)}}}};
}

std::string in_folder(const std::string& folder, const std::string& file) {
  return folder.empty() ? file : folder + "/" + file;
}

}  // namespace

static_assert(std::size(kStateSteps) == static_cast<std::size_t>(ProgramState::kOutOfDate) + 1,
              "every state that needs a conversion has its step");

std::string rule_id(std::string_view heading) {
  std::string id;
  bool gap = false;
  for (char c : heading) {
    bool letter = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
      letter = true;
    }
    if (!letter) {
      gap = true;
      continue;
    }
    if (gap && !id.empty()) id += '-';
    gap = false;
    id += c;
  }
  return id;
}

SarifWriter::SarifWriter(text::OutputFile& file, std::string_view version) : file_(file) {
  file_.write("{\"$schema\":" + json(kSchema).dump() +
              ",\"version\":\"2.1.0\",\"runs\":[{\"tool\":" + tool(version).dump() +
              ",\"results\":[");
}

void SarifWriter::begin_program(const SarifProgram& program) {
  program_ = program;
  std::FILE* stream = file_.stream();
  std::fflush(stream);
  program_start_ = std::ftell(stream);
  program_results_ = 0;
}

void SarifWriter::write_result(std::string_view rule, std::size_t rule_index,
                               std::string_view level, std::string_view text, std::string_view uri,
                               std::int64_t line) {
  json location = {{"artifactLocation", {{"uri", percent_encoded(uri)}}}};
  if (line > 0) location["region"] = {{"startLine", line}};
  json result = {{"ruleId", rule},
                 {"ruleIndex", rule_index},
                 {"level", level},
                 {"message", {{"text", text}}},
                 {"locations", json::array({{{"physicalLocation", std::move(location)}}})},
                 {"properties", {{"program", program_.name}}}};
  file_.write(results_ == 0 ? "\n" : ",\n");
  // Texts that are not UTF-8 (a name in another code page) are written with the replacement
  // character rather than refused.
  file_.write(result.dump(-1, ' ', false, json::error_handler_t::replace));
  ++results_;
  ++program_results_;
}

void SarifWriter::add_line(const ListedLine& line) {
  std::size_t rule_index = line.finding ? static_cast<std::size_t>(*line.finding) : kOtherRule;
  if (!line.finding && line.message) return;  // a step alone, no finding
  message_format::Severity severity = line.finding ? message_format::severity_of(*line.finding)
                                                   : message_format::kUnclassifiedSeverity;
  std::string rule = line.finding ? rule_id(finding_heading(*line.finding)) : "other-message";
  std::string uri;
  std::int64_t number = line.number;
  switch (line.number_kind) {
    case ListedLine::Number::kOutputLine:
      uri = line.member.empty() ? program_.converted_program
                                : in_folder(program_.folder, member_copy_name(line.member));
      break;
    case ListedLine::Number::kCopyLine:
      // The COPY line stands in the program's own source; one inside a member is told by the
      // message file.
      if (line.member.empty() && !program_.source.empty()) {
        uri = program_.source;
      } else {
        uri = program_.message_file;
        number = 0;
      }
      break;
    case ListedLine::Number::kNone:
      uri = program_.message_file;
      number = 0;
      break;
  }
  write_result(rule, rule_index, message_format::severity_text(severity).level, line.text, uri,
               number);
}

void SarifWriter::add_state(ProgramState state, std::string_view reason) {
  std::size_t rule_index = kFirstStateRule + static_cast<std::size_t>(state);
  std::string text = program_.name + ": " + std::string(state_name(state));
  if (!reason.empty()) text += ": " + std::string(reason);
  const std::string& uri = program_.source.empty() ? program_.message_file : program_.source;
  write_result(state_rule(state), rule_index, "error", text, uri, 0);
}

void SarifWriter::drop_program() {
  if (program_results_ == 0) return;
  std::FILE* stream = file_.stream();
  std::fflush(stream);
  if (ftruncate(fileno(stream), program_start_) != 0 ||
      std::fseek(stream, program_start_, SEEK_SET) != 0) {
    broken_ = true;
  }
  results_ -= program_results_;
  program_results_ = 0;
}

void SarifWriter::finish() {
  file_.write(results_ == 0 ? "]}]}\n" : "\n]}]}\n");
}

}  // namespace report
