// The converter's one word search over a line or command text, and its blank skipper.
#pragma once

#include <cstddef>
#include <string_view>

namespace converter {

/// Offset of the first whole-word `word` in `text` that is not inside the text's first
/// apostrophe-quoted literal, or npos. A whole word starts the text or follows a blank, and is
/// followed by the end of the text, a blank, "." or "(". Case-sensitive.
std::size_t find_keyword(std::string_view text, std::string_view word);

/// Offset of the first character of `text` that is not a blank (code 32); the text's length
/// when it holds blanks only. Tabs are not blanks.
std::size_t skip_blanks(std::string_view text);

}  // namespace converter
