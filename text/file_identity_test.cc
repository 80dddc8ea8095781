// Tests of telling whether two names denote one file.
#include "text/file_identity.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace text
