// Telling whether two file names denote the same file, so that no run writes what it reads, and
// which file writing a name would write.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_set>

namespace text {

/// Where a file lives: its device and inode (links followed).
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
};

/// Hash of a file identity, for sets of the files a run read.
struct FileIdentityHash {
  std::size_t operator()(const FileIdentity& identity) const {
    return std::hash<unsigned long long>()(static_cast<unsigned long long>(identity.inode) * 31u +
                                           static_cast<unsigned long long>(identity.device));
  }
};

/// A set of files, each once however often it was met.
using FileIdentitySet = std::unordered_set<FileIdentity, FileIdentityHash>;

/// The identity of the file `name` denotes, links followed; false when it does not exist.
bool identity_of(const std::string& name, FileIdentity& identity);

/// True when `a` and `b` name the same file: the same device and inode when both exist,
/// otherwise the same absolute path once "." and ".." and links are resolved (a link whose
/// target does not exist yet too: writing to it would create that target).
bool same_file(const std::string& a, const std::string& b);

/// The name of the file that opening `name` for writing writes: when `name` is a symbolic link,
/// its final target (a relative target taken from the link's folder; the target of a dangling
/// link, which writing creates); otherwise `name` itself. The folders on the way are left as
/// written. `name` itself after too many links.
std::string link_target(const std::string& name);

/// `link_target(name)` made absolute, with "." and ".." and the links of its folders resolved:
/// one spelling for every name that writes the same file.
std::string written_path(const std::string& name);

}  // namespace text
