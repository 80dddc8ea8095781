// The source line loop: reads the program (and its members) line by line, decides what each
// line needs and writes the converted program.
#include "converter/driver/line_loop.h"

#include "converter/commands/exec_statement.h"
#include "converter/driver/column_margin.h"
#include "converter/driver/conversion_log.h"
#include "converter/driver/conversion_run.h"
#include "converter/driver/copybook_expansion.h"
#include "converter/driver/field_renames.h"
#include "converter/driver/keyword_scanner.h"
#include "converter/driver/word_starts.h"
#include "converter/frontend/frontend_generator.h"

namespace converter {

using message_format::Message;
using message_format::Row;

using text::LineReader;
using text::OutputFile;

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

bool has_word(std::string_view line, std::string_view word) {
  return find_keyword(line, word) != kNotFound;
}

// A line starts an EXEC ZARN command when it holds the word EXEC, and the word ZARN in the text
// that begins 5 characters after EXEC.
bool starts_exec_command(std::string_view line) {
  std::size_t exec = find_keyword(line, "EXEC");
  if (exec == kNotFound || exec + 5 > line.size()) return false;
  return find_keyword(line.substr(exec + 5), "ZARN") != kNotFound;
}

// What the steps of one source line have done to it so far.
struct LineState {
  bool written = false;  // the line is in the output already (a command, an insertion)
  std::optional<std::size_t> identification_length;  // set when a rename changed the line
  bool copy_line = false;  // a COPY or -INC line whose member opens once the line is written
  int copy_line_number = 0;
};

// Writes the current source line: padded to 80 columns, or, when a rename lengthened it past
// column 72, as several lines, the first keeping the identification area.
void write_source_line(ConversionRun& run, const LineState& state) {
  if (!state.identification_length) {
    run.output_file->write_padded(run.line);
    ++run.output_line_count;
    return;
  }
  write_renamed_line(run, run.line, *state.identification_length, LineForm::kPadded);
}

// The program's own KVZCOMMAREA declaration gives way to the inserted one: from its "01"
// through the period after the name everything becomes blanks, and every other character
// keeps its column, so an identification area stays where it was.
//
// A declaration of one item (with PIC or PICTURE) that stands first under the inserted USRCOMM
// keeps its size instead: it becomes the user area's one item, "03  FILLER      PIC X(n).", every
// character keeping its place.
void blank_commarea_declaration(std::string& line, bool first_under_usrcomm) {
  if (line.size() <= 7) return;
  std::size_t level = line.find("01", 7);
  if (level == kNotFound) return;
  std::size_t name = find_keyword(line, "KVZCOMMAREA");
  if (name == kNotFound || level > name) return;
  std::size_t period = line.find('.', name + 11);
  if (period == kNotFound) return;
  std::string_view clauses = std::string_view(line).substr(name + 11, period - name - 11);
  if (first_under_usrcomm && (has_word(clauses, "PIC") || has_word(clauses, "PICTURE"))) {
    line[level + 1] = '3';
    line.replace(name, 11, "FILLER     ");
    return;
  }
  line.replace(level, period - level + 1, period - level + 1, ' ');
}

// Text in columns 8 to 72 of a line that is no comment or page eject.
bool holds_code(std::string_view line) {
  if (line.size() <= 7 || line[6] == '*' || line[6] == '/') return false;
  return line.substr(7, kTextMarginColumn - 7).find_first_not_of(' ') != kNotFound;
}

// A line that begins, from column 8, with a level number from 3 to 49 (one or two digits).
bool begins_with_item_level(std::string_view line) {
  std::size_t at = line.find_first_not_of(' ', 7);
  if (at == kNotFound) return false;
  std::size_t digits = 0;
  int level = 0;
  while (at + digits < line.size() && digits < 3 && line[at + digits] >= '0' &&
         line[at + digits] <= '9')
    level = level * 10 + (line[at + digits++] - '0');
  if (digits == 0 || digits > 2) return false;
  std::size_t after = at + digits;
  return level >= 3 && level <= 49 && (after == line.size() || line[after] == ' ');
}

// A COPY line is converted and written like any other line, at its own level; the member
// becomes current only after that, so the line's findings, and the lines a command on it
// reads, belong to the file that holds it.
void note_copy_line(ConversionRun& run, const WordStarts& words, LineState& state) {
  state.copy_line_number = run.input_line_count;
  state.copy_line =
      (words.may_hold("COPY") || words.may_hold("-INC")) && copy_member_name(run, run.line);
}

// The first PROGRAM-ID line of the run gets the new program name.
void change_program_id(ConversionRun& run, WordStarts& words) {
  if (!run.rename_pending || !words.may_hold("PROGRAM-ID")) return;
  std::size_t keyword = find_keyword(run.line, "PROGRAM-ID");
  if (keyword == kNotFound) return;
  run.line.erase(keyword + 10);
  run.line.append(". ").append(run.new_program_name).append(".");
  run.rename_pending = false;
  log_message(run, run.output_line_count, Message::kProgramIdChanged);
  words = WordStarts(run.line);
}

// A procedure-division line is either a command, converted and written with its further lines,
// or a line whose interface-block fields are renamed.
void convert_procedure_line(ConversionRun& run, WordStarts& words, LineState& state) {
  std::string& line = run.line;
  if (words.may_hold("EXEC") && starts_exec_command(line)) {
    convert_exec_statement(run);
    state.written = true;
    words = WordStarts(line);
    return;
  }
  int commarea_references = run.count(Row::kCommarea);
  state.identification_length = rename_source_line(run, run.line);
  if (!state.identification_length) return;
  words = WordStarts(line);
  // Without a LINKAGE SECTION the inserted area has no USRCOMM: the first line that names it
  // needs the user's declaration.
  if (run.count(Row::kCommarea) > commarea_references && !run.linkage_seen)
    log_once(run, run.output_line_count, Message::kUsrcommWithoutLayout);
}

// A LINKAGE SECTION line names the interface-block fields as the procedure does (a table that
// OCCURS DEPENDING ON EIBCALEN, say): they are renamed too, KVZCOMMAREA excepted, which the
// section declares. The PROCEDURE DIVISION header is not part of the section.
void convert_linkage_line(ConversionRun& run, WordStarts& words, LineState& state) {
  if (words.may_hold("PROCEDURE") && words.may_hold("DIVISION") &&
      has_word(run.line, "PROCEDURE") && has_word(run.line, "DIVISION"))
    return;
  state.identification_length = rename_source_line(run, run.line, RenameSet::kInterfaceBlock);
  if (state.identification_length) words = WordStarts(run.line);
}

// The word of `line` that starts at `at`: up to a blank or a period.
std::string_view word_at(std::string_view line, std::size_t at) {
  std::size_t end = line.find_first_of(" .", at);
  return line.substr(at, end == kNotFound ? kNotFound : end - at);
}

// The items of WORKING-STORAGE: a line whose first word from column 8 is a level number from 1
// to 49 or 77 declares the word after it (FILLER declares nothing). A map area among them
// cannot reach the front end.
void note_working_storage(ConversionRun& run, const WordStarts& words) {
  std::string_view line = run.line;
  if (words.may_hold("SECTION") && has_word(line, "SECTION")) {
    run.in_working_storage = has_word(line, "WORKING-STORAGE");
    return;
  }
  if (words.may_hold("DIVISION") && has_word(line, "DIVISION")) {
    run.in_working_storage = false;
    return;
  }
  if (!run.in_working_storage) return;
  std::size_t at = line.find_first_not_of(' ', 7);
  if (at == kNotFound) return;
  std::string_view level = word_at(line, at);
  if (level.empty() || level.size() > 2 || level.find_first_not_of("0123456789") != kNotFound)
    return;
  int number = level.size() == 1 ? level[0] - '0' : (level[0] - '0') * 10 + (level[1] - '0');
  if ((number < 1 || number > 49) && number != 77) return;
  at = line.find_first_not_of(' ', at + level.size());
  if (at == kNotFound) return;
  std::string name(word_at(line, at));
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (!name.empty() && name != "FILLER") run.working_storage_items.insert(std::move(name));
}

// The paragraph that converted RECEIVE MAP checks jump to stands before the END PROGRAM line.
void append_badmapname_before_end_program(ConversionRun& run, const WordStarts& words) {
  if (run.badmapname_pending && words.may_hold("END") && words.may_hold("PROGRAM") &&
      has_word(run.line, "END") && has_word(run.line, "PROGRAM")) {
    write_badmapname_paragraph(run);
    run.badmapname_pending = false;
  }
}

// The first line holding code after an inserted "02  USRCOMM." must declare the user area: an
// item of level 3 to 49, or a COPY of its layout. Otherwise the converted program does not
// compile until the user declares it, and the message file says so, once.
void check_usrcomm_layout(ConversionRun& run) {
  if (!run.awaiting_usrcomm_layout || !holds_code(run.line)) return;
  run.awaiting_usrcomm_layout = false;
  if (begins_with_item_level(run.line) || parse_copy_line(run.line).kind != CopyLine::kNone) return;
  log_once(run, run.output_line_count, Message::kUsrcommWithoutLayout);
}

// After a LINKAGE SECTION line: the communication area with the standard header.
void insert_after_linkage_section(ConversionRun& run, const WordStarts& words, LineState& state) {
  if (!words.may_hold("LINKAGE") || !words.may_hold("SECTION") || !has_word(run.line, "LINKAGE") ||
      !has_word(run.line, "SECTION"))
    return;
  run.linkage_seen = true;
  if (!state.written) {
    check_usrcomm_layout(run);
    write_source_line(run, state);
  }
  OutputFile& out = *run.output_file;
  out.write("       01  KVZCOMMAREA.\n");
  out.write("           COPY STDHEAD.\n");
  out.write("           02  USRCOMM.\n");
  out.write("      * Insert User COMMAREA, TCTUA, ZVL MAPS HERE\n");
  run.output_line_count += 4;
  state.written = true;
  // The message names the inserted "02  USRCOMM." line.
  log_message(run, run.output_line_count - 2, Message::kStdheadInserted);
  run.awaiting_usrcomm_layout = true;
}

// Before the procedure division's own line, the program's own KVZCOMMAREA declaration is
// blanked; the inserted one replaces it.
void blank_own_commarea(ConversionRun& run, WordStarts& words) {
  if (run.in_procedure_division || !words.may_hold("KVZCOMMAREA")) return;
  blank_commarea_declaration(run.line, run.awaiting_usrcomm_layout && holds_code(run.line));
  words = WordStarts(run.line);
}

// Before a PROCEDURE DIVISION line of a program that had no LINKAGE SECTION: one with the
// communication area.
void insert_before_procedure_division(ConversionRun& run, const WordStarts& words) {
  if (!words.may_hold("PROCEDURE") || !words.may_hold("DIVISION") ||
      !has_word(run.line, "PROCEDURE") || !has_word(run.line, "DIVISION"))
    return;
  run.in_procedure_division = true;
  if (run.linkage_seen) return;
  OutputFile& out = *run.output_file;
  out.write("       LINKAGE SECTION.\n");
  out.write("       01 KVZCOMMAREA.\n");
  out.write("           COPY STDHEAD.\n");
  // The message names the inserted "LINKAGE SECTION." line.
  log_message(run, run.output_line_count, Message::kLinkageInserted);
  run.output_line_count += 3;
}

}  // namespace

void write_badmapname_paragraph(ConversionRun& run) {
  OutputFile& out = *run.output_file;
  out.write("       BADMAPNAME.\n");
  out.write("           MOVE 'MAP NAME DOES NOT MATCH' TO TEXTAREA.\n");
  // The front end sends the text with the length it finds in USRMAPLN.
  out.write("           MOVE 23 TO USRMAPLN.\n");
  out.write("           MOVE 'SENDTEXT' TO USRMAPNAME.\n");
  out.write("           MOVE ZEROS TO USRCALEN.\n");
  out.write("           EXEC ZARN RETURN END-EXEC.\n");
  run.output_line_count += 6;
}

void convert_line(ConversionRun& run) {
  LineState state;
  if (is_examined_line(run.line)) {
    // Most lines hold none of the words looked for below: what the line's words begin with
    // tells which searches cannot succeed, so that they are skipped. Taken again whenever the
    // line changes.
    WordStarts words(run.line);
    note_copy_line(run, words, state);
    change_program_id(run, words);
    if (run.in_procedure_division) {
      convert_procedure_line(run, words, state);
      append_badmapname_before_end_program(run, words);
    } else if (run.linkage_seen) {
      convert_linkage_line(run, words, state);
    }
    note_working_storage(run, words);
    insert_after_linkage_section(run, words, state);
    blank_own_commarea(run, words);
    insert_before_procedure_division(run, words);
  }
  if (!state.written) {
    check_usrcomm_layout(run);
    write_source_line(run, state);
  }
  if (state.copy_line) push_include(run, run.copybook_name, state.copy_line_number);
}

void convert_program(ConversionRun& run) {
  for (;;) {
    if (!run.input_file->read_piece(run.line)) {
      if (reading_member(run)) {
        end_member(run);
        continue;
      }
      break;
    }
    ++run.input_line_count;
    convert_line(run);
  }
  if (run.badmapname_pending) {
    write_badmapname_paragraph(run);
    run.badmapname_pending = false;
  }
  write_summary(run);
  close_input(run, run.input_file);
  close_output(run, run.output_file);
  if (!run.front_end_file_name.empty() && run.converted_command_count > 0) build_front_end(run);
  close_output(run, run.message_file);
}

}  // namespace converter
