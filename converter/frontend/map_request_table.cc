// The screen requests met during a conversion (SEND MAP, RECEIVE MAP, SEND TEXT), kept in
// the order met for the front-end generator.
#include "converter/frontend/map_request_table.h"

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_run.h"

namespace converter {

using message_format::Row;

bool MapRequest::operator==(const MapRequest& other) const {
  return kind == other.kind && erase_code == other.erase_code && send_type == other.send_type &&
         freekb_flag == other.freekb_flag && frset_flag == other.frset_flag &&
         map_name == other.map_name && mapset_name == other.mapset_name &&
         alarm_code == other.alarm_code && length_arg == other.length_arg &&
         data_arg == other.data_arg;
}

void add_map_request(ConversionRun& run, char kind, std::string_view text, std::size_t map,
                     std::size_t mapset, char erase_code, char alarm_code, char send_type,
                     bool frset, std::size_t data, std::size_t length, bool freekb) {
  std::vector<MapRequest>& records = run.map_requests.records;
  if (records.size() >= kMapRequestCapacity) return;
  MapRequest request;
  request.kind = kind;
  request.erase_code = erase_code;
  request.alarm_code = alarm_code;
  request.send_type = send_type;
  if (freekb) {
    ++run.count(Row::kFreekb);
    request.freekb_flag = 'F';
  }
  if (frset) {
    ++run.count(Row::kFrset);
    request.frset_flag = 'F';
  }
  request.map_name = extract_argument(text, map);
  request.length_arg = extract_argument(text, length);
  request.mapset_name = extract_argument(text, mapset);
  request.data_arg = extract_argument(text, data);
  records.push_back(std::move(request));
}

bool is_repeated_request(const MapRequestTable& table, std::size_t n) {
  if (n >= table.records.size()) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (table.records[i] == table.records[n]) return true;
  return false;
}

}  // namespace converter
