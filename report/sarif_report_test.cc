// Tests of the SARIF log: checked structurally, field by field, as a reader of SARIF 2.1.0 sees
// it: the tool and its rules, one result per finding with its level and place, results taken
// back for a message file not understood, and a result for a program to convert.
#include "report/sarif_report.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "tests/support/test_files.h"

namespace report {
namespace {

using nlohmann::json;

// Writes a log with `fill` between its start and its end, and reads it back.
template <typename Fill>
json log_of(Fill fill) {
  test_support::MemoryFile memory;
  std::FILE* stream = memory.release();
  text::OutputFile file(stream, "log.sarif");
  {
    SarifWriter writer(file, "9.8.7");
    fill(writer);
    writer.finish();
    EXPECT_FALSE(writer.failed());
  }
  std::string text = test_support::stream_contents(file.stream());
  return json::parse(text, nullptr, false);
}

const SarifProgram kPay = {"billing/PAY ROLL", "billing", "billing/PAY ROLL.zsc",
                           "billing/PAY ROLL.msg", "billing/PAY ROLL.new"};

ListedLine line(ListedLine::Number kind, std::int64_t number, std::string member, std::string text,
                std::optional<Finding> finding, std::optional<Message> message) {
  return {kind, number, std::move(member), std::move(text), finding, message};
}

TEST(SarifReport, RuleIdsComeFromTheHeadings) {
  EXPECT_EQ(rule_id("USRCOMM without layout"), "usrcomm-without-layout");
  EXPECT_EQ(rule_id("invalid PF/PA keys"), "invalid-pf-pa-keys");
  EXPECT_EQ(rule_id("EXEC ZARN without END-EXEC"), "exec-zarn-without-end-exec");
  EXPECT_EQ(rule_id("refused: hand edits"), "refused-hand-edits");
}

TEST(SarifReport, TheToolCarriesOneRulePerKindWithItsClassAsLevel) {
  json log = log_of([](SarifWriter&) {});
  ASSERT_FALSE(log.is_discarded());
  EXPECT_EQ(log["version"], "2.1.0");
  EXPECT_EQ(log["$schema"], "https://json.schemastore.org/sarif-2.1.0.json");
  ASSERT_EQ(log["runs"].size(), 1u);
  const json& driver = log["runs"][0]["tool"]["driver"];
  EXPECT_EQ(driver["name"], "quillox-report");
  EXPECT_EQ(driver["version"], "9.8.7");
  EXPECT_EQ(log["runs"][0]["results"], json::array());
  // The kinds in their order, the other messages, then the six states to convert.
  const json& rules = driver["rules"];
  ASSERT_EQ(rules.size(), kFindingKindCount + 1 + 6);
  const struct {
    std::size_t index;
    const char* id;
    const char* heading;
    const char* level;
    const char* class_name;
    const char* step;
  } expected[] = {
      {0, "link", "LINK", "note", "review", "Check each LINK, which stays active"},
      {2, "converse", "CONVERSE", "warning", "changes behaviour",
       "Check the program logic where CONVERSE was removed"},
      {6, "handle-condition-kept", "HANDLE CONDITION kept", "note", "review",
       "Check each HANDLE CONDITION MAPFAIL, which stays active: each later RECEIVE MAP now tests "
       "USRMAPLN for it"},
      {17, "usrcomm-without-layout", "USRCOMM without layout", "error", "blocks compilation",
       "Declare the user communication area under 02 USRCOMM"},
      {24, "other-message", "other messages", "note", "review",
       "Read the other messages: this report does not know them"},
      {25, "program-failed", "program failed", "error", "blocks compilation",
       "Its conversion failed: mend what the reason names and convert it again"},
      {30, "program-out-of-date", "program out of date", "error", "blocks compilation",
       "The program or a member it copies changed after its conversion: convert it again"},
  };
  for (const auto& row : expected) {
    SCOPED_TRACE(row.id);
    const json& rule = rules[row.index];
    EXPECT_EQ(rule["id"], row.id);
    EXPECT_EQ(rule["shortDescription"]["text"], row.heading);
    EXPECT_EQ(rule["fullDescription"]["text"], row.step);
    EXPECT_EQ(rule["defaultConfiguration"]["level"], row.level);
    EXPECT_EQ(rule["properties"]["class"], row.class_name);
  }
}

TEST(SarifReport, EachFindingIsAResultAtItsConvertedLine) {
  json log = log_of([](SarifWriter& writer) {
    writer.begin_program(kPay);
    using Number = ListedLine::Number;
    writer.add_line(line(Number::kOutputLine, 40, "", "EXEC ZARN LINK to program 'X' found",
                         Finding::kLink, Message::kLink));
    writer.add_line(line(Number::kOutputLine, 3, "sub/REC.CPY", "*** SEND PAGE found",
                         Finding::kSendPage, Message::kSendPage));
    writer.add_line(line(Number::kCopyLine, 9, "", "***error*** opening copy file SQLCA",
                         Finding::kCopybookError, std::nullopt));
    writer.add_line(line(Number::kCopyLine, 2, "REC.CPY", "***error*** opening copy file DEEP",
                         Finding::kCopybookError, std::nullopt));
    writer.add_line(line(Number::kNone, 0, "", "**** Warning - Multiple receives found",
                         Finding::kMultipleReceives, std::nullopt));
    // A step without a finding is no result; a message the report does not know is one.
    writer.add_line(line(Number::kOutputLine, 31, "", "COPY for STDHEAD in KVZCOMMAREA inserted",
                         std::nullopt, Message::kStdheadInserted));
    writer.add_line(
        line(Number::kOutputLine, 50, "", "*** caf\xE9 \xFF", std::nullopt, std::nullopt));
  });
  ASSERT_FALSE(log.is_discarded());
  const json& results = log["runs"][0]["results"];
  const struct {
    const char* rule;
    std::size_t index;
    const char* level;
    const char* text;
    const char* uri;
    std::int64_t line;  // 0: no region
  } expected[] = {
      {"link", 0, "note", "EXEC ZARN LINK to program 'X' found", "billing/PAY%20ROLL.new", 40},
      {"send-page", 7, "warning", "*** SEND PAGE found", "billing/REC.new", 3},
      {"copybook-errors", 21, "error", "***error*** opening copy file SQLCA",
       "billing/PAY%20ROLL.zsc", 9},
      {"copybook-errors", 21, "error", "***error*** opening copy file DEEP",
       "billing/PAY%20ROLL.msg", 0},
      {"multiple-receive-maps", 22, "warning", "**** Warning - Multiple receives found",
       "billing/PAY%20ROLL.msg", 0},
      {"other-message", 24, "note", "*** caf\xEF\xBF\xBD \xEF\xBF\xBD", "billing/PAY%20ROLL.new",
       50},
  };
  ASSERT_EQ(results.size(), std::size(expected));
  for (std::size_t at = 0; at < std::size(expected); ++at) {
    SCOPED_TRACE(at);
    const json& result = results[at];
    EXPECT_EQ(result["ruleId"], expected[at].rule);
    EXPECT_EQ(result["ruleIndex"], expected[at].index);
    EXPECT_EQ(result["level"], expected[at].level);
    EXPECT_EQ(result["message"]["text"], expected[at].text);
    EXPECT_EQ(result["properties"]["program"], "billing/PAY ROLL");
    ASSERT_EQ(result["locations"].size(), 1u);
    const json& place = result["locations"][0]["physicalLocation"];
    EXPECT_EQ(place["artifactLocation"]["uri"], expected[at].uri);
    if (expected[at].line == 0)
      EXPECT_FALSE(place.contains("region"));
    else
      EXPECT_EQ(place["region"]["startLine"], expected[at].line);
  }
}

TEST(SarifReport, AProgramsResultsAreTakenBackAndAStateIsAResult) {
  json log = log_of([](SarifWriter& writer) {
    writer.begin_program({"A", "", "", "A.msg", "A.new"});
    writer.add_line(line(ListedLine::Number::kOutputLine, 7, "",
                         "EXEC ZARN XCTL to program 'B' found", Finding::kXctl, Message::kXctl));
    EXPECT_EQ(writer.results(), 1);
    // B's message file turns out cut short: its results go, and its state is told instead.
    writer.begin_program({"sub/B", "sub", "sub/B.zsc", "sub/B.msg", "sub/B.new"});
    for (int i = 0; i < 3; ++i)
      writer.add_line(line(ListedLine::Number::kOutputLine, 9, "", "*** ZVL ROUTE command found",
                           Finding::kRoute, Message::kRoute));
    writer.drop_program();
    writer.add_state(ProgramState::kMessageFileNotRead, "sub/B.msg: not a QUILLOX message file");
    writer.begin_program({"C", "", "", "C.msg", "C.new"});
    writer.drop_program();
    EXPECT_EQ(writer.results(), 2);
  });
  ASSERT_FALSE(log.is_discarded());
  const json& results = log["runs"][0]["results"];
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0]["ruleId"], "xctl");
  EXPECT_EQ(results[1]["ruleId"], "program-message-file-not-read");
  EXPECT_EQ(results[1]["ruleIndex"], 29);
  EXPECT_EQ(results[1]["level"], "error");
  EXPECT_EQ(results[1]["message"]["text"],
            "sub/B: message file not read: sub/B.msg: not a QUILLOX message file");
  EXPECT_EQ(results[1]["locations"][0]["physicalLocation"]["artifactLocation"]["uri"], "sub/B.zsc");
  EXPECT_FALSE(results[1]["locations"][0]["physicalLocation"].contains("region"));
}

TEST(SarifReport, AllResultsTakenBackLeaveAnEmptyList) {
  json log = log_of([](SarifWriter& writer) {
    writer.begin_program({"A", "", "", "A.msg", "A.new"});
    writer.add_line(line(ListedLine::Number::kOutputLine, 7, "", "*** SEND ACCUM found",
                         Finding::kSendAccum, Message::kSendAccum));
    writer.drop_program();
  });
  ASSERT_FALSE(log.is_discarded());
  EXPECT_EQ(log["runs"][0]["results"], json::array());
}

}  // namespace
}  // namespace report
