// Tests of the SEND and CONVERSE conversions: the lines written, messages, counters, requests.
#include "converter/commands/send_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_run.h"
#include "tests/support/conversion_harness.h"
#include "tests/support/test_files.h"

namespace converter {
namespace {

using message_format::Row;

using test_support::padded_lines;

// A run that has written 8 lines of the converted program when the conversion starts.
struct SendRun : test_support::RunHarness {
  SendRun() { run.output_line_count = 8; }
};

// The statement parsed from an (upper-case) command text whose first line is output line 7,
// with EXEC in column 12.
ExecStatement statement_for(const std::string& text) {
  return test_support::make_statement(text, 6);
}

// The names of the counters this conversion may touch, each as often as it was counted.
std::string counted(const ConversionRun& run) {
  struct Counter {
    const char* name;
    int value;
  } counters[] = {
      {"send_map", run.count(Row::kSendMap)},
      {"send_text", run.count(Row::kSendText)},
      {"send_control", run.count(Row::kSendControl)},
      {"send_convid", run.count(Row::kSendConvid)},
      {"send_from_only", run.count(Row::kSendFromOnly)},
      {"send_bare", run.count(Row::kSendBare)},
      {"converse", run.count(Row::kConverse)},
      {"page", run.count(Row::kPage)},
      {"accum", run.count(Row::kAccum)},
      {"freekb", run.count(Row::kFreekb)},
      {"frset", run.count(Row::kFrset)},
  };
  std::string names;
  for (const Counter& counter : counters)
    for (int i = 0; i < counter.value; ++i)
      names += names.empty() ? counter.name : std::string(" ") + counter.name;
  return names;
}

// Each stored request on a line: kind, map, mapset, data, length, the three codes, the flags.
std::string requests(const ConversionRun& run) {
  std::string all;
  for (const MapRequest& r : run.map_requests.records) {
    all += std::string(1, static_cast<char>(r.kind)) + " map=" + r.map_name +
           " mapset=" + r.mapset_name + " data=" + r.data_arg + " length=" + r.length_arg +
           " codes=" + r.erase_code + r.alarm_code + r.send_type +
           " flags=" + (r.freekb ? "F" : "-") + (r.frset ? "F" : "-") + "\n";
  }
  return all;
}

struct SendRow {
  const char* text;
  char terminator;
  std::string expected_output;
  std::string expected_messages;
  std::string expected_counts;
  std::string expected_requests;
};

void check_rows(const std::vector<SendRow>& rows,
                void (*convert)(ConversionRun&, const ExecStatement&)) {
  for (const SendRow& row : rows) {
    SCOPED_TRACE(row.text);
    SendRun send;
    ExecStatement statement = statement_for(row.text);
    EXPECT_EQ(statement.terminator, row.terminator);
    convert(send.run, statement);
    EXPECT_EQ(send.output(), row.expected_output);
    EXPECT_EQ(send.messages(), row.expected_messages);
    EXPECT_EQ(counted(send.run), row.expected_counts);
    EXPECT_EQ(requests(send.run), row.expected_requests);
    // Every line written is counted.
    std::size_t written = 0;
    for (char c : row.expected_output) written += c == '\n';
    EXPECT_EQ(send.run.output_line_count, 8 + static_cast<int>(written));
  }
}

TEST(SendConversion, SendMap) {
  check_rows(
      {
          {"EXEC ZARN SEND MAP('M1') MAPSET('S1') FROM(M1O) ERASE ALARM FREEKB END-EXEC.", '.',
           padded_lines({"           MOVE 'E' TO ERASESW.", "           MOVE 'A' TO ALARMSW.",
                         "           MOVE 'M1' TO USRMAPNAME.",
                         "           MOVE 'S1' TO USRMAPSET."}),
           "line 0007 - ZARN SEND MAP handled for map 'M1' mapset 'S1'\n", "send_map freekb",
           "S map='M1' mapset='S1' data=M1O length= codes=EA  flags=F-\n"},
          // The front end shows a DATAONLY or MAPONLY screen by SENDTYPE.
          {"EXEC ZARN SEND MAP(WS-MAP) DATAONLY FRSET LENGTH(WS-LEN) END-EXEC", ' ',
           padded_lines(
               {"           MOVE 'D' TO SENDTYPE ", "           MOVE WS-MAP TO USRMAPNAME "}),
           "line 0007 - ZARN SEND MAP handled for map WS-MAP mapset \n", "send_map frset",
           "S map=WS-MAP mapset= data= length=WS-LEN codes=  D flags=-F\n"},
          {"EXEC ZARN SEND MAP('M1') MAPONLY ERASE ALARM END-EXEC.", '.',
           padded_lines({"           MOVE 'E' TO ERASESW.", "           MOVE 'A' TO ALARMSW.",
                         "           MOVE 'M' TO SENDTYPE.",
                         "           MOVE 'M1' TO USRMAPNAME."}),
           "line 0007 - ZARN SEND MAP handled for map 'M1' mapset \n", "send_map",
           "S map='M1' mapset= data= length= codes=EAM flags=--\n"},
          // RESP and RESP2 get the values the monitor would have set, after the other lines.
          {"EXEC ZARN SEND MAP('M1') DATAONLY RESP(WS-RESP) RESP2(WS-RESP2) END-EXEC.", '.',
           padded_lines({"           MOVE 'D' TO SENDTYPE.", "           MOVE 'M1' TO USRMAPNAME.",
                         "           MOVE KVZRESP(NORMAL) TO WS-RESP.",
                         "           MOVE 0 TO WS-RESP2."}),
           "line 0007 - ZARN SEND MAP handled for map 'M1' mapset \n", "send_map",
           "S map='M1' mapset= data= length= codes=  D flags=--\n"},
          {"EXEC ZARN SEND TEXT MAP('M1') FROM(X) END-EXEC.", '.',
           padded_lines({"           MOVE 'M1' TO USRMAPNAME."}),
           "line 0007 - ZARN SEND MAP handled for map 'M1' mapset \n", "send_map",
           "S map='M1' mapset= data=X length= codes=    flags=--\n"},
          {"EXEC ZARN SEND PAGE MAP('M1') MAPSET('S1') ACCUM ERASEAUP END-EXEC.", '.',
           padded_lines({"           MOVE 'U' TO ERASESW.", "           MOVE 'M1' TO USRMAPNAME.",
                         "           MOVE 'S1' TO USRMAPSET."}),
           "line 0007 - *** SEND PAGE found\nline 0007 - ZARN SEND MAP handled for map 'M1' mapset 'S1'\n"
           "line 0007 - *** SEND ACCUM found\n",
           "send_map page accum", "S map='M1' mapset='S1' data= length= codes=U   flags=--\n"},
      },
      convert_send);
}

TEST(SendConversion, SendTextAndSendFrom) {
  check_rows(
      {
          {"EXEC ZARN SEND TEXT FROM(MSG) LENGTH(MSG-LEN) END-EXEC.", '.',
           padded_lines({"           MOVE 'SENDTEXT' TO USRMAPNAME.",
                         "           MOVE MSG TO TEXTAREA.",
                         "           MOVE MSG-LEN TO USRMAPLN."}),
           "line 0007 - ZARN SEND TEXT handled\n", "send_text",
           "T map= mapset= data=MSG length=MSG-LEN codes=    flags=--\n"},
          {"EXEC ZARN SEND FROM(MSG) LENGTH(20) CTLCHAR(C) END-EXEC.", '.',
           padded_lines({"           MOVE 'SENDTEXT' TO USRMAPNAME.",
                         "           MOVE MSG TO TEXTAREA.", "           MOVE 20 TO USRMAPLN."}),
           "line 0007 - ZARN SEND FROM handled as SEND TEXT\n", "send_text",
           "T map= mapset= data=MSG length=20 codes=    flags=--\n"},
          {"EXEC ZARN SEND TEXT FROM(MSG) ERASE FREEKB FRSET END-EXEC", ' ',
           padded_lines({"           MOVE 'E' TO ERASESW ",
                         "           MOVE 'SENDTEXT' TO USRMAPNAME ",
                         "           MOVE MSG TO TEXTAREA ",
                         "           MOVE FUNCTION LENGTH(MSG) TO USRMAPLN "}),
           "line 0007 - ZARN SEND TEXT handled\n", "send_text freekb frset",
           "T map= mapset= data=MSG length= codes=E   flags=FF\n"},
          {"EXEC ZARN SEND FROM('HELLO') END-EXEC.", '.',
           padded_lines({"           MOVE 'SENDTEXT' TO USRMAPNAME.",
                         "           MOVE 'HELLO' TO TEXTAREA.",
                         "           MOVE FUNCTION LENGTH('HELLO') TO USRMAPLN."}),
           "line 0007 - ZARN SEND FROM handled as SEND TEXT\n", "send_text",
           "T map= mapset= data='HELLO' length= codes=    flags=--\n"},
          {"EXEC ZARN SEND FROM(WS-LINE(WS-I)) END-EXEC.", '.',
           padded_lines({"           MOVE 'SENDTEXT' TO USRMAPNAME.",
                         "           MOVE WS-LINE(WS-I) TO TEXTAREA.",
                         "           MOVE FUNCTION LENGTH(WS-LINE(WS-I)) TO USRMAPLN."}),
           "line 0007 - ZARN SEND FROM handled as SEND TEXT\n", "send_text",
           "T map= mapset= data=WS-LINE(WS-I) length= codes=    flags=--\n"},
          {"EXEC ZARN SEND TEXT END-EXEC.", '.',
           padded_lines({"           MOVE 'SENDTEXT' TO USRMAPNAME.",
                         "           MOVE  TO TEXTAREA.", "           MOVE  TO USRMAPLN."}),
           "line 0007 - ZARN SEND TEXT handled\n", "send_text",
           "T map= mapset= data= length= codes=    flags=--\n"},
          {"EXEC ZARN SEND TEXT LENGTH(20) END-EXEC.", '.',
           padded_lines({"           MOVE 'SENDTEXT' TO USRMAPNAME.",
                         "           MOVE  TO TEXTAREA.", "           MOVE 20 TO USRMAPLN."}),
           "line 0007 - ZARN SEND TEXT handled\n", "send_text",
           "T map= mapset= data= length=20 codes=    flags=--\n"},
          {"EXEC ZARN SEND TEXT FROM(MSG) ACCUM END-EXEC.", '.',
           padded_lines({"           MOVE 'SENDTEXT' TO USRMAPNAME.",
                         "           MOVE MSG TO TEXTAREA.",
                         "           MOVE FUNCTION LENGTH(MSG) TO USRMAPLN."}),
           "line 0007 - ZARN SEND TEXT handled\n", "send_text",
           "T map= mapset= data=MSG length= codes=    flags=--\n"},
      },
      convert_send);
}

TEST(SendConversion, SendFormsWithoutAnEquivalent) {
  check_rows(
      {
          {"EXEC ZARN SEND CONTROL ERASE END-EXEC.", '.',
           padded_lines({"           MOVE 'E' TO ERASESW.", "           ."}),
           "line 0007 - *** ZARN SEND CONTROL found\n", "send_control", ""},
          {"EXEC ZARN SEND CONTROL ERASE END-EXEC", ' ',
           padded_lines({"           MOVE 'E' TO ERASESW ", ""}),
           "line 0007 - *** ZARN SEND CONTROL found\n", "send_control", ""},
          {"EXEC ZARN SEND CONTROL FROM(X) END-EXEC.", '.', padded_lines({"           ."}),
           "line 0007 - *** ZARN SEND CONTROL found\n", "send_control", ""},
          {"EXEC ZARN SEND CONVID(C) FROM(X) ALARM END-EXEC.", '.',
           padded_lines({"           MOVE 'A' TO ALARMSW."}),
           "line 0007 - *** XPCM SEND found - ignored\n", "send_convid", ""},
          {"EXEC ZARN SEND SESSION(S) END-EXEC.", '.', "",
           "line 0007 - *** XPCM SEND found - ignored\n", "send_convid", ""},
          {"EXEC ZARN SEND CTLCHAR(C) END-EXEC.", '.', "",
           "line 0007 - Send CTLCHAR found - removed\n", "send_from_only", ""},
          {"EXEC ZARN SEND PAGE END-EXEC.", '.', "",
           "line 0007 - *** SEND PAGE found\nline 0007 - SEND found - no recognized parameters - removed\n",
           "send_bare page", ""},
          {"EXEC ZARN SEND ERASEAUP ALARM WAIT END-EXEC", ' ',
           padded_lines({"           MOVE 'U' TO ERASESW ", "           MOVE 'A' TO ALARMSW "}),
           "line 0007 - SEND found - no recognized parameters - removed\n", "send_bare", ""},
      },
      convert_send);
}

TEST(SendConversion, Converse) {
  check_rows(
      {
          {"EXEC ZARN CONVERSE FROM(A) INTO(B) END-EXEC.", '.', "",
           "line 0007 - CONVERSE removed - program logic must be checked\nline 0007 - MAP parameter missing\n",
           "converse", ""},
          {"EXEC ZARN CONVERSE MAP('M1') MAPSET('S1') ERASE ALARM FREEKB ACCUM PAGE END-EXEC.", '.',
           padded_lines(
               {"           MOVE 'M1' TO USRMAPNAME.", "           MOVE 'S1' TO USRMAPSET."}),
           "line 0007 - CONVERSE removed - program logic must be checked\n", "converse", ""},
          {"EXEC ZARN CONVERSE MAP(M2) END-EXEC", ' ',
           padded_lines({"           MOVE M2 TO USRMAPNAME "}),
           "line 0007 - CONVERSE removed - program logic must be checked\n", "converse", ""},
      },
      convert_converse);
}

TEST(SendConversion, LinesFollowTheIndentationAndTheMargin) {
  SendRun send;
  ExecStatement statement = statement_for("EXEC ZARN SEND MAP('M1') END-EXEC.");
  statement.indent = std::string(32, ' ');
  emit_erase_switch(send.run, statement, 'E');
  emit_alarm_switch(send.run, statement, 'A');
  emit_map_moves(send.run, statement, "WS-LONG-MAP-NAME-FIELD-OF-PROG", "WS-MAPSET");
  emit_text_moves(send.run, statement, "WS-MESSAGE", "WS-MESSAGE-LENGTH");
  statement.indent = std::string(7, ' ');
  statement.terminator = ' ';
  emit_terminator_line(send.run, statement);
  EXPECT_EQ(send.output(),
            padded_lines({std::string(32, ' ') + "MOVE 'E' TO ERASESW.",
                          std::string(32, ' ') + "MOVE 'A' TO ALARMSW.",
                          std::string(32, ' ') + "MOVE WS-LONG-MAP-NAME-FIELD-OF-PROG TO",
                          std::string(36, ' ') + "USRMAPNAME.",
                          std::string(32, ' ') + "MOVE WS-MAPSET TO USRMAPSET.",
                          std::string(32, ' ') + "MOVE 'SENDTEXT' TO USRMAPNAME.",
                          std::string(32, ' ') + "MOVE WS-MESSAGE TO TEXTAREA.",
                          std::string(32, ' ') + "MOVE WS-MESSAGE-LENGTH TO USRMAPLN.",
                          std::string(12, ' ')}));
  EXPECT_EQ(send.run.output_line_count, 8 + 9);
}

}  // namespace
}  // namespace converter
