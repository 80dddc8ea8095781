// The first three characters of every word of a line, kept as a small set, so that the line
// loop can skip keyword searches that cannot succeed on the line.
#include "converter/driver/word_starts.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace converter {

#if defined(__SSE2__)

// Sixty-four characters at a time: comparisons of sixteen bytes tell which bytes are blanks, and
// a word begins at every other byte whose left neighbour is a blank. The beginnings of the whole
// stretch are then taken in one loop.
WordStarts::WordStarts(std::string_view line) {
  const char* begin = line.data();
  const std::size_t size = line.size();
  const __m128i blanks = _mm_set1_epi8(' ');
  std::uint64_t blank_before = 1;  // the start of the line counts as a blank before byte 0
  for (std::size_t base = 0; base < size; base += 64) {
    const std::size_t count = std::min<std::size_t>(64, size - base);
    const char* stretch = begin + base;
    std::uint64_t blank = 0;
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
      __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(stretch + i));
      blank |= static_cast<std::uint64_t>(
                   static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, blanks))))
               << i;
    }
    for (; i < count; ++i)
      if (stretch[i] == ' ') blank |= std::uint64_t{1} << i;
    std::uint64_t in_stretch = count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
    std::uint64_t starts = ~blank & in_stretch & ((blank << 1) | blank_before);
    blank_before = blank >> 63;
    for (; starts != 0; starts &= starts - 1) {
      std::size_t at = base + static_cast<std::size_t>(__builtin_ctzll(starts));
      if (size - at >= 4) {
        std::uint32_t key;
        std::memcpy(&key, begin + at, 4);
        add_key(key);
      } else {
        add(begin + at, begin + size);
      }
    }
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
