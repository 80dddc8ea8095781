// The files of an application folder as the report finds them: its programs with their message
// files, the files beside them that the page shows or links, and whether each may be read.
#include "report/application_scan.h"

#include <sys/stat.h>

#include <algorithm>
#include <system_error>

namespace report {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMessageExtension = ".msg";
constexpr std::string_view kProgramExtension = ".zsc";

// The extensions QUILLOX tries after a member's plain name.
constexpr std::string_view kMemberExtensions[] = {".cpy", ".CPY", ".cbl", ".CBL", ".cob", ".COB"};

bool ends_with(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool ends_with_any_case(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  std::string_view tail = text.substr(text.size() - end.size());
  for (std::size_t i = 0; i < end.size(); ++i) {
    char c = tail[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != end[i]) return false;
  }
  return true;
}

// How readily QUILLOX takes a program file of a name: NAME.zsc, then NAME.ZSC, then any other.
int program_preference(std::string_view source) {
  std::string_view extension = source.substr(source.size() - kProgramExtension.size());
  if (extension == ".zsc") return 0;
  if (extension == ".ZSC") return 1;
  return 2;
}

bool regular_file(const fs::path& path) {
  std::error_code ignored;
  return fs::is_regular_file(path, ignored);
}

}  // namespace

bool find_programs(const fs::path& folder, const fs::path& skip,
                   std::vector<ProgramFiles>& programs, std::string& error) {
  std::vector<std::string> sources;
  std::vector<std::string> messages;
  std::error_code failure;
  std::error_code ignored;
  fs::path skip_canonical = fs::weakly_canonical(fs::absolute(skip, ignored), ignored);
  fs::path last = folder;  // the entry before a failure, to name where reading stopped
  fs::recursive_directory_iterator entry(folder, failure);
  for (; !failure && entry != fs::recursive_directory_iterator(); entry.increment(failure)) {
    last = entry->path();
    bool folder_entry = entry->is_directory(ignored);
    if (folder_entry) {
      if (!entry->is_symlink(ignored) &&
          fs::weakly_canonical(fs::absolute(last, ignored), ignored) == skip_canonical)
        entry.disable_recursion_pending();
      continue;
    }
    std::string file = last.filename().string();
    bool program =
        ends_with_any_case(file, kProgramExtension) && file.size() > kProgramExtension.size();
    bool message = ends_with(file, kMessageExtension) && file.size() > kMessageExtension.size();
    if (!program && !message) continue;
    std::string relative = last.lexically_relative(folder).generic_string();
    (program ? sources : messages).push_back(std::move(relative));
  }
  if (failure) {
    error = last.string() + ": cannot read the folder: " + failure.message();
    return false;
  }
  // Each name once: the source QUILLOX would read keeps the plain name.
  std::sort(sources.begin(), sources.end(), [](const std::string& a, const std::string& b) {
    std::string_view a_stem(a.data(), a.size() - kProgramExtension.size());
    std::string_view b_stem(b.data(), b.size() - kProgramExtension.size());
    if (a_stem != b_stem) return a_stem < b_stem;
    return program_preference(a) < program_preference(b);
  });
  std::map<std::string, ProgramFiles> by_name;
  for (const std::string& source : sources) {
    std::string name = source.substr(0, source.size() - kProgramExtension.size());
    if (by_name.count(name) != 0) name = source;
    by_name[name] = {name, source, std::string()};
  }
  for (const std::string& message : messages) {
    std::string name = message.substr(0, message.size() - kMessageExtension.size());
    ProgramFiles& program = by_name[name];
    program.name = name;
    program.message_file = message;
  }
  programs.clear();
  for (auto& [name, program] : by_name) programs.push_back(std::move(program));
  return true;
}

FileAccess access_of(const fs::path& file, const std::string& canonical_folder) {
  struct stat status;
  if (::lstat(file.c_str(), &status) != 0) return FileAccess::kMissing;
  if (S_ISLNK(status.st_mode)) {
    std::error_code failure;
    fs::path target = fs::canonical(file, failure);
    if (failure) return FileAccess::kMissing;
    const std::string& path = target.native();
    bool inside = path.size() > canonical_folder.size() &&
                  path.compare(0, canonical_folder.size(), canonical_folder) == 0 &&
                  (path[canonical_folder.size()] == '/' || canonical_folder == "/");
    if (!inside) return FileAccess::kOutside;
    if (::stat(file.c_str(), &status) != 0) return FileAccess::kMissing;
  }
  return S_ISREG(status.st_mode) ? FileAccess::kReadable : FileAccess::kNotRegular;
}

std::string_view access_problem(FileAccess access) {
  switch (access) {
    case FileAccess::kReadable:
      return "";
    case FileAccess::kMissing:
      return "not found";
    case FileAccess::kNotRegular:
      return "not a regular file";
    case FileAccess::kOutside:
      return "lies outside the folder through a link";
  }
  return "";
}

std::string member_copy_name(std::string_view member) {
  std::size_t separator = member.find_last_of("/\\");
  std::string_view last =
      separator == std::string_view::npos ? member : member.substr(separator + 1);
  return std::string(last.substr(0, last.find('.'))) + ".new";
}

fs::path member_source(const fs::path& program_folder, std::string_view member,
                       const std::vector<fs::path>& include_folders) {
  std::string name(member);
  if (name.find_first_of("/\\") != std::string::npos) {
    fs::path path = fs::path(name).is_absolute() ? fs::path(name) : program_folder / name;
    return regular_file(path) ? path : fs::path();
  }
  std::vector<fs::path> folders = {program_folder};
  folders.insert(folders.end(), include_folders.begin(), include_folders.end());
  for (const fs::path& folder : folders) {
    if (regular_file(folder / name)) return folder / name;
    for (std::string_view extension : kMemberExtensions) {
      fs::path candidate = folder / (name + std::string(extension));
      if (regular_file(candidate)) return candidate;
    }
  }
  return fs::path();
}

std::string program_name_of(std::string_view file) {
  std::string name(file.substr(0, 29));
  name.erase(std::min(name.find('.'), name.size()));
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

const std::vector<std::string>& FolderFiles::named(const fs::path& folder,
                                                   const std::string& program) {
  static const std::vector<std::string> kNone;
  auto [at, added] = files_.try_emplace(folder);
  if (added) {
    std::error_code failure;
    for (fs::directory_iterator entry(folder, failure), end; !failure && entry != end;
         entry.increment(failure)) {
      std::error_code ignored;
      if (!entry->is_regular_file(ignored)) continue;
      std::string name = entry->path().filename().string();
      at->second[program_name_of(name)].push_back(std::move(name));
    }
    for (auto& [key, names] : at->second) std::sort(names.begin(), names.end());
  }
  auto found = at->second.find(program);
  return found == at->second.end() ? kNone : found->second;
}

fs::path front_end_file(const fs::path& message_file, const std::string& front_end,
                        FolderFiles& folders) {
  fs::path folder = message_file.parent_path();
  std::string stem = message_file.stem().string();
  for (const std::string& name : folders.named(folder, front_end)) {
    if (name == stem + ".zsc" || name == stem + ".ZSC" || name == stem + ".msg" ||
        name == stem + ".new")
      continue;
    return folder / name;
  }
  return fs::path();
}

}  // namespace report
