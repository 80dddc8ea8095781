// Replacement of the monitor's interface-block fields by the fields of the standard header.
#include "converter/driver/field_renames.h"

#include "converter/driver/column_margin.h"
#include "converter/driver/conversion_log.h"
#include "converter/driver/conversion_run.h"
#include "converter/driver/keyword_scanner.h"
#include "converter/driver/word_starts.h"

namespace converter {

using message_format::Row;

using message_format::Message;

namespace {

// One row of the rename table: the name found, its replacement, the summary row that counts
// it and the message that logs it.
struct FieldRename {
  std::string_view old_name;
  std::string_view new_name;
  Row counter;
  Message message;
};

// Applied in this order, each on the text the previous one left.
constexpr FieldRename kFieldRenames[] = {
    {"EIBTRMID", "USRTRMID", Row::kEibtrmid, Message::kEibtrmidChanged},
    {"EIBTRNID", "USRTRNID", Row::kEibtrnid, Message::kEibtrnidChanged},
    {"EIBAID", "USRAID", Row::kEibaid, Message::kEibaidChanged},
    {"EIBCPOSN", "USRCPOSN", Row::kEibcposn, Message::kEibcposnChanged},
    {"EIBCALEN", "USRCALEN", Row::kEibcalen, Message::kEibcalenChanged},
    {"KVZCOMMAREA", "USRCOMM OF KVZCOMMAREA", Row::kCommarea, Message::kCommareaChanged},
};

// Replaces the first whole-word occurrence of the row's name outside the text's first literal,
// logs and counts it. Returns whether anything was replaced.
bool rename_field(ConversionRun& run, std::string& text, const FieldRename& rename) {
  std::size_t at = find_keyword(text, rename.old_name);
  if (at == std::string::npos) return false;
  text.replace(at, rename.old_name.size(), rename.new_name);
  log_message(run, run.output_line_count, rename.message);
  ++run.count(rename.counter);
  return true;
}

}  // namespace

bool rename_interface_fields(ConversionRun& run, std::string& text) {
  // Every name replaced begins with "EIB" but KVZCOMMAREA: a text on which no word begins so
  // needs no search at all.
  WordStarts words(text);
  if (!words.may_hold("EIB") && !words.may_hold("KVZCOMMAREA")) return false;
  bool any = false;
  for (const FieldRename& rename : kFieldRenames) any |= rename_field(run, text, rename);
  return any;
}

std::optional<std::size_t> rename_source_line(ConversionRun& run) {
  std::string& line = run.line;
  if (line.size() <= kTextMarginColumn) {
    if (!rename_interface_fields(run, line)) return std::nullopt;
    return 0;
  }
  // Quick exit for the common line that names none of the fields.
  std::string_view program_text = std::string_view(line).substr(0, kTextMarginColumn);
  if (program_text.find("EIB") == std::string_view::npos &&
      program_text.find("KVZCOMMAREA") == std::string_view::npos)
    return std::nullopt;
  std::string text(program_text);
  if (!rename_interface_fields(run, text)) return std::nullopt;
  std::size_t identification_length = line.size() - kTextMarginColumn;
  line.replace(0, kTextMarginColumn, text);
  return identification_length;
}

}  // namespace converter
