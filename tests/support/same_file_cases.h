// The cases that every same-file test of the project is checked against: the converter's file
// identity and NESTLVL's own check follow one rule.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace test_support {

/// Two names and whether they denote one file.
struct SameFileCase {
  std::string a;
  std::string b;
  bool same;
};

/// Makes the files of the cases in `folder` and returns the cases: the same device and inode when
/// both names exist (hard and symbolic links, "." and ".."), otherwise the same absolute path
/// with links followed, also a link whose target does not exist yet.
inline std::vector<SameFileCase> same_file_cases(const TempFolder& folder) {
  folder.write("CUST.CPY", "       01 A.\n");
  folder.write("OTHER.CPY", "       01 A.\n");
  std::filesystem::create_directory(folder.file("lib"));
  std::filesystem::create_hard_link(folder.file("CUST.CPY"), folder.file("HARD.CPY"));
  std::filesystem::create_symlink(folder.file("CUST.CPY"), folder.file("SOFT.CPY"));
  std::filesystem::create_symlink("CUST.new", folder.file("DANGLING.new"));
  std::filesystem::create_symlink("lib", folder.file("LINKED-LIB"));
  return {
      {folder.file("CUST.CPY"), folder.file("CUST.CPY"), true},
      {folder.file("CUST.CPY"), folder.file("lib/../CUST.CPY"), true},
      {folder.file("CUST.CPY"), folder.file("./CUST.CPY"), true},
      {folder.file("CUST.CPY"), folder.file("HARD.CPY"), true},
      {folder.file("CUST.CPY"), folder.file("SOFT.CPY"), true},
      {folder.file("CUST.CPY"), folder.file("OTHER.CPY"), false},
      {folder.file("CUST.CPY"), folder.file("CUST.new"), false},
      // Neither exists yet: the paths decide.
      {folder.file("CUST.msg"), folder.file("lib/../CUST.msg"), true},
      {folder.file("CUST.msg"), folder.file("CUST.new"), false},
      {folder.file("lib/CUST.new"), folder.file("LINKED-LIB/CUST.new"), true},
      // A link to a file that does not exist yet: writing to it creates its target.
      {folder.file("DANGLING.new"), folder.file("CUST.new"), true},
      {folder.file("DANGLING.new"), folder.file("CUST.msg"), false},
  };
}

}  // namespace test_support
