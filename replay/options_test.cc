// Tests of quillox-replay's command line.
#include "replay/options.h"

#include <gtest/gtest.h>

namespace replay {
namespace {

TEST(ReplayOptions, EveryOptionInEachOfItsForms) {
  Options options = parse_options({"-I", "a", "-Ib", "--through", "client", "--against=converted",
                                   "--keep", "k", "--timeout=30", "one.dlg", "--", "-two.dlg"});
  ASSERT_EQ(options.request, Options::kPlay) << options.error;
  EXPECT_EQ(options.folders, (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(options.through_client);
  EXPECT_TRUE(options.against_converted);
  EXPECT_EQ(options.keep, "k");
  EXPECT_EQ(options.timeout, 30);
  EXPECT_EQ(options.scripts, (std::vector<std::string>{"one.dlg", "-two.dlg"}));

  Options defaults = parse_options({"x.dlg"});
  EXPECT_FALSE(defaults.through_client);
  EXPECT_FALSE(defaults.against_converted);
  EXPECT_FALSE(defaults.record);
  EXPECT_EQ(defaults.timeout, kDefaultTimeout);
  EXPECT_EQ(parse_options({"x.dlg", "--help"}).request, Options::kHelp);
  EXPECT_EQ(parse_options({"--version"}).request, Options::kVersion);
}

TEST(ReplayOptions, WrongCommandLinesSayWhy) {
  struct Case {
    std::vector<std::string> arguments;
    const char* error;
  } rows[] = {
      {{}, "no dialogue script given"},
      {{"--through", "terminal", "x.dlg"},
       "option --through takes front-end or client, not \"terminal\""},
      {{"x.dlg", "--through"}, "option --through needs front-end or client"},
      {{"--against", "original", "x.dlg"},
       "option --against takes both or converted, not \"original\""},
      {{"--timeout", "0", "x.dlg"},
       "option --timeout takes a whole number of seconds from 1 to 3600, not \"0\""},
      {{"--timeout", "3601", "x.dlg"},
       "option --timeout takes a whole number of seconds from 1 to 3600, not \"3601\""},
      {{"--timeout", "5s", "x.dlg"},
       "option --timeout takes a whole number of seconds from 1 to 3600, not \"5s\""},
      {{"--record=yes", "x.dlg"}, "option --record takes no value"},
      {{"-I"}, "option -I needs a folder"},
      {{"--keep=", "x.dlg"}, "option --keep needs a folder"},
      {{"--fast", "x.dlg"}, "unknown option --fast"},
      {{"--record", "--against", "converted", "x.dlg"},
       "--record plays the original only; it takes no --against converted"},
      {{"--precompile", "x.dlg"},
       "--precompile writes into the folder of --keep DIR, which is missing"},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.error);
    Options options = parse_options(row.arguments);
    EXPECT_EQ(options.request, Options::kWrong);
    EXPECT_EQ(options.error, row.error);
  }
}

}  // namespace
}  // namespace replay
