// Tests of the reference client: the maps it knows and the converted program's area it copies.
#include "replay/client_program.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace replay {
namespace {

TEST(ClientProgram, MapsTakeTheirAreasFromTheOriginalsCommands) {
  std::vector<ClientMap> maps = client_maps({
      {"MENU1", false, "MENU1O"},
      {"MENU1", true, "MENU1I"},
      {"STK", true, "STKI-AREA"},
      {"", false, "STKO-AREA"},  // a SEND MAP whose map name is a field
      {"BARE", true, "BAREI"},
  });
  ASSERT_EQ(maps.size(), 3u);
  EXPECT_EQ(maps[0].map, "MENU1");
  EXPECT_EQ(maps[0].input_area, "MENU1I");
  EXPECT_EQ(maps[0].output_area, "MENU1O");
  EXPECT_EQ(maps[1].input_area, "STKI-AREA");
  EXPECT_EQ(maps[1].output_area, "STKO-AREA");
  EXPECT_EQ(maps[2].output_area, "STKO-AREA");
  std::vector<ClientMap> plain = client_maps({{"M", true, "MI"}});
  EXPECT_EQ(plain[0].output_area, "MO");
}

TEST(ClientProgram, TheAreaIsCopiedFromTheLinkageSection) {
  test_support::TempFolder folder;
  folder.write("P.new",
               "       WORKING-STORAGE SECTION.\n"
               "       01  KVZCOMMAREA-COPY PIC X.\n"
               "       LINKAGE SECTION.\n"
               "       01  OTHER PIC X.\n"
               "       01  KVZCOMMAREA.\n"
               "           COPY STDHEAD.\n"
               "      * a comment\n"
               "           02  USRCOMM PIC X(10).\n"
               "       01  AFTER PIC X.\n");
  std::vector<std::string> lines;
  std::string error;
  ASSERT_TRUE(communication_area_lines(folder.file("P.new"), lines, error)) << error;
  EXPECT_EQ(lines,
            (std::vector<std::string>{"       01  KVZCOMMAREA.", "           COPY STDHEAD.",
                                      "      * a comment", "           02  USRCOMM PIC X(10)."}));
  folder.write("Q.new", "       LINKAGE SECTION.\n       01  OTHER PIC X.\n");
  EXPECT_FALSE(communication_area_lines(folder.file("Q.new"), lines, error));
  EXPECT_EQ(error, folder.file("Q.new") + " declares no KVZCOMMAREA in its LINKAGE SECTION");
}

}  // namespace
}  // namespace replay
