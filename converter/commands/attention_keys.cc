// Attention keys of HANDLE AID and the IF blocks that follow every later RECEIVE MAP.
#include "converter/commands/attention_keys.h"

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
    {"CLEAR", "CLEAR"},
    {"LIGHTPEN", "PEN"},
    {"TRIGGER", "TRIG"},
    {"OPERID", "OPID"},
};

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
  return std::string();
}

void emit_aid_blocks(ConversionRun& run, std::string_view indent) {
  // The message names the first line of the first block.
  log_message(run, run.output_line_count, Message::kAidBlocksInserted);
  // The tests compare with the constants of the KVZAID copybook, which the program must copy.
  if (!run.aid_test_written && !run.kvzaid_copied)
    log_once(run, run.output_line_count, Message::kKvzaidNotCopied);
  run.aid_test_written = true;
  std::string_view handlers = run.aid_handlers;
  std::size_t at = handlers.find('&');
  while (at != kEnd) {
    std::size_t next = handlers.find('&', at + 1);
    std::string_view entry = handlers.substr(at + 1, next == kEnd ? kEnd : next - at - 1);
    std::size_t equals = entry.find('=');
    std::string_view label = equals == kEnd ? std::string_view() : entry.substr(equals + 1);
    write_block_line(run,
                     format("%11sIF USRAID IS EQUAL TO %s", {indent, aid_constant_name(entry)}));
    write_block_line(run, format("%11s    GO TO %s", {indent, label}));
    write_block_line(run, format("%11sEND-IF", {indent}));
    at = next;
  }
}

void emit_mapfail_block(ConversionRun& run, std::string_view indent) {
  log_message(run, run.output_line_count, Message::kMapfailBlockInserted);
  write_block_line(run, format("%11sIF USRMAPLN IS EQUAL TO 0", {indent}));
  write_block_line(run, format("%11s    GO TO %s", {indent, run.mapfail_label}));
  write_block_line(run, format("%11sEND-IF", {indent}));
}

}  // namespace converter
