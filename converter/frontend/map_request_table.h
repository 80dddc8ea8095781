// The screen requests met during a conversion (SEND MAP, RECEIVE MAP, SEND TEXT), kept in
// the order met for the front-end generator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace converter {

struct ConversionRun;

/// What a screen request is for.
enum class RequestKind : char {
  kReceiveMap = 'R',  // RECEIVE MAP
  kSendMap = 'S',     // SEND MAP
  kSendText = 'T',    // SEND TEXT, or SEND FROM converted as SEND TEXT
};

/// One screen request. Text fields hold the whole argument taken from the command text
/// (upper case, renames applied); an absent option leaves its field empty.
struct MapRequest {
  RequestKind kind = RequestKind::kSendMap;
  char erase_code = ' ';  // ' ', 'E' ERASE, 'U' ERASEAUP
  char send_type = ' ';   // ' ', 'M' MAPONLY, 'D' DATAONLY
  char alarm_code = ' ';  // ' ' or 'A'
  bool freekb = false;
  bool frset = false;
  bool cursor = false;  // the command names CURSOR (symbolic cursor positioning)
  std::string map_name;
  std::string mapset_name;
  std::string length_arg;
  std::string data_arg;  // FROM for SEND MAP and SEND TEXT, INTO for RECEIVE MAP

  /// Requests are equal when every field is equal.
  bool operator==(const MapRequest& other) const;
};

/// The run's distinct requests in the order first met, each with how often it was met; never
/// reordered, never emptied. Equal requests share one record, so the table grows with the
/// program's distinct screens, not with its length.
struct MapRequestTable {
  std::vector<MapRequest> records;
  std::vector<int> times;                                  // how often each record was met
  std::unordered_map<std::string, std::size_t> positions;  // a request's fields to its record
};

/// True when `name` is written as a literal: it begins with an apostrophe or a quotation mark.
/// A map or mapset name that is no literal names a field of the converted program.
bool is_literal_name(std::string_view name);

/// `name` without the quotes of a literal ('MENU1' gives MENU1); any other name as it is.
std::string_view unquoted(std::string_view name);

/// The data area of a RECEIVE MAP or SEND MAP request: its INTO or FROM argument, or, without
/// one, the map's name without its quotes followed by "I" (RECEIVE) or "O" (SEND). Empty for a
/// request without a data argument whose map name is no literal, and for a text request.
std::string map_area(const MapRequest& request);

/// Records `request`: a new record when no equal one was met before, else one more time for that
/// record. Counts its FREEKB and FRSET. The table has no fixed size: every distinct request of a
/// run is kept, so every count and front-end block is complete.
void add_map_request(ConversionRun& run, MapRequest request);

}  // namespace converter
