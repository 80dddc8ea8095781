// One EXEC ZARN command: gathering its lines, recognising its options, and the writers and
// argument extraction that every command conversion shares.
#include "converter/commands/exec_statement.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "converter/commands/receive_conversion.h"
#include "converter/commands/return_and_transfer.h"
#include "converter/commands/send_conversion.h"
#include "converter/driver/column_margin.h"
#include "converter/driver/conversion_log.h"
#include "converter/driver/conversion_run.h"
#include "converter/driver/copybook_expansion.h"
#include "converter/driver/field_renames.h"
#include "converter/driver/keyword_scanner.h"
#include "converter/driver/word_starts.h"
#include "text/text_format.h"

namespace converter {

using message_format::Message;
using message_format::Row;

using text::format;

namespace {

// Most blanks of indentation that replacement statements take over from the command.
constexpr std::size_t kMaxIndent = 32;

bool is_comment(std::string_view line) {
  return line.size() >= 7 && line[6] == '*';
}

void write_source_lines(ConversionRun& run, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    run.output_file->write_line(line);
    ++run.output_line_count;
  }
}

// The lines of a command that stays active, each with its interface-block fields renamed like
// any procedure line, logged with the number of its own output line.
void write_active_lines(ConversionRun& run, std::vector<std::string>& lines, bool may_rename) {
  if (!may_rename) {
    write_source_lines(run, lines);
    return;
  }
  for (std::string& line : lines) {
    std::optional<std::size_t> identification_length;
    if (is_examined_line(line)) {
      int commarea_references = run.count(Row::kCommarea);
      identification_length = rename_source_line(run, line);
      // Without a LINKAGE SECTION the inserted area has no USRCOMM: the first line that names
      // it needs the user's declaration.
      if (run.count(Row::kCommarea) > commarea_references && !run.linkage_seen)
        log_once(run, run.output_line_count, Message::kUsrcommWithoutLayout);
    }
    if (identification_length) {
      write_renamed_line(run, line, *identification_length, LineForm::kAsItStands);
    } else {
      run.output_file->write_line(line);
      ++run.output_line_count;
    }
  }
  // The loop goes on with the first line as it now stands.
  run.line = lines.front();
}

// A command whose lines become comments: it is replaced by what its conversion writes.
bool is_replaced(const ExecStatement& statement) {
  return statement.has(Keyword::kReceive) || statement.has(Keyword::kSend) ||
         statement.has(Keyword::kConverse) || statement.has(Keyword::kReturn) ||
         (statement.has(Keyword::kHandle) && statement.has(Keyword::kAid));
}

// One more of each option parameter that the command names.
void count_options(ConversionRun& run, const ExecStatement& statement) {
  constexpr std::pair<Keyword, Row> kCountedOptions[] = {
      {Keyword::kErase, Row::kErase},       {Keyword::kAlarm, Row::kAlarm},
      {Keyword::kEraseaup, Row::kEraseaup}, {Keyword::kMaponly, Row::kMaponly},
      {Keyword::kDataonly, Row::kDataonly},
  };
  for (const auto& [keyword, row] : kCountedOptions)
    if (statement.has(keyword)) ++run.count(row);
}

}  // namespace

GatheredCommand gather_command(std::string first_line,
                               const std::function<bool(std::string&)>& read_next) {
  GatheredCommand command;
  command.lines.push_back(std::move(first_line));
  command.complete = find_keyword(command.lines.back(), "END-EXEC") != std::string::npos;
  while (!command.complete && static_cast<int>(command.lines.size()) < kMaxCommandLines) {
    std::string next;
    if (!read_next(next)) break;
    command.lines.push_back(std::move(next));
    command.complete = find_keyword(command.lines.back(), "END-EXEC") != std::string::npos;
  }
  return command;
}

std::string command_source_text(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (is_comment(line) || line.size() < 8) continue;
    text.append(line, 7, std::string::npos);
  }
  return text;
}

std::string upper_case_letters(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string ExecStatement::argument(Keyword keyword) const {
  return extract_argument(text, position(keyword));
}

std::string extract_argument(std::string_view text, std::size_t position) {
  if (position == std::string_view::npos || position >= text.size()) return std::string();
  std::string_view window = text.substr(position, kArgumentWindow);
  std::size_t open = window.find('(');
  if (open == std::string_view::npos) return std::string();
  // The argument ends at the parenthesis that closes this one, so that a subscript or a
  // reference modification (FROM(WS-LINE(WS-I)), FROM(WS-TEXT(1:20))) stays whole; parentheses
  // inside a literal do not count.
  int depth = 1;
  char quote = 0;
  for (std::size_t i = open + 1; i < window.size(); ++i) {
    char c = window[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      return std::string(window.substr(open + 1, i - open - 1));
    }
  }
  // None closes it within the window (a literal left open, say): the first ")" ends it.
  std::size_t close = window.find(')', open + 1);
  if (close == std::string_view::npos) return std::string();
  return std::string(window.substr(open + 1, close - open - 1));
}

void write_generated_line(ConversionRun& run, std::string_view line) {
  if (fits_margin(line)) {
    run.output_file->write_padded(line);
    ++run.output_line_count;
    return;
  }
  for (const std::string& piece : break_at_margin(line)) {
    run.output_file->write_padded(piece);
    ++run.output_line_count;
  }
}

void write_block_line(ConversionRun& run, std::string_view line) {
  if (fits_margin(line)) {
    run.output_file->write_line(line);
    ++run.output_line_count;
    return;
  }
  for (const std::string& piece : break_at_margin(line)) {
    run.output_file->write_line(piece);
    ++run.output_line_count;
  }
}

void write_renamed_line(ConversionRun& run, std::string_view line,
                        std::size_t identification_length, LineForm form) {
  text::OutputFile& out = *run.output_file;
  auto write = [&out, form](std::string_view piece) {
    if (form == LineForm::kPadded)
      out.write_padded(piece);
    else
      out.write_line(piece);
  };
  std::string_view text = line.substr(0, line.size() - identification_length);
  std::string_view identification = line.substr(text.size());
  std::size_t end = text.find_last_not_of(' ');
  text = end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
  if (fits_margin(text)) {
    // Most renamed lines still fit: written as they stand, the identification area kept in
    // columns 73 on.
    if (identification.empty()) {
      write(text);
    } else {
      static constexpr std::string_view kBlanks =
          "                                                                        ";  // 72
      out.write(text);
      out.write(kBlanks.substr(0, kTextMarginColumn - text.size()));
      if (form == LineForm::kPadded)
        out.write_padded(identification, 80 - kTextMarginColumn);
      else
        out.write_line(identification);
    }
    ++run.output_line_count;
    return;
  }
  std::vector<std::string> pieces = break_at_margin(text);
  // The identification area stays in columns 73 on of the first line.
  if (!identification.empty()) {
    if (pieces[0].size() < kTextMarginColumn) pieces[0].resize(kTextMarginColumn, ' ');
    pieces[0].append(identification);
  }
  for (const std::string& piece : pieces) {
    write(piece);
    ++run.output_line_count;
  }
}

void emit_resp_moves(ConversionRun& run, const ExecStatement& statement) {
  if (statement.has(Keyword::kResp))
    write_generated_line(
        run, format("%11sMOVE KVZRESP(NORMAL) TO %s%c",
                    {statement.indent, statement.argument(Keyword::kResp), statement.terminator}));
  if (statement.has(Keyword::kResp2))
    write_generated_line(
        run, format("%11sMOVE 0 TO %s%c",
                    {statement.indent, statement.argument(Keyword::kResp2), statement.terminator}));
}

ExecStatement parse_statement(std::string_view first_line, std::string text) {
  ExecStatement statement;
  std::size_t exec = find_keyword(first_line, "EXEC");
  statement.indent.assign(std::min(exec == std::string::npos ? 0 : exec, kMaxIndent), ' ');
  statement.text = std::move(text);
  // Most keywords are absent from a command: the text's word beginnings rule them out unsearched.
  WordStarts words(statement.text);
  for (const KeywordText& keyword : kKeywords)
    statement.options[static_cast<std::size_t>(keyword.id)] =
        words.may_hold(keyword.text) ? find_keyword(statement.text, keyword.text)
                                     : std::string::npos;

  std::size_t end_exec = find_keyword(statement.text, "END-EXEC");
  std::size_t period = statement.text.find('.', end_exec == std::string::npos ? 0 : end_exec);
  statement.terminator = period != std::string::npos ? '.' : ' ';

  // Checked in this order, so that ERASEAUP wins over ERASE and DATAONLY over MAPONLY.
  if (statement.has(Keyword::kErase)) statement.erase_code = 'E';
  if (statement.has(Keyword::kAlarm)) statement.alarm_code = 'A';
  if (statement.has(Keyword::kEraseaup)) statement.erase_code = 'U';
  if (statement.has(Keyword::kMaponly)) statement.send_type = 'M';
  if (statement.has(Keyword::kDataonly)) statement.send_type = 'D';
  return statement;
}

MapRequest map_request(const ExecStatement& statement, RequestKind kind) {
  MapRequest request;
  request.kind = kind;
  request.erase_code = statement.erase_code;
  request.alarm_code = statement.alarm_code;
  request.send_type = statement.send_type;
  request.freekb = statement.has(Keyword::kFreekb);
  request.frset = statement.has(Keyword::kFrset);
  request.cursor = statement.has(Keyword::kCursor);
  if (kind != RequestKind::kSendText) {
    request.map_name = statement.argument(Keyword::kMap);
    request.mapset_name = statement.argument(Keyword::kMapset);
  }
  request.data_arg =
      statement.argument(kind == RequestKind::kReceiveMap ? Keyword::kInto : Keyword::kFrom);
  request.length_arg = statement.argument(Keyword::kLength);
  return request;
}

void note_map_area(ConversionRun& run, const ExecStatement& statement, const MapRequest& request) {
  std::string area;
  if (!request.data_arg.empty()) {
    std::string_view data = request.data_arg;
    data.remove_prefix(std::min(data.find_first_not_of(' '), data.size()));
    area = data.substr(0, data.find_first_of(" ("));
  } else {
    area = std::string(unquoted(request.map_name))
               .append(request.kind == RequestKind::kReceiveMap ? "I" : "O");
  }
  if (run.working_storage_items.count(area) == 0 || !run.map_areas_named.insert(area).second)
    return;
  log_message(run, statement.start_line, Message::kMapAreaInWorkingStorage, {area});
}

void convert_exec_statement(ConversionRun& run) {
  ++run.count(Row::kExec);
  const int start_line = run.output_line_count;

  // The command's lines, the first being the loop's current line.
  GatheredCommand command = gather_command(run.line, [&run](std::string& next) {
    if (!run.input_file->read_piece(next)) return false;
    ++run.input_line_count;
    return true;
  });
  std::vector<std::string>& lines = command.lines;
  if (!command.complete) {
    // No END-EXEC within 20 lines, or the input ended first: the lines go out unchanged. Only
    // the first is a finding: the input that ends inside a command ends with it.
    if (static_cast<int>(lines.size()) == kMaxCommandLines)
      log_message(run, start_line, Message::kWithoutEndExec);
    write_source_lines(run, lines);
    return;
  }

  std::string text = upper_case_letters(command_source_text(lines));
  // The renames of the text are told only where the command is replaced: an active command has
  // its own lines renamed, and those renames are what the message file tells.
  const bool may_rename = may_name_a_field(text);
  std::string gathered = may_rename ? text : std::string();
  if (may_rename) rename_interface_fields(run, text, RenameSet::kAll, RenameNote::kSilent);
  ExecStatement statement = parse_statement(lines.front(), std::move(text));
  statement.start_line = start_line;

  if (is_replaced(statement)) {
    if (may_rename) rename_interface_fields(run, gathered);
    for (std::string& line : lines)
      if (line.size() >= 7) line[6] = '*';
    ++run.converted_command_count;
    // The loop goes on with the first line as it now stands.
    run.line = lines.front();
    write_source_lines(run, lines);
  } else {
    write_active_lines(run, lines, may_rename);
  }
  count_options(run, statement);

  if (statement.has(Keyword::kReceive)) convert_receive(run, statement);
  if (statement.has(Keyword::kSend)) convert_send(run, statement);
  if (statement.has(Keyword::kRoute)) convert_route(run, statement);
  if (statement.has(Keyword::kConverse)) convert_converse(run, statement);
  if (statement.has(Keyword::kAddress)) convert_address(run, statement);
  if (statement.has(Keyword::kHandle)) convert_handle(run, statement);
  if (statement.has(Keyword::kLink) || statement.has(Keyword::kXctl))
    convert_link_or_xctl(run, statement);
  if (statement.has(Keyword::kAssign) && statement.has(Keyword::kTermcode))
    convert_assign(run, statement);
  if (statement.has(Keyword::kReturn)) convert_return(run, statement);
}

}  // namespace converter
