// Telling whether two file names denote the same file, so that no run writes what it reads.
#pragma once

#include <string>

namespace text {

/// True when `a` and `b` name the same file: the same device and inode when both exist,
/// otherwise the same absolute path once "." and ".." and links are resolved (a link whose
/// target does not exist yet too: writing to it would create that target).
bool same_file(const std::string& a, const std::string& b);

}  // namespace text
