// The first three characters of every word of a line, kept as a small set, so that the line
// loop can skip keyword searches that cannot succeed on the line.
#include "converter/driver/word_starts.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace converter {

#if defined(__SSE2__)

// Sixteen characters at a time: one comparison tells which bytes are blanks, and a word begins
// at every other byte whose left neighbour is a blank.
WordStarts::WordStarts(std::string_view line) {
  const char* begin = line.data();
  const char* end = begin + line.size();
  const __m128i blanks = _mm_set1_epi8(' ');
  std::uint32_t blank_before = 1;  // the start of the line counts as a blank before byte 0
  const char* at = begin;
  for (; end - at >= 16; at += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    auto blank = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, blanks)));
    std::uint32_t starts = ~blank & ((blank << 1) | blank_before) & 0xFFFFu;
    blank_before = blank >> 15;
    if (end - at >= 20) {
      // Far enough from the end to read four bytes at any word beginning of this block.
      for (; starts != 0; starts &= starts - 1) {
        std::uint32_t key;
        std::memcpy(&key, at + __builtin_ctz(starts), 4);
        add_key(key);
      }
    } else {
      for (; starts != 0; starts &= starts - 1) add(at + __builtin_ctz(starts), end);
    }
  }
  bool after_blank = blank_before != 0;
  for (; at != end; ++at) {
    if (after_blank && *at != ' ') add(at, end);
    after_blank = *at == ' ';
  }
}

#else

WordStarts::WordStarts(std::string_view line) {
  const char* end = line.data() + line.size();
  bool after_blank = true;
  for (const char* at = line.data(); at != end; ++at) {
    if (after_blank && *at != ' ') add(at, end);
    after_blank = *at == ' ';
  }
}

#endif

}  // namespace converter
