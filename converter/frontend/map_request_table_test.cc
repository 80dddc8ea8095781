// Tests of the table of screen requests: what a request records, equal requests, no fixed size.
#include "converter/frontend/map_request_table.h"

#include <gtest/gtest.h>

#include <string>

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_run.h"
#include "tests/support/conversion_harness.h"

namespace converter {
namespace {

using message_format::Row;

// Records the request of `kind` that the command with `text` makes, as its conversion does.
void add_from_text(ConversionRun& run, char kind, const std::string& text) {
  add_map_request(run,
                  map_request(test_support::make_statement(text), static_cast<RequestKind>(kind)));
}

MapRequest request(char kind, char erase, char send_type, bool freekb, bool frset, std::string map,
                   std::string mapset, char alarm, std::string length, std::string data) {
  MapRequest r;
  r.kind = static_cast<RequestKind>(kind);
  r.erase_code = erase;
  r.send_type = send_type;
  r.freekb = freekb;
  r.frset = frset;
  r.map_name = std::move(map);
  r.mapset_name = std::move(mapset);
  r.alarm_code = alarm;
  r.length_arg = std::move(length);
  r.data_arg = std::move(data);
  return r;
}

void expect_request(const MapRequest& actual, const MapRequest& expected) {
  EXPECT_EQ(actual.kind, expected.kind);
  EXPECT_EQ(actual.erase_code, expected.erase_code);
  EXPECT_EQ(actual.send_type, expected.send_type);
  EXPECT_EQ(actual.freekb, expected.freekb);
  EXPECT_EQ(actual.frset, expected.frset);
  EXPECT_EQ(actual.map_name, expected.map_name);
  EXPECT_EQ(actual.mapset_name, expected.mapset_name);
  EXPECT_EQ(actual.alarm_code, expected.alarm_code);
  EXPECT_EQ(actual.length_arg, expected.length_arg);
  EXPECT_EQ(actual.data_arg, expected.data_arg);
}

TEST(MapRequestTable, RequestsRecordTheirArgumentsAndOptions) {
  ConversionRun run;
  add_from_text(run, 'S',
                "EXEC ZARN SEND MAP('M1') MAPSET('S1') FROM(M1O) LENGTH(L1) ERASE FREEKB ALARM "
                "MAPONLY END-EXEC.");
  add_from_text(run, 'R', "EXEC ZARN RECEIVE MAP(WS-MAP) INTO( M2I ) FRSET END-EXEC");
  add_from_text(run, 'T', "EXEC ZARN SEND TEXT FROM(X) END-EXEC");
  add_from_text(run, 'S', "EXEC ZARN SEND MAP MAPSET(S1) END-EXEC");
  ASSERT_EQ(run.map_requests.records.size(), 4u);
  const MapRequest expected[] = {
      request('S', 'E', 'M', true, false, "'M1'", "'S1'", 'A', "L1", "M1O"),
      request('R', ' ', ' ', false, true, "WS-MAP", "", ' ', "", " M2I "),
      request('T', ' ', ' ', false, false, "", "", ' ', "", "X"),
      // A MAP without its own parentheses takes the next option's argument.
      request('S', ' ', ' ', false, false, "S1", "S1", ' ', "", ""),
  };
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    expect_request(run.map_requests.records[i], expected[i]);
  }
  EXPECT_EQ(run.count(Row::kFreekb), 1);
  EXPECT_EQ(run.count(Row::kFrset), 1);
}

TEST(MapRequestTable, LongArgumentsAreKeptWhole) {
  ConversionRun run;
  std::string long_area = "WS-" + std::string(97, 'A');
  add_from_text(
      run, 'S',
      "SEND MAP('MENU123') MAPSET('MENUSET9') LENGTH(WS-LENGTH-1) FROM(" + long_area + ")");
  add_from_text(
      run, 'S',
      "SEND MAP('MENU124') MAPSET('MENUSET9') LENGTH(WS-LENGTH-1) FROM(" + long_area + ")");
  add_from_text(
      run, 'S',
      "SEND MAP('MENU123') MAPSET('MENUSET9') LENGTH(WS-LENGTH-2) FROM(" + long_area + ")");
  add_from_text(
      run, 'S',
      "SEND MAP('MENU123') MAPSET('MENUSET9') LENGTH(WS-LENGTH-1) FROM(" + long_area + "B)");
  add_from_text(
      run, 'S',
      "SEND MAP('MENU123') MAPSET('MENUSET8') LENGTH(WS-LENGTH-1) FROM(" + long_area + ")");
  add_from_text(
      run, 'S',
      "SEND MAP('MENU123') MAPSET('MENUSET9') LENGTH(WS-LENGTH-1) FROM(" + long_area + ")");
  // Five distinct requests, however little they differ; the sixth equals the first.
  ASSERT_EQ(run.map_requests.records.size(), 5u);
  expect_request(run.map_requests.records[0], request('S', ' ', ' ', false, false, "'MENU123'",
                                                      "'MENUSET9'", ' ', "WS-LENGTH-1", long_area));
  EXPECT_EQ(run.map_requests.times, (std::vector<int>{2, 1, 1, 1, 1}));
}

TEST(MapRequestTable, EqualRequestsShareOneRecord) {
  ConversionRun run;
  const std::string send = "SEND MAP('M1') MAPSET('S1') FROM(M1O) ERASE";
  add_from_text(run, 'S', send);
  add_from_text(run, 'S', send);
  add_from_text(run, 'S', send + " FREEKB");  // differs only in FREEKB
  add_from_text(run, 'S', send);
  add_from_text(run, 'R', "RECEIVE MAP('M1') MAPSET('S1') INTO(M1O) ERASE");  // another kind
  add_from_text(run, 'S', send + "AUP");                                      // another erase code
  add_from_text(run, 'S', send + " FREEKB");
  // Equal requests share the record of the first, in the order first met; every FREEKB counts.
  ASSERT_EQ(run.map_requests.records.size(), 4u);
  EXPECT_EQ(run.map_requests.times, (std::vector<int>{3, 2, 1, 1}));
  EXPECT_FALSE(run.map_requests.records[0].freekb);
  EXPECT_TRUE(run.map_requests.records[1].freekb);
  EXPECT_EQ(run.map_requests.records[2].kind, RequestKind::kReceiveMap);
  EXPECT_EQ(run.map_requests.records[3].erase_code, 'U');
  EXPECT_EQ(run.count(Row::kFreekb), 2);
}

// The table has no fixed size: the 102nd request of a run and beyond are kept and counted.
TEST(MapRequestTable, EveryRequestIsKept) {
  ConversionRun run;
  for (int i = 0; i < 150; ++i)
    add_from_text(run, 'S', "SEND MAP(M" + std::to_string(i) + ") FRSET END-EXEC");
  add_from_text(run, 'T', "SEND TEXT FROM(EXTRA) FREEKB END-EXEC");
  ASSERT_EQ(run.map_requests.records.size(), 151u);
  EXPECT_EQ(run.map_requests.times, std::vector<int>(151, 1));
  EXPECT_EQ(run.count(Row::kFrset), 150);
  EXPECT_EQ(run.count(Row::kFreekb), 1);
  expect_request(run.map_requests.records[101],
                 request('S', ' ', ' ', false, true, "M101", "", ' ', "", ""));
}

}  // namespace
}  // namespace converter
