// Telling whether two file names denote the same file, so that no run writes what it reads, and
// which file writing a name would write.
#include "text/file_identity.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace text {

namespace {

namespace fs = std::filesystem;

// Symbolic links followed at most when a name is resolved.
constexpr int kMaxLinkDepth = 40;
// Longest link target followed; a longer one is no name the system could open.
constexpr std::size_t kMaxTargetSize = 1 << 16;

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

// The folder part of `name`, with its final separator ("" when it has none).
std::string folder_part(const std::string& name) {
  std::size_t separator = name.find_last_of('/');
  return separator == std::string::npos ? std::string() : name.substr(0, separator + 1);
}

}  // namespace

std::string link_target(const std::string& name) {
  std::string path = name;
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    // The size a link reports is not always its length (links of the system report none or
    // a fixed one): the buffer grows until the whole target fits.
    std::string target(static_cast<std::size_t>(status.st_size > 255 ? status.st_size : 255) + 1,
                       '\0');
    ssize_t length;
    while ((length = ::readlink(path.c_str(), target.data(), target.size())) > 0 &&
           static_cast<std::size_t>(length) >= target.size() && target.size() < kMaxTargetSize)
      target.resize(target.size() * 2);
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return path;
    target.resize(static_cast<std::size_t>(length));
    path = target[0] == '/' ? target : folder_part(path) + target;
  }
  return name;
}

std::string written_path(const std::string& name) {
  std::string target = link_target(name);
  // A name in the working folder, the common case of a member's copy: the folder is resolved
  // once for as long as the working folder stays the same.
  if (!target.empty() && target != "." && target != ".." && target.find('/') == std::string::npos) {
    static std::string working;
    static std::string resolved;
    std::error_code error;
    fs::path current = fs::current_path(error);
    if (!error) {
      if (current.string() != working) {
        fs::path canonical = fs::weakly_canonical(current, error);
        if (error) return (current / target).lexically_normal().string();
        working = current.string();
        resolved = canonical.string();
      }
      return resolved + (resolved == "/" ? "" : "/") + target;
    }
  }
  std::error_code error;
  fs::path path = fs::absolute(target, error);
  if (error) return name;
  fs::path folder = fs::weakly_canonical(path.parent_path(), error);
  if (error) return path.lexically_normal().string();
  return (folder / path.filename()).lexically_normal().string();
}

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
