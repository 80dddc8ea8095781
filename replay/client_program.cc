// The reference client: a program that calls a converted program the way the header's contract
// says, written for the play of one dialogue.
#include "replay/client_program.h"

#include <algorithm>

#include "replay/program_source.h"
#include "text/text_files.h"

namespace replay {

namespace {

std::string upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// The words of a line's code area in capitals.
std::vector<std::string> code_words(const std::string& line) {
  std::vector<std::string> words;
  if (!is_code_line(line)) return words;
  std::string word;
  for (char c : code_area(line)) {
    if (c == ' ' || c == '.') {
      if (!word.empty()) words.push_back(upper(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(upper(word));
  return words;
}

}  // namespace

std::vector<ClientMap> client_maps(const std::vector<MapUse>& uses) {
  std::vector<ClientMap> maps;
  auto entry = [&maps](const std::string& name) -> ClientMap& {
    for (ClientMap& map : maps)
      if (map.map == name) return map;
    maps.push_back(ClientMap{name, std::string(), std::string()});
    return maps.back();
  };
  // A SEND MAP whose map name is a field sends the one output area it names for whichever
  // literal map has none of its own.
  std::string field_output;
  for (const MapUse& use : uses) {
    if (use.map.empty()) {
      if (!use.receive && field_output.empty()) field_output = use.area;
      continue;
    }
    ClientMap& map = entry(use.map);
    std::string& area = use.receive ? map.input_area : map.output_area;
    if (area.empty()) area = use.area;
  }
  for (ClientMap& map : maps) {
    if (map.input_area.empty()) map.input_area = map.map + "I";
    if (map.output_area.empty())
      map.output_area = field_output.empty() ? map.map + "O" : field_output;
  }
  return maps;
}

bool communication_area_lines(const std::string& converted_file, std::vector<std::string>& lines,
                              std::string& error) {
  std::string reason;
  std::unique_ptr<text::LineReader> reader = text::LineReader::open(converted_file, &reason);
  if (!reader) {
    error = "cannot read " + converted_file + ": " + reason;
    return false;
  }
  lines.clear();
  bool linkage = false, inside = false;
  std::string line;
  while (reader->read_piece(line)) {
    std::vector<std::string> words = code_words(line);
    bool header = words.size() >= 2 && (words[1] == "SECTION" || words[1] == "DIVISION");
    if (header && words[0] == "LINKAGE") {
      linkage = true;
      continue;
    }
    bool entry = !words.empty() && (words[0] == "01" || words[0] == "1" || words[0] == "77");
    if (inside && (header || entry)) break;
    if (linkage && entry && words.size() >= 2 && words[1] == "KVZCOMMAREA") inside = true;
    if (inside) lines.push_back(line);
    if (header) linkage = false;
  }
  if (lines.empty()) {
    error = converted_file + " declares no KVZCOMMAREA in its LINKAGE SECTION";
    return false;
  }
  return true;
}

std::string client_source(const std::string& program, const std::vector<std::string>& area_lines,
                          const std::vector<ClientMap>& maps) {
  std::string s;
  auto line = [&s](const std::string& text) { s += text + "\n"; };
  line("      * KVZRPCLI - THE REFERENCE CLIENT OF " + program);
  line("       IDENTIFICATION DIVISION.");
  line("       PROGRAM-ID. KVZRPCLI.");
  line("       DATA DIVISION.");
  line("       WORKING-STORAGE SECTION.");
  line("       01  KVZRPCLI-KEPT               USAGE POINTER.");
  line("       01  KVZRPCLI-RESP               PIC S9(8) COMP.");
  line("       01  KVZRPCLI-LENGTH             PIC S9(8) COMP.");
  line("      *    WHAT THE SCREEN SHOWS: M A MAP, T A TEXT; THE MAP SHOWN LAST");
  line("       01  KVZRPCLI-SCREEN.");
  line("           05  KVZRPCLI-SHOWN          PIC X.");
  line("           05  KVZRPCLI-MAP            PIC X(8).");
  line("           05  KVZRPCLI-MAPSET         PIC X(8).");
  line("       01  KVZRPCLI-OUT                PIC X(32767).");
  for (const std::string& text : area_lines) line(text);
  line("       LINKAGE SECTION.");
  line("       01  KVZRPCLI-AREA               PIC X(32767).");
  line("       PROCEDURE DIVISION.");
  line("       0000-TURN.");
  line("      *    THE AREA AND THE SCREEN KEPT FROM THE LAST TURN.");
  line("           EXEC ZARN ADDRESS COMMAREA(KVZRPCLI-KEPT) END-EXEC");
  line("           IF KVZRPCLI-KEPT = NULL");
  line("               INITIALIZE KVZCOMMAREA");
  line("               MOVE SPACES TO KVZRPCLI-SCREEN");
  line("           ELSE");
  line("               SET ADDRESS OF KVZRPCLI-AREA TO KVZRPCLI-KEPT");
  line("               MOVE KVZRPCLI-AREA(1:LENGTH OF KVZCOMMAREA)");
  line("                   TO KVZCOMMAREA");
  line("               MOVE KVZRPCLI-AREA(LENGTH OF KVZCOMMAREA + 1:17)");
  line("                   TO KVZRPCLI-SCREEN");
  line("           END-IF");
  line("           EXEC ZARN ASSIGN TERMID(USRTRMID) TRANSID(USRTRNID)");
  line("                AID(USRAID) CURSOR(USRCPOSN) END-EXEC");
  line("           EXEC ZARN ADDRESS TCTUA(USRTCTUA) END-EXEC");
  line("      *    EVERY MAP AREA STARTS THE TURN WITH NULLS.");
  std::vector<std::string> cleared;
  for (const ClientMap& map : maps) {
    for (const std::string& area : {map.input_area, map.output_area}) {
      if (std::find(cleared.begin(), cleared.end(), area) != cleared.end()) continue;
      cleared.push_back(area);
      line("           MOVE LOW-VALUES TO " + area);
    }
  }
  line("      *    THE MAP SHOWN LAST, AND ITS DATA WHEN IT IS STILL ON THE");
  line("      *    SCREEN; NO DATA: USRMAPLN 0.");
  line("           MOVE KVZRPCLI-MAP TO USRMAPNAME");
  line("           MOVE KVZRPCLI-MAPSET TO USRMAPSET");
  line("           MOVE 0 TO USRMAPLN");
  line("           IF KVZRPCLI-SHOWN = 'M'");
  line("               MOVE 36 TO KVZRPCLI-RESP");
  if (!maps.empty()) {
    line("               EVALUATE KVZRPCLI-MAP");
    for (const ClientMap& map : maps) {
      line("               WHEN '" + map.map + "'");
      line("                   EXEC ZARN RECEIVE MAP('" + map.map + "')");
      line("                        MAPSET(KVZRPCLI-MAPSET)");
      line("                        INTO(" + map.input_area + ") RESP(KVZRPCLI-RESP)");
      line("                   END-EXEC");
    }
    line("               END-EVALUATE");
  }
  line("               IF KVZRPCLI-RESP = 0");
  line("                   MOVE 1 TO USRMAPLN");
  line("               END-IF");
  line("           END-IF");
  line("      *    THE OUTPUTS START CLEAR; THE PROGRAM IS CALLED WITH ITS AREA");
  line("      *    ALONE AND CANCELLED AFTER THE CALL.");
  line("           MOVE SPACES TO NXTRNID ERASESW ALARMSW SENDTYPE");
  line("           MOVE 'LINK' TO KVZRP-FUNCTION");
  line("           MOVE 'KVZRPCLI' TO KVZRP-SOURCE");
  line("           MOVE 'D' TO KVZRP-OPTIONS");
  line("           MOVE 'N' TO KVZRP-NOHANDLE");
  line("           MOVE '" + program + "' TO KVZRP-NAME");
  line("           MOVE LENGTH OF KVZCOMMAREA TO KVZRP-LENGTH");
  line("           SET KVZRP-POINTER TO ADDRESS OF KVZCOMMAREA");
  line("           CALL 'KVZRP' USING KVZRP-CTL KVZCOMMAREA");
  line("           PERFORM UNTIL KVZRP-DONE = 'Y'");
  line("               SET ADDRESS OF KVZRP-CALLEE-EIB TO KVZRP-EIB-POINTER");
  line("               SET ADDRESS OF KVZRP-CALLEE-AREA TO KVZRP-POINTER");
  line("               IF KVZRP-OPTIONS(1:1) = 'D'");
  line("                   CALL KVZRP-CALLEE USING KVZRP-CALLEE-AREA");
  line("               ELSE");
  line("                   CALL KVZRP-CALLEE");
  line("                       USING KVZRP-CALLEE-EIB KVZRP-CALLEE-AREA");
  line("               END-IF");
  line("               CANCEL KVZRP-CALLEE");
  line("               MOVE 'LINKEND' TO KVZRP-FUNCTION");
  line("               CALL 'KVZRP' USING KVZRP-CTL");
  line("           END-PERFORM");
  line("      *    WHAT THE HEADER ASKS FOR.");
  line("           IF USRMAPNAME = 'SENDTEXT'");
  line("               EXEC ZARN SEND TEXT FROM(TEXTAREA) LENGTH(USRMAPLN)");
  line("               END-EXEC");
  line("               MOVE 'T' TO KVZRPCLI-SHOWN");
  if (!maps.empty()) {
    line("           ELSE");
    line("               EVALUATE USRMAPNAME");
    for (const ClientMap& map : maps) {
      line("               WHEN '" + map.map + "'");
      line("                   EXEC ZARN SEND MAP('" + map.map + "') MAPSET(USRMAPSET)");
      line("                        FROM(" + map.output_area + ")");
      line("                   END-EXEC");
      line("                   MOVE 'M' TO KVZRPCLI-SHOWN");
      line("                   MOVE USRMAPNAME TO KVZRPCLI-MAP");
      line("                   MOVE USRMAPSET TO KVZRPCLI-MAPSET");
    }
    line("               END-EVALUATE");
  }
  line("           END-IF");
  line("      *    THE AREA AND THE SCREEN GO TO THE NEXT TURN.");
  line("           COMPUTE KVZRPCLI-LENGTH = LENGTH OF KVZCOMMAREA + 17");
  line("           MOVE KVZCOMMAREA TO KVZRPCLI-OUT(1:LENGTH OF KVZCOMMAREA)");
  line("           MOVE KVZRPCLI-SCREEN");
  line("               TO KVZRPCLI-OUT(LENGTH OF KVZCOMMAREA + 1:17)");
  line("           IF NXTRNID = SPACES");
  line("               EXEC ZARN RETURN END-EXEC");
  line("           END-IF");
  line("           EXEC ZARN RETURN TRANSID(NXTRNID) COMMAREA(KVZRPCLI-OUT)");
  line("                LENGTH(KVZRPCLI-LENGTH)");
  line("           END-EXEC.");
  return s;
}

}  // namespace replay
