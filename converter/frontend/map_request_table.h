// The screen requests met during a conversion (SEND MAP, RECEIVE MAP, SEND TEXT), kept in
// the order met for the front-end generator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

struct ConversionRun;

/// Most requests a run keeps; later requests are dropped without a word, and the front end
/// then lacks their blocks.
constexpr std::size_t kMapRequestCapacity = 101;

/// One screen request. Text fields hold the whole argument taken from the command text
/// (upper case, renames applied); an absent option leaves its field empty.
struct MapRequest {
  char kind = 0;         // 'R' RECEIVE MAP, 'S' SEND MAP, 'T' SEND TEXT
  char erase_code = 0;   // ' ', 'E' ERASE, 'U' ERASEAUP
  char send_type = 0;    // ' ', 'M' MAPONLY, 'D' DATAONLY
  char freekb_flag = 0;  // 'F' or 0
  char frset_flag = 0;   // 'F' or 0
  std::string map_name;
  std::string mapset_name;
  char alarm_code = 0;  // ' ' or 'A'
  std::string length_arg;
  std::string data_arg;  // FROM for 'S' and 'T', INTO for 'R'

  /// Requests are equal when every field is equal.
  bool operator==(const MapRequest& other) const;
  bool operator!=(const MapRequest& other) const { return !(*this == other); }
};

/// The run's requests in the order they were met; never reordered, never emptied.
struct MapRequestTable {
  std::vector<MapRequest> records;
};

/// Stores one request in the first free record of `run.map_requests`, taking the MAP, MAPSET,
/// data (FROM or INTO) and LENGTH arguments from `text` at the given keyword positions (npos
/// when absent). Counts FREEKB and FRSET only when the request is stored; a full table drops it.
void add_map_request(ConversionRun& run, char kind, std::string_view text, std::size_t map,
                     std::size_t mapset, char erase_code, char alarm_code, char send_type,
                     bool frset, std::size_t data, std::size_t length, bool freekb);

/// True when some record before record `n` equals record `n` (false for n = 0).
bool is_repeated_request(const MapRequestTable& table, std::size_t n);

}  // namespace converter
