// The screen requests met during a conversion (SEND MAP, RECEIVE MAP, SEND TEXT), kept in
// the order met for the front-end generator.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace converter {

struct ConversionRun;

/// Most requests a run keeps; later requests are dropped without a word, and the front end
/// then lacks their blocks.
constexpr std::size_t kMapRequestCapacity = 101;

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
  std::string map_name;
  std::string mapset_name;
  std::string length_arg;
  std::string data_arg;  // FROM for SEND MAP and SEND TEXT, INTO for RECEIVE MAP

  /// Requests are equal when every field is equal.
  bool operator==(const MapRequest& other) const;
};

/// The run's requests in the order they were met; never reordered, never emptied.
struct MapRequestTable {
  std::vector<MapRequest> records;
};

/// Stores `request` after the run's earlier ones and counts its FREEKB and FRSET; a full table
/// drops it without counting.
void add_map_request(ConversionRun& run, MapRequest request);

/// True when some record before record `n` equals record `n` (false for n = 0).
bool is_repeated_request(const MapRequestTable& table, std::size_t n);

}  // namespace converter
