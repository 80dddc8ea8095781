// The first three characters of every word of a line, kept as a small set, so that the line
// loop can skip keyword searches that cannot succeed on the line.
#include "converter/driver/word_starts.h"

#include <cstring>

namespace converter {

#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__

// Eight characters at a time: each byte's top bit tells whether the byte is a blank, and a
// word begins at every non-blank byte whose left neighbour is a blank.
WordStarts::WordStarts(std::string_view line) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  constexpr std::uint64_t kTop = 0x8080808080808080ULL;
  constexpr std::uint64_t kBlanks = 0x2020202020202020ULL;
  const char* begin = line.data();
  const char* end = begin + line.size();
  std::uint64_t blank_before = 0x80;  // the start of the line counts as a blank before byte 0
  const char* at = begin;
  for (; end - at >= 8; at += 8) {
    std::uint64_t bytes;
    std::memcpy(&bytes, at, 8);
    std::uint64_t x = bytes ^ kBlanks;                       // zero where a blank stands
    std::uint64_t non_blank = (((x & kLow7) + kLow7) | x) & kTop;
    std::uint64_t blank = non_blank ^ kTop;
    std::uint64_t starts = non_blank & ((blank << 8) | blank_before);
    blank_before = blank >> 56;
    while (starts != 0) {
      add(at + (__builtin_ctzll(starts) >> 3), end);
      starts &= starts - 1;
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
