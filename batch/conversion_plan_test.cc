// Tests of the plan of a run: which conversions clash and are left out, and which wait for which.
#include "batch/conversion_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace batch {
namespace {

Touch output(const std::string& file) {
  return {file, file, Use::kOutput, "converted program", ""};
}
Touch member_output(const std::string& file, const std::string& source) {
  return {file, file, Use::kMemberOutput, "converted copy of member " + source, source};
}
Touch read(const std::string& file) {
  return {file, file, Use::kRead, "copybook member " + file, ""};
}

// The plan written out: per conversion "refused by N on FILE" or "waits for N, M".
std::vector<std::string> described(const Plan& plan) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < plan.clashes.size(); ++i) {
    std::string line;
    for (const Clash& clash : plan.clashes[i])
      line += "clash " + std::to_string(clash.other) + " " + clash.file + " (" + clash.own_use +
              " / " + clash.other_use + ");";
    for (std::size_t before : plan.waits_for[i]) line += "after " + std::to_string(before) + ";";
    lines.push_back(line);
  }
  return lines;
}

TEST(ConversionPlan, ClashesAndOrder) {
  struct Row {
    const char* why;
    std::vector<Conversion> conversions;
    std::vector<std::string> expected;
  };
  const Row rows[] = {
      {"programs with files of their own run alongside",
       {{"A", {output("A.new"), read("A.zsc")}}, {"B", {output("B.new"), read("B.zsc")}}},
       {"", ""}},
      {"two programs converting one member write the same text: one after the other",
       {{"A", {output("A.new"), read("COMMON"), member_output("COMMON.new", "COMMON")}},
        {"B", {output("B.new"), read("COMMON"), member_output("COMMON.new", "COMMON")}},
        {"C", {output("C.new"), read("COMMON"), member_output("COMMON.new", "COMMON")}}},
       {"", "after 0;", "after 1;"}},
      {"a member named like a program: its copy would replace the converted program",
       {{"ACCT", {output("ACCT.new")}},
        {"MAIN", {output("MAIN.new"), read("ACCT"), member_output("ACCT.new", "ACCT")}}},
       {"clash 1 ACCT.new (converted program / converted copy of member ACCT);",
        "clash 0 ACCT.new (converted copy of member ACCT / converted program);"}},
      {"two members whose copies share a name (COPY X and COPY X.CPY) differ: a clash",
       {{"A", {read("X"), member_output("X.new", "X")}},
        {"B", {read("X.CPY"), member_output("X.new", "X.CPY")}}},
       {"clash 1 X.new (converted copy of member X / converted copy of member X.CPY);",
        "clash 0 X.new (converted copy of member X.CPY / converted copy of member X);"}},
      {"a file one conversion writes and another reads as a member: a clash",
       {{"MENU", {output("MENUFE.cbl")}}, {"USER", {read("MENUFE.cbl")}}},
       {"clash 1 MENUFE.cbl (converted program / copybook member MENUFE.cbl);",
        "clash 0 MENUFE.cbl (copybook member MENUFE.cbl / converted program);"}},
      {"members only read by several programs order nothing",
       {{"A", {read("SHARED")}}, {"B", {read("SHARED")}}},
       {"", ""}},
      {"a program that reads and writes one file itself is its converter's own affair",
       {{"SELF", {read("SELF.new"), member_output("SELF.new", "SELF.new")}}},
       {""}},
      {"a program's output clashes with every conversion that copies a member into it",
       {{"A", {read("M"), member_output("M.new", "M")}},
        {"B", {output("M.new")}},
        {"C", {read("M"), member_output("M.new", "M")}}},
       {"clash 1 M.new (converted copy of member M / converted program);",
        "clash 0 M.new (converted program / converted copy of member M);clash 2 M.new "
        "(converted program / converted copy of member M);",
        "clash 1 M.new (converted copy of member M / converted program);"}},
      {"a clashing conversion is left out of the order: PAY.ZSC and PAY.zsc, and Z waits for "
       "neither",
       {{"PAY.ZSC", {output("PAY.new"), member_output("M.new", "M")}},
        {"PAY.zsc", {output("PAY.new")}},
        {"Z", {member_output("M.new", "M")}}},
       {"clash 1 PAY.new (converted program / converted program);",
        "clash 0 PAY.new (converted program / converted program);", ""}},
      {"a conversion waits for each earlier one it shares a written file with, once each",
       {{"A", {member_output("X.new", "X"), member_output("Y.new", "Y")}},
        {"B", {member_output("Y.new", "Y")}},
        {"C", {member_output("X.new", "X"), member_output("Y.new", "Y")}}},
       {"", "after 0;", "after 0;after 1;"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(described(plan_conversions(row.conversions)), row.expected);
  }
}

}  // namespace
}  // namespace batch
