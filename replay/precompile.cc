// The precompile step: a program whose EXEC ZARN commands become calls of the stand-in for
// the monitor, and the refusal of every command the stand-in does not play.
#include "replay/precompile.h"

#include <algorithm>
#include <functional>

#include "converter/commands/exec_statement.h"
#include "converter/driver/keyword_scanner.h"
#include "replay/data_items.h"

namespace replay {

namespace {

using converter::equal_ignoring_case;
using converter::find_keyword;

// A condition of the monitor and its KVZRESP number.
struct Condition {
  std::string_view name;
  int number;
};

constexpr Condition kConditions[] = {
    {"NORMAL", 0},  {"ERROR", 1},    {"NOTFND", 13},   {"DUPREC", 14},     {"DUPKEY", 15},
    {"INVREQ", 16}, {"IOERR", 17},   {"NOTOPEN", 19},  {"ENDFILE", 20},    {"LENGERR", 22},
    {"QZERO", 23},  {"ITEMERR", 26}, {"PGMIDERR", 27}, {"TRANSIDERR", 28}, {"MAPFAIL", 36},
    {"QIDERR", 44}, {"NOTAUTH", 70}, {"DISABLED", 84},
};

// The keys a HANDLE AID may name.
bool is_aid_option(std::string_view key) {
  if (key == "ENTER" || key == "CLEAR" || key == "ANYKEY" || key == "PA1" || key == "PA2" ||
      key == "PA3")
    return true;
  if (key.size() < 3 || key.size() > 4 || key.substr(0, 2) != "PF") return false;
  int number = 0;
  for (char c : key.substr(2)) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  return number >= 1 && number <= 24;
}

// One option of a command: its word and, when parentheses follow it, its argument in the
// case it was written.
struct Option {
  std::string word;
  bool has_argument = false;
  std::string argument;
};

// The options of a command from the word after ZARN up to END-EXEC.
std::vector<Option> command_options(const std::string& upper, const std::string& source) {
  std::vector<Option> options;
  std::size_t zarn = find_keyword(upper, "ZARN");
  std::size_t i = zarn == std::string::npos ? upper.size() : zarn + 4;
  while (i < upper.size()) {
    if (upper[i] == ' ') {
      ++i;
      continue;
    }
    std::size_t end = upper.find_first_of(" (", i);
    if (end == std::string::npos) end = upper.size();
    Option option;
    option.word = upper.substr(i, end - i);
    if (option.word == "END-EXEC" || option.word == "END-EXEC.") break;
    std::size_t next = end;
    while (next < upper.size() && upper[next] == ' ') ++next;
    if (next < upper.size() && upper[next] == '(') {
      option.has_argument = true;
      option.argument = converter::extract_argument(source, i);
      // The argument ends at its closing parenthesis, as extract_argument found it.
      end = next + option.argument.size() + 2;
    }
    options.push_back(std::move(option));
    i = end;
  }
  return options;
}

std::string trim(std::string_view text) {
  std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return std::string();
  std::size_t end = text.find_last_not_of(' ');
  return std::string(text.substr(begin, end - begin + 1));
}

std::string upper(std::string_view text) {
  return converter::upper_case_letters(std::string(text));
}

bool is_literal(std::string_view argument) {
  return !argument.empty() && (argument[0] == '\'' || argument[0] == '"');
}

// The characters a literal stands for: between its quotes, a doubled quote counted once.
std::string literal_value(std::string_view literal) {
  std::string value;
  if (literal.size() < 2) return value;
  char quote = literal[0];
  for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
    value += literal[i];
    if (literal[i] == quote && literal[i + 1] == quote) ++i;
  }
  return value;
}

// A COBOL literal of `value`, in apostrophes.
std::string as_literal(std::string_view value) {
  std::string literal = "'";
  for (char c : value) {
    literal += c;
    if (c == '\'') literal += '\'';
  }
  return literal + "'";
}

std::string base_name(const std::string& file) {
  std::size_t slash = file.find_last_of('/');
  return slash == std::string::npos ? file : file.substr(slash + 1);
}

// The forms of the commands and the options each plays; every other option refuses the
// command. "*" marks an option that takes an argument.
struct Form {
  std::string_view name;
  std::vector<std::string_view> options;
};

const std::vector<Form>& played_forms() {
  static const std::vector<Form> kForms = {
      {"SEND MAP",
       {"SEND", "MAP*", "MAPSET*", "FROM*", "LENGTH*", "DATAONLY", "MAPONLY", "ERASE", "ERASEAUP",
        "ALARM", "FREEKB", "FRSET", "CURSOR", "CURSOR*", "WAIT", "LAST", "TERMINAL"}},
      {"SEND TEXT",
       {"SEND", "TEXT", "FROM*", "LENGTH*", "ERASE", "ERASEAUP", "ALARM", "FREEKB", "CURSOR*",
        "WAIT", "LAST", "TERMINAL"}},
      {"SEND CONTROL",
       {"SEND", "CONTROL", "ERASE", "ERASEAUP", "ALARM", "FREEKB", "FRSET", "CURSOR", "CURSOR*",
        "WAIT", "LAST", "TERMINAL"}},
      {"SEND FROM", {"SEND", "FROM*", "LENGTH*", "ERASE", "WAIT", "LAST"}},
      {"RECEIVE MAP", {"RECEIVE", "MAP*", "MAPSET*", "INTO*", "TERMINAL", "ASIS"}},
      {"RETURN", {"RETURN", "TRANSID*", "COMMAREA*", "LENGTH*"}},
      {"XCTL", {"XCTL", "PROGRAM*", "COMMAREA*", "LENGTH*"}},
      {"LINK", {"LINK", "PROGRAM*", "COMMAREA*", "LENGTH*", "DATALENGTH*"}},
      {"ADDRESS", {"ADDRESS", "COMMAREA*", "TCTUA*", "EIB*"}},
      {"ASSIGN",
       {"ASSIGN", "TERMID*", "TRANSID*", "AID*", "CURSOR*", "APPLID*", "SYSID*", "USERID*", "OPID*",
        "TERMCODE*", "NETNAME*", "SCRNHT*", "SCRNWD*", "TCTUALENG*", "CWALENG*"}},
      {"SYNCPOINT", {"SYNCPOINT"}},
      {"ASKTIME", {"ASKTIME", "ABSTIME*"}},
      {"FORMATTIME",
       {"FORMATTIME",  "ABSTIME*",     "YYYYMMDD*", "YYMMDD*",  "DDMMYY*",  "MMDDYY*",
        "DDMMYYYY*",   "MMDDYYYY*",    "YYDDD*",    "YYYYDDD*", "DATE*",    "FULLDATE*",
        "TIME*",       "DATESEP",      "DATESEP*",  "TIMESEP",  "TIMESEP*", "DAYOFWEEK*",
        "DAYOFMONTH*", "MONTHOFYEAR*", "YEAR*",     "DAYCOUNT*"}},
      {"READ",
       {"READ", "FILE*", "DATASET*", "INTO*", "RIDFLD*", "KEYLENGTH*", "GENERIC", "GTEQ", "EQUAL",
        "UPDATE", "LENGTH*"}},
      {"WRITE", {"WRITE", "FILE*", "DATASET*", "FROM*", "RIDFLD*", "KEYLENGTH*", "LENGTH*"}},
      {"REWRITE", {"REWRITE", "FILE*", "DATASET*", "FROM*", "LENGTH*"}},
      {"DELETE", {"DELETE", "FILE*", "DATASET*", "RIDFLD*", "KEYLENGTH*"}},
      {"STARTBR",
       {"STARTBR", "FILE*", "DATASET*", "RIDFLD*", "KEYLENGTH*", "GENERIC", "GTEQ", "EQUAL",
        "REQID*"}},
      {"READNEXT",
       {"READNEXT", "FILE*", "DATASET*", "INTO*", "RIDFLD*", "KEYLENGTH*", "LENGTH*", "REQID*"}},
      {"READPREV",
       {"READPREV", "FILE*", "DATASET*", "INTO*", "RIDFLD*", "KEYLENGTH*", "LENGTH*", "REQID*"}},
      {"ENDBR", {"ENDBR", "FILE*", "DATASET*", "REQID*"}},
      {"WRITEQ TS",
       {"WRITEQ", "TS", "QUEUE*", "QNAME*", "FROM*", "LENGTH*", "ITEM*", "REWRITE", "MAIN",
        "AUXILIARY", "NUMITEMS*"}},
      {"READQ TS",
       {"READQ", "TS", "QUEUE*", "QNAME*", "INTO*", "LENGTH*", "ITEM*", "NEXT", "NUMITEMS*"}},
      {"DELETEQ TS", {"DELETEQ", "TS", "QUEUE*", "QNAME*"}},
      {"ABEND", {"ABEND", "ABCODE*", "NODUMP", "CANCEL"}},
      {"HANDLE CONDITION", {}},
      {"HANDLE AID", {}},
      {"IGNORE CONDITION", {}},
  };
  return kForms;
}

const Option* find_option(const std::vector<Option>& options, std::string_view word) {
  for (const Option& option : options)
    if (option.word == word) return &option;
  return nullptr;
}

// The form of a command from its options.
std::string form_of(const std::vector<Option>& options) {
  if (options.empty()) return "(no command)";
  const std::string& verb = options[0].word;
  auto has = [&](std::string_view word) { return find_option(options, word) != nullptr; };
  if (verb == "SEND") {
    if (has("PAGE")) return "SEND PAGE";
    if (has("MAP")) return "SEND MAP";
    if (has("TEXT")) return "SEND TEXT";
    if (has("CONTROL")) return "SEND CONTROL";
    if (has("CONVID") || has("SESSION")) return "SEND CONVID";
    if (has("CTLCHAR")) return "SEND CTLCHAR";
    if (has("FROM")) return "SEND FROM";
    return "SEND";
  }
  if (verb == "RECEIVE") {
    if (has("MAP")) return "RECEIVE MAP";
    if (has("BUFFER")) return "RECEIVE BUFFER";
    return "RECEIVE";
  }
  if ((verb == "HANDLE" || verb == "IGNORE" || verb == "WRITEQ" || verb == "READQ" ||
       verb == "DELETEQ" || verb == "PUSH" || verb == "POP" || verb == "PUT" || verb == "GET") &&
      options.size() > 1)
    return verb + " " + options[1].word;
  return verb;
}

// A RESP, RESP2 or NOHANDLE option, which every played command takes.
bool is_response_option(const Option& option) {
  return (option.word == "RESP" && option.has_argument) ||
         (option.word == "RESP2" && option.has_argument) ||
         (option.word == "NOHANDLE" && !option.has_argument);
}

// Why the stand-in does not play the command, or empty when it does.
std::string refusal_of(const std::string& form, const std::vector<Option>& options) {
  const Form* played = nullptr;
  for (const Form& candidate : played_forms())
    if (candidate.name == form) played = &candidate;
  if (!played) return "EXEC ZARN " + form + " is not played";
  bool handle = form == "HANDLE CONDITION" || form == "IGNORE CONDITION";
  for (std::size_t i = 0; i < options.size(); ++i) {
    const Option& option = options[i];
    if (is_response_option(option) && !handle && form != "HANDLE AID") continue;
    if (handle && i >= 2) {
      int number = condition_number(option.word);
      if (number <= 0) return form + " " + option.word + " is not a condition the stand-in raises";
      if (form == "IGNORE CONDITION" && option.has_argument)
        return "IGNORE CONDITION " + option.word + " takes no label";
      continue;
    }
    if (form == "HANDLE AID" && i >= 2) {
      if (!is_aid_option(option.word)) return "HANDLE AID " + option.word + " is not played";
      continue;
    }
    if (handle || form == "HANDLE AID") continue;  // the two words of the form
    std::string word = option.word + (option.has_argument ? "*" : "");
    if (std::find(played->options.begin(), played->options.end(), word) == played->options.end())
      return form + " option " + option.word + (option.has_argument ? "(...)" : "") +
             " is not played";
  }
  if (form == "SEND MAP" || form == "RECEIVE MAP") {
    const Option* map = find_option(options, "MAP");
    if (!map || trim(map->argument).empty()) return form + " without a map name is not played";
  }
  if ((form == "XCTL" || form == "LINK") && !find_option(options, "PROGRAM"))
    return form + " without PROGRAM is not played";
  if ((form == "READ" || form == "WRITE" || form == "REWRITE" || form == "DELETE" ||
       form == "STARTBR" || form == "READNEXT" || form == "READPREV" || form == "ENDBR") &&
      !find_option(options, "FILE") && !find_option(options, "DATASET"))
    return form + " without FILE is not played";
  if ((form == "READ" || form == "READNEXT" || form == "READPREV") && !find_option(options, "INTO"))
    return form + " without INTO is not played";
  if ((form == "READ" || form == "WRITE" || form == "STARTBR" || form == "READNEXT" ||
       form == "READPREV") &&
      !find_option(options, "RIDFLD"))
    return form + " without RIDFLD is not played";
  if ((form == "WRITE" || form == "REWRITE" || form == "WRITEQ TS") &&
      !find_option(options, "FROM"))
    return form + " without FROM is not played";
  if (form == "READQ TS" && !find_option(options, "INTO"))
    return form + " without INTO is not played";
  if (form.size() > 3 && form.compare(form.size() - 3, 3, " TS") == 0 &&
      !find_option(options, "QUEUE") && !find_option(options, "QNAME"))
    return form + " without QUEUE is not played";
  if (form == "FORMATTIME" && !find_option(options, "ABSTIME"))
    return "FORMATTIME without ABSTIME is not played";
  if (form == "SEND TEXT" && !find_option(options, "FROM"))
    return "SEND TEXT without FROM is not played";
  if (form == "SEND FROM" && !find_option(options, "FROM"))
    return "SEND without FROM is not played";
  return std::string();
}

// Generated statements, written from column 12 and broken at blanks outside literals so that
// no line goes past column 72.
class CodeWriter {
 public:
  explicit CodeWriter(std::FILE* output) : output_(output) {}

  void statement(const std::string& text) {
    std::string line = "           ";
    std::size_t i = 0;
    bool first = true;
    while (i < text.size()) {
      // The next word: a literal is one word.
      std::size_t end = i;
      char quote = 0;
      while (end < text.size() && (quote != 0 || text[end] != ' ')) {
        if (quote != 0 && text[end] == quote) {
          quote = 0;
        } else if (quote == 0 && (text[end] == '\'' || text[end] == '"')) {
          quote = text[end];
        }
        ++end;
      }
      std::string word = text.substr(i, end - i);
      std::size_t room = first ? 0 : 1;
      if (line.size() + room + word.size() > 72 && !first) {
        write(line);
        line = "               ";
        room = 0;
      }
      if (room) line += ' ';
      line += word;
      first = false;
      i = end;
      while (i < text.size() && text[i] == ' ') ++i;
    }
    write(line);
  }

  void comment(const std::string& text) { write("      *" + text); }
  void line(const std::string& text) { write(text); }

 private:
  void write(const std::string& line) {
    std::fputs(line.c_str(), output_);
    std::fputc('\n', output_);
  }
  std::FILE* output_;
};

// Where the program stands while it is read.
enum class Part { kIdentification, kEnvironment, kData, kProcedure };

// Reads a program twice: once to learn its data, labels and commands, once to write it.
class Precompiler {
 public:
  Precompiler(const std::string& source, const MemberRule& rule, Role role,
              const std::string& monitor_folder, Precompiled& result)
      : source_(source),
        rule_(rule),
        role_(role),
        monitor_folder_(monitor_folder),
        result_(result) {}

  bool run(std::FILE* output, std::string& error) {
    if (!read_copybook("KVZRPCTL", control_block_, error)) return false;
    if (!read_copybook("KVZEIBLK", interface_block_, error)) return false;
    if (!pass(nullptr, error)) return false;
    if (!pass(output, error)) return false;
    return true;
  }

 private:
  bool read_copybook(const std::string& name, std::vector<std::string>& lines, std::string& error) {
    std::string file = monitor_folder_ + "/" + name;
    std::string reason;
    std::unique_ptr<text::LineReader> reader = text::LineReader::open(file, &reason);
    if (!reader) {
      error = "cannot read the stand-in's member " + file + ": " + reason;
      return false;
    }
    std::string piece;
    while (reader->read_piece(piece)) lines.push_back(piece);
    return true;
  }

  // One pass over the program; the first (`output` null) learns, the second writes.
  bool pass(std::FILE* output, std::string& error) {
    SourceReader reader(rule_);
    if (!reader.open(source_, error)) return false;
    writing_ = output != nullptr;
    CodeWriter writer(output ? output : stdout);
    writer_ = &writer;
    part_ = Part::kIdentification;
    linkage_ = false;
    working_storage_seen_ = false;
    linkage_seen_ = false;
    data_seen_ = false;
    SourceLine line;
    while (reader.next(line)) {
      reader_ = &reader;
      handle_line(line);
    }
    if (reader.failed()) {
      error = "cannot read " + source_ + " or a member it copies to its end";
      return false;
    }
    if (!writing_) {
      if (part_ != Part::kProcedure) refuse(source_, 0, "no PROCEDURE DIVISION");
      items_.flush();
    }
    return true;
  }

  void refuse(const std::string& file, int line, const std::string& what) {
    if (writing_) return;
    result_.refusals.push_back(Refusal{base_name(file), line, what});
  }

  void emit(const std::string& text) {
    if (writing_) writer_->line(text);
  }

  void count_form(const std::string& form, bool played) {
    if (writing_) return;
    for (FormCount& count : result_.forms) {
      if (count.form == form && count.played == played) {
        ++count.count;
        return;
      }
    }
    result_.forms.push_back(FormCount{form, played, 1});
  }

  static bool has_words(std::string_view code, std::string_view first, std::string_view second) {
    std::size_t at = find_keyword(code, first);
    if (at == std::string_view::npos) return false;
    std::string_view rest = code.substr(at + first.size());
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(' ')));
    return rest.size() >= second.size() &&
           equal_ignoring_case(rest.substr(0, second.size()), second) &&
           (rest.size() == second.size() || rest[second.size()] == ' ' ||
            rest[second.size()] == '.');
  }

  void handle_line(SourceLine& line) {
    if (!line.member.empty()) {
      handle_copy(line);
      return;
    }
    if (!is_code_line(line.text)) {
      emit(line.text);
      return;
    }
    std::string_view code = code_area(line.text);
    if (has_words(code, "IDENTIFICATION", "DIVISION") || has_words(code, "ID", "DIVISION")) {
      if (++program_headers_ > 1)
        refuse(line.file, line.number, "a second program in the source is not played");
    }
    if (find_keyword(code, "PROGRAM-ID") != std::string_view::npos && result_.program_id.empty())
      result_.program_id = program_id_of(code);
    if (has_words(code, "END", "PROGRAM") && !writing_)
      refuse(line.file, line.number, "END PROGRAM is not played: one program to a source");
    if (has_words(code, "ENVIRONMENT", "DIVISION")) part_ = Part::kEnvironment;
    if (has_words(code, "DATA", "DIVISION")) {
      part_ = Part::kData;
      data_seen_ = true;
      emit(line.text);
      return;
    }
    if (part_ == Part::kData) {
      if (has_words(code, "WORKING-STORAGE", "SECTION")) {
        items_flush();
        emit(line.text);
        working_storage_seen_ = true;
        linkage_ = false;
        write_working_storage_insertions();
        return;
      }
      if (has_words(code, "LINKAGE", "SECTION")) {
        items_flush();
        if (!working_storage_seen_) {
          emit("       WORKING-STORAGE SECTION.");
          working_storage_seen_ = true;
          write_working_storage_insertions();
        }
        emit(line.text);
        linkage_ = true;
        linkage_seen_ = true;
        return;
      }
      if (has_words(code, "FILE", "SECTION") || has_words(code, "LOCAL-STORAGE", "SECTION")) {
        items_flush();
        linkage_ = false;
      }
    }
    if (has_words(code, "PROCEDURE", "DIVISION")) {
      items_flush();
      procedure_header(line);
      return;
    }
    if (find_keyword(code, "EXEC") != std::string_view::npos) {
      command(line);
      return;
    }
    if (part_ == Part::kData) {
      if (!writing_) items_.add_code(code, linkage_);
      emit(line.text);
      return;
    }
    if (part_ == Part::kProcedure) {
      emit(replace_responses(line));
      return;
    }
    emit(line.text);
  }

  void items_flush() {
    if (!writing_) items_.flush();
  }

  void handle_copy(SourceLine& line) {
    if (!line.fault.empty()) {
      refuse(line.file, line.number, line.fault);
    } else if (line.member_file.empty()) {
      refuse(line.file, line.number, "copy member " + line.member + " is nowhere");
    } else if (!writing_ && equal_ignoring_case(line.member, "KVZAID")) {
      result_.aid_member = line.member_file;
    }
    // The COPY statement gives way to the member's lines, which follow; anything after its
    // period on the line would come before them.
    std::string_view code = code_area(line.text);
    std::size_t copy = find_keyword(code, "COPY");
    if (copy == std::string_view::npos) copy = find_keyword(code, "-INC");
    std::size_t end = code.find('.', copy);
    if (end != std::string_view::npos &&
        code.substr(end + 1).find_first_not_of(' ') != std::string_view::npos)
      refuse(line.file, line.number, "code after COPY on its line is not played");
    if (copy > 0 && code.substr(0, copy).find_first_not_of(' ') != std::string_view::npos)
      refuse(line.file, line.number, "code before COPY on its line is not played");
    if (part_ == Part::kData && !writing_) items_.flush();
    if (writing_) {
      std::string commented = line.text;
      if (commented.size() < 7) commented.resize(7, ' ');
      commented[6] = '*';
      emit(commented);
    }
  }

  // The control block goes at the head of WORKING-STORAGE; a converted program that the client
  // calls with its area alone keeps its interface block there.
  void write_working_storage_insertions() {
    for (const std::string& text : control_block_) emit(text);
    if (role_ == Role::kConvertedForClient && !has_item("KVZEIBLK"))
      for (const std::string& text : interface_block_) emit(text);
  }

  bool has_item(std::string_view name) const {
    for (const DataItem& item : items_.items())
      if (item.level == 1 && item.name == name) return true;
    return false;
  }

  bool has_linkage_item(std::string_view name) const {
    for (const DataItem& item : items_.items())
      if (item.level == 1 && item.linkage && item.name == name) return true;
    return false;
  }

  void procedure_header(SourceLine& line) {
    std::string_view code = code_area(line.text);
    if (!writing_) {
      if (find_keyword(code, "USING") != std::string_view::npos)
        refuse(line.file, line.number, "PROCEDURE DIVISION USING is not played");
      if (code.find('.') == std::string_view::npos)
        refuse(line.file, line.number,
               "a PROCEDURE DIVISION header without its period on the line is not played");
      if (has_item("KVZEIBLK") && !has_linkage_item("KVZEIBLK"))
        refuse(line.file, line.number, "KVZEIBLK copied outside the LINKAGE SECTION is not played");
      part_ = Part::kProcedure;
      return;
    }
    if (!data_seen_) emit("       DATA DIVISION.");
    if (!working_storage_seen_) {
      emit("       WORKING-STORAGE SECTION.");
      write_working_storage_insertions();
    }
    if (!linkage_seen_) emit("       LINKAGE SECTION.");
    if (role_ != Role::kConvertedForClient && !has_linkage_item("KVZEIBLK"))
      for (const std::string& text : interface_block_) emit(text);
    std::string area = has_linkage_item("KVZCOMMAREA") ? "KVZCOMMAREA" : "KVZRP-COMMAREA";
    if (area == "KVZRP-COMMAREA") emit("       01  KVZRP-COMMAREA              PIC X.");
    emit("       01  KVZRP-CALLEE-EIB            PIC X(256).");
    emit("       01  KVZRP-CALLEE-AREA           PIC X(32767).");
    std::string using_list = role_ == Role::kConvertedForClient ? area : "KVZEIBLK " + area;
    // The header keeps its columns before PROCEDURE; what followed its period stays after it.
    std::size_t at = find_keyword(line.text, "PROCEDURE");
    std::size_t period = line.text.find('.', at);
    std::string rest =
        period == std::string::npos ? std::string() : trim(line.text.substr(period + 1));
    std::string head = line.text.substr(0, at);
    writer_->line(head + "PROCEDURE DIVISION USING " + using_list + ".");
    if (!rest.empty()) writer_->line("           " + rest);
    part_ = Part::kProcedure;
  }

  // KVZRESP(name) in a procedure line becomes the condition's number, blanks filling the rest
  // of its place, so that nothing after it moves.
  std::string replace_responses(const SourceLine& line) {
    std::string text = line.text;
    std::size_t from = 7;
    while (true) {
      std::size_t at = std::string::npos;
      for (std::size_t i = from; i + 7 <= text.size() && i < 72; ++i) {
        if (equal_ignoring_case(std::string_view(text).substr(i, 7), "KVZRESP") &&
            (i == 7 ||
             !(std::isalnum(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == '-'))) {
          at = i;
          break;
        }
      }
      if (at == std::string::npos) break;
      std::size_t open = text.find_first_not_of(' ', at + 7);
      std::size_t close = open == std::string::npos ? open : text.find(')', open);
      if (open == std::string::npos || text[open] != '(' || close == std::string::npos) {
        from = at + 7;
        continue;
      }
      std::string name = upper(trim(text.substr(open + 1, close - open - 1)));
      int number = condition_number(name);
      if (number < 0) {
        refuse(line.file, line.number,
               "KVZRESP(" + name + ") is not a condition the stand-in knows");
        from = close;
        continue;
      }
      std::string value = std::to_string(number);
      value.resize(close + 1 - at, ' ');
      text.replace(at, close + 1 - at, value);
      from = at + 1;
    }
    return text;
  }

  // One EXEC command: its lines gathered as the converter gathers them, then replaced.
  void command(SourceLine& first) {
    SourceReader& reader = *reader_;
    std::string file = first.file;
    int number = first.number;
    converter::GatheredCommand gathered =
        converter::gather_command(first.text, [&reader](std::string& next) {
          SourceLine more;
          if (!reader.next(more)) return false;
          next = more.text;
          return true;
        });
    std::string source = converter::command_source_text(gathered.lines);
    std::string text = converter::upper_case_letters(source);
    std::string_view code = code_area(gathered.lines.front());
    std::size_t exec = find_keyword(code, "EXEC");
    std::string_view after_exec = code.substr(exec + 4);
    after_exec.remove_prefix(std::min(after_exec.size(), after_exec.find_first_not_of(' ')));
    std::string language = upper(after_exec.substr(0, after_exec.find_first_of(" .")));
    if (!gathered.complete) {
      refuse(file, number, "EXEC without END-EXEC within 20 lines is not played");
      for (const std::string& line : gathered.lines) emit(line);
      return;
    }
    if (language != "ZARN") {
      refuse(file, number, "EXEC " + language + " is not played");
      count_form("EXEC " + language, false);
      for (const std::string& line : gathered.lines) emit(line);
      return;
    }
    for (std::size_t i = 1; i < gathered.lines.size(); ++i) {
      if (gathered.lines[i].size() > 6 && gathered.lines[i][6] == '-') {
        refuse(file, number, "a command continued with \"-\" in column 7 is not played");
        break;
      }
    }
    if (part_ != Part::kProcedure) {
      refuse(file, number, "EXEC ZARN outside the PROCEDURE DIVISION is not played");
      for (const std::string& line : gathered.lines) emit(line);
      return;
    }
    {
      // A second command after END-EXEC on its line would stay as it is.
      const std::string& last_line = gathered.lines.back();
      std::size_t end = find_keyword(last_line, "END-EXEC");
      if (end != std::string::npos &&
          find_keyword(last_line.substr(end + 8), "EXEC") != std::string::npos)
        refuse(file, number, "a second command after END-EXEC on its line is not played");
    }
    converter::ExecStatement statement = converter::parse_statement(gathered.lines.front(), text);
    std::vector<Option> options = command_options(text, source);
    std::string form = form_of(options);
    std::string refusal = refusal_of(form, options);
    count_form(form, refusal.empty());
    if (!refusal.empty()) {
      refuse(file, number, refusal);
      for (const std::string& line : gathered.lines) emit(line);
      return;
    }
    if (!writing_) {
      learn(form, options, file, number);
      return;
    }
    // The command's lines stay as comments; code before EXEC and after END-EXEC keeps its
    // place around the calls that replace it.
    const std::string& last = gathered.lines.back();
    std::size_t end_exec = find_keyword(last, "END-EXEC");
    std::string before = gathered.lines.front().substr(0, 7 + exec);
    for (std::string line : gathered.lines) {
      if (line.size() < 7) line.resize(7, ' ');
      line[6] = '*';
      emit(line);
    }
    if (before.size() > 7 && before.substr(7).find_first_not_of(' ') != std::string::npos)
      writer_->line(before.substr(0, before.find_last_not_of(' ') + 1));
    location_ = base_name(file) + ":" + std::to_string(number);
    generate(form, options);
    std::string after = end_exec == std::string::npos ? std::string() : last.substr(end_exec + 8);
    if (after.size() > 64) after.resize(64);
    if (after.find_first_not_of(' ') != std::string::npos)
      writer_->line("           " + trim(after));
    (void)statement;
  }

  // What the first pass keeps of a played command.
  void learn(const std::string& form, const std::vector<Option>& options, const std::string& file,
             int number) {
    if (form == "HANDLE CONDITION" || form == "HANDLE AID") {
      for (std::size_t i = 2; i < options.size(); ++i) {
        std::string label = upper(trim(options[i].argument));
        if (label.empty()) continue;
        if (std::find(result_.labels.begin(), result_.labels.end(), label) == result_.labels.end())
          result_.labels.push_back(label);
      }
    }
    if (form == "LINK" || form == "XCTL") {
      const Option* program = find_option(options, "PROGRAM");
      std::string name = trim(program->argument);
      if (is_literal(name)) {
        std::string target = trim(literal_value(name));
        if (std::find(result_.targets.begin(), result_.targets.end(), target) ==
            result_.targets.end())
          result_.targets.push_back(target);
      } else {
        result_.target_in_field = true;
      }
    }
    if (form == "SEND MAP" || form == "RECEIVE MAP") {
      bool receive = form == "RECEIVE MAP";
      const Option* area = find_option(options, receive ? "INTO" : "FROM");
      const Option* map = find_option(options, "MAP");
      bool needs_area = !(!receive && find_option(options, "MAPONLY"));
      if (!area && !is_literal(trim(map->argument)) && needs_area)
        refuse(file, number,
               form + " with its map name in a field needs " + (receive ? "INTO" : "FROM"));
      std::string name = area_name(options, receive);
      std::string literal = trim(map->argument);
      result_.maps.push_back(
          MapUse{is_literal(literal) ? upper(trim(literal_value(literal))) : std::string(), receive,
                 name});
      if (needs_area && !name.empty() && items_.find(name) < 0 && area && simple_reference(name))
        refuse(file, number, "the map area " + name + " is not declared");
      if (needs_area && !name.empty() && !area && items_.find(name) < 0)
        refuse(file, number, "the map area " + name + " is not declared");
      if (receive) {
        for (const FieldReference& field : area_fields(name)) {
          if (std::find(result_.input_fields.begin(), result_.input_fields.end(), field.name) ==
              result_.input_fields.end())
            result_.input_fields.push_back(field.name);
        }
      }
    }
  }

  static bool simple_reference(const std::string& name) {
    return name.find_first_of("()'\":") == std::string::npos;
  }

  // The map area of a SEND MAP (FROM, else the map's name and "O") or RECEIVE MAP (INTO, else
  // the map's name and "I").
  std::string area_name(const std::vector<Option>& options, bool receive) const {
    const Option* area = find_option(options, receive ? "INTO" : "FROM");
    if (area) return trim(area->argument);
    const Option* map = find_option(options, "MAP");
    std::string name = trim(map->argument);
    if (!is_literal(name)) return std::string();
    return upper(trim(literal_value(name))) + (receive ? "I" : "O");
  }

  // The fields of an area; an area that is not a plain name, or holds too many fields, is
  // one field under its own name.
  std::vector<FieldReference> area_fields(const std::string& name) const {
    std::vector<FieldReference> fields;
    if (name.empty()) return fields;
    int item = simple_reference(name) ? items_.find(name) : -1;
    if (item >= 0 && items_.items()[item].group) fields = items_.fields_of(item);
    if (fields.empty()) {
      FieldReference whole;
      whole.name = upper(name);
      whole.reference = name;
      fields.push_back(whole);
    }
    return fields;
  }

  // Code generation.
  void start_call(const std::string& function, const std::string& options_text,
                  const std::vector<Option>& options) {
    writer_->statement("MOVE " + as_literal(function) + " TO KVZRP-FUNCTION");
    writer_->statement("MOVE " + as_literal(location_) + " TO KVZRP-SOURCE");
    writer_->statement("MOVE " + as_literal(options_text) + " TO KVZRP-OPTIONS");
    if (role_ == Role::kClient && (function == "SENDMAP" || function == "SENDTEXT")) {
      // The client shows what the header asks for.
      writer_->statement("MOVE ERASESW TO KVZRP-OPTIONS(1:1)");
      writer_->statement("MOVE ALARMSW TO KVZRP-OPTIONS(2:1)");
      if (function == "SENDMAP") writer_->statement("MOVE SENDTYPE TO KVZRP-OPTIONS(3:1)");
    }
    bool responds = find_option(options, "RESP") || find_option(options, "NOHANDLE");
    writer_->statement(std::string("MOVE ") + (responds ? "'Y'" : "'N'") + " TO KVZRP-NOHANDLE");
  }

  void call(const std::string& arguments = std::string()) {
    writer_->statement("CALL 'KVZRP' USING KVZRP-CTL" + (arguments.empty() ? "" : " " + arguments));
  }

  // An argument passed to the stand-in: a literal is moved into the control block first.
  std::string pass(const std::string& argument) {
    if (!is_literal(argument)) return argument;
    std::string value = literal_value(argument);
    for (std::size_t at = 0; at < value.size(); at += 40) {
      std::string piece = value.substr(at, 40);
      writer_->statement("MOVE " + as_literal(piece) + " TO KVZRP-LITERAL(" +
                         std::to_string(at + 1) + ":" + std::to_string(piece.size()) + ")");
    }
    if (value.empty()) return "KVZRP-LITERAL";
    return "KVZRP-LITERAL(1:" + std::to_string(value.size()) + ")";
  }

  std::string length_of(const std::string& argument) {
    if (is_literal(argument)) return std::to_string(literal_value(argument).size());
    return "LENGTH OF " + argument;
  }

  void move_option(const std::vector<Option>& options, std::string_view word,
                   const std::string& target, const std::string& otherwise) {
    const Option* option = find_option(options, word);
    std::string value = option ? trim(option->argument) : otherwise;
    if (value.empty()) value = otherwise;
    writer_->statement("MOVE " + value + " TO " + target);
  }

  void finish(const std::vector<Option>& options, bool can_raise) {
    if (const Option* resp = find_option(options, "RESP"))
      writer_->statement("MOVE KVZRP-RESP TO " + trim(resp->argument));
    if (const Option* resp2 = find_option(options, "RESP2"))
      writer_->statement("MOVE KVZRP-RESP2 TO " + trim(resp2->argument));
    if (can_raise && !result_.labels.empty()) {
      std::string go_to = "GO TO";
      for (const std::string& label : result_.labels) go_to += " " + label;
      writer_->statement(go_to + " DEPENDING ON KVZRP-JUMP");
    }
  }

  static std::string screen_options(const std::vector<Option>& options) {
    std::string flags(12, ' ');
    if (find_option(options, "ERASE")) flags[0] = 'E';
    if (find_option(options, "ERASEAUP")) flags[0] = 'U';
    if (find_option(options, "ALARM")) flags[1] = 'A';
    if (find_option(options, "MAPONLY")) flags[2] = 'M';
    if (find_option(options, "DATAONLY")) flags[2] = 'D';
    if (find_option(options, "FREEKB")) flags[3] = 'F';
    if (find_option(options, "FRSET")) flags[4] = 'R';
    if (find_option(options, "CURSOR")) flags[5] = 'C';
    return flags;
  }

  void cursor_position(const std::vector<Option>& options) {
    const Option* cursor = find_option(options, "CURSOR");
    std::string value = cursor && cursor->has_argument ? trim(cursor->argument) : "-1";
    writer_->statement("MOVE " + value + " TO KVZRP-NUMBER2");
  }

  void generate(const std::string& form, const std::vector<Option>& options) {
    if (form == "SEND MAP") return send_map(options);
    if (form == "SEND TEXT" || form == "SEND FROM") return send_text(form, options);
    if (form == "SEND CONTROL") {
      start_call("SENDCONTROL", screen_options(options), options);
      cursor_position(options);
      call();
      return finish(options, false);
    }
    if (form == "RECEIVE MAP") return receive_map(options);
    if (form == "RETURN") return return_command(options);
    if (form == "XCTL") return xctl(options);
    if (form == "LINK") return link(options);
    if (form == "HANDLE CONDITION" || form == "HANDLE AID" || form == "IGNORE CONDITION")
      return handle(form, options);
    if (form == "ADDRESS") return address(options);
    if (form == "ASSIGN") return assign(options);
    if (form == "SYNCPOINT") {
      start_call("SYNCPOINT", std::string(12, ' '), options);
      call();
      return finish(options, false);
    }
    if (form == "ASKTIME") {
      start_call("ASKTIME", std::string(12, ' '), options);
      call();
      if (const Option* abstime = find_option(options, "ABSTIME"))
        writer_->statement("MOVE KVZRP-ABSTIME TO " + trim(abstime->argument));
      return finish(options, false);
    }
    if (form == "FORMATTIME") return formattime(options);
    if (form == "ABEND") {
      start_call("ABEND", std::string(12, ' '), options);
      move_option(options, "ABCODE", "KVZRP-NAME", "SPACES");
      call();
      return;
    }
    if (form.size() > 3 && form.compare(form.size() - 3, 3, " TS") == 0)
      return queue(form, options);
    return file_command(form, options);
  }

  void send_map(const std::vector<Option>& options) {
    start_call("SENDMAP", screen_options(options), options);
    move_option(options, "MAP", "KVZRP-NAME", "SPACES");
    move_option(options, "MAPSET", "KVZRP-NAME2", "SPACES");
    cursor_position(options);
    call();
    if (!find_option(options, "MAPONLY")) {
      for (const FieldReference& field : area_fields(area_name(options, false))) {
        writer_->statement("MOVE 'MAPFIELD' TO KVZRP-FUNCTION");
        writer_->statement("MOVE " + as_literal(field.name) + " TO KVZRP-NAME");
        writer_->statement("MOVE LENGTH OF " + field.reference + " TO KVZRP-LENGTH");
        call(field.reference);
      }
    }
    writer_->statement("MOVE 'SENDEND' TO KVZRP-FUNCTION");
    call();
    finish(options, false);
  }

  void send_text(const std::string& form, const std::vector<Option>& options) {
    start_call(form == "SEND TEXT" ? "SENDTEXT" : "SENDFROM", screen_options(options), options);
    cursor_position(options);
    const Option* from = find_option(options, "FROM");
    std::string argument = pass(trim(from->argument));
    const Option* length = find_option(options, "LENGTH");
    writer_->statement("MOVE " +
                       (length ? trim(length->argument) : length_of(trim(from->argument))) +
                       " TO KVZRP-LENGTH");
    call(argument);
    finish(options, false);
  }

  void receive_map(const std::vector<Option>& options) {
    start_call("RECEIVEMAP", std::string(12, ' '), options);
    move_option(options, "MAP", "KVZRP-NAME", "SPACES");
    move_option(options, "MAPSET", "KVZRP-NAME2", "SPACES");
    call();
    std::string area = area_name(options, true);
    std::vector<FieldReference> fields = area_fields(area);
    writer_->statement("IF KVZRP-DONE = 'Y'");
    writer_->statement("MOVE LOW-VALUES TO " + area);
    for (const FieldReference& field : fields) {
      // NAMEL beside NAMEI holds the length typed into NAMEI.
      bool length_field = false;
      if (!field.stem.empty() && field.name.size() > field.stem.size() &&
          field.name[field.stem.size()] == 'L') {
        std::string input = field.stem + "I" + field.name.substr(field.stem.size() + 1);
        for (const FieldReference& other : fields)
          if (other.name == input) length_field = true;
        if (length_field) {
          writer_->statement("MOVE 'MAPLENGTH' TO KVZRP-FUNCTION");
          writer_->statement("MOVE " + as_literal(input) + " TO KVZRP-NAME");
          call();
          writer_->statement("MOVE KVZRP-NUMBER TO " + field.reference);
        }
      }
      if (length_field) continue;
      writer_->statement("MOVE 'MAPINPUT' TO KVZRP-FUNCTION");
      writer_->statement("MOVE " + as_literal(field.name) + " TO KVZRP-NAME");
      writer_->statement("MOVE LENGTH OF " + field.reference + " TO KVZRP-LENGTH");
      call(field.reference);
    }
    writer_->statement("MOVE 'RECEIVEEND' TO KVZRP-FUNCTION");
    call();
    writer_->statement("END-IF");
    finish(options, true);
  }

  // COMMAREA and LENGTH of RETURN, XCTL and LINK: the area's length, or LENGTH's.
  std::string commarea_argument(const std::vector<Option>& options) {
    const Option* area = find_option(options, "COMMAREA");
    if (!area) {
      writer_->statement("MOVE 0 TO KVZRP-LENGTH");
      return std::string();
    }
    const Option* length = find_option(options, "LENGTH");
    writer_->statement("MOVE " +
                       (length ? trim(length->argument) : length_of(trim(area->argument))) +
                       " TO KVZRP-LENGTH");
    return trim(area->argument);
  }

  void return_command(const std::vector<Option>& options) {
    if (role_ == Role::kFrontEnd || role_ == Role::kClient) {
      // What the header tells the next turn: the program's area, as long as USRCALEN says.
      start_call("RETURNHEAD", std::string(12, ' '), options);
      writer_->statement("MOVE NXTRNID TO KVZRP-NAME");
      writer_->statement("MOVE USRCALEN TO KVZRP-NUMBER");
      writer_->statement("MOVE LENGTH OF USRCOMM OF KVZCOMMAREA TO KVZRP-LENGTH");
      call("USRCOMM OF KVZCOMMAREA");
    }
    start_call("RETURN", std::string(12, ' '), options);
    move_option(options, "TRANSID", "KVZRP-NAME", "SPACES");
    std::string area = commarea_argument(options);
    call(area);
    writer_->statement("GOBACK");
  }

  void xctl(const std::vector<Option>& options) {
    start_call("XCTL", std::string(12, ' '), options);
    move_option(options, "PROGRAM", "KVZRP-NAME", "SPACES");
    std::string area = commarea_argument(options);
    call(area);
    writer_->statement("IF KVZRP-DONE = 'Y'");
    writer_->statement("GOBACK");
    writer_->statement("END-IF");
    finish(options, true);
  }

  void link(const std::vector<Option>& options) {
    start_call("LINK", std::string(12, ' '), options);
    move_option(options, "PROGRAM", "KVZRP-NAME", "SPACES");
    std::string area = commarea_argument(options);
    if (area.empty()) {
      writer_->statement("SET KVZRP-POINTER TO NULL");
    } else {
      writer_->statement("SET KVZRP-POINTER TO ADDRESS OF " + area);
    }
    call(area);
    // The program linked to is called from here, not from the stand-in, which is never entered
    // twice; a program it transfers control to is called in its place.
    writer_->statement("PERFORM UNTIL KVZRP-DONE = 'Y'");
    writer_->statement("SET ADDRESS OF KVZRP-CALLEE-EIB TO KVZRP-EIB-POINTER");
    writer_->statement("SET ADDRESS OF KVZRP-CALLEE-AREA TO KVZRP-POINTER");
    writer_->statement("CALL KVZRP-CALLEE USING KVZRP-CALLEE-EIB KVZRP-CALLEE-AREA");
    writer_->statement("CANCEL KVZRP-CALLEE");
    writer_->statement("MOVE 'LINKEND' TO KVZRP-FUNCTION");
    call();
    writer_->statement("END-PERFORM");
    finish(options, true);
  }

  void handle(const std::string& form, const std::vector<Option>& options) {
    std::string function = form == "HANDLE AID"         ? "HANDLEAID"
                           : form == "HANDLE CONDITION" ? "HANDLECOND"
                                                        : "IGNORE";
    for (std::size_t i = 2; i < options.size(); ++i) {
      if (is_response_option(options[i])) continue;
      start_call(function, std::string(12, ' '), options);
      writer_->statement("MOVE " + as_literal(options[i].word) + " TO KVZRP-NAME");
      std::string label = upper(trim(options[i].argument));
      std::size_t number = 0;
      for (std::size_t n = 0; n < result_.labels.size(); ++n)
        if (result_.labels[n] == label) number = n + 1;
      writer_->statement("MOVE " + std::to_string(number) + " TO KVZRP-NUMBER");
      call();
    }
  }

  void address(const std::vector<Option>& options) {
    start_call("ADDRESS", std::string(12, ' '), options);
    call();
    if (const Option* commarea = find_option(options, "COMMAREA"))
      writer_->statement("SET " + trim(commarea->argument) + " TO KVZRP-POINTER");
    if (const Option* tctua = find_option(options, "TCTUA"))
      writer_->statement("SET " + trim(tctua->argument) + " TO KVZRP-POINTER2");
    if (const Option* eib = find_option(options, "EIB"))
      writer_->statement("SET " + trim(eib->argument) + " TO KVZRP-EIB-POINTER");
    finish(options, false);
  }

  void assign(const std::vector<Option>& options) {
    for (std::size_t i = 1; i < options.size(); ++i) {
      if (is_response_option(options[i])) continue;
      start_call("ASSIGN", std::string(12, ' '), options);
      writer_->statement("MOVE " + as_literal(options[i].word) + " TO KVZRP-NAME");
      call();
      const std::string& word = options[i].word;
      bool numeric = word == "CURSOR" || word == "SCRNHT" || word == "SCRNWD" ||
                     word == "TCTUALENG" || word == "CWALENG";
      if (numeric) {
        writer_->statement("MOVE KVZRP-NUMBER TO " + trim(options[i].argument));
      } else {
        writer_->statement("MOVE KVZRP-VALUE(1:KVZRP-LENGTH) TO " + trim(options[i].argument));
      }
    }
    finish(options, false);
  }

  void formattime(const std::vector<Option>& options) {
    start_call("FORMATTIME", std::string(12, ' '), options);
    move_option(options, "ABSTIME", "KVZRP-ABSTIME", "0");
    // A separator named without its character is "/" for dates and ":" for times.
    const Option* datesep = find_option(options, "DATESEP");
    const Option* timesep = find_option(options, "TIMESEP");
    std::string date_separator = !datesep                ? "SPACE"
                                 : datesep->has_argument ? trim(datesep->argument)
                                                         : "'/'";
    std::string time_separator = !timesep                ? "SPACE"
                                 : timesep->has_argument ? trim(timesep->argument)
                                                         : "':'";
    writer_->statement("MOVE " + date_separator + " TO KVZRP-NAME");
    writer_->statement("MOVE " + time_separator + " TO KVZRP-NAME2");
    call();
    // Where the stand-in leaves each form in KVZRP-VALUE, and its length with and without
    // separators.
    struct Place {
      std::string_view word;
      int at;
      int separated;
      int plain;
      bool time;
    };
    static const Place kPlaces[] = {
        {"YYYYMMDD", 1, 10, 8, false},  {"FULLDATE", 1, 10, 8, false},  {"YYMMDD", 11, 8, 6, false},
        {"DATE", 11, 8, 6, false},      {"DDMMYY", 19, 8, 6, false},    {"MMDDYY", 27, 8, 6, false},
        {"DDMMYYYY", 35, 10, 8, false}, {"MMDDYYYY", 45, 10, 8, false}, {"YYDDD", 55, 6, 5, false},
        {"YYYYDDD", 61, 8, 7, false},   {"TIME", 69, 8, 6, true},
    };
    static const std::pair<std::string_view, std::string_view> kNumbers[] = {
        {"DAYOFWEEK", "KVZRP-DAYOFWEEK"},     {"DAYOFMONTH", "KVZRP-DAYOFMONTH"},
        {"MONTHOFYEAR", "KVZRP-MONTHOFYEAR"}, {"YEAR", "KVZRP-YEAR"},
        {"DAYCOUNT", "KVZRP-DAYCOUNT"},
    };
    for (const Option& option : options) {
      if (!option.has_argument) continue;
      std::string target = trim(option.argument);
      for (const Place& place : kPlaces) {
        if (option.word != place.word) continue;
        bool separated = place.time ? timesep != nullptr : datesep != nullptr;
        writer_->statement("MOVE KVZRP-VALUE(" + std::to_string(place.at) + ":" +
                           std::to_string(separated ? place.separated : place.plain) + ") TO " +
                           target);
      }
      for (const auto& [word, field] : kNumbers)
        if (option.word == word) writer_->statement("MOVE " + std::string(field) + " TO " + target);
    }
    finish(options, false);
  }

  void queue(const std::string& form, const std::vector<Option>& options) {
    std::string flags(12, ' ');
    if (find_option(options, "REWRITE")) flags[9] = 'R';
    if (find_option(options, "NEXT")) flags[10] = 'N';
    const Option* item = find_option(options, "ITEM");
    if (item) flags[11] = 'I';
    std::string function = form == "WRITEQ TS"  ? "WRITEQ"
                           : form == "READQ TS" ? "READQ"
                                                : "DELETEQ";
    start_call(function, flags, options);
    const Option* name = find_option(options, "QUEUE");
    if (!name) name = find_option(options, "QNAME");
    writer_->statement("MOVE " + trim(name->argument) + " TO KVZRP-NAME");
    writer_->statement(std::string("MOVE ") + (item ? trim(item->argument) : "0") +
                       " TO KVZRP-NUMBER");
    std::string area;
    const Option* length = find_option(options, "LENGTH");
    if (const Option* from = find_option(options, "FROM")) {
      area = pass(trim(from->argument));
      writer_->statement("MOVE " +
                         (length ? trim(length->argument) : length_of(trim(from->argument))) +
                         " TO KVZRP-LENGTH");
    }
    if (const Option* into = find_option(options, "INTO")) {
      area = trim(into->argument);
      writer_->statement("MOVE " + (length ? trim(length->argument) : length_of(area)) +
                         " TO KVZRP-LENGTH");
    }
    call(area);
    if (find_option(options, "INTO") && length && !is_literal(trim(length->argument)) &&
        !std::isdigit(static_cast<unsigned char>(trim(length->argument)[0])))
      writer_->statement("MOVE KVZRP-LENGTH TO " + trim(length->argument));
    if (item && form == "WRITEQ TS")
      writer_->statement("MOVE KVZRP-NUMBER TO " + trim(item->argument));
    if (const Option* numitems = find_option(options, "NUMITEMS"))
      writer_->statement("MOVE KVZRP-NUMBER2 TO " + trim(numitems->argument));
    finish(options, true);
  }

  void file_command(const std::string& form, const std::vector<Option>& options) {
    std::string flags(12, ' ');
    if (find_option(options, "GTEQ")) flags[6] = 'G';
    if (find_option(options, "GENERIC")) flags[7] = 'N';
    if (find_option(options, "UPDATE")) flags[8] = 'U';
    start_call(form, flags, options);
    const Option* file = find_option(options, "FILE");
    if (!file) file = find_option(options, "DATASET");
    writer_->statement("MOVE " + trim(file->argument) + " TO KVZRP-NAME");
    const Option* key = find_option(options, "RIDFLD");
    const Option* key_length = find_option(options, "KEYLENGTH");
    std::string key_area = key ? pass_key(trim(key->argument)) : std::string();
    writer_->statement("MOVE " +
                       (key_length ? trim(key_length->argument)
                        : key      ? length_of(trim(key->argument))
                                   : "0") +
                       " TO KVZRP-NUMBER");
    const Option* length = find_option(options, "LENGTH");
    std::string area;
    if (const Option* into = find_option(options, "INTO")) {
      area = trim(into->argument);
      writer_->statement("MOVE " + (length ? trim(length->argument) : length_of(area)) +
                         " TO KVZRP-LENGTH");
    } else if (const Option* from = find_option(options, "FROM")) {
      area = trim(from->argument);
      writer_->statement("MOVE " + (length ? trim(length->argument) : length_of(area)) +
                         " TO KVZRP-LENGTH");
    } else {
      writer_->statement("MOVE 0 TO KVZRP-LENGTH");
    }
    std::string arguments = area.empty() ? "OMITTED" : area;
    if (!key_area.empty()) arguments += " " + key_area;
    call(arguments);
    if (find_option(options, "INTO") && length &&
        !std::isdigit(static_cast<unsigned char>(trim(length->argument)[0])))
      writer_->statement("MOVE KVZRP-LENGTH TO " + trim(length->argument));
    finish(options, true);
  }

  // A key given as a literal travels in the control block; a key field is passed itself, so
  // that a browse can set it to the key of the record it read.
  std::string pass_key(const std::string& key) {
    if (is_literal(key)) return pass(key);
    return key;
  }

  const std::string& source_;
  const MemberRule& rule_;
  Role role_;
  const std::string& monitor_folder_;
  Precompiled& result_;
  std::vector<std::string> control_block_;
  std::vector<std::string> interface_block_;
  DataItems items_;
  SourceReader* reader_ = nullptr;
  CodeWriter* writer_ = nullptr;
  bool writing_ = false;
  Part part_ = Part::kIdentification;
  bool linkage_ = false;
  bool working_storage_seen_ = false;
  bool linkage_seen_ = false;
  bool data_seen_ = false;
  int program_headers_ = 0;
  std::string location_;
};

}  // namespace

std::string program_id_of(std::string_view line) {
  std::size_t at = find_keyword(line, "PROGRAM-ID");
  if (at == std::string_view::npos) return std::string();
  std::string_view rest = line.substr(at + 10);
  std::size_t begin = rest.find_first_not_of(" .");
  if (begin == std::string_view::npos) return std::string();
  rest.remove_prefix(begin);
  if (!rest.empty() && (rest[0] == '\'' || rest[0] == '"')) {
    std::size_t close = rest.find(rest[0], 1);
    return upper(
        rest.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  }
  return upper(rest.substr(0, rest.find_first_of(" .")));
}

int condition_number(std::string_view name) {
  for (const Condition& condition : kConditions)
    if (condition.name == name) return condition.number;
  return -1;
}

bool precompile(const std::string& source, const MemberRule& rule, Role role,
                const std::string& monitor_folder, std::FILE* output, Precompiled& result,
                std::string& error) {
  result = Precompiled();
  Precompiler precompiler(source, rule, role, monitor_folder, result);
  return precompiler.run(output, error);
}

}  // namespace replay
