// Runs one golden case: copies its input folder to a fresh folder, runs the real executable
// there with the case's arguments, and compares every file, stdout, stderr and the exit code
// byte for byte with what the case expects.
//
// Usage: golden_runner EXECUTABLE CASE_FOLDER WORK_FOLDER
//
// A case folder holds about.txt, args (one argument per line, exactly as typed), input/,
// expected/ (every file the run creates or changes), expected.stdout and expected.exit
// (empty output and exit code 0 when absent) and expected.stderr (empty when absent).
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Longest a case may run before it counts as hanging.
constexpr unsigned kTimeLimitSeconds = 120;

bool read_file(const fs::path& path, std::string& contents) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  contents = all.str();
  return true;
}

std::string visible(const std::string& line) {
  std::string shown;
  for (char c : line) {
    if (c == ' ')
      shown += "\xC2\xB7";  // a middle dot for each blank
    else if (c == '\r')
      shown += "\\r";
    else if (c == '\t')
      shown += "\\t";
    else if (c == '\0')
      shown += "\\0";
    else
      shown += c;
  }
  return shown;
}

std::string line_at(const std::string& text, std::size_t start) {
  std::size_t end = text.find('\n', start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Reports the first difference between `expected` and `actual` with its line and column.
bool same_bytes(const std::string& what, const std::string& expected, const std::string& actual) {
  if (expected == actual) return true;
  std::size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  std::size_t line_start = expected.rfind('\n', at == 0 ? 0 : at - 1);
  line_start = (line_start == std::string::npos || at == 0) ? 0 : line_start + 1;
  if (at > 0 && expected[at - 1] == '\n') line_start = at;
  std::size_t line = 1;
  for (std::size_t i = 0; i < line_start; ++i)
    if (expected[i] == '\n') ++line;
  std::cerr << what << ": first difference at line " << line << ", column " << (at - line_start + 1)
            << " (expected " << expected.size() << " bytes, got " << actual.size() << ")\n"
            << "  expected: " << visible(line_at(expected, line_start)) << "\n"
            << "  actual:   " << visible(line_at(actual, line_start)) << "\n";
  return false;
}

std::map<std::string, std::string> files_below(const fs::path& root) {
  std::map<std::string, std::string> files;
  if (!fs::exists(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::string contents;
    read_file(entry.path(), contents);
    files[fs::relative(entry.path(), root).generic_string()] = contents;
  }
  return files;
}

std::vector<std::string> read_arguments(const fs::path& path) {
  std::vector<std::string> arguments;
  std::string text;
  if (!read_file(path, text)) return arguments;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    arguments.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return arguments;
}

int run_program(const std::string& executable, const std::vector<std::string>& arguments,
                const fs::path& folder, const fs::path& out_path, const fs::path& err_path) {
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    int in = open("/dev/null", O_RDONLY);
    int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || chdir(folder.c_str()) != 0) _exit(127);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> argv;
    std::string name = fs::path(executable).filename().string();
    argv.push_back(name.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    alarm(kTimeLimitSeconds);
    execv(executable.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  if (waitpid(child, &status, 0) < 0) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  std::cerr << "the program ended by signal " << WTERMSIG(status) << "\n";
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: golden_runner EXECUTABLE CASE_FOLDER WORK_FOLDER\n";
    return 2;
  }
  std::string executable = fs::absolute(argv[1]).string();
  fs::path case_folder = argv[2];
  fs::path work = fs::absolute(argv[3]);
  fs::path folder = work / "run";
  std::error_code ignored;
  fs::remove_all(work, ignored);
  fs::create_directories(folder);
  if (fs::exists(case_folder / "input"))
    fs::copy(case_folder / "input", folder, fs::copy_options::recursive);

  std::map<std::string, std::string> inputs = files_below(case_folder / "input");
  int code = run_program(executable, read_arguments(case_folder / "args"), folder, work / "stdout",
                         work / "stderr");

  bool ok = true;
  std::string expected_text;
  std::string actual_text;
  int expected_code = 0;
  if (read_file(case_folder / "expected.exit", expected_text))
    expected_code = std::stoi(expected_text);
  if (code != expected_code) {
    std::cerr << "exit code: expected " << expected_code << ", got " << code << "\n";
    ok = false;
  }
  for (const char* stream : {"stdout", "stderr"}) {
    expected_text.clear();
    read_file(case_folder / (std::string("expected.") + stream), expected_text);
    read_file(work / stream, actual_text);
    ok &= same_bytes(stream, expected_text, actual_text);
  }

  std::map<std::string, std::string> expected = files_below(case_folder / "expected");
  std::map<std::string, std::string> actual = files_below(folder);
  for (const auto& [name, contents] : expected) {
    auto found = actual.find(name);
    if (found == actual.end()) {
      std::cerr << name << ": expected but not created\n";
      ok = false;
    } else {
      ok &= same_bytes(name, contents, found->second);
    }
  }
  for (const auto& [name, contents] : actual) {
    if (expected.count(name) != 0) continue;
    auto input = inputs.find(name);
    if (input == inputs.end()) {
      std::cerr << name << ": created but not expected\n";
      ok = false;
    } else if (input->second != contents) {
      std::cerr << name << ": input changed but not listed in expected/\n";
      ok = false;
    }
  }
  for (const auto& [name, contents] : inputs) {
    if (actual.count(name) == 0) {
      std::cerr << name << ": input file removed\n";
      ok = false;
    }
  }
  if (!ok) std::cerr << "actual files left in " << folder << "\n";
  return ok ? 0 : 1;
}
