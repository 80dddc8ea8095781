// The programs of an application folder, and the files that each one's conversion reads and
// writes, found by the converter's own rule of which members a line opens.
#include "batch/program_scan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "batch/command_line.h"
#include "converter/driver/copybook_expansion.h"
#include "text/file_identity.h"
#include "text/text_files.h"

namespace batch {

namespace {

constexpr std::string_view kProgramExtension = ".zsc";

bool ends_with_program_extension(const std::string& name) {
  if (name.size() < kProgramExtension.size()) return false;
  std::size_t at = name.size() - kProgramExtension.size();
  for (std::size_t i = 0; i < kProgramExtension.size(); ++i) {
    char c = name[at + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kProgramExtension[i]) return false;
  }
  return true;
}

Program program_named(const std::string& folder, const std::string& file) {
  Program program;
  program.folder = folder;
  program.path = folder + "/" + file;
  program.name = file.substr(0, file.size() - kProgramExtension.size());
  program.extension = file.substr(file.size() - kProgramExtension.size() + 1);
  if (program.name.empty()) {
    program.refusal = "the program file has no name before .zsc";
  } else if (std::size_t period = program.name.find('.'); period != std::string::npos) {
    program.refusal = "the name holds a period, so QUILLOX would read " +
                      program.name.substr(0, period) + ".zsc instead";
  }
  return program;
}

struct DirectoryCloser {
  void operator()(DIR* directory) const { closedir(directory); }
};

// Adds the programs in `folder` and below to `programs`.
void walk(const std::string& folder, std::vector<Program>& programs,
          std::vector<std::string>& errors, const std::function<bool()>& stopped) {
  if (stopped && stopped()) return;
  std::unique_ptr<DIR, DirectoryCloser> directory(opendir(folder.c_str()));
  if (!directory) {
    errors.push_back("cannot read " + folder + ": " + std::strerror(errno));
    return;
  }
  std::vector<std::string> subfolders;
  errno = 0;
  while (dirent* entry = readdir(directory.get())) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string path = folder + "/" + name;
    if (ends_with_program_extension(name)) programs.push_back(program_named(folder, name));
    bool is_folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat status;
      is_folder = lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    }
    if (is_folder) subfolders.push_back(std::move(path));
  }
  if (errno != 0) errors.push_back("cannot read " + folder + ": " + std::strerror(errno));
  directory.reset();
  for (const std::string& subfolder : subfolders) walk(subfolder, programs, errors, stopped);
}

// The one spelling of the file `path` (absolute, or relative to the working folder): the file
// that writing it writes, so that a link and its target are one file.
std::string file_key(const std::string& path) {
  return text::written_path(path);
}

// Reads `path` once for the run: whether it opens, and the members its lines open, in order.
const SourceFile& read_source(ScanCache& cache, const std::string& key, const std::string& path) {
  auto [entry, added] = cache.sources.try_emplace(key);
  if (!added) return entry->second;
  SourceFile& source = entry->second;
  // Only regular files are read, as the converter reads them: opening a FIFO would wait.
  struct stat status;
  if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return source;
  std::unique_ptr<text::LineReader> reader = text::LineReader::open(path);
  if (!reader) return source;
  source.opened = true;
  // The converter examines each piece as read; so does the plan.
  std::string piece;
  std::size_t pieces = 0;
  while (reader->read_piece(piece)) {
    // A signal that ends the run is looked for now and then, also in a very large file.
    if (++pieces % 4096 == 0 && cache.stopped && cache.stopped()) break;
    if (std::optional<std::string> member = converter::member_opened_by(piece))
      source.members.push_back(std::move(*member));
  }
  return source;
}

// A path as the converter running in `folder` would open `name`.
std::string in_folder(const std::string& folder, const std::string& name) {
  return !name.empty() && name[0] == '/' ? name : folder + "/" + name;
}

}  // namespace

std::vector<Program> find_programs(const std::string& root, std::vector<std::string>& errors,
                                   const std::function<bool()>& stopped) {
  std::string folder = root;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  std::vector<Program> programs;
  walk(folder, programs, errors, stopped);
  std::sort(programs.begin(), programs.end(),
            [](const Program& a, const Program& b) { return a.path < b.path; });
  // QUILLOX NAME reads NAME.zsc, or NAME.ZSC when there is no NAME.zsc.
  for (std::size_t i = 0; i < programs.size(); ++i) {
    Program& program = programs[i];
    if (!program.refusal.empty() || program.extension == "zsc") continue;
    if (program.extension != "ZSC") {
      program.refusal = "QUILLOX reads " + program.name + ".zsc or " + program.name +
                        ".ZSC, not ." + program.extension;
      continue;
    }
    for (const Program& other : programs) {
      if (other.folder == program.folder && other.name == program.name && other.extension == "zsc")
        program.refusal = "QUILLOX reads " + program.name + ".zsc beside it instead";
    }
  }
  return programs;
}

std::string front_end_file(const Program& program) {
  return program.folder + "/" + program.name + "FE.cbl";
}

Conversion scan_program(ScanCache& cache, const ScanSettings& settings, const Program& program) {
  Conversion conversion;
  conversion.program = program.path;
  if (!program.refusal.empty()) return conversion;
  std::vector<Touch>& touches = conversion.touches;
  auto touch = [&](const std::string& path, Use use, std::string what, std::string source = "") {
    std::string key = file_key(path);
    touches.push_back({key, path, use, std::move(what), std::move(source)});
    return touches.back().file;
  };
  const std::string& folder = program.folder;
  touch(folder + "/" + program.name + ".new", Use::kOutput, "converted program");
  touch(folder + "/" + program.name + ".msg", Use::kOutput, "message file");
  if (settings.front_end) touch(front_end_file(program), Use::kOutput, "front end");

  // Members in the order met, each with the level it is opened at; a member met again at a
  // deeper level adds nothing, one met at a shallower level is followed again since its own
  // members may then reach further.
  std::unordered_map<std::string, int> level_of;
  struct Pending {
    std::string key;
    std::string path;
    int level;
  };
  std::vector<Pending> pending;
  std::string program_key = touch(program.path, Use::kRead, "program");
  pending.push_back({program_key, program.path, 0});
  while (!pending.empty()) {
    Pending file = std::move(pending.back());
    pending.pop_back();
    const SourceFile& source = read_source(cache, file.key, file.path);
    if (file.level >= converter::kMaxIncludeDepth) continue;
    std::size_t first_pushed = pending.size();
    for (const std::string& member : source.members) {
      for (const std::string& candidate :
           converter::member_candidates(member, "", settings.include_folders)) {
        std::string path = in_folder(folder, candidate);
        std::string key = touch(path, Use::kRead, "copybook member " + member);
        if (!read_source(cache, key, path).opened) continue;
        touch(in_folder(folder, converter::member_output_name(member)), Use::kMemberOutput,
              "converted copy of member " + member, key);
        auto [known, first] = level_of.try_emplace(key, file.level + 1);
        if (first || known->second > file.level + 1) {
          known->second = file.level + 1;
          pending.push_back({key, path, file.level + 1});
        }
        break;
      }
    }
    // The members of this file are followed in the order of their lines.
    std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(first_pushed), pending.end());
  }
  return conversion;
}

}  // namespace batch
