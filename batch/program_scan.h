// The programs of an application folder, and the files that each one's conversion reads and
// writes, found by the converter's own rule of which members a line opens.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "batch/conversion_plan.h"

namespace batch {

/// A program found below the application folder.
struct Program {
  std::string path;       // as shown: the folder as given, then the path below it
  std::string folder;     // the folder it is converted in, as shown
  std::string name;       // the file name without ".zsc"
  std::string extension;  // "zsc" in the case it is written in
  std::string refusal;    // why it cannot be converted at all; empty when it can
};

/// Every entry whose name ends in ".zsc" in any case (folders too, which QUILLOX then refuses)
/// in `root` and the folders below it, in name order. A link named as `root` is followed;
/// links to folders below it are not. A folder that cannot be read is named in `errors`. A
/// program QUILLOX would not read (NAME.Zsc; NAME.ZSC beside a NAME.zsc; a name with a period)
/// has its refusal. The walk ends early, with what it found so far, once `stopped` is true.
std::vector<Program> find_programs(const std::string& root, std::vector<std::string>& errors,
                                   const std::function<bool()>& stopped = nullptr);

/// The front end of `program` once built: NAMEFE.cbl beside it.
std::string front_end_file(const Program& program);

/// What is known of one file read while planning: whether it opened, and the members its
/// lines open. Each file is read once for the whole run.
struct SourceFile {
  bool opened = false;
  std::vector<std::string> members;
};

/// The files read so far and the resolved folders, shared by every program of a run.
struct ScanCache {
  std::unordered_map<std::string, SourceFile> sources;  // by the file's one spelling
  std::function<bool()> stopped;                        // when true, reading ends early
};

/// Where members are looked for and which outputs a conversion has.
struct ScanSettings {
  std::vector<std::string> include_folders;  // absolute, in the order given
  bool front_end = false;
};

/// The files that converting `program` touches: the program, every member it opens directly
/// or through other members (up to the converter's nesting limit, looked for where the
/// converter looks), their converted copies, and the program's own outputs. Each file is known
/// by the file written or read: its links followed, made absolute.
Conversion scan_program(ScanCache& cache, const ScanSettings& settings, const Program& program);

}  // namespace batch
