// Tests of telling whether two names denote one file.
#include "text/file_identity.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/same_file_cases.h"

namespace text {
namespace {

TEST(FileIdentity, SameFileFollowsPathsAndLinks) {
  test_support::TempFolder folder;
  for (const test_support::SameFileCase& row : test_support::same_file_cases(folder)) {
    SCOPED_TRACE(row.a + " and " + row.b);
    EXPECT_EQ(same_file(row.a, row.b), row.same);
    EXPECT_EQ(same_file(row.b, row.a), row.same);
  }
}

TEST(FileIdentity, EmptyNamesAreNoFile) {
  EXPECT_FALSE(same_file("", ""));
  EXPECT_FALSE(same_file("", "."));
}

// Writing a name writes the final target of its links: relative targets are taken from the
// link's own folder, a dangling link names the file writing creates.
TEST(FileIdentity, LinkTargetIsTheFileWritten) {
  test_support::TempFolder folder;
  namespace fs = std::filesystem;
  fs::create_directory(folder.path() / "lib");
  folder.write("lib/CUST", "");
  fs::create_symlink("CUST", folder.path() / "lib/NEAR");
  fs::create_symlink("lib/NEAR", folder.path() / "FAR");
  fs::create_symlink(folder.file("lib/CUST"), folder.path() / "ABSOLUTE");
  fs::create_symlink("lib/NONE.new", folder.path() / "DANGLING");
  fs::create_symlink("LOOP", folder.path() / "LOOP");
  const std::string canonical = fs::canonical(folder.path()).string() + "/";
  struct Row {
    std::string name;
    std::string target;  // in the folder
  } rows[] = {
      {"lib/CUST", "lib/CUST"},
      {"FAR", "lib/CUST"},
      {"ABSOLUTE", "lib/CUST"},
      {"DANGLING", "lib/NONE.new"},
      {"MISSING.new", "MISSING.new"},
      // A link to itself leads nowhere: the name stays.
      {"LOOP", "LOOP"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(written_path(folder.file(row.name)), canonical + row.target);
  }
  // Relative names stay relative.
  test_support::WorkingFolder inside(folder.path());
  EXPECT_EQ(link_target("FAR"), "lib/CUST");
  EXPECT_EQ(link_target("CUST.new"), "CUST.new");
  EXPECT_EQ(written_path("./lib/../FAR"), canonical + "lib/CUST");
}

}  // namespace
}  // namespace text
