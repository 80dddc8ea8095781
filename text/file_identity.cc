// Telling whether two file names denote the same file, so that no run writes what it reads.
#include "text/file_identity.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace text {

namespace {

namespace fs = std::filesystem;

// Symbolic links followed at most when a name is resolved.
constexpr int kMaxLinkDepth = 40;

// `name` made absolute, with links followed (a link whose target does not exist yet too) and
// "." and ".." resolved.
fs::path resolved_path(const std::string& name) {
  std::error_code error;
  fs::path path = fs::absolute(name, error);
  if (error) return fs::path(name);
  for (int depth = 0; depth < kMaxLinkDepth && fs::is_symlink(path, error); ++depth) {
    fs::path target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  fs::path canonical = fs::weakly_canonical(path, error);
  return error ? path.lexically_normal() : canonical;
}

}  // namespace

bool identity_of(const std::string& name, FileIdentity& identity) {
  struct stat status;
  if (::stat(name.c_str(), &status) != 0) return false;
  identity.device = status.st_dev;
  identity.inode = status.st_ino;
  return true;
}

bool same_file(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  FileIdentity first;
  FileIdentity second;
  bool first_exists = identity_of(a, first);
  bool second_exists = identity_of(b, second);
  if (first_exists && second_exists) return first == second;
  if (first_exists != second_exists) return false;
  return resolved_path(a) == resolved_path(b);
}

}  // namespace text
