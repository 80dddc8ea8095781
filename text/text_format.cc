// printf-style formatting of the converter's output texts into std::string.
#include "text/text_format.h"

#include <algorithm>
#include <cstddef>

namespace text {

namespace {

void pad_to(std::string& out, std::string_view body, std::size_t width, bool left) {
  std::size_t fill = body.size() < width ? width - body.size() : 0;
  if (!left) out.append(fill, ' ');
  out.append(body);
  if (left) out.append(fill, ' ');
}

// The digits of `value`, at least `min_digits` of them, after a minus sign when negative.
// Short enough to stay in the string's own room: no allocation.
std::string number_text(long long value, std::size_t min_digits) {
  bool negative = value < 0;
  unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                          : static_cast<unsigned long long>(value);
  std::string digits;
  do {
    digits.push_back(static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (digits.size() < min_digits) digits.append(min_digits - digits.size(), '0');
  if (negative) digits.push_back('-');
  std::reverse(digits.begin(), digits.end());
  return digits;
}

}  // namespace

void append_format(std::string& out, std::string_view pattern,
                   std::initializer_list<FormatArg> args) {
  const FormatArg* next = args.begin();
  std::size_t i = 0;
  while (i < pattern.size()) {
    // The text up to the next conversion goes over in one piece.
    std::size_t percent = pattern.find('%', i);
    if (percent == std::string_view::npos) percent = pattern.size();
    out.append(pattern.substr(i, percent - i));
    i = percent;
    if (i >= pattern.size()) break;
    ++i;
    if (i >= pattern.size()) {
      out.push_back('%');
      break;
    }
    if (pattern[i] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    bool left = false;
    while (i < pattern.size() && pattern[i] == '-') {
      left = true;
      ++i;
    }
    std::size_t width = 0;
    while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9')
      width = width * 10 + (pattern[i++] - '0');
    bool has_precision = false;
    std::size_t precision = 0;
    if (i < pattern.size() && pattern[i] == '.') {
      has_precision = true;
      ++i;
      while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9')
        precision = precision * 10 + (pattern[i++] - '0');
    }
    if (i >= pattern.size()) break;
    char conversion = pattern[i++];
    if (next == args.end()) continue;
    const FormatArg& arg = *next++;
    switch (conversion) {
      case 's': {
        std::string_view body = arg.kind == FormatArg::kText ? arg.text : std::string_view();
        if (has_precision && body.size() > precision) body = body.substr(0, precision);
        pad_to(out, body, width, left);
        break;
      }
      case 'd': {
        long long value = arg.kind == FormatArg::kNumber ? arg.number : 0;
        pad_to(out, number_text(value, has_precision ? precision : 1), width, left);
        break;
      }
      case 'c': {
        char value = arg.kind == FormatArg::kChar ? arg.character : '\0';
        pad_to(out, std::string_view(&value, 1), width, left);
        break;
      }
      default:
        break;
    }
  }
}

std::string format(std::string_view format_text, std::initializer_list<FormatArg> args) {
  std::string out;
  append_format(out, format_text, args);
  return out;
}

}  // namespace text
