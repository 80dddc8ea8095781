// The monitor's commands that a converted file still holds active, found by reading the file
// itself: what is left to do before the application can leave the monitor.
#include "report/monitor_commands.h"

#include <algorithm>

namespace report {

namespace {

// Program text stands in columns 8 to 72; the sequence area before it and the identification
// area after it hold no code.
constexpr std::size_t kCodeStart = 7;
constexpr std::size_t kCodeEnd = 72;
constexpr std::size_t kIndicator = 6;

bool word_character(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

std::string capitals(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

bool same_word(std::string_view text, std::string_view word) {
  return capitals(text) == word;
}

}  // namespace

std::int64_t command_count(const MonitorCommands& commands) {
  std::int64_t total = 0;
  for (const VerbUse& use : commands) total += use.count;
  return total;
}

void add_counts(MonitorCommands& into, const MonitorCommands& more) {
  for (const VerbUse& use : more) {
    auto at = std::lower_bound(into.begin(), into.end(), use.verb,
                               [](const VerbUse& a, const std::string& b) { return a.verb < b; });
    if (at == into.end() || at->verb != use.verb) at = into.insert(at, VerbUse{use.verb, 0, {}});
    at->count += use.count;
  }
}

void CommandScanner::add(std::string_view verb, std::int64_t line) {
  std::string name(verb);
  auto at = std::lower_bound(commands_.begin(), commands_.end(), name,
                             [](const VerbUse& a, const std::string& b) { return a.verb < b; });
  if (at == commands_.end() || at->verb != name) at = commands_.insert(at, VerbUse{name, 0, {}});
  ++at->count;
  if (at->lines.size() < kLinesPerVerb) at->lines.push_back(line);
}

void CommandScanner::word(std::string_view text, std::int64_t number) {
  // EXEC always starts a command: one that lacks its END-EXEC does not swallow the next.
  if (same_word(text, "EXEC")) {
    expect_ = Expect::kZarn;
    start_line_ = number;
    return;
  }
  switch (expect_) {
    case Expect::kExec:
      return;
    case Expect::kZarn:
      expect_ = same_word(text, "ZARN") ? Expect::kVerb : Expect::kExec;
      return;
    case Expect::kVerb:
      if (same_word(text, "END-EXEC")) {
        add("(no verb)", start_line_);
        expect_ = Expect::kExec;
        return;
      }
      add(capitals(text), start_line_);
      expect_ = Expect::kEndExec;
      return;
    case Expect::kEndExec:
      if (same_word(text, "END-EXEC")) expect_ = Expect::kExec;
      return;
  }
}

void CommandScanner::feed(std::string_view line, std::int64_t number) {
  if (line.size() > kIndicator && (line[kIndicator] == '*' || line[kIndicator] == '/')) return;
  if (line.size() <= kCodeStart) return;
  std::string_view code = line.substr(kCodeStart, kCodeEnd - kCodeStart);
  std::size_t at = 0;
  while (at < code.size()) {
    char c = code[at];
    if (c == '\'' || c == '"') {
      // A literal: nothing in it is a word of a command. One left open ends with the line.
      std::size_t close = code.find(c, at + 1);
      at = close == std::string_view::npos ? code.size() : close + 1;
      continue;
    }
    if (!word_character(c)) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < code.size() && word_character(code[end])) ++end;
    word(code.substr(at, end - at), number);
    at = end;
  }
}

}  // namespace report
