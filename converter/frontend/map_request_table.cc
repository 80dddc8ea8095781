// The screen requests met during a conversion (SEND MAP, RECEIVE MAP, SEND TEXT), kept in
// the order met for the front-end generator.
#include "converter/frontend/map_request_table.h"

#include "converter/driver/conversion_run.h"

namespace converter {

using message_format::Row;

bool MapRequest::operator==(const MapRequest& other) const {
  return kind == other.kind && erase_code == other.erase_code && send_type == other.send_type &&
         alarm_code == other.alarm_code && freekb == other.freekb && frset == other.frset &&
         cursor == other.cursor && map_name == other.map_name && mapset_name == other.mapset_name &&
         length_arg == other.length_arg && data_arg == other.data_arg;
}

namespace {

// Every field of a request in one text, each preceded by its length, so that two requests give
// the same text exactly when they are equal.
std::string request_key(const MapRequest& request) {
  std::string key = {static_cast<char>(request.kind),
                     request.erase_code,
                     request.send_type,
                     request.alarm_code,
                     request.freekb ? 'F' : '-',
                     request.frset ? 'F' : '-',
                     request.cursor ? 'C' : '-'};
  for (const std::string* field :
       {&request.map_name, &request.mapset_name, &request.length_arg, &request.data_arg})
    key.append(std::to_string(field->size())).append(":").append(*field);
  return key;
}

}  // namespace

bool is_literal_name(std::string_view name) {
  return !name.empty() && (name[0] == '\'' || name[0] == '"');
}

std::string_view unquoted(std::string_view name) {
  if (!is_literal_name(name)) return name;
  name.remove_prefix(1);
  if (!name.empty() && (name.back() == '\'' || name.back() == '"')) name.remove_suffix(1);
  return name;
}

std::string map_area(const MapRequest& request) {
  if (request.kind == RequestKind::kSendText) return std::string();
  if (!request.data_arg.empty()) return request.data_arg;
  if (!is_literal_name(request.map_name)) return std::string();
  return std::string(unquoted(request.map_name))
      .append(request.kind == RequestKind::kReceiveMap ? "I" : "O");
}

void add_map_request(ConversionRun& run, MapRequest request) {
  if (request.freekb) ++run.count(Row::kFreekb);
  if (request.frset) ++run.count(Row::kFrset);
  MapRequestTable& table = run.map_requests;
  auto [found, added] = table.positions.emplace(request_key(request), table.records.size());
  if (!added) {
    ++table.times[found->second];
    return;
  }
  table.records.push_back(std::move(request));
  table.times.push_back(1);
}

}  // namespace converter
