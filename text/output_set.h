// The files a run writes, kept under temporary names until the run ends, so that a run replaces
// all its outputs or none and an interrupted run leaves every old file as it was.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "text/file_identity.h"
#include "text/text_files.h"

namespace text {

/// The outputs of one run. Each is written under a temporary name in the folder of its final
/// name (never colliding with another run's) and takes its final name only at `commit`. An
/// output whose final name is an existing device or FIFO is written directly. While a set has
/// temporary files, SIGINT, SIGTERM and SIGHUP remove them and end the process by the same
/// signal, so an interrupted run changes no old file.
class OutputSet {
 public:
  OutputSet();
  /// Removes the temporary files that were not committed.
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  /// Opens the output `name`: nullptr when it cannot be written (a folder, a folder that does
  /// not exist, no permission), with the reason in `reason`. An earlier output of this set with
  /// the same name, already closed, is given up: the new one replaces it.
  std::unique_ptr<OutputFile> open(const std::string& name, std::string& reason);

  /// Gives every output its final name, in the order opened. When a final name denotes one of
  /// `read` (a file the run read), nothing is replaced, the temporary files are removed and the
  /// name is returned in `refused`; false then. False with `reason` when a rename failed.
  bool commit(const std::vector<FileIdentity>& read, std::string& refused, std::string& reason);

  /// Removes every temporary file: no old file is replaced.
  void discard();

 private:
  struct Pending {
    std::string final_name;
    std::string temporary;
  };
  std::vector<Pending> pending_;
};

}  // namespace text
