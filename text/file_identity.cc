// Telling whether two file names denote the same file, so that no run writes what it reads.
#include "text/file_identity.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace text {

bool same_file(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  struct stat first;
  struct stat second;
  bool first_exists = ::stat(a.c_str(), &first) == 0;
  bool second_exists = ::stat(b.c_str(), &second) == 0;
  if (first_exists && second_exists)
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  if (first_exists != second_exists) return false;
  std::error_code error_a;
  std::error_code error_b;
  std::filesystem::path path_a =
      std::filesystem::weakly_canonical(std::filesystem::absolute(a, error_a), error_a);
  std::filesystem::path path_b =
      std::filesystem::weakly_canonical(std::filesystem::absolute(b, error_b), error_b);
  if (error_a || error_b) return a == b;
  return path_a == path_b;
}

}  // namespace text
