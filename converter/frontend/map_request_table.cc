// The screen requests met during a conversion (SEND MAP, RECEIVE MAP, SEND TEXT), kept in
// the order met for the front-end generator.
#include "converter/frontend/map_request_table.h"

#include "converter/driver/conversion_run.h"

namespace converter {

using message_format::Row;

bool MapRequest::operator==(const MapRequest& other) const {
  return kind == other.kind && erase_code == other.erase_code && send_type == other.send_type &&
         alarm_code == other.alarm_code && freekb == other.freekb && frset == other.frset &&
         map_name == other.map_name && mapset_name == other.mapset_name &&
         length_arg == other.length_arg && data_arg == other.data_arg;
}

void add_map_request(ConversionRun& run, MapRequest request) {
  std::vector<MapRequest>& records = run.map_requests.records;
  if (records.size() >= kMapRequestCapacity) return;
  if (request.freekb) ++run.count(Row::kFreekb);
  if (request.frset) ++run.count(Row::kFrset);
  records.push_back(std::move(request));
}

bool is_repeated_request(const MapRequestTable& table, std::size_t n) {
  if (n >= table.records.size()) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (table.records[i] == table.records[n]) return true;
  return false;
}

}  // namespace converter
