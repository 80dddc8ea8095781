// The dialogue script: the program to play, its files and clock, and the turns of the terminal
// with the checks of their results.
#include "replay/dialogue_script.h"

#include <cctype>

namespace replay {

namespace {

// One word of a statement; `quoted` when it was written in double quotes.
struct Word {
  std::string text;
  bool quoted = false;
};

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// The words of `line` up to a "#" outside quotes. False with `error` when a quote is not closed.
bool split_words(std::string_view line, std::vector<Word>& words, std::string& error) {
  words.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    if (is_blank(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    Word word;
    if (line[i] == '"') {
      word.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
          word.text += line[i++];
        } else if (c == '"') {
          closed = true;
          break;
        } else {
          word.text += c;
        }
      }
      if (!closed) {
        error = "expected a closing \" of the value";
        return false;
      }
      if (i < line.size() && !is_blank(line[i]) && line[i] != '#') {
        error = "expected a blank after the closing \" of the value";
        return false;
      }
    } else {
      while (i < line.size() && !is_blank(line[i]) && line[i] != '#') word.text += line[i++];
    }
    words.push_back(std::move(word));
  }
  return true;
}

bool is_name_character(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
}

// A name of 1 to `longest` letters, digits, "-" and "_".
bool is_plain_name(std::string_view name, std::size_t longest) {
  if (name.empty() || name.size() > longest) return false;
  for (char c : name)
    if (!is_name_character(c)) return false;
  return true;
}

// A field name, with subscripts of digits in parentheses: NAME, NAME(3), NAME(1,2).
bool is_field_name(std::string_view name) {
  std::size_t open = name.find('(');
  if (open == std::string_view::npos) return is_plain_name(name, 30);
  if (!is_plain_name(name.substr(0, open), 30) || name.back() != ')') return false;
  std::string_view subscripts = name.substr(open + 1, name.size() - open - 2);
  bool digit_before = false;
  for (char c : subscripts) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digit_before = true;
    } else if (c == ',' && digit_before) {
      digit_before = false;
    } else {
      return false;
    }
  }
  return digit_before;
}

bool is_digits(std::string_view text) {
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return !text.empty();
}

int number(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

// YYYY-MM-DD with a month from 1 to 12 and a day that the month has.
bool is_date(std::string_view date) {
  if (date.size() != 10 || date[4] != '-' || date[7] != '-') return false;
  std::string_view y = date.substr(0, 4), m = date.substr(5, 2), d = date.substr(8, 2);
  if (!is_digits(y) || !is_digits(m) || !is_digits(d)) return false;
  int year = number(y), month = number(m), day = number(d);
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1901 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1]) return false;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return !(month == 2 && day == 29 && !leap);
}

// HH:MM:SS of a day.
bool is_time(std::string_view time) {
  if (time.size() != 8 || time[2] != ':' || time[5] != ':') return false;
  std::string_view h = time.substr(0, 2), m = time.substr(3, 2), s = time.substr(6, 2);
  return is_digits(h) && is_digits(m) && is_digits(s) && number(h) < 24 && number(m) < 60 &&
         number(s) < 60;
}

// Reads one script; each fault says what was expected.
class ScriptReader {
 public:
  ScriptReader(const std::string& file_name, Dialogue& dialogue)
      : file_name_(file_name), dialogue_(dialogue) {}

  bool read(std::string_view text, std::string& error) {
    std::size_t begin = 0;
    int line_number = 0;
    std::vector<Word> words;
    while (begin < text.size()) {
      std::size_t end = text.find('\n', begin);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(begin, end - begin);
      begin = end + 1;
      ++line_number;
      line_ = line_number;
      std::string fault;
      if (!split_words(line, words, fault)) return fail(error, fault);
      if (words.empty()) continue;
      if (!statement(words, fault)) return fail(error, fault);
    }
    last_line_ = line_number;
    return finish(error);
  }

 private:
  bool fail(std::string& error, const std::string& fault) const {
    error = file_name_ + ":" + std::to_string(line_) + ": " + fault;
    return false;
  }

  // The fault for words after those a statement takes.
  static bool no_more(const std::vector<Word>& words, std::size_t taken, const char* statement,
                      std::string& fault) {
    if (words.size() <= taken) return true;
    fault = std::string("expected nothing more after ") + statement + ", found \"" +
            words[taken].text + "\"";
    return false;
  }

  // The value at `index`, or a fault naming what it is.
  static bool value_at(const std::vector<Word>& words, std::size_t index, const char* what,
                       std::string& value, std::string& fault) {
    if (index >= words.size()) {
      fault = std::string("expected ") + what;
      return false;
    }
    value = words[index].text;
    return true;
  }

  bool statement(const std::vector<Word>& words, std::string& fault) {
    const std::string& verb = words[0].text;
    if (words[0].quoted) {
      fault = "expected a statement word, found the value \"" + verb + "\"";
      return false;
    }
    if (verb == "program" || verb == "transaction" || verb == "terminal" || verb == "file" ||
        verb == "clock") {
      if (!dialogue_.steps.empty()) {
        fault = "expected \"" + verb + "\" before the first step";
        return false;
      }
      if (verb == "program") return program(words, fault);
      if (verb == "transaction") return transaction(words, fault);
      if (verb == "terminal") return terminal(words, fault);
      if (verb == "file") return file(words, fault);
      return clock(words, fault);
    }
    if (verb == "step") return step(words, fault);
    if (verb == "start" || verb == "key" || verb == "field" || verb == "expect" ||
        verb == "known") {
      if (dialogue_.steps.empty()) {
        fault = "expected \"step\" before \"" + verb + "\"";
        return false;
      }
      Step& current = dialogue_.steps.back();
      current.last_line = line_;
      if (verb == "start") return start(words, current, fault);
      if (verb == "key") return key(words, current, fault);
      if (verb == "field") return field(words, current, fault);
      if (verb == "expect") return expect(words, current, fault);
      return known(words, current, fault);
    }
    fault =
        "expected a statement (program, transaction, terminal, file, clock, step, start, "
        "key, field, expect, known), found \"" +
        verb + "\"";
    return false;
  }

  bool once(bool seen, const char* verb, std::string& fault) {
    if (!seen) return true;
    fault = std::string("expected one \"") + verb + "\" statement, found a second";
    return false;
  }

  bool program(const std::vector<Word>& words, std::string& fault) {
    if (!once(!dialogue_.program.empty(), "program", fault)) return false;
    std::string name;
    if (!value_at(words, 1, "the program's name after program", name, fault)) return false;
    if (!is_plain_name(name, 30)) {
      fault = "expected a program name of 1 to 30 letters, digits, \"-\" and \"_\", found \"" +
              name + "\"";
      return false;
    }
    dialogue_.program = name;
    return no_more(words, 2, "the program's name", fault);
  }

  bool transaction(const std::vector<Word>& words, std::string& fault) {
    if (!once(!dialogue_.transaction.empty(), "transaction", fault)) return false;
    std::string code;
    if (!value_at(words, 1, "a transaction code after transaction", code, fault)) return false;
    if (!is_plain_name(code, 4)) {
      fault = "expected a transaction code of 1 to 4 letters and digits, found \"" + code + "\"";
      return false;
    }
    dialogue_.transaction = code;
    return no_more(words, 2, "the transaction code", fault);
  }

  bool terminal(const std::vector<Word>& words, std::string& fault) {
    if (!once(terminal_seen_, "terminal", fault)) return false;
    terminal_seen_ = true;
    std::string id;
    if (!value_at(words, 1, "a terminal name after terminal", id, fault)) return false;
    if (!is_plain_name(id, 4)) {
      fault = "expected a terminal name of 1 to 4 letters and digits, found \"" + id + "\"";
      return false;
    }
    dialogue_.terminal = id;
    return no_more(words, 2, "the terminal name", fault);
  }

  bool file(const std::vector<Word>& words, std::string& fault) {
    FileRecord record;
    record.line = line_;
    if (!value_at(words, 1, "a file name after file", record.file, fault)) return false;
    if (!is_plain_name(record.file, 8)) {
      fault = "expected a file name of 1 to 8 letters and digits, found \"" + record.file + "\"";
      return false;
    }
    if (words.size() < 3 || words[2].text != "key" || words[2].quoted) {
      fault = "expected \"key\" after the file name";
      return false;
    }
    if (!value_at(words, 3, "the record's key after key", record.key, fault)) return false;
    if (record.key.empty() || record.key.size() > kMaxFileKey) {
      fault = "expected a key of 1 to 64 characters";
      return false;
    }
    if (words.size() < 5 || words[4].text != "record" || words[4].quoted) {
      fault = "expected \"record\" after the key";
      return false;
    }
    if (!value_at(words, 5, "the record after record", record.record, fault)) return false;
    if (record.record.empty() || record.record.size() > kMaxFileRecord) {
      fault = "expected a record of 1 to 4096 characters";
      return false;
    }
    for (const FileRecord& other : dialogue_.records) {
      if (other.file == record.file && other.key == record.key) {
        fault = "expected one record per key, found key \"" + record.key + "\" of " + record.file +
                " again (first on line " + std::to_string(other.line) + ")";
        return false;
      }
    }
    if (!no_more(words, 6, "the record", fault)) return false;
    dialogue_.records.push_back(std::move(record));
    return true;
  }

  bool clock(const std::vector<Word>& words, std::string& fault) {
    if (!once(clock_seen_, "clock", fault)) return false;
    clock_seen_ = true;
    if (words.size() < 3 || !is_date(words[1].text) || !is_time(words[2].text)) {
      fault = "expected a date and a time after clock, as 2024-03-01 09:30:00";
      return false;
    }
    dialogue_.date = words[1].text;
    dialogue_.time = words[2].text;
    return no_more(words, 3, "the time", fault);
  }

  bool step(const std::vector<Word>& words, std::string& fault) {
    if (!dialogue_.steps.empty() && !complete_step(dialogue_.steps.back(), fault)) return false;
    Step step;
    step.line = line_;
    step.last_line = line_;
    if (!value_at(words, 1, "the step's title after step", step.title, fault)) return false;
    if (step.title.empty()) {
      fault = "expected a title that is not empty";
      return false;
    }
    if (!no_more(words, 2, "the title (a title with blanks is written in double quotes)", fault))
      return false;
    dialogue_.steps.push_back(std::move(step));
    return true;
  }

  bool start(const std::vector<Word>& words, Step& current, std::string& fault) {
    if (current.start || !current.key.empty()) {
      fault = "expected one \"start\" or \"key\" in a step, found a second";
      return false;
    }
    current.start = true;
    return no_more(words, 1, "start", fault);
  }

  bool key(const std::vector<Word>& words, Step& current, std::string& fault) {
    if (current.start || !current.key.empty()) {
      fault = "expected one \"start\" or \"key\" in a step, found a second";
      return false;
    }
    std::string name;
    if (!value_at(words, 1, "a key after key (ENTER, CLEAR, PA1 to PA3, PF1 to PF24)", name, fault))
      return false;
    if (!is_key_name(name)) {
      fault = "expected a key (ENTER, CLEAR, PA1 to PA3, PF1 to PF24), found \"" + name + "\"";
      return false;
    }
    current.key = name;
    return no_more(words, 2, "the key", fault);
  }

  bool field(const std::vector<Word>& words, Step& current, std::string& fault) {
    if (current.key.empty()) {
      fault = "expected \"key\" before \"field\": fields are typed with a key";
      return false;
    }
    TypedField typed;
    typed.line = line_;
    if (!value_at(words, 1, "a field name after field", typed.name, fault)) return false;
    if (!is_field_name(typed.name)) {
      fault = "expected a field name (NAME, NAME(3), NAME(1,2)), found \"" + typed.name + "\"";
      return false;
    }
    if (!value_at(words, 2, "the value typed after the field name", typed.value, fault))
      return false;
    if (typed.value.size() > kMaxFieldValue) {
      fault = "expected a value of at most 1920 characters";
      return false;
    }
    for (const TypedField& other : current.fields) {
      if (other.name == typed.name) {
        fault = "expected each field once in a step, found " + typed.name + " again";
        return false;
      }
    }
    if (!no_more(words, 3, "the value (a value with blanks is written in double quotes)", fault))
      return false;
    current.fields.push_back(std::move(typed));
    return true;
  }

  bool expect(const std::vector<Word>& words, Step& current, std::string& fault) {
    Expectation expectation;
    expectation.line = line_;
    std::string what;
    if (!value_at(words, 1, "field, map, text, next, end or abend after expect", what, fault))
      return false;
    std::size_t taken = 2;
    if (what == "field") {
      expectation.kind = Expectation::kField;
      if (!value_at(words, 2, "a field name after expect field", expectation.name, fault))
        return false;
      if (!is_field_name(expectation.name)) {
        fault =
            "expected a field name (NAME, NAME(3), NAME(1,2)), found \"" + expectation.name + "\"";
        return false;
      }
      if (!value_at(words, 3, "the field's value after its name", expectation.value, fault))
        return false;
      taken = 4;
    } else if (what == "map") {
      expectation.kind = Expectation::kMap;
      if (!value_at(words, 2, "a map name after expect map", expectation.name, fault)) return false;
      if (!is_plain_name(expectation.name, 8)) {
        fault =
            "expected a map name of 1 to 8 letters and digits, found \"" + expectation.name + "\"";
        return false;
      }
      taken = 3;
      if (words.size() > 3) {
        expectation.value = words[3].text;
        if (!is_plain_name(expectation.value, 8)) {
          fault = "expected a mapset name of 1 to 8 letters and digits, found \"" +
                  expectation.value + "\"";
          return false;
        }
        taken = 4;
      }
    } else if (what == "text") {
      expectation.kind = Expectation::kText;
      if (!value_at(words, 2, "the text after expect text", expectation.value, fault)) return false;
      taken = 3;
    } else if (what == "next") {
      expectation.kind = Expectation::kNext;
      if (!value_at(words, 2, "a transaction code after expect next", expectation.name, fault))
        return false;
      if (!is_plain_name(expectation.name, 4)) {
        fault = "expected a transaction code of 1 to 4 letters and digits, found \"" +
                expectation.name + "\"";
        return false;
      }
      taken = 3;
    } else if (what == "end") {
      expectation.kind = Expectation::kEnd;
    } else if (what == "abend") {
      expectation.kind = Expectation::kAbend;
      if (!value_at(words, 2, "a condition after expect abend", expectation.name, fault))
        return false;
      if (!is_plain_name(expectation.name, 30)) {
        fault = "expected a condition name, found \"" + expectation.name + "\"";
        return false;
      }
      taken = 3;
    } else {
      fault = "expected field, map, text, next, end or abend after expect, found \"" + what + "\"";
      return false;
    }
    if (!no_more(words, taken, ("expect " + what).c_str(), fault)) return false;
    current.expectations.push_back(std::move(expectation));
    return true;
  }

  bool known(const std::vector<Word>& words, Step& current, std::string& fault) {
    KnownDifference difference;
    difference.line = line_;
    std::size_t text_at = 1;
    if (words.size() > 1 && !words[1].quoted &&
        (words[1].text == "front-end" || words[1].text == "client")) {
      difference.way = words[1].text == "client" ? Way::kClient : Way::kFrontEnd;
      text_at = 2;
    }
    if (!value_at(words, text_at, "the difference's text in double quotes after known",
                  difference.text, fault))
      return false;
    if (!words[text_at].quoted) {
      fault = "expected the difference's text in double quotes, found \"" + difference.text + "\"";
      return false;
    }
    if (!no_more(words, text_at + 1, "the difference's text", fault)) return false;
    current.known.push_back(std::move(difference));
    return true;
  }

  bool complete_step(const Step& step, std::string& fault) {
    if (step.start || !step.key.empty()) return true;
    line_ = step.line;
    fault = "expected \"start\" or \"key\" in step \"" + step.title + "\"";
    return false;
  }

  bool finish(std::string& error) {
    std::string fault;
    if (dialogue_.steps.empty()) {
      line_ = last_line_;
      return fail(error, "expected at least one step");
    }
    if (!complete_step(dialogue_.steps.back(), fault)) return fail(error, fault);
    line_ = dialogue_.steps.front().line;
    if (dialogue_.program.empty())
      return fail(error, "expected \"program NAME\" before the first step");
    if (dialogue_.transaction.empty())
      return fail(error, "expected \"transaction CODE\" before the first step");
    if (!dialogue_.steps.front().start)
      return fail(error, "expected the first step to start the conversation with \"start\"");
    return true;
  }

  const std::string& file_name_;
  Dialogue& dialogue_;
  int line_ = 0;
  int last_line_ = 0;
  bool terminal_seen_ = false;
  bool clock_seen_ = false;
};

}  // namespace

bool read_dialogue(std::string_view text, const std::string& file_name, Dialogue& dialogue,
                   std::string& error) {
  dialogue = Dialogue();
  ScriptReader reader(file_name, dialogue);
  return reader.read(text, error);
}

bool is_key_name(std::string_view key) {
  if (key == "ENTER" || key == "CLEAR") return true;
  if (key.size() == 3 && key.substr(0, 2) == "PA") return key[2] >= '1' && key[2] <= '3';
  if (key.size() < 3 || key.size() > 4 || key.substr(0, 2) != "PF" || key[2] == '0') return false;
  std::string_view digits = key.substr(2);
  return is_digits(digits) && number(digits) >= 1 && number(digits) <= 24;
}

std::string quoted(std::string_view value) {
  std::string text = "\"";
  for (char c : value) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  return text + "\"";
}

}  // namespace replay
