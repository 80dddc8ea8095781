// quillox-stub-exec: a copy of a converted program in which the monitor's commands are put
// aside, so that a COBOL compiler that does not know them can check the rest.
#include "stubexec/stub_exec.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace stubexec {

namespace {

#ifndef QUILLOX_VERSION
#define QUILLOX_VERSION "unknown"
#endif

constexpr char kUsage[] =
    "usage: quillox-stub-exec [--] SOURCE\n"
    "Writes SOURCE (\"-\": standard input), a converted COBOL program or member, to standard\n"
    "output with each EXEC ZARN command that is still active put aside for a compile check:\n"
    "EXEC ZARN becomes CONTINUE, the rest of the command up to END-EXEC blanks, and each\n"
    "KVZRESP(NAME) the monitor's number of that response; every other character keeps its column.\n"
    "  --help     print this text\n"
    "  --version  print the version\n";

// Program text stands in columns 8 to 72; the comment indicator in column 7.
constexpr std::size_t kCodeStart = 7;
constexpr std::size_t kCodeEnd = 72;
constexpr std::size_t kIndicator = 6;

// The monitor's numbers of the responses a program may test.
const struct {
  std::string_view name;
  int number;
} kResponses[] = {
    {"NORMAL", 0},  {"ERROR", 1},    {"NOTFND", 13},   {"DUPREC", 14},     {"DUPKEY", 15},
    {"INVREQ", 16}, {"IOERR", 17},   {"NOTOPEN", 19},  {"ENDFILE", 20},    {"LENGERR", 22},
    {"QZERO", 23},  {"ITEMERR", 26}, {"PGMIDERR", 27}, {"TRANSIDERR", 28}, {"MAPFAIL", 36},
    {"QIDERR", 44}, {"NOTAUTH", 70}, {"DISABLED", 84},
};

bool word_character(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

char capital(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool same_word(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (capital(text[i]) != word[i]) return false;
  return true;
}

// The end of the word that starts at `at` in `line`, within `end`.
std::size_t word_end(const std::string& line, std::size_t at, std::size_t end) {
  while (at < end && word_character(line[at])) ++at;
  return at;
}

std::size_t skip_blanks(const std::string& line, std::size_t at, std::size_t end) {
  while (at < end && (line[at] == ' ' || line[at] == '\t')) ++at;
  return at;
}

// The end of the literal that starts at `at`: after its closing quote, or the end of the text.
std::size_t literal_end(const std::string& line, std::size_t at, std::size_t end) {
  char quote = line[at];
  for (std::size_t close = at + 1; close < end; ++close)
    if (line[close] == quote) return close + 1;
  return end;
}

// Replaces line[from, to) by `text` filled with blanks to the same width.
void fill(std::string& line, std::size_t from, std::size_t to, std::string_view text) {
  for (std::size_t at = from; at < to; ++at) {
    std::size_t offset = at - from;
    line[at] = offset < text.size() ? text[offset] : ' ';
  }
}

// Inside a command from `at`: blanks it up to and including its END-EXEC; returns where the
// text goes on after the command, or `end` when the command goes on to the next line.
std::size_t blank_command(StubState& state, std::string& line, std::size_t at, std::size_t end) {
  while (at < end) {
    if (line[at] == '\'' || line[at] == '"') {
      std::size_t close = literal_end(line, at, end);
      fill(line, at, close, "");
      at = close;
      continue;
    }
    if (!word_character(line[at])) {
      if (line[at] != '\r') line[at] = ' ';
      ++at;
      continue;
    }
    std::size_t stop = word_end(line, at, end);
    bool last = same_word(std::string_view(line).substr(at, stop - at), "END-EXEC");
    fill(line, at, stop, "");
    at = stop;
    if (last) {
      state.in_command = false;
      return at;
    }
  }
  return end;
}

}  // namespace

int response_number(std::string_view name) {
  for (const auto& response : kResponses)
    if (same_word(name, response.name)) return response.number;
  return -1;
}

void stub_line(StubState& state, std::string& line, std::int64_t number) {
  if (line.size() > kIndicator && (line[kIndicator] == '*' || line[kIndicator] == '/')) return;
  std::size_t end = std::min(line.size(), kCodeEnd);
  std::size_t at = kCodeStart;
  if (state.in_command) at = blank_command(state, line, at, end);
  while (at < end) {
    char c = line[at];
    if (c == '\'' || c == '"') {
      at = literal_end(line, at, end);
      continue;
    }
    if (!word_character(c)) {
      ++at;
      continue;
    }
    std::size_t stop = word_end(line, at, end);
    std::string_view word = std::string_view(line).substr(at, stop - at);
    if (same_word(word, "EXEC")) {
      std::size_t next = skip_blanks(line, stop, end);
      std::size_t next_end = word_end(line, next, end);
      if (next < end && same_word(std::string_view(line).substr(next, next_end - next), "ZARN")) {
        fill(line, at, next_end, "CONTINUE");
        state.in_command = true;
        state.command_line = number;
        at = blank_command(state, line, next_end, end);
        continue;
      }
    } else if (same_word(word, "KVZRESP") && stop < end && line[stop] == '(') {
      std::size_t name = skip_blanks(line, stop + 1, end);
      std::size_t name_end = word_end(line, name, end);
      std::size_t close = skip_blanks(line, name_end, end);
      if (name_end > name && close < end && line[close] == ')') {
        std::string_view response = std::string_view(line).substr(name, name_end - name);
        int value = response_number(response);
        if (value >= 0) {
          fill(line, at, close + 1, std::to_string(value));
        } else {
          state.problems.push_back("line " + std::to_string(number) + ": KVZRESP(" +
                                   std::string(response) + ") names no response of the monitor");
        }
        at = close + 1;
        continue;
      }
    }
    at = stop;
  }
}

int run_stub_exec(const std::vector<std::string>& arguments, std::FILE* in, std::FILE* out,
                  std::ostream& err) {
  std::string source;
  bool options_end = false;
  for (const std::string& argument : arguments) {
    if (!options_end && argument == "--") {
      options_end = true;
    } else if (!options_end && argument == "--help") {
      std::fputs(kUsage, out);
      return std::fflush(out) == 0 && !std::ferror(out) ? 0 : 100;
    } else if (!options_end && argument == "--version") {
      std::fprintf(out, "quillox-stub-exec %s\n", QUILLOX_VERSION);
      return std::fflush(out) == 0 && !std::ferror(out) ? 0 : 100;
    } else if (!options_end && argument.size() > 1 && argument[0] == '-') {
      err << "quillox-stub-exec: unknown option " << argument << "\n" << kUsage;
      return 2;
    } else if (!source.empty()) {
      err << "quillox-stub-exec: more than one source given\n" << kUsage;
      return 2;
    } else {
      source = argument;
    }
  }
  if (source.empty()) {
    err << kUsage;
    return 2;
  }
  std::FILE* file = in;
  if (source != "-") {
    file = std::fopen(source.c_str(), "rb");
    if (file == nullptr) {
      err << "quillox-stub-exec: cannot open " << source << ": " << std::strerror(errno) << "\n";
      return 100;
    }
  }
  StubState state;
  std::string line;
  std::int64_t number = 0;
  char* buffer = nullptr;
  std::size_t capacity = 0;
  ssize_t length;
  while ((length = getline(&buffer, &capacity, file)) > 0) {
    line.assign(buffer, static_cast<std::size_t>(length));
    bool ended = line.back() == '\n';
    if (ended) line.pop_back();
    stub_line(state, line, ++number);
    if (ended) line += '\n';
    std::fwrite(line.data(), 1, line.size(), out);
  }
  std::free(buffer);
  bool read_failed = std::ferror(file) != 0;
  if (file != in) std::fclose(file);
  if (read_failed) {
    err << "quillox-stub-exec: cannot read " << source << "\n";
    return 100;
  }
  if (std::fflush(out) != 0 || std::ferror(out)) {
    err << "quillox-stub-exec: cannot write standard output\n";
    return 100;
  }
  int code = 0;
  for (const std::string& problem : state.problems) {
    err << "quillox-stub-exec: " << source << ": " << problem << "\n";
    code = 1;
  }
  if (state.in_command) {
    err << "quillox-stub-exec: " << source << ": the command of line " << state.command_line
        << " has no END-EXEC\n";
    code = 1;
  }
  return code;
}

int run_stub_exec(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return run_stub_exec(arguments, stdin, stdout, std::cerr);
}

}  // namespace stubexec
