// Tests of the RECEIVE conversion: the map-name check, the blocks that HANDLE commands set up,
// the recorded request, and the RECEIVE commands without a map.
#include "converter/commands/receive_conversion.h"

#include <gtest/gtest.h>

#include <string>

#include "converter/commands/exec_statement.h"
#include "tests/support/conversion_harness.h"
#include "tests/support/test_files.h"

namespace converter {
namespace {

using message_format::Row;

using test_support::make_statement;
using test_support::padded_lines;
using test_support::RunHarness;

const std::string kIndent(11, ' ');

// Runs the conversion as the assembly would after writing the command's one source line.
void receive(RunHarness& harness, const ExecStatement& statement) {
  harness.run.output_line_count = statement.start_line + 1;
  convert_receive(harness.run, statement);
}

TEST(ReceiveConversion, MapWithoutHandleSettings) {
  RunHarness harness;
  ExecStatement statement =
      make_statement("    EXEC ZARN RECEIVE MAP('M1') MAPSET('S1') INTO(M1I) END-EXEC.", 30);
  receive(harness, statement);
  EXPECT_EQ(harness.output(),
            padded_lines({"           IF 'M1' IS NOT EQUAL TO USRMAPNAME",
                          "               GO TO BADMAPNAME", "           END-IF."}));
  EXPECT_EQ(harness.messages(), "line 0031 - ZARN RECEIVE MAP for map 'M1' handled\n");
  EXPECT_EQ(harness.run.output_line_count, 34);
  EXPECT_EQ(harness.run.count(Row::kReceiveMap), 1);
  EXPECT_EQ(harness.run.count(Row::kReceiveBuffer), 0);
  EXPECT_TRUE(harness.run.badmapname_pending);

  MapRequest expected;
  expected.kind = RequestKind::kReceiveMap;
  expected.map_name = "'M1'";
  expected.mapset_name = "'S1'";
  expected.data_arg = "M1I";
  ASSERT_EQ(harness.run.map_requests.records.size(), 1u);
  EXPECT_TRUE(harness.run.map_requests.records[0] == expected);
}

TEST(ReceiveConversion, OptionsAreRecordedWithTheRequest) {
  RunHarness harness;
  ExecStatement statement = make_statement(
      "EXEC ZARN RECEIVE MAP(WS-MAP) MAPSET(WS-SET) INTO(WS-AREA) LENGTH(WS-LEN) FRSET FREEKB END-EXEC",
      0);
  statement.erase_code = 'U';
  statement.alarm_code = 'A';
  statement.send_type = 'D';
  receive(harness, statement);

  MapRequest expected;
  expected.kind = RequestKind::kReceiveMap;
  expected.erase_code = 'U';
  expected.send_type = 'D';
  expected.alarm_code = 'A';
  expected.freekb = true;
  expected.frset = true;
  expected.map_name = "WS-MAP";
  expected.mapset_name = "WS-SET";
  expected.data_arg = "WS-AREA";
  expected.length_arg = "WS-LEN";
  ASSERT_EQ(harness.run.map_requests.records.size(), 1u);
  EXPECT_TRUE(harness.run.map_requests.records[0] == expected);
  EXPECT_EQ(harness.run.count(Row::kFrset), 1);
  EXPECT_EQ(harness.run.count(Row::kFreekb), 1);
  EXPECT_EQ(harness.output(),
            padded_lines({"           IF WS-MAP IS NOT EQUAL TO USRMAPNAME",
                          "               GO TO BADMAPNAME", "           END-IF "}));
}

// The blocks follow the check: attention keys first, then MAPFAIL; their messages come before
// the RECEIVE message. The settings stay for the next RECEIVE MAP.
TEST(ReceiveConversion, HandleSettingsFollowEveryLaterMap) {
  RunHarness harness;
  harness.run.aid_handlers = "&PF03=END-RTN&CLEAR=CLR-RTN";
  harness.run.mapfail_label = "NO-DATA";
  const std::string expected_lines =
      padded_lines({"           IF 'M1' IS NOT EQUAL TO USRMAPNAME",
                    "               GO TO BADMAPNAME", "           END-IF."}) +
      "           IF USRAID IS EQUAL TO KVZPF3\n"
      "               GO TO END-RTN\n"
      "           END-IF\n"
      "           IF USRAID IS EQUAL TO KVZCLEAR\n"
      "               GO TO CLR-RTN\n"
      "           END-IF\n"
      "           IF USRMAPLN IS EQUAL TO 0\n"
      "               GO TO NO-DATA\n"
      "           END-IF.\n";

  receive(harness, make_statement("    EXEC ZARN RECEIVE MAP('M1') END-EXEC.", 30));
  EXPECT_EQ(harness.output(), expected_lines);
  EXPECT_EQ(harness.run.output_line_count, 43);
  EXPECT_EQ(harness.messages(),
            "line 0035 - HANDLE AID statements inserted for EXEC ZARN RECEIVE\n"
            "line 0035 - *** KVZAID is not copied - the attention-key tests need its constants\n"
            "line 0041 - HANDLE MAPFAIL statement inserted for EXEC ZARN RECEIVE\n"
            "line 0031 - ZARN RECEIVE MAP for map 'M1' handled\n");

  receive(harness, make_statement("    EXEC ZARN RECEIVE MAP('M1') END-EXEC.", 43));
  EXPECT_EQ(harness.output(), expected_lines + expected_lines);
  EXPECT_EQ(harness.run.aid_handlers, "&PF03=END-RTN&CLEAR=CLR-RTN");
  EXPECT_EQ(harness.run.mapfail_label, "NO-DATA");
  EXPECT_EQ(harness.run.count(Row::kReceiveMap), 2);
  // The same request twice: one record, met twice.
  EXPECT_EQ(harness.run.map_requests.records.size(), 1u);
  EXPECT_EQ(harness.run.map_requests.times, std::vector<int>{2});
}

TEST(ReceiveConversion, MapfailBlockAlone) {
  RunHarness harness;
  harness.run.mapfail_label = "NO-MAP";
  receive(harness, make_statement("EXEC ZARN RECEIVE MAP('M2') END-EXEC", 4, 20));
  EXPECT_EQ(
      harness.output(),
      padded_lines({"                    IF 'M2' IS NOT EQUAL TO USRMAPNAME",
                    "                        GO TO BADMAPNAME", "                    END-IF "}) +
          "                    IF USRMAPLN IS EQUAL TO 0\n"
          "                        GO TO NO-MAP\n"
          "                    END-IF \n");
  EXPECT_EQ(harness.messages(),
            "line 0009 - HANDLE MAPFAIL statement inserted for EXEC ZARN RECEIVE\n"
            "line 0005 - ZARN RECEIVE MAP for map 'M2' handled\n");
}

// A check line that would reach past column 72 goes on over two lines.
TEST(ReceiveConversion, LongMapNameKeptWithinColumn72) {
  RunHarness harness;
  receive(
      harness,
      make_statement("EXEC ZARN RECEIVE MAP(WS-NAME-OF-THE-MAP-THIS-PROGRAM-READS) END-EXEC.", 0));
  EXPECT_EQ(harness.output(),
            padded_lines({"           IF WS-NAME-OF-THE-MAP-THIS-PROGRAM-READS IS NOT EQUAL TO",
                          "               USRMAPNAME", "               GO TO BADMAPNAME",
                          "           END-IF."}));
  EXPECT_EQ(harness.run.output_line_count, 5);
  EXPECT_EQ(harness.messages(),
            "line 0001 - ZARN RECEIVE MAP for map WS-NAME-OF-THE-MAP-THIS-PROGRAM-READS handled\n");
}

TEST(ReceiveConversion, ReceiveWithoutMap) {
  struct Case {
    const char* text;
    const char* messages;
    int buffer_count;
  };
  const Case rows[] = {
      {"EXEC ZARN RECEIVE BUFFER INTO(B) LENGTH(L) END-EXEC.",
       "line 0008 - *** EXEC ZARN RECEIVE BUFFER found\n", 1},
      {"EXEC ZARN RECEIVE INTO(X) LENGTH(L) END-EXEC.",
       "line 0008 - *** EXEC ZARN RECEIVE with no MAP parameter\n", 0},
      // MAP inside another word is no MAP option.
      {"EXEC ZARN RECEIVE MAPSET('S1') INTO(X) END-EXEC.",
       "line 0008 - *** EXEC ZARN RECEIVE with no MAP parameter\n", 0},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.text);
    RunHarness harness;
    harness.run.aid_handlers = "&PF03=END-RTN";
    harness.run.mapfail_label = "NO-DATA";
    receive(harness, make_statement(row.text, 7));
    EXPECT_EQ(harness.output(), "");
    EXPECT_EQ(harness.messages(), row.messages);
    EXPECT_EQ(harness.run.output_line_count, 8);
    EXPECT_EQ(harness.run.count(Row::kReceiveBuffer), row.buffer_count);
    EXPECT_EQ(harness.run.count(Row::kReceiveMap), 0);
    EXPECT_FALSE(harness.run.badmapname_pending);
    EXPECT_TRUE(harness.run.map_requests.records.empty());
  }
}

}  // namespace
}  // namespace converter
