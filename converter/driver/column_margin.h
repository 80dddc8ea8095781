// Keeping changed and generated program text within column 72, where a compiler stops reading.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

/// Last column of program text; a compiler ignores what stands beyond it, so text that a
/// change or a generated line pushes past it is continued on further lines.
constexpr std::size_t kTextMarginColumn = 72;

/// The lines to write for `text` so that each keeps its text within column 72. A text that
/// already does is returned alone and unchanged. Otherwise it is broken at the last blank at or
/// before column 72 that follows its first non-blank character from column 8 on and lies
/// outside any literal ('...' or "..."); the first line loses its trailing blanks, and the
/// rest, without leading blanks, continues 4 columns further in than the first line's text
/// (at least in column 12), broken again the same way. A piece with no such blank stays whole.
std::vector<std::string> break_at_margin(std::string_view text);

/// True when `text` keeps its text within column 72 (blanks beyond it do not count), so that
/// `break_at_margin` would return it alone and unchanged.
inline bool fits_margin(std::string_view text) {
  std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos || end < kTextMarginColumn;
}

}  // namespace converter
