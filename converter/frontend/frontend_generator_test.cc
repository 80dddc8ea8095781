// Tests of the front-end generator: template copy, substitutions, marker lines, the RECEIVE
// and SEND blocks, the count lines and the opening of the files.
#include "converter/frontend/frontend_generator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/driver/conversion_run.h"
#include "tests/support/conversion_harness.h"
#include "tests/support/test_files.h"

namespace converter {

using text::LineReader;
using text::OutputFile;
namespace {

using test_support::pad80;
using test_support::TempFolder;

// Each text filled to 80 columns and ended by a line feed, as the front-end file holds it.
std::string lines80(std::initializer_list<std::string_view> texts) {
  std::string all;
  for (std::string_view text : texts) all.append(pad80(text)).append("\n");
  return all;
}

MapRequest send_request(std::string map, std::string mapset, char erase = ' ', char alarm = ' ',
                        char send_type = ' ', bool freekb = false, bool frset = false,
                        std::string data = "", std::string length = "") {
  MapRequest request;
  request.kind = RequestKind::kSendMap;
  request.erase_code = erase;
  request.send_type = send_type;
  request.freekb = freekb;
  request.frset = frset;
  request.map_name = std::move(map);
  request.mapset_name = std::move(mapset);
  request.alarm_code = alarm;
  request.length_arg = std::move(length);
  request.data_arg = std::move(data);
  return request;
}

MapRequest receive_request(std::string map, std::string mapset, std::string into = "") {
  MapRequest request =
      send_request(std::move(map), std::move(mapset), ' ', ' ', ' ', false, false, std::move(into));
  request.kind = RequestKind::kReceiveMap;
  return request;
}

MapRequest text_request(std::string from) {
  MapRequest request = send_request("", "", ' ', ' ', ' ', false, false, std::move(from));
  request.kind = RequestKind::kSendText;
  return request;
}

// A run whose template, front-end file and message file are files in a fresh folder.
class GeneratorRun {
 public:
  explicit GeneratorRun(std::string_view template_text, std::string front_end_name = "FRONTEND",
                        std::string new_program_name = "NEWPGM") {
    folder_.write("NEWDSP4.TXT", template_text);
    run.template_file = LineReader::open(folder_.file("NEWDSP4.TXT"));
    run.front_end_file = test_support::output_file(folder_.file("FRONT.cbl"));
    run.message_file = test_support::output_file(folder_.file("PROG.msg"));
    run.front_end_name = std::move(front_end_name);
    run.new_program_name = std::move(new_program_name);
  }

  void add(MapRequest request) { add_map_request(run, std::move(request)); }

  void generate() {
    generate_front_end(run);
    run.front_end_file->close();
    run.message_file->close();
  }
  std::string front_end() const { return folder_.read("FRONT.cbl"); }
  std::string messages() const { return folder_.read("PROG.msg"); }

  ConversionRun run;

 private:
  TempFolder folder_;
};

constexpr std::string_view kReceiveMarker = "      * INSERT ZVL RECEIVE HERE\n";
constexpr std::string_view kSendMarker = "      * INSERT ZVL SEND HERE\n";

// The template is looked for in the working folder, then in the folder part of the first
// argument: everything up to its last "\\" or "/".
TEST(FrontendGenerator, TemplateIsLookedForHereThenBesideTheProgram) {
  struct Row {
    std::string first_argument;
    std::string beside_program;
  } rows[] = {
      {"PROG", "NEWDSP4.TXT"},
      {"", "NEWDSP4.TXT"},
      {"c:\\work\\PROG", "c:\\work\\NEWDSP4.TXT"},
      {"work/sub/PROG.zsc", "work/sub/NEWDSP4.TXT"},
      {"a\\b/c", "a\\b/NEWDSP4.TXT"},
      {"a/b\\c", "a/b\\NEWDSP4.TXT"},
      {"dir/", "dir/NEWDSP4.TXT"},
      {"/PROG", "/NEWDSP4.TXT"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.first_argument);
    TemplatePaths paths = template_paths(row.first_argument);
    EXPECT_EQ(paths.here, "NEWDSP4.TXT");
    EXPECT_EQ(paths.beside_program, row.beside_program);
  }
}

TEST(FrontendGenerator, ConditionLineEndsInAndOrThen) {
  struct Row {
    std::string_view switch_name;
    char code;
    bool last;
    std::string_view expected;
  };
  const Row rows[] = {
      {"ERASESW", 'E', false, "               ERASESW IS EQUAL TO 'E' AND"},
      {"ERASESW", ' ', false, "               ERASESW IS EQUAL TO ' ' AND"},
      {"ALARMSW", 'A', false, "               ALARMSW IS EQUAL TO 'A' AND"},
      {"SENDTYPE", 'D', true, "               SENDTYPE IS EQUAL TO 'D' THEN"},
      {"SENDTYPE", ' ', true, "               SENDTYPE IS EQUAL TO ' ' THEN"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    GeneratorRun generator("");
    write_condition_line(generator.run, row.switch_name, row.code, row.last);
    generator.generate();
    EXPECT_EQ(generator.front_end(), lines80({row.expected}));
  }
}

TEST(FrontendGenerator, FrontEndLineIsPaddedButNeverCut) {
  GeneratorRun generator("");
  std::string long_text(95, 'X');
  write_front_end_line(generator.run, "");
  write_front_end_line(generator.run, "       MOVE A TO B.");
  write_front_end_line(generator.run, long_text);
  generator.generate();
  EXPECT_EQ(generator.front_end(),
            std::string(80, ' ') + "\n" + pad80("       MOVE A TO B.") + "\n" + long_text + "\n");
}

TEST(FrontendGenerator, WorkedExampleSendBlock) {
  GeneratorRun generator(kSendMarker);
  generator.add(send_request("'M1'", "'S1'", 'E', ' ', ' ', true, false, "M1O"));
  generator.generate();
  EXPECT_EQ(generator.front_end(), lines80({
                                       "           IF USRMAPNAME = 'M1' AND",
                                       "               ERASESW IS EQUAL TO 'E' AND",
                                       "               ALARMSW IS EQUAL TO ' ' AND",
                                       "               SENDTYPE IS EQUAL TO ' ' THEN",
                                       "               EXEC ZARN SEND MAP('M1') MAPSET('S1')",
                                       "                   FROM(M1O)",
                                       "                   ERASE  FREEKB  END-EXEC",
                                       "           END-IF",
                                   }));
  EXPECT_EQ(generator.messages(),
            "Number of ZVL SEND statements found in original Program -    1\n");
}

TEST(FrontendGenerator, OptionsLineKeepsABlankForEachAbsentWord) {
  struct Row {
    char erase;
    char send_type;
    bool freekb;
    bool frset;
    char alarm;
    bool cursor;
    std::string_view expected;
  };
  const Row rows[] = {
      {' ', ' ', false, false, ' ', false, "                   END-EXEC"},
      {'E', ' ', false, false, ' ', false, "                   ERASE    END-EXEC"},
      {'U', ' ', false, false, ' ', false, "                   ERASEAUP    END-EXEC"},
      {' ', 'M', false, false, ' ', false, "                    MAPONLY   END-EXEC"},
      {' ', 'D', false, false, ' ', false, "                    DATAONLY   END-EXEC"},
      {' ', ' ', true, false, ' ', false, "                     FREEKB  END-EXEC"},
      {' ', ' ', false, true, ' ', false, "                      FRSET END-EXEC"},
      {'E', ' ', false, true, ' ', false, "                   ERASE   FRSET END-EXEC"},
      {'E', ' ', true, false, ' ', false, "                   ERASE  FREEKB  END-EXEC"},
      {'U', 'M', false, false, ' ', false, "                   ERASEAUP MAPONLY   END-EXEC"},
      {' ', 'D', true, true, ' ', false, "                    DATAONLY FREEKB FRSET END-EXEC"},
      {'U', 'D', true, true, ' ', false,
       "                   ERASEAUP DATAONLY FREEKB FRSET END-EXEC"},
      // ALARM and CURSOR follow the four words and their blanks.
      {' ', ' ', false, false, 'A', false, "                       ALARM END-EXEC"},
      {' ', ' ', false, false, ' ', true, "                       CURSOR END-EXEC"},
      {' ', ' ', false, false, 'A', true, "                       ALARM CURSOR END-EXEC"},
      {'E', 'D', false, false, 'A', false, "                   ERASE DATAONLY   ALARM END-EXEC"},
      {'U', 'D', true, true, 'A', true,
       "                   ERASEAUP DATAONLY FREEKB FRSET ALARM CURSOR END-EXEC"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    GeneratorRun generator(kSendMarker);
    MapRequest request = send_request("'MAPX'", "'SETX'", row.erase, row.alarm, row.send_type,
                                      row.freekb, row.frset);
    request.cursor = row.cursor;
    generator.add(request);
    generator.generate();
    std::string erase_condition =
        std::string("               ERASESW IS EQUAL TO '") + row.erase + "' AND";
    std::string alarm_condition =
        std::string("               ALARMSW IS EQUAL TO '") + row.alarm + "' AND";
    std::string type_condition =
        std::string("               SENDTYPE IS EQUAL TO '") + row.send_type + "' THEN";
    EXPECT_EQ(generator.front_end(), lines80({
                                         "           IF USRMAPNAME = 'MAPX' AND",
                                         erase_condition,
                                         alarm_condition,
                                         type_condition,
                                         "               EXEC ZARN SEND MAP('MAPX') MAPSET('SETX')",
                                         row.expected,
                                         "           END-IF",
                                     }));
  }
}

// Two requests that differ only in CURSOR are two requests, with a block each.
TEST(FrontendGenerator, CursorMakesARequestOfItsOwn) {
  GeneratorRun generator(kSendMarker);
  MapRequest with_cursor = send_request("'M1'", "'S1'");
  with_cursor.cursor = true;
  generator.add(send_request("'M1'", "'S1'"));
  generator.add(with_cursor);
  generator.generate();
  const std::string_view head[] = {
      "           IF USRMAPNAME = 'M1' AND", "               ERASESW IS EQUAL TO ' ' AND",
      "               ALARMSW IS EQUAL TO ' ' AND", "               SENDTYPE IS EQUAL TO ' ' THEN",
      "               EXEC ZARN SEND MAP('M1') MAPSET('S1')"};
  std::string block = lines80({head[0], head[1], head[2], head[3], head[4]});
  EXPECT_EQ(generator.front_end(),
            block + lines80({"                   END-EXEC", "           END-IF"}) + block +
                lines80({"                       CURSOR END-EXEC", "           END-IF"}));
  EXPECT_EQ(generator.messages(),
            "Number of ZVL SEND statements found in original Program -    2\n");
}

TEST(FrontendGenerator, DataLineNamesFromAndLengthWhenPresent) {
  struct Row {
    std::string data;
    std::string length;
    std::vector<std::string_view> expected;  // the lines between the EXEC line and END-EXEC
  };
  const Row rows[] = {
      {"M1O", "M1-LEN", {"                   FROM(M1O) LENGTH(M1-LEN)"}},
      {"M1O", "", {"                   FROM(M1O)"}},
      {"", "80", {"                   LENGTH(80)"}},
      {"", "", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.data + "/" + row.length);
    GeneratorRun generator(kSendMarker);
    generator.add(send_request("'M1'", "", 'E', 'A', ' ', false, false, row.data, row.length));
    generator.generate();
    std::string expected = lines80({
        "           IF USRMAPNAME = 'M1' AND",
        "               ERASESW IS EQUAL TO 'E' AND",
        "               ALARMSW IS EQUAL TO 'A' AND",
        "               SENDTYPE IS EQUAL TO ' ' THEN",
        "               EXEC ZARN SEND MAP('M1')",
    });
    for (std::string_view line : row.expected) expected += lines80({line});
    expected += lines80({"                   ERASE    ALARM END-EXEC", "           END-IF"});
    EXPECT_EQ(generator.front_end(), expected);
  }
}

TEST(FrontendGenerator, ReceiveBlockWithAndWithoutInto) {
  GeneratorRun generator(kReceiveMarker);
  generator.add(receive_request("'M1'", "'S1'", "M1I"));
  generator.add(receive_request("'M2'", ""));
  generator.generate();
  // Each area is cleared first: INTO(M1I), and M2I, the area named after the map. Without a
  // mapset the monitor takes the map's own name: no MAPSET option and no move for it.
  EXPECT_EQ(generator.front_end(), lines80({
                                       "           MOVE LOW-VALUES TO M1I",
                                       "           MOVE LOW-VALUES TO M2I",
                                       "           MOVE 'M1' TO USRMAPNAME",
                                       "           MOVE 'S1' TO USRMAPSET",
                                       "           EXEC ZARN RECEIVE MAP('M1') MAPSET('S1')",
                                       "                   INTO(M1I)",
                                       "               END-EXEC",
                                       "           MOVE 'M2' TO USRMAPNAME",
                                       "           EXEC ZARN RECEIVE MAP('M2')",
                                       "               END-EXEC",
                                   }));
  EXPECT_EQ(generator.messages(),
            "Number of ZVL RECEIVE statements found in original Program - 2\n"
            "**** Warning - Multiple receives found - manual changes required\n");
}

TEST(FrontendGenerator, RepeatedReceiveWritesOneBlockAndNoWarning) {
  GeneratorRun generator(kReceiveMarker);
  for (int i = 0; i < 3; ++i) generator.add(receive_request("'M1'", "'S1'", "M1I"));
  generator.generate();
  EXPECT_EQ(generator.front_end(), lines80({
                                       "           MOVE LOW-VALUES TO M1I",
                                       "           MOVE 'M1' TO USRMAPNAME",
                                       "           MOVE 'S1' TO USRMAPSET",
                                       "           EXEC ZARN RECEIVE MAP('M1') MAPSET('S1')",
                                       "                   INTO(M1I)",
                                       "               END-EXEC",
                                   }));
  EXPECT_EQ(generator.messages(),
            "Number of ZVL RECEIVE statements found in original Program - 1\n");
}

TEST(FrontendGenerator, SendCountsTotalAndUniqueRequests) {
  struct Row {
    std::string_view name;
    std::vector<MapRequest> requests;
    std::string_view expected_messages;
  };
  const Row rows[] = {
      {"two equal and one other",
       {send_request("'M1'", "'S1'"), send_request("'M2'", "'S1'"), send_request("'M1'", "'S1'")},
       "Number of ZVL SEND statements found in original Program -    3\n"
       "Number of unique ZVL SEND statements found              -    2\n"},
      {"two distinct",
       {send_request("'M1'", "'S1'"), send_request("'M2'", "'S1'")},
       "Number of ZVL SEND statements found in original Program -    2\n"},
      {"differ only in FREEKB",
       {send_request("'M1'", "'S1'"), send_request("'M1'", "'S1'", ' ', ' ', ' ', true)},
       "Number of ZVL SEND statements found in original Program -    2\n"},
      {"no request", {}, "Number of ZVL SEND statements found in original Program -    0\n"},
      {"receive and text only",
       {receive_request("'M1'", "'S1'"), text_request("MSG")},
       "Number of ZVL SEND statements found in original Program -    0\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GeneratorRun generator(kSendMarker);
    for (const MapRequest& request : row.requests) generator.add(request);
    generator.generate();
    EXPECT_EQ(generator.messages(), row.expected_messages);
  }
}

TEST(FrontendGenerator, RepeatsAreFoundAcrossKinds) {
  // The SEND and the RECEIVE of the same map are distinct; the second SEND repeats the first
  // although a text request and a RECEIVE stand between them.
  GeneratorRun generator(std::string(kReceiveMarker) + std::string(kSendMarker));
  generator.add(send_request("'M1'", "'S1'"));
  generator.add(text_request("MSG"));
  generator.add(receive_request("'M1'", "'S1'"));
  generator.add(send_request("'M1'", "'S1'"));
  generator.generate();
  // The areas of the SEND (M1O) and of the RECEIVE (M1I), in the order their requests came.
  EXPECT_EQ(generator.front_end(), lines80({
                                       "           MOVE LOW-VALUES TO M1O",
                                       "           MOVE LOW-VALUES TO M1I",
                                       "           MOVE 'M1' TO USRMAPNAME",
                                       "           MOVE 'S1' TO USRMAPSET",
                                       "           EXEC ZARN RECEIVE MAP('M1') MAPSET('S1')",
                                       "               END-EXEC",
                                       "           IF USRMAPNAME = 'M1' AND",
                                       "               ERASESW IS EQUAL TO ' ' AND",
                                       "               ALARMSW IS EQUAL TO ' ' AND",
                                       "               SENDTYPE IS EQUAL TO ' ' THEN",
                                       "               EXEC ZARN SEND MAP('M1') MAPSET('S1')",
                                       "                   END-EXEC",
                                       "           END-IF",
                                   }));
  EXPECT_EQ(generator.messages(),
            "Number of ZVL RECEIVE statements found in original Program - 1\n"
            "Number of ZVL SEND statements found in original Program -    2\n"
            "Number of unique ZVL SEND statements found              -    1\n");
}

TEST(FrontendGenerator, TemplateLinesAreCopiedWithTheirSubstitutions) {
  struct Row {
    std::string_view name;
    std::string_view template_line;
    std::string_view new_program_name;
    std::string_view expected;
  };
  const Row rows[] = {
      {"PROGRAM-ID renamed", "       PROGRAM-ID. OLDPROG.", "NEWPGM",
       "       PROGRAM-ID. FRONTEND."},
      {"PROGRAM-ID without period, sequence area kept",
       "000200 PROGRAM-ID OLDPROG                        ID000200", "NEWPGM",
       "000200 PROGRAM-ID. FRONTEND."},
      {"PROGRAM-ID in a comment line", "      * PROGRAM-ID. OLDPROG.", "NEWPGM",
       "      * PROGRAM-ID. FRONTEND."},
      {"PROGRAM-ID in any case", "       program-id. oldprog.", "NEWPGM",
       "       program-id. FRONTEND."},
      {"inside the first literal not found", "           DISPLAY 'PROGRAM-ID X'.", "NEWPGM",
       "           DISPLAY 'PROGRAM-ID X'."},
      {"hyphenated word not found", "      * SEE PROGRAM-IDS.", "NEWPGM",
       "      * SEE PROGRAM-IDS."},
      {"token replaced", "           CALL '&NEWPROG;' USING X.", "NEWPGM",
       "           CALL 'NEWPGM' USING X."},
      {"token with empty name", "           CALL '&NEWPROG;' USING X.", "",
       "           CALL '' USING X."},
      {"only the first token", "      * &NEWPROG; CALLS &NEWPROG;", "NEWPGM",
       "      * NEWPGM CALLS &NEWPROG;"},
      {"token is case-sensitive", "           CALL '&newprog;'.", "NEWPGM",
       "           CALL '&newprog;'."},
      {"token after the rename", "       PROGRAM-ID. X. &NEWPROG;", "NEWPGM",
       "       PROGRAM-ID. FRONTEND."},
      {"empty line", "", "NEWPGM", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GeneratorRun generator(std::string(row.template_line) + "\n", "FRONTEND",
                           std::string(row.new_program_name));
    generator.generate();
    EXPECT_EQ(generator.front_end(), lines80({row.expected}));
    EXPECT_EQ(generator.messages(), "");
  }
}

TEST(FrontendGenerator, OnlyExactMarkerLinesAreReplaced) {
  struct Row {
    std::string_view name;
    std::string_view template_line;
    bool is_marker;
  };
  const Row rows[] = {
      {"send marker", "      * INSERT ZVL SEND HERE", true},
      {"any character in columns 1 to 6 and 8", "ABCDEF*XINSERT ZVL SEND HERE", true},
      {"trailing blank", "      * INSERT ZVL SEND HERE ", false},
      {"text from column 8", "      *INSERT ZVL SEND HERE", false},
      {"no asterisk", "        INSERT ZVL SEND HERE", false},
      {"page eject indicator", "      / INSERT ZVL SEND HERE", false},
      {"lower case", "      * insert zvl send here", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GeneratorRun generator(std::string(row.template_line) + "\n");
    generator.add(send_request("'M1'", "'S1'"));
    generator.generate();
    if (row.is_marker) {
      EXPECT_EQ(generator.messages(),
                "Number of ZVL SEND statements found in original Program -    1\n");
      EXPECT_EQ(generator.front_end(), lines80({
                                           "           IF USRMAPNAME = 'M1' AND",
                                           "               ERASESW IS EQUAL TO ' ' AND",
                                           "               ALARMSW IS EQUAL TO ' ' AND",
                                           "               SENDTYPE IS EQUAL TO ' ' THEN",
                                           "               EXEC ZARN SEND MAP('M1') MAPSET('S1')",
                                           "                   END-EXEC",
                                           "           END-IF",
                                       }));
    } else {
      EXPECT_EQ(generator.messages(), "");
      EXPECT_EQ(generator.front_end(), lines80({row.template_line}));
    }
  }
}

TEST(FrontendGenerator, ReceiveMarkerMustBeExactToo) {
  GeneratorRun generator(
      "      * INSERT ZVL RECEIVE HERE \n"
      "      *INSERT ZVL RECEIVE HERE\n"
      "      * INSERT ZVL RECEIVE HERE\n");
  generator.generate();
  EXPECT_EQ(generator.front_end(),
            lines80({"      * INSERT ZVL RECEIVE HERE ", "      *INSERT ZVL RECEIVE HERE"}));
  EXPECT_EQ(generator.messages(),
            "Number of ZVL RECEIVE statements found in original Program - 0\n");
}

TEST(FrontendGenerator, EachMarkerWritesItsBlocksAndCountsAgain) {
  GeneratorRun generator(
      "       PROCEDURE DIVISION.\n"
      "      * INSERT ZVL RECEIVE HERE\n"
      "           CONTINUE.\n"
      "      * INSERT ZVL RECEIVE HERE\n");
  generator.add(receive_request("'M1'", "'S1'"));
  generator.generate();
  EXPECT_EQ(generator.front_end(), lines80({
                                       "       PROCEDURE DIVISION.",
                                       "           MOVE LOW-VALUES TO M1I",
                                       "           MOVE 'M1' TO USRMAPNAME",
                                       "           MOVE 'S1' TO USRMAPSET",
                                       "           EXEC ZARN RECEIVE MAP('M1') MAPSET('S1')",
                                       "               END-EXEC",
                                       "           CONTINUE.",
                                       "           MOVE LOW-VALUES TO M1I",
                                       "           MOVE 'M1' TO USRMAPNAME",
                                       "           MOVE 'S1' TO USRMAPSET",
                                       "           EXEC ZARN RECEIVE MAP('M1') MAPSET('S1')",
                                       "               END-EXEC",
                                   }));
  EXPECT_EQ(generator.messages(),
            "Number of ZVL RECEIVE statements found in original Program - 1\n"
            "Number of ZVL RECEIVE statements found in original Program - 1\n");
}

TEST(FrontendGenerator, LongTemplateLineArrivesInPieces) {
  std::string line(300, 'A');
  line.replace(0, 7, "      *");
  GeneratorRun generator(line + "\n" + "       END PROGRAM X.\r\n");
  generator.generate();
  EXPECT_EQ(generator.front_end(), line.substr(0, 254) + "\n" + pad80(line.substr(254)) + "\n" +
                                       pad80("       END PROGRAM X.") + "\n");
}

TEST(FrontendGenerator, LongSubstitutedTemplateLineIsWrittenWhole) {
  std::string name(29, 'N');
  std::string before =
      "           CALL '&NEWPROG;' USING KVZCOMMAREA.                   *> the call";
  std::string after =
      "           CALL '" + name + "' USING KVZCOMMAREA.                   *> the call";
  GeneratorRun generator(before + "\n" + "       PROGRAM-ID. " + std::string(200, 'X') + "\n",
                         "FRONTEND", name);
  generator.generate();
  EXPECT_EQ(generator.front_end(), after + "\n" + pad80("       PROGRAM-ID. FRONTEND.") + "\n");
}

TEST(FrontendGenerator, BlockLinesAreContinuedWithinColumn72) {
  GeneratorRun generator(std::string(kReceiveMarker) + std::string(kSendMarker));
  std::string data = "WS-SCREEN-OUTPUT-AREA-FOR-ORDERS OF WS-ORDER-SCREEN-OUTPUT-RECORD";
  std::string length = "WS-ORDER-SCREEN-LENGTH";
  std::string no_blank(70, 'X');
  generator.add(receive_request("'M1'", "'S1'", data));
  generator.add(send_request("'M1'", "'S1'", 'E', ' ', ' ', false, false, data, length));
  generator.add(send_request("'M2'", "'S1'", ' ', ' ', ' ', false, false, no_blank));
  generator.generate();
  EXPECT_EQ(generator.front_end(),
            lines80({
                "           MOVE LOW-VALUES TO WS-SCREEN-OUTPUT-AREA-FOR-ORDERS OF",
                "               WS-ORDER-SCREEN-OUTPUT-RECORD",
                "           MOVE LOW-VALUES TO",
            }) + "               " +
                no_blank + "\n" +
                lines80({
                    "           MOVE 'M1' TO USRMAPNAME",
                    "           MOVE 'S1' TO USRMAPSET",
                    "           EXEC ZARN RECEIVE MAP('M1') MAPSET('S1')",
                    "                   INTO(WS-SCREEN-OUTPUT-AREA-FOR-ORDERS OF",
                    "                       WS-ORDER-SCREEN-OUTPUT-RECORD)",
                    "               END-EXEC",
                    "           IF USRMAPNAME = 'M1' AND",
                    "               ERASESW IS EQUAL TO 'E' AND",
                    "               ALARMSW IS EQUAL TO ' ' AND",
                    "               SENDTYPE IS EQUAL TO ' ' THEN",
                    "               EXEC ZARN SEND MAP('M1') MAPSET('S1')",
                    "                   FROM(WS-SCREEN-OUTPUT-AREA-FOR-ORDERS OF",
                    "                       WS-ORDER-SCREEN-OUTPUT-RECORD)",
                    "                       LENGTH(WS-ORDER-SCREEN-LENGTH)",
                    "                   ERASE    END-EXEC",
                    "           END-IF",
                    "           IF USRMAPNAME = 'M2' AND",
                    "               ERASESW IS EQUAL TO ' ' AND",
                    "               ALARMSW IS EQUAL TO ' ' AND",
                    "               SENDTYPE IS EQUAL TO ' ' THEN",
                    "               EXEC ZARN SEND MAP('M2') MAPSET('S1')",
                }) +
                "                   FROM(" + no_blank + ")\n" +
                lines80({
                    "                   END-EXEC",
                    "           END-IF",
                }));
}

// A map or mapset name that is a field of the converted program is no field of the front end:
// the header holds its value. Such requests' blocks come after those of maps named by a literal;
// the area of a request without one is not cleared (it has no name to go by).
TEST(FrontendGenerator, NamesThatAreFieldsOfTheProgramComeFromTheHeader) {
  GeneratorRun generator(std::string(kReceiveMarker) + std::string(kSendMarker));
  generator.add(receive_request("MA-MAP", "MA-SET"));
  generator.add(send_request("MA-MAP", "'S1'", ' ', ' ', ' ', false, false, "MA-OUT"));
  generator.add(receive_request("'M1'", "MA-SET", "M1I"));
  generator.add(send_request("'M1'", ""));
  generator.generate();
  EXPECT_EQ(generator.front_end(),
            lines80({
                "           MOVE LOW-VALUES TO MA-OUT",
                "           MOVE LOW-VALUES TO M1I",
                "           MOVE LOW-VALUES TO M1O",
                "           MOVE 'M1' TO USRMAPNAME",
                "           EXEC ZARN RECEIVE MAP('M1') MAPSET(USRMAPSET)",
                "                   INTO(M1I)",
                "               END-EXEC",
                "           EXEC ZARN RECEIVE MAP(USRMAPNAME) MAPSET(USRMAPSET)",
                "               END-EXEC",
                "           IF USRMAPNAME = 'M1' AND",
                "               ERASESW IS EQUAL TO ' ' AND",
                "               ALARMSW IS EQUAL TO ' ' AND",
                "               SENDTYPE IS EQUAL TO ' ' THEN",
                "               EXEC ZARN SEND MAP('M1')",
                "                   END-EXEC",
                "           END-IF",
                "           IF USRMAPNAME NOT = 'SENDTEXT' AND",
                "               ERASESW IS EQUAL TO ' ' AND",
                "               ALARMSW IS EQUAL TO ' ' AND",
                "               SENDTYPE IS EQUAL TO ' ' THEN",
                "               EXEC ZARN SEND MAP(USRMAPNAME) MAPSET('S1')",
                "                   FROM(MA-OUT)",
                "                   END-EXEC",
                "           END-IF",
            }));
  // The counts are those of the requests, whatever their order.
  EXPECT_EQ(generator.messages(),
            "Number of ZVL RECEIVE statements found in original Program - 2\n"
            "**** Warning - Multiple receives found - manual changes required\n"
            "Number of ZVL SEND statements found in original Program -    2\n");
}

TEST(FrontendGenerator, LongNamesAreWrittenWholeAndContinued) {
  GeneratorRun generator(kSendMarker);
  generator.add(send_request("'LONGMAPNAME'", "'LONGMAPSETNAME'"));
  generator.generate();
  EXPECT_EQ(generator.front_end(), lines80({
                                       "           IF USRMAPNAME = 'LONGMAPNAME' AND",
                                       "               ERASESW IS EQUAL TO ' ' AND",
                                       "               ALARMSW IS EQUAL TO ' ' AND",
                                       "               SENDTYPE IS EQUAL TO ' ' THEN",
                                       "               EXEC ZARN SEND MAP('LONGMAPNAME')",
                                       "                   MAPSET('LONGMAPSETNAME')",
                                       "                   END-EXEC",
                                       "           END-IF",
                                   }));
}

// The driver's end of a run: opening the front-end file and the template, the message lines.
class BuildFrontEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.write("PROG.zsc", "");
    run.first_argument = folder_.file("PROG");
    run.front_end_name = "FRONT";
    run.front_end_file_name = folder_.file("FRONT.cbl");
    run.message_file = test_support::output_file(folder_.file("PROG.msg"));
  }
  std::string messages() {
    run.message_file->close();
    return folder_.read("PROG.msg");
  }

  TempFolder folder_;
  ConversionRun run;
};

TEST_F(BuildFrontEnd, TemplateBesideTheProgram) {
  folder_.write("NEWDSP4.TXT", "       PROGRAM-ID. OLD.\n");
  build_front_end(run);
  EXPECT_EQ(messages(), "\n Creating new DSP4 front end prototype file - FRONT\n");
  // The front end takes its name when the run's outputs do.
  EXPECT_FALSE(folder_.exists("FRONT.cbl"));
  ASSERT_EQ(run.outputs.commit(run.files_read).outcome, text::CommitResult::kDone);
  EXPECT_EQ(folder_.read("FRONT.cbl"), lines80({"       PROGRAM-ID. FRONT."}));
  EXPECT_FALSE(run.front_end_file);
  EXPECT_FALSE(run.template_file);
  EXPECT_TRUE(run.write_failures.empty());
}

// Without a template no front-end file is created or changed, and both the message file and
// standard error say so.
TEST_F(BuildFrontEnd, NoTemplateWritesNoFrontEnd) {
  folder_.write("FRONT.cbl", "OLD FRONT END\n");
  testing::internal::CaptureStderr();
  build_front_end(run);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "QUILLOX: no front end written: NEWDSP4.TXT not found\n");
  EXPECT_EQ(messages(),
            "\n Unable to open DSP4 template file NEWDSP4.TXT - no front end written\n");
  ASSERT_EQ(run.outputs.commit(run.files_read).outcome, text::CommitResult::kDone);
  EXPECT_EQ(folder_.read("FRONT.cbl"), "OLD FRONT END\n");
  EXPECT_FALSE(run.front_end_file);
}

TEST_F(BuildFrontEnd, FrontEndFileThatCannotBeOpened) {
  folder_.write("NEWDSP4.TXT", "       PROGRAM-ID. OLD.\n");
  run.front_end_file_name = folder_.file("missing-folder/FRONT.cbl");
  build_front_end(run);
  EXPECT_EQ(messages(), "\n Unable to open new DSP4 front end file\n");
  EXPECT_FALSE(folder_.exists("missing-folder"));
}

// A front end named like a member the run read is written under its temporary name, but the
// end of the run refuses to replace the member with it.
TEST_F(BuildFrontEnd, CopybookMemberOfTheRunIsNotReplaced) {
  folder_.write("NEWDSP4.TXT", "       PROGRAM-ID. OLD.\n");
  folder_.write("MEMB", "       01  WS-X PIC X.\n");
  note_read(run, folder_.file("MEMB"));
  run.front_end_file_name = folder_.file("./MEMB");
  build_front_end(run);
  EXPECT_EQ(messages(), "\n Creating new DSP4 front end prototype file - FRONT\n");
  text::CommitResult result = run.outputs.commit(run.files_read);
  EXPECT_EQ(result.outcome, text::CommitResult::kReadByRun);
  EXPECT_EQ(result.name, folder_.file("./MEMB"));
  EXPECT_EQ(folder_.read("MEMB"), "       01  WS-X PIC X.\n");
}

// A template named with --template is the only one looked for; the messages name it.
TEST_F(BuildFrontEnd, TemplateNamedByTheUser) {
  folder_.write("NEWDSP4.TXT", "       PROGRAM-ID. OLD.\n");
  folder_.write("MINE.TXT", "       PROGRAM-ID. MINE.\n      * MY OWN TEMPLATE\n");
  run.template_file_name = folder_.file("MINE.TXT");
  build_front_end(run);
  ASSERT_EQ(run.outputs.commit(run.files_read).outcome, text::CommitResult::kDone);
  EXPECT_EQ(folder_.read("FRONT.cbl"),
            lines80({"       PROGRAM-ID. FRONT.", "      * MY OWN TEMPLATE"}));
  run.template_file_name = "absent/T.TXT";
  testing::internal::CaptureStderr();
  build_front_end(run);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "QUILLOX: no front end written: absent/T.TXT not found\n");
  EXPECT_EQ(messages(),
            "\n Creating new DSP4 front end prototype file - FRONT\n"
            "\n Unable to open DSP4 template file absent/T.TXT - no front end written\n");
}

TEST_F(BuildFrontEnd, FrontEndFileThatIsAFolder) {
  folder_.write("NEWDSP4.TXT", "       PROGRAM-ID. OLD.\n");
  std::filesystem::create_directory(folder_.file("FRONT.cbl"));
  build_front_end(run);
  EXPECT_EQ(messages(), "\n Unable to open new DSP4 front end file\n");
}

}  // namespace
}  // namespace converter
