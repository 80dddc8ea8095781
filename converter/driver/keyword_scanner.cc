// The converter's one word search over a line or command text, and its blank skipper.
#include "converter/driver/keyword_scanner.h"

#include <cstring>

namespace converter {

std::size_t find_keyword(std::string_view text, std::string_view word) {
  constexpr std::size_t kNone = std::string_view::npos;
  if (word.empty() || text.size() < word.size()) return kNone;
  const char* data = text.data();
  const std::size_t last = text.size() - word.size();  // the last place a word can begin
  // Only the first apostrophe pair of the text shields a word; a lone apostrophe shields nothing.
  // The pair is looked for only once a whole word has been found, as most searches find none.
  bool literal_known = false;
  std::size_t literal_open = kNone;
  std::size_t literal_close = kNone;
  std::size_t from = 0;
  while (from <= last) {
    // Each place that holds the word's first character, in turn; the cheap tests come first.
    const void* hit = std::memchr(data + from, word[0], last - from + 1);
    if (hit == nullptr) return kNone;
    std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
    from = at + 1;
    if (at != 0 && data[at - 1] != ' ') continue;
    if (std::memcmp(data + at + 1, word.data() + 1, word.size() - 1) != 0) continue;
    std::size_t after = at + word.size();
    if (after != text.size() && data[after] != ' ' && data[after] != '.' && data[after] != '(')
      continue;
    if (!literal_known) {
      literal_known = true;
      literal_open = text.find('\'');
      if (literal_open != kNone) literal_close = text.find('\'', literal_open + 1);
    }
    if (literal_close != kNone && at > literal_open && at < literal_close) {
      from = literal_close + 1;
      continue;
    }
    return at;
  }
  return kNone;
}

std::size_t skip_blanks(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  return at;
}

}  // namespace converter
