// Replacement of the monitor's interface-block fields by the fields of the standard header.
#include "converter/driver/field_renames.h"

#include "converter/driver/column_margin.h"
#include "converter/driver/conversion_log.h"
#include "converter/driver/conversion_run.h"
#include "converter/driver/keyword_scanner.h"
#include "converter/driver/word_starts.h"
#include "text/text_format.h"

namespace converter {

using message_format::Row;

using text::format;

bool rename_field(ConversionRun& run, std::string& text, std::string_view old_name,
                  std::string_view new_name, int& counter) {
  std::size_t at = find_keyword(text, old_name);
  if (at == std::string::npos) return false;
  text.replace(at, old_name.size(), new_name);
  log_line(run, run.output_line_count, format("%s changed", {old_name}));
  ++counter;
  return true;
}

bool rename_interface_fields(ConversionRun& run, std::string& text) {
  // Every name replaced begins with "EIB" but KVZCOMMAREA: a text on which no word begins so
  // needs no search at all.
  WordStarts words(text);
  if (!words.may_hold("EIB") && !words.may_hold("KVZCOMMAREA")) return false;
  bool any = false;
  any |= rename_field(run, text, "EIBTRMID", "USRTRMID", run.count(Row::kEibtrmid));
  any |= rename_field(run, text, "EIBTRNID", "USRTRNID", run.count(Row::kEibtrnid));
  any |= rename_field(run, text, "EIBAID", "USRAID", run.count(Row::kEibaid));
  any |= rename_field(run, text, "EIBCPOSN", "USRCPOSN", run.count(Row::kEibcposn));
  any |= rename_field(run, text, "EIBCALEN", "USRCALEN", run.count(Row::kEibcalen));
  any |=
      rename_field(run, text, "KVZCOMMAREA", "USRCOMM OF KVZCOMMAREA", run.count(Row::kCommarea));
  return any;
}

bool rename_source_line(ConversionRun& run) {
  std::string& line = run.line;
  if (line.size() <= kTextMarginColumn) {
    run.identification_length = 0;
    return rename_interface_fields(run, line);
  }
  // Quick exit for the common line that names none of the fields.
  std::string_view program_text = std::string_view(line).substr(0, kTextMarginColumn);
  if (program_text.find("EIB") == std::string_view::npos &&
      program_text.find("KVZCOMMAREA") == std::string_view::npos)
    return false;
  std::string text(program_text);
  if (!rename_interface_fields(run, text)) return false;
  run.identification_length = line.size() - kTextMarginColumn;
  line.replace(0, kTextMarginColumn, text);
  return true;
}

}  // namespace converter
