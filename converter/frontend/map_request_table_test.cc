// Tests of the table of screen requests: what a request records, the full table, repeats.
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
  ASSERT_EQ(run.map_requests.records.size(), 6u);
  expect_request(run.map_requests.records[0], request('S', ' ', ' ', false, false, "'MENU123'",
                                                      "'MENUSET9'", ' ', "WS-LENGTH-1", long_area));
  // Names that differ only beyond a short field's width are still different requests.
  const bool repeated[] = {false, false, false, false, false, true};
  for (std::size_t n = 0; n < 6; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(is_repeated_request(run.map_requests, n), repeated[n]);
  }
}

TEST(MapRequestTable, OnlyTheFirstOfEqualRequestsIsDistinct) {
  ConversionRun run;
  const std::string send = "SEND MAP('M1') MAPSET('S1') FROM(M1O) ERASE";
  add_from_text(run, 'S', send);
  add_from_text(run, 'S', send);
  add_from_text(run, 'S', send + " FREEKB");  // differs only in FREEKB
  add_from_text(run, 'S', send);
  add_from_text(run, 'R', "RECEIVE MAP('M1') MAPSET('S1') INTO(M1O) ERASE");  // another kind
  add_from_text(run, 'S', send + "AUP");                                      // another erase code
  add_from_text(run, 'S', send + " FREEKB");
  const bool repeated[] = {false, true, false, true, false, false, true};
  ASSERT_EQ(run.map_requests.records.size(), 7u);
  for (std::size_t n = 0; n < 7; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(is_repeated_request(run.map_requests, n), repeated[n]);
  }
  EXPECT_FALSE(is_repeated_request(run.map_requests, 7));
  EXPECT_EQ(run.count(Row::kFreekb), 2);
}

TEST(MapRequestTable, FirstRecordIsNeverRepeated) {
  ConversionRun run;
  EXPECT_FALSE(is_repeated_request(run.map_requests, 0));
  add_from_text(run, 'T', "SEND TEXT FROM(X)");
  EXPECT_FALSE(is_repeated_request(run.map_requests, 0));
}

TEST(MapRequestTable, FullTableDropsFurtherRequestsUncounted) {
  ConversionRun run;
  for (std::size_t i = 0; i < kMapRequestCapacity; ++i)
    add_from_text(run, 'S', "SEND MAP(M" + std::to_string(i) + ") FRSET END-EXEC");
  ASSERT_EQ(run.map_requests.records.size(), 101u);
  EXPECT_EQ(run.count(Row::kFrset), 101);
  EXPECT_EQ(run.count(Row::kFreekb), 0);
  add_from_text(run, 'S', "SEND MAP(EXTRA) FREEKB FRSET END-EXEC");
  add_from_text(run, 'T', "SEND TEXT FROM(EXTRA) FREEKB END-EXEC");
  EXPECT_EQ(run.map_requests.records.size(), 101u);
  EXPECT_EQ(run.count(Row::kFrset), 101);
  EXPECT_EQ(run.count(Row::kFreekb), 0);
  expect_request(run.map_requests.records[100],
                 request('S', ' ', ' ', false, true, "M100", "", ' ', "", ""));
}

}  // namespace
}  // namespace converter
