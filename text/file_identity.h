// Telling whether two file names denote the same file, so that no run writes what it reads.
#pragma once

#include <sys/types.h>

#include <string>

namespace text {

/// Where a file lives: its device and inode (links followed).
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
};

/// The identity of the file `name` denotes, links followed; false when it does not exist.
bool identity_of(const std::string& name, FileIdentity& identity);

/// True when `a` and `b` name the same file: the same device and inode when both exist,
/// otherwise the same absolute path once "." and ".." and links are resolved (a link whose
/// target does not exist yet too: writing to it would create that target).
bool same_file(const std::string& a, const std::string& b);

}  // namespace text
