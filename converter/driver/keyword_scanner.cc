// The converter's one word search over a line or command text, and its blank skipper.
#include "converter/driver/keyword_scanner.h"

namespace converter {

std::size_t find_keyword(std::string_view text, std::string_view word) {
  if (word.empty()) return std::string_view::npos;
  // Only the first apostrophe pair of the text shields a word; a lone apostrophe shields nothing.
  // The pair is looked for only once a whole word has been found, as most searches find none.
  bool literal_known = false;
  std::size_t literal_open = std::string_view::npos;
  std::size_t literal_close = std::string_view::npos;
  std::size_t from = 0;
  for (;;) {
    std::size_t at = text.find(word, from);
    if (at == std::string_view::npos) return at;
    std::size_t after = at + word.size();
    bool ends_word = after == text.size() || text[after] == ' ' || text[after] == '.' || text[after] == '(';
    bool starts_word = at == 0 || text[at - 1] == ' ';
    if (!ends_word || !starts_word) {
      from = at + 1;
      continue;
    }
    if (!literal_known) {
      literal_known = true;
      literal_open = text.find('\'');
      if (literal_open != std::string_view::npos) literal_close = text.find('\'', literal_open + 1);
    }
    if (literal_close != std::string_view::npos && at > literal_open && at < literal_close) {
      from = literal_close + 1;
      continue;
    }
    return at;
  }
}

std::size_t skip_blanks(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  return at;
}

}  // namespace converter
