// Tests of finding the programs of a folder, of the access the report has to a file, and of
// the names and places QUILLOX gives members.
#include "report/application_scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "tests/support/test_files.h"

namespace report {
namespace {

namespace fs = std::filesystem;
using test_support::TempFolder;

std::string programs_in(const TempFolder& folder, const std::string& skip = "skipped") {
  std::vector<ProgramFiles> programs;
  std::string error;
  if (!find_programs(folder.path(), folder.path() / skip, programs, error)) return error;
  std::string shown;
  for (const ProgramFiles& program : programs)
    shown += program.name + " [" + program.source + "] [" + program.message_file + "]\n";
  return shown;
}

TEST(ApplicationScan, ProgramsAndMessageFilesArePairedByName) {
  TempFolder folder;
  fs::create_directories(folder.path() / "billing");
  fs::create_directories(folder.path() / "skipped");
  fs::create_directories(folder.path() / "DIR.zsc");
  for (const char* name : {"A.zsc", "A.msg", "B.ZSC", "C.msg", "billing/D.Zsc", "billing/D.msg",
                           "E.zsc", "E.ZSC", "notes.txt", ".zsc", "skipped/F.zsc", "X.zsc.bak"})
    folder.write(name, "text\n");
  TempFolder elsewhere;
  elsewhere.write("G.zsc", "text\n");
  fs::create_directory_symlink(elsewhere.path(), folder.path() / "linked");
  // A program with its message file, one without, a message file alone, any case of the
  // extension, two programs of one name (QUILLOX reads E.zsc: E.ZSC keeps its extension in its
  // name); no folder, no file that is only an extension, nothing in the report's own folder,
  // nothing through a link to a folder.
  EXPECT_EQ(programs_in(folder),
            "A [A.zsc] [A.msg]\n"
            "B [B.ZSC] []\n"
            "C [] [C.msg]\n"
            "E [E.zsc] []\n"
            "E.ZSC [E.ZSC] []\n"
            "billing/D [billing/D.Zsc] [billing/D.msg]\n");
}

TEST(ApplicationScan, AFileIsReadOnlyWhenItIsARegularFileWithinTheFolder) {
  TempFolder outside;
  outside.write("SECRET", "not to be shown\n");
  TempFolder folder;
  fs::create_directories(folder.path() / "app" / "sub");
  folder.write("app/PLAIN", "text\n");
  folder.write("app/sub/TARGET", "text\n");
  fs::create_symlink("sub/TARGET", folder.path() / "app" / "INSIDE");
  fs::create_symlink(outside.file("SECRET"), folder.path() / "app" / "OUTSIDE");
  fs::create_symlink("../../app/../../" + outside.path().filename().string() + "/SECRET",
                     folder.path() / "app" / "sub" / "DOTS");
  fs::create_symlink("nowhere", folder.path() / "app" / "DANGLING");
  fs::create_symlink("/dev/null", folder.path() / "app" / "DEVICE");
  ASSERT_EQ(mkfifo(folder.file("app/FIFO").c_str(), 0600), 0);
  std::string canonical = fs::canonical(folder.path() / "app").string();
  const struct {
    const char* name;
    FileAccess expected;
  } cases[] = {
      {"PLAIN", FileAccess::kReadable},   {"INSIDE", FileAccess::kReadable},
      {"OUTSIDE", FileAccess::kOutside},  {"sub/DOTS", FileAccess::kOutside},
      {"DANGLING", FileAccess::kMissing}, {"ABSENT", FileAccess::kMissing},
      {"DEVICE", FileAccess::kOutside},   {"FIFO", FileAccess::kNotRegular},
      {"sub", FileAccess::kNotRegular},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(access_of(folder.path() / "app" / row.name, canonical), row.expected);
  }
  // A folder whose name begins like the application's is outside it.
  fs::create_directories(folder.path() / "app2");
  folder.write("app2/NEAR", "text\n");
  fs::create_symlink(folder.file("app2/NEAR"), folder.path() / "app" / "NEAR");
  EXPECT_EQ(access_of(folder.path() / "app" / "NEAR", canonical), FileAccess::kOutside);
}

TEST(ApplicationScan, MembersAreWrittenUnderTheirLastNameAndFoundAsQuilloxFindsThem) {
  EXPECT_EQ(member_copy_name("CUSTREC"), "CUSTREC.new");
  EXPECT_EQ(member_copy_name("CUST.REC"), "CUST.new");
  EXPECT_EQ(member_copy_name("sub/MEMB"), "MEMB.new");
  EXPECT_EQ(member_copy_name("..\\lib\\X.CPY"), "X.new");

  TempFolder folder;
  fs::create_directories(folder.path() / "prog");
  fs::create_directories(folder.path() / "lib1");
  fs::create_directories(folder.path() / "lib2");
  folder.write("prog/HERE", "\n");
  folder.write("prog/EXT.cbl", "\n");
  folder.write("prog/EXT.COB", "\n");
  folder.write("lib1/FAR.CPY", "\n");
  folder.write("lib2/FAR", "\n");
  folder.write("lib2/LAST.cob", "\n");
  folder.write("lib2/PATHED", "\n");
  std::vector<fs::path> includes = {folder.path() / "lib1", folder.path() / "lib2"};
  fs::path program = folder.path() / "prog";
  EXPECT_EQ(member_source(program, "HERE", includes), program / "HERE");
  EXPECT_EQ(member_source(program, "EXT", includes), program / "EXT.cbl");
  EXPECT_EQ(member_source(program, "FAR", includes), folder.path() / "lib1" / "FAR.CPY");
  EXPECT_EQ(member_source(program, "LAST", includes), folder.path() / "lib2" / "LAST.cob");
  EXPECT_EQ(member_source(program, "../lib2/PATHED", includes), program / "../lib2/PATHED");
  EXPECT_EQ(member_source(program, "PATHED/X", includes), fs::path());
  EXPECT_EQ(member_source(program, "NONE", includes), fs::path());
}

}  // namespace
}  // namespace report
