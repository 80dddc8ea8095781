// The converter's one word search over a line or command text, and its blank skipper.
#include "converter/driver/keyword_scanner.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace converter {

namespace {

// A letter of a to z or A to Z in small letters; any other byte as it is.
inline char fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c;
}

}  // namespace

std::size_t find_letter(std::string_view text, char letter, std::size_t from) {
  constexpr std::size_t kNone = std::string_view::npos;
  const char* data = text.data();
  const std::size_t size = text.size();
  char lower = fold(letter);
  if (lower < 'a' || lower > 'z') {
    if (from >= size) return kNone;
    const void* found = std::memchr(data + from, letter, size - from);
    return found == nullptr ? kNone
                            : static_cast<std::size_t>(static_cast<const char*>(found) - data);
  }
  std::size_t at = from;
#if defined(__SSE2__)
  // Sixteen bytes at a time: a letter and its capital differ only in bit 5.
  const __m128i bit5 = _mm_set1_epi8(0x20);
  const __m128i wanted = _mm_set1_epi8(lower);
  for (; at + 16 <= size; at += 16) {
    __m128i bytes =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at)), bit5);
    unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted)));
    if (hits != 0) return at + static_cast<std::size_t>(__builtin_ctz(hits));
  }
#endif
  for (; at < size; ++at)
    if ((data[at] | 0x20) == lower) return at;
  return kNone;
}

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
  // Each place that holds the word's first letter, in either case, in turn; the cheap tests
  // come first.
  for (std::size_t at = find_letter(text, word[0], 0); at != kNone && at <= last;
       at = find_letter(text, word[0], at + 1)) {
    if (at != 0 && data[at - 1] != ' ') continue;
    if (!equal_ignoring_case(text.substr(at + 1, word.size() - 1), word.substr(1))) continue;
    std::size_t after = at + word.size();
    if (after != text.size() && data[after] != ' ' && data[after] != '.' && data[after] != '(')
      continue;
    if (!literal_known) {
      literal_known = true;
      literal_open = text.find('\'');
      if (literal_open != kNone) literal_close = text.find('\'', literal_open + 1);
    }
    if (literal_close != kNone && at > literal_open && at < literal_close) {
      at = literal_close;
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
