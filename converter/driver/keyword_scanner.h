// The converter's one word search over a line or command text, and its blank skipper.
#pragma once

#include <cstddef>
#include <string_view>

namespace converter {

/// Offset of the first whole-word `word` in `text` that is not inside the text's first
/// apostrophe-quoted literal, or npos. A whole word starts the text or follows a blank, and is
/// followed by the end of the text, a blank, "." or "(". Letters a to z and A to Z are the same
/// letter (COBOL words may be written in any case); every other byte must match exactly.
std::size_t find_keyword(std::string_view text, std::string_view word);

/// True when `a` and `b` are the same text with a to z and A to Z taken as the same letters.
inline bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x == y) continue;
    // Letters differ only in bit 5 from their other case.
    if ((x ^ y) != 0x20 || (x | 0x20) < 'a' || (x | 0x20) > 'z') return false;
  }
  return true;
}

/// Offset of the first byte at or after `from` that is `letter` in either case (a to z and A to Z
/// alike; any other byte exactly), or npos.
std::size_t find_letter(std::string_view text, char letter, std::size_t from);

/// Offset of the first character of `text` that is not a blank (code 32); the text's length
/// when it holds blanks only. Tabs are not blanks.
std::size_t skip_blanks(std::string_view text);

}  // namespace converter
