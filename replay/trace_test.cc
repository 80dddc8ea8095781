// Tests of reading the stand-in's traces, masking what was never set, and the differences.
#include "replay/trace.h"

#include <gtest/gtest.h>

namespace replay {
namespace {

TaskTrace read(const std::string& text, bool converted = false, bool header_only = false) {
  TaskTrace trace;
  std::string error;
  TraceView view;
  view.converted = converted;
  view.header_only = header_only;
  EXPECT_TRUE(read_trace(text, view, trace, error)) << error;
  return trace;
}

const char* const kOriginal =
    "task 0 - - MNU1 MENU01 0\n"
    "sendmap 0 MENU01 M.zsc:5 MENU1 MENUSET E-D--C 42\n"
    "field 0 MENU01 M.zsc:5 MSGO \"HI\\*0000420\"\n"
    "field 0 MENU01 M.zsc:5 CODEO \"\\x00\\\"\\\\\"\n"
    "sendend 0 MENU01 M.zsc:5\n"
    "return 0 MENU01 M.zsc:9 MNU1 3 \"ABC\"\n"
    "end 0 MENU01 -\n";

TEST(Trace, LinesBecomeWhatTheTaskShowed) {
  TaskTrace trace = read(kOriginal);
  EXPECT_TRUE(trace.ended);
  ASSERT_EQ(trace.events.size(), 2u);
  const Event& screen = trace.events[0];
  EXPECT_EQ(screen.label(), "screen MENU1");
  EXPECT_EQ(screen.item("MAPSET")->value.bytes, "MENUSET");
  EXPECT_EQ(screen.item("ERASE")->value.bytes, "ERASE");
  EXPECT_EQ(screen.item("SENDTYPE")->value.bytes, "DATAONLY");
  EXPECT_EQ(screen.item("CURSOR")->value.bytes, "position 42");
  EXPECT_EQ(screen.item("MSGO")->value.bytes, "HI" + std::string(4, ' '));
  EXPECT_EQ(screen.item("CODEO")->value.bytes, std::string("\0\"\\", 3));
  EXPECT_TRUE(screen.item("MSGO")->field);
  const Event& end = trace.events[1];
  EXPECT_EQ(end.item("next transaction")->value.bytes, "MNU1");
  EXPECT_EQ(end.item("communication area")->value.bytes, "ABC");
}

TEST(Trace, TheCallersOwnCommandsAreLeftOut) {
  TaskTrace trace = read(
      "task 0 - - MNU1 MENU01FE 0\n"
      "receive 0 MENU01FE F.cbl:9 MENU1 MENUSET ENTER\n"
      "link 0 MENU01FE F.cbl:12 MENU01 5 \"HEAD1\" Y\n"
      "link 1 MENU01 M.new:7 PRICE 2 \"AB\" Y\n"
      "linkend 2 PRICE M.new:7 PRICE 2 \"XY\"\n"
      "return 1 MENU01 M.new:20 - 0 \"\"\n"
      "linkend 1 MENU01 F.cbl:12 MENU01 5 \"HEAD2\"\n"
      "sendtext 0 MENU01FE F.cbl:30 E--F-- -1 3 \"BYE\"\n"
      "returnhead 0 MENU01FE F.cbl:40 - 2 \"OK\"\n"
      "return 0 MENU01FE F.cbl:40 - 9 \"WHOLEAREA\"\n"
      "end 0 MENU01FE -\n",
      true, true);
  ASSERT_EQ(trace.events.size(), 3u);
  EXPECT_EQ(trace.events[0].label(), "LINK to PRICE");
  EXPECT_EQ(trace.events[0].item("communication area after")->value.bytes, "XY");
  EXPECT_EQ(trace.events[1].label(), "text");
  // Through the client FREEKB and CURSOR are not in the header.
  EXPECT_EQ(trace.events[1].item("FREEKB"), nullptr);
  EXPECT_EQ(trace.events[2].item("communication area")->value.bytes, "OK");
  EXPECT_EQ(trace.events[2].item("next transaction")->value.bytes, "none");
}

TEST(Trace, UnreadableLinesAreNamed) {
  TaskTrace trace;
  std::string error;
  EXPECT_FALSE(read_trace("task 0 - -\nfield 0 P - NAME \"open\n", TraceView(), trace, error));
  EXPECT_EQ(error, "line 2 of the trace cannot be read");
  EXPECT_FALSE(read_trace("field 0 P - NAME \"\\x4\"\n", TraceView(), trace, error));
  EXPECT_FALSE(read_trace("field 0 P - NAME \"\\q\"\n", TraceView(), trace, error));
}

TEST(Trace, BytesThatDifferBetweenTheTwoRunsAreUndefined) {
  TaskTrace first = read(kOriginal);
  std::string other = kOriginal;
  other.replace(other.find("ABC"), 3, "AxC");
  other.replace(other.find("HI\\*"), 2, "HO");
  TaskTrace second = read(other);
  mask_undefined(first, second);
  const Value& area = first.events[1].item("communication area")->value;
  EXPECT_EQ(area.undefined, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(shown(area), "\"A?C\"");
  EXPECT_EQ(undefined_items(first),
            (std::vector<std::string>{"MSGO of screen MENU1", "communication area"}));
  EXPECT_TRUE(first.diverged.empty());
  // A task that did something else from some event on: everything from there is undefined.
  TaskTrace third =
      read(std::string(kOriginal).replace(std::string(kOriginal).find("return"), 6, "xctl  "));
  TaskTrace fourth = read(kOriginal);
  std::string xctl = "xctl 0 MENU01 M.zsc:9 OTHER 3 \"ABC\" Y\nend 0 MENU01 -\n";
  third = read(std::string(kOriginal).substr(0, std::string(kOriginal).find("return")) + xctl);
  mask_undefined(fourth, third);
  EXPECT_EQ(fourth.diverged, "end of the task");
  EXPECT_TRUE(fourth.events[1].item("next transaction")->value.all_undefined());
}

TEST(Trace, DifferencesAreNamedAsTheUserReadsThem) {
  TaskTrace original = read(kOriginal);
  std::string text = kOriginal;
  text.replace(text.find("HI\\*0000420"), 11, "HO    ");
  text.replace(text.find("MNU1 3"), 6, "- 0 \"\"");
  text.replace(text.find("\"ABC\""), 5, "");
  TaskTrace converted = read(text);
  EXPECT_EQ(differences(original, converted),
            (std::vector<std::string>{
                "MSGO: original \"HI\", converted \"HO\"",
                "next transaction: original MNU1, converted none",
                "communication area: original \"ABC\" (3 bytes), converted \"\" (0 bytes)"}));
  // A screen sent by one side only, and a DATAONLY one.
  TaskTrace none = read("return 0 P - MNU1 3 \"ABC\"\nend 0 P -\n");
  EXPECT_EQ(differences(original, none),
            (std::vector<std::string>{"SENDTYPE-controlled screen MENU1 not sent"}));
  EXPECT_EQ(differences(none, original),
            (std::vector<std::string>{"screen MENU1 sent only by the converted program"}));
  EXPECT_TRUE(differences(original, original).empty());
  // A conversation that has ended on one side only.
  TaskTrace ended = read("notask 0 - -\nend 0 - -\n");
  EXPECT_EQ(differences(none, ended),
            (std::vector<std::string>{"the conversation had ended for the converted program",
                                      "end of the task only in the original"}));
}

TEST(Trace, ValuesAreShownReadably) {
  struct Case {
    std::string bytes;
    const char* shown;
  } rows[] = {
      {"ABC   ", "\"ABC\""},
      {std::string(5, '\0'), "5 nulls"},
      {std::string("A\0", 2), "\"A\" and 1 null"},
      {"A\tB\"", "\"A\\x09B\\\"\""},
      {"", "\"\""},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.shown);
    Value value;
    value.bytes = row.bytes;
    EXPECT_EQ(shown(value), row.shown);
  }
  Value unknown;
  unknown.bytes = "AB";
  unknown.undefined = {true, true};
  EXPECT_EQ(shown(unknown), "undefined");
  EXPECT_EQ(trimmed(std::string("AB \0 \0", 6)), "AB");
}

}  // namespace
}  // namespace replay
