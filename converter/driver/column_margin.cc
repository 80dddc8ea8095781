// Keeping changed and generated program text within column 72, where a compiler stops reading.
#include "converter/driver/column_margin.h"

#include <algorithm>

namespace converter {

namespace {

constexpr std::size_t kFirstTextColumn = 8;
constexpr std::size_t kMinContinuationColumn = 12;
constexpr std::size_t kContinuationStep = 4;

std::string_view trim_right(std::string_view text) {
  std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// Index of the last blank within the margin that lies after `first` (the piece's first
// non-blank character) and outside any literal; npos when there is none.
std::size_t break_blank(std::string_view piece, std::size_t first) {
  std::size_t best = std::string_view::npos;
  char quote = 0;
  std::size_t last = std::min(piece.size(), kTextMarginColumn);
  for (std::size_t i = first; i < last; ++i) {
    char c = piece[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ' ' && i > first) {
      best = i;
    }
  }
  return best;
}

}  // namespace

std::vector<std::string> break_at_margin(std::string_view text) {
  std::vector<std::string> lines;
  if (trim_right(text).size() <= kTextMarginColumn) {
    lines.emplace_back(text);
    return lines;
  }
  std::size_t first = text.find_first_not_of(' ', kFirstTextColumn - 1);
  if (first == std::string_view::npos) {
    lines.emplace_back(text);
    return lines;
  }
  std::size_t indent = std::max(first + kContinuationStep, kMinContinuationColumn - 1);
  std::string piece(text);
  for (;;) {
    std::string_view current = piece;
    std::size_t blank = trim_right(current).size() > kTextMarginColumn ? break_blank(current, first)
                                                                       : std::string_view::npos;
    if (blank == std::string_view::npos) {
      lines.emplace_back(current);
      return lines;
    }
    lines.emplace_back(trim_right(current.substr(0, blank)));
    std::string_view rest = current.substr(blank + 1);
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    piece = std::string(indent, ' ').append(rest);
    first = indent;
  }
}

}  // namespace converter
