// printf-style formatting of the converter's output texts into std::string.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace text {

/// One value for a conversion of `format`: a text (%s), a number (%d) or a character (%c).
/// Texts may hold any byte, NUL included: nothing ends a text early.
struct FormatArg {
  FormatArg(std::string_view value) : text(value) {}
  FormatArg(const std::string& value) : text(value) {}
  FormatArg(const char* value) : text(value) {}
  FormatArg(int value) : kind(kNumber), number(value) {}
  FormatArg(char value) : kind(kChar), character(value) {}

  enum Kind { kText, kNumber, kChar } kind = kText;
  std::string_view text;
  long long number = 0;
  char character = 0;
};

/// Appends `pattern` to `out` with its conversions filled from `args` in order, the way the C
/// printf family does for %s, %d, %c and %%, with the flag "-", a width and a precision
/// ("%-80s", "%.4d", "%5d", "%11s"). Widths pad and never cut. A conversion without an argument
/// is left out.
void append_format(std::string& out, std::string_view pattern,
                   std::initializer_list<FormatArg> args);

/// The result of `append_format` on an empty text.
std::string format(std::string_view pattern, std::initializer_list<FormatArg> args);

}  // namespace text
