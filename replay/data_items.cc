// The data items a program declares: level numbers, names and tables, enough to name every
// field of a map area and refer to it in COBOL.
#include "replay/data_items.h"

#include <cctype>

namespace replay {

namespace {

std::string upper(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

bool all_digits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// Words that begin the clauses of an entry: a second word among them means the entry has no
// name of its own.
bool is_clause_word(std::string_view word) {
  static const char* const kWords[] = {
      "PIC",          "PICTURE",       "USAGE",  "VALUE",          "VALUES",  "OCCURS",
      "REDEFINES",    "COMP",          "COMP-1", "COMP-2",         "COMP-3",  "COMP-4",
      "COMP-5",       "COMPUTATIONAL", "BINARY", "PACKED-DECIMAL", "DISPLAY", "POINTER",
      "INDEX",        "SIGN",          "JUST",   "JUSTIFIED",      "BLANK",   "SYNC",
      "SYNCHRONIZED", "EXTERNAL",      "GLOBAL", "RENAMES",
  };
  for (const char* known : kWords)
    if (word == known) return true;
  return false;
}

}  // namespace

void DataItems::add_code(std::string_view code, bool linkage) {
  if (words_.empty() && word_.empty()) entry_linkage_ = linkage;
  for (std::size_t i = 0; i < code.size(); ++i) {
    char c = code[i];
    if (quote_ != 0) {
      word_ += c;
      if (c == quote_) quote_ = 0;
      continue;
    }
    if (c == '\'' || c == '"') {
      quote_ = c;
      word_ += c;
      continue;
    }
    bool separator = c == ' ' || c == ',' || c == ';' || c == '\t';
    bool period = c == '.' && (i + 1 == code.size() || code[i + 1] == ' ');
    if (separator || period) {
      if (!word_.empty()) words_.push_back(std::move(word_));
      word_.clear();
      if (period) flush();
      continue;
    }
    word_ += c;
  }
  // A literal still open at the end of the line goes on in a continuation line; the words of
  // an entry go on in the next line.
  if (quote_ == 0 && !word_.empty()) {
    words_.push_back(std::move(word_));
    word_.clear();
  }
}

void DataItems::flush() {
  if (!word_.empty()) words_.push_back(std::move(word_));
  word_.clear();
  quote_ = 0;
  if (!words_.empty()) add_entry(words_, entry_linkage_);
  words_.clear();
}

void DataItems::add_entry(const std::vector<std::string>& words, bool linkage) {
  if (!all_digits(words[0]) || words[0].size() > 2) return;
  int level = std::stoi(words[0]);
  if (level == 66 || level == 88 || level < 1 || (level > 49 && level != 77)) return;
  if (level == 77) level = 1;
  DataItem item;
  item.level = level;
  item.linkage = linkage;
  std::size_t clauses = 1;
  if (words.size() > 1) {
    std::string second = upper(words[1]);
    if (!is_clause_word(second)) {
      if (second != "FILLER") item.name = second;
      clauses = 2;
    }
  }
  for (std::size_t i = clauses; i + 1 < words.size(); ++i) {
    if (upper(words[i]) != "OCCURS" || !all_digits(words[i + 1])) continue;
    item.occurs = std::stoi(words[i + 1].substr(0, 6));
    // OCCURS m TO n: the table has at most n entries.
    if (i + 3 < words.size() && upper(words[i + 2]) == "TO" && all_digits(words[i + 3]))
      item.occurs = std::stoi(words[i + 3].substr(0, 6));
    break;
  }
  // The group an entry belongs to is the nearest entry before it with a lower level number.
  int parent = items_.empty() ? -1 : static_cast<int>(items_.size()) - 1;
  while (parent >= 0 && items_[parent].level >= level) parent = items_[parent].parent;
  if (level == 1) parent = -1;
  item.parent = parent;
  if (parent >= 0) items_[parent].group = true;
  items_.push_back(std::move(item));
}

int DataItems::find(std::string_view reference) const {
  // NAME OF GROUP IN OUTER: the first name and the groups it must belong to.
  std::vector<std::string> names;
  std::string word;
  for (std::size_t i = 0; i <= reference.size(); ++i) {
    if (i == reference.size() || reference[i] == ' ') {
      if (!word.empty()) names.push_back(upper(word));
      word.clear();
    } else {
      word += reference[i];
    }
  }
  std::vector<std::string> chain;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i % 2 == 1) {
      if (names[i] != "OF" && names[i] != "IN") return -1;
    } else {
      chain.push_back(names[i]);
    }
  }
  if (chain.empty() || names.size() % 2 == 0) return -1;
  for (std::size_t index = 0; index < items_.size(); ++index) {
    if (items_[index].name != chain[0]) continue;
    int group = items_[index].parent;
    std::size_t next = 1;
    while (group >= 0 && next < chain.size()) {
      if (items_[group].name == chain[next]) ++next;
      group = items_[group].parent;
    }
    if (next == chain.size()) return static_cast<int>(index);
  }
  return -1;
}

std::vector<FieldReference> DataItems::fields_of(int area) const {
  std::vector<FieldReference> fields;
  if (area < 0 || area >= static_cast<int>(items_.size())) return fields;
  for (std::size_t index = area + 1; index < items_.size(); ++index) {
    // The entries below the area follow it until one that is not below it.
    int group = items_[index].parent;
    while (group >= 0 && group != area) group = items_[group].parent;
    if (group != area) break;
    const DataItem& item = items_[index];
    if (item.group || item.name.empty()) continue;
    // The path from the area down to the field, and the tables on it (the area's own
    // occurrences are not counted: the area is named whole).
    std::vector<int> path;
    for (int at = static_cast<int>(index); at != area; at = items_[at].parent) path.push_back(at);
    std::string qualified = item.name;
    for (std::size_t i = 1; i < path.size(); ++i)
      if (!items_[path[i]].name.empty()) qualified += " OF " + items_[path[i]].name;
    qualified += " OF " + items_[area].name;
    std::vector<int> tables;  // outermost first
    for (std::size_t i = path.size(); i-- > 0;)
      if (items_[path[i]].occurs > 0) tables.push_back(items_[path[i]].occurs);
    std::size_t combinations = 1;
    for (int count : tables) {
      combinations *= static_cast<std::size_t>(count);
      if (combinations > kMaxAreaFields) return {};
    }
    std::vector<int> subscript(tables.size(), 1);
    for (std::size_t n = 0; n < combinations; ++n) {
      FieldReference field;
      field.name = item.name;
      field.reference = qualified;
      field.stem = item.name.substr(0, item.name.size() - 1);
      if (!tables.empty()) {
        std::string names = "(", cobol = " (";
        for (std::size_t i = 0; i < subscript.size(); ++i) {
          names += (i ? "," : "") + std::to_string(subscript[i]);
          cobol += (i ? " " : "") + std::to_string(subscript[i]);
        }
        field.name += names + ")";
        field.reference += cobol + ")";
      }
      fields.push_back(std::move(field));
      if (fields.size() > kMaxAreaFields) return {};
      // The next subscripts: the innermost table runs fastest.
      for (std::size_t i = subscript.size(); i-- > 0;) {
        if (++subscript[i] <= tables[i]) break;
        subscript[i] = 1;
      }
    }
  }
  return fields;
}

}  // namespace replay
