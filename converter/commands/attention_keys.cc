// Attention keys of HANDLE AID and the IF blocks that follow every later RECEIVE MAP.
#include "converter/commands/attention_keys.h"

#include <vector>

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_log.h"
#include "converter/driver/conversion_run.h"
#include "converter/driver/keyword_scanner.h"
#include "text/text_format.h"

namespace converter {

using message_format::Message;

using text::format;

namespace {

constexpr std::size_t kEnd = std::string_view::npos;

// Highest PF key number a HANDLE AID command may name.
constexpr int kHighestPfKey = 24;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

bool starts_with_at(std::string_view text, std::size_t at, std::string_view word) {
  return at <= text.size() && text.substr(at, word.size()) == word;
}

// The options whose whole name is one capture: name in the command and key recorded.
struct NamedKey {
  std::string_view option;
  std::string_view key;
};
constexpr NamedKey kNamedKeys[] = {
    {"CLEAR", "CLEAR"}, {"LIGHTPEN", "PEN"}, {"TRIGGER", "TRIG"},
    {"OPERID", "OPID"}, {"ENTER", "ENTER"},  {"ANYKEY", "ANYKEY"},
};

// The key that stands for every key without a handler of its own, ENTER excepted.
constexpr std::string_view kAnyKey = "ANYKEY";

// The key of an "&KEY=LABEL" entry, and its label.
std::string_view key_of(std::string_view entry) {
  return entry.substr(0, entry.find('='));
}
std::string_view label_of(std::string_view entry) {
  std::size_t equals = entry.find('=');
  return equals == kEnd ? std::string_view() : entry.substr(equals + 1);
}

}  // namespace

void capture_aid_keys(ConversionRun& run, std::string_view text, std::size_t aid_position,
                      int start_line) {
  // The options begin after the word AID and one separator; END-EXEC and whatever follows it
  // are scanned as well.
  if (aid_position == kEnd || aid_position + 4 >= text.size()) return;
  std::string_view scan = text.substr(aid_position + 4);

  // Every test looks at the characters where the previous one left off, in a fixed order; a
  // pass that captures nothing still moves on by one character, so text that is no option
  // (a label of a rejected key, ENTER(...), END-EXEC) is searched for key names as well.
  std::size_t at = 0;
  while (at < scan.size()) {
    at += skip_blanks(scan.substr(at));

    if (starts_with_at(scan, at, "PF")) {
      at += 2;
      if (at < scan.size() && is_digit(scan[at])) {
        int number = scan[at] - '0';
        ++at;
        if (at < scan.size() && is_digit(scan[at])) {
          number = number * 10 + (scan[at] - '0');
          ++at;
        }
        if (number >= 1 && number <= kHighestPfKey) {
          at = append_aid_entry(run.aid_handlers, scan, format("PF%.2d", {number}), at);
          if (at == kEnd) return;
        } else {
          log_message(run, start_line, Message::kInvalidPfKey);
        }
      }
    }

    if (starts_with_at(scan, at, "PA")) {
      at += 2;
      if (at < scan.size() && scan[at] >= '1' && scan[at] <= '3') {
        std::string key = "PA";
        key += scan[at];
        ++at;
        at = append_aid_entry(run.aid_handlers, scan, key, at);
        if (at == kEnd) return;
      } else {
        log_message(run, start_line, Message::kInvalidPaKey);
      }
    }

    for (const NamedKey& named : kNamedKeys) {
      if (starts_with_at(scan, at, named.option)) {
        at = append_aid_entry(run.aid_handlers, scan, named.key, at + named.option.size());
        if (at == kEnd) return;
      }
    }

    ++at;
  }
}

std::size_t append_aid_entry(std::string& aid_handlers, std::string_view text, std::string_view key,
                             std::size_t position) {
  if (position >= text.size()) return kEnd;
  position += skip_blanks(text.substr(position));
  if (position >= text.size()) return kEnd;
  if (text[position] != '(') return position + 1;

  std::size_t label_start = position + 1;
  std::size_t close = text.find(')', label_start);
  std::string_view label = text.substr(label_start, close == kEnd ? kEnd : close - label_start);
  if (label.size() > kAidLabelLength) label = label.substr(0, kAidLabelLength);
  aid_handlers.append("&").append(key).append("=").append(label);
  // Without a closing parenthesis the label took the rest of the text.
  return close == kEnd ? kEnd : close + 1;
}

std::string aid_constant_name(std::string_view entry) {
  if (starts_with_at(entry, 0, "PF") && entry.size() >= 4) {
    // PF05 gives KVZPF5, PF12 gives KVZPF12.
    std::string_view digits = entry.substr(2, 2);
    if (digits[0] == '0') digits.remove_prefix(1);
    return std::string("KVZPF").append(digits);
  }
  if (starts_with_at(entry, 0, "PA") && entry.size() >= 3)
    return std::string("KVZPA").append(entry.substr(2, 1));
  if (starts_with_at(entry, 0, "CLEAR")) return "KVZCLEAR";
  if (starts_with_at(entry, 0, "PEN")) return "KVZPEN";
  if (starts_with_at(entry, 0, "OPID")) return "KVZOPID";
  if (starts_with_at(entry, 0, "TRIG")) return "KVZTRIG";
  if (starts_with_at(entry, 0, "ENTER")) return "KVZENTER";
  return std::string();
}

void emit_aid_blocks(ConversionRun& run, std::string_view indent, std::string_view ending) {
  // The message names the first line of the first block.
  log_message(run, run.output_line_count, Message::kAidBlocksInserted);
  // The tests compare with the constants of the KVZAID copybook, which the program must copy.
  if (!run.aid_test_written && !run.kvzaid_copied)
    log_once(run, run.output_line_count, Message::kKvzaidNotCopied);
  run.aid_test_written = true;

  std::vector<std::string_view> entries;
  std::string_view handlers = run.aid_handlers;
  for (std::size_t at = handlers.find('&'); at != kEnd;) {
    std::size_t next = handlers.find('&', at + 1);
    entries.push_back(handlers.substr(at + 1, next == kEnd ? kEnd : next - at - 1));
    at = next;
  }
  // ANYKEY takes every key that has no block of its own, so its block comes last; of several,
  // the last one named counts.
  std::string_view any_key;
  std::size_t last_block = kEnd;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (key_of(entries[i]) == kAnyKey)
      any_key = entries[i];
    else
      last_block = i;
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (key_of(entries[i]) == kAnyKey) continue;
    write_block_line(
        run, format("%11sIF USRAID IS EQUAL TO %s", {indent, aid_constant_name(entries[i])}));
    write_block_line(run, format("%11s    GO TO %s", {indent, label_of(entries[i])}));
    write_block_line(
        run, format("%11sEND-IF%s", {indent, i == last_block && any_key.empty() ? ending : ""}));
  }
  if (!any_key.empty()) {
    write_block_line(run, format("%11sIF USRAID IS NOT EQUAL TO KVZENTER", {indent}));
    write_block_line(run, format("%11s    GO TO %s", {indent, label_of(any_key)}));
    write_block_line(run, format("%11sEND-IF%s", {indent, ending}));
  }
}

void emit_mapfail_block(ConversionRun& run, std::string_view indent, std::string_view ending) {
  log_message(run, run.output_line_count, Message::kMapfailBlockInserted);
  write_block_line(run, format("%11sIF USRMAPLN IS EQUAL TO 0", {indent}));
  write_block_line(run, format("%11s    GO TO %s", {indent, run.mapfail_label}));
  write_block_line(run, format("%11sEND-IF%s", {indent, ending}));
}

}  // namespace converter
