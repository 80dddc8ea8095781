// A program's source as the compiler will see it: its lines with the members it copies in
// place, each line with the file and line it came from, and where each member is found.
#include "replay/program_source.h"

#include <sys/stat.h>

#include "converter/driver/copybook_expansion.h"
#include "converter/driver/keyword_scanner.h"

namespace replay {

namespace {

bool is_regular_file(const std::string& name) {
  struct stat status;
  return stat(name.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string in_folder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

bool is_code_line(std::string_view line) {
  if (line.size() <= 6) return false;
  char indicator = line[6];
  return indicator != '*' && indicator != '/' && indicator != '-';
}

std::string_view code_area(std::string_view line) {
  if (line.size() <= 7) return std::string_view();
  return line.substr(7, 65);
}

std::string find_member(const std::string& name, const MemberRule& rule) {
  auto in_working_folder = [&rule](const std::string& file) {
    return file.empty() || file[0] == '/' ? file : in_folder(rule.folder, file);
  };
  if (rule.converted) {
    std::string copy = in_working_folder(converter::member_output_name(name));
    if (is_regular_file(copy)) return copy;
  }
  for (const std::string& candidate :
       converter::member_candidates(name, std::string(), rule.folders))
    if (is_regular_file(in_working_folder(candidate))) return in_working_folder(candidate);
  bool header = converter::equal_ignoring_case(name, "STDHEAD") ||
                converter::equal_ignoring_case(name, "KVZAID");
  if (header && !rule.shared_folder.empty()) {
    std::string shared = in_folder(rule.shared_folder, name);
    if (is_regular_file(shared)) return shared;
  }
  if (converter::is_monitor_member(name) && !rule.monitor_folder.empty()) {
    std::string upper;
    for (char c : name) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    std::string supplied = in_folder(rule.monitor_folder, upper);
    if (is_regular_file(supplied)) return supplied;
  }
  return std::string();
}

bool SourceReader::open(const std::string& file, std::string& error) {
  std::string reason;
  std::unique_ptr<text::LineReader> reader = text::LineReader::open(file, &reason);
  if (!reader) {
    error = "cannot read " + file + ": " + reason;
    return false;
  }
  levels_.clear();
  levels_.push_back(Level{std::move(reader), file, 0});
  return true;
}

bool SourceReader::next(SourceLine& line) {
  while (!levels_.empty()) {
    Level& level = levels_.back();
    if (!level.reader->read_piece(line.text)) {
      if (level.reader->failed()) failed_ = true;
      levels_.pop_back();
      continue;
    }
    ++level.number;
    line.file = level.file;
    line.number = level.number;
    line.depth = static_cast<int>(levels_.size()) - 1;
    line.member.clear();
    line.member_file.clear();
    line.fault.clear();
    if (!is_code_line(line.text)) return true;
    converter::CopyLine copy = converter::parse_copy_line(line.text);
    if (copy.kind == converter::CopyLine::kNone || copy.member.empty()) return true;
    line.member = copy.member;
    std::string_view code = code_area(line.text);
    if (converter::find_keyword(code, "REPLACING") != std::string_view::npos) {
      line.fault = "COPY with REPLACING is not played";
      return true;
    }
    if (levels_.size() > static_cast<std::size_t>(converter::kMaxIncludeDepth)) {
      line.fault = "members nested more than 10 deep are not played";
      return true;
    }
    line.member_file = find_member(copy.member, rule_);
    if (line.member_file.empty()) return true;
    std::string reason;
    std::unique_ptr<text::LineReader> reader = text::LineReader::open(line.member_file, &reason);
    if (!reader) {
      line.fault = "cannot read " + line.member_file + ": " + reason;
      line.member_file.clear();
      return true;
    }
    levels_.push_back(Level{std::move(reader), line.member_file, 0});
    return true;
  }
  return false;
}

}  // namespace replay
