// Text made safe for the report's pages and links: escaping, percent-encoding, and the anchors
// that name a program or a line.
#include "report/html_text.h"

namespace report {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool letter_or_digit(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
         (byte >= '0' && byte <= '9');
}

// `text` with every byte but letters, digits and those of `plain` written as `marker` and two
// hexadecimal digits.
std::string encoded(std::string_view text, char marker, std::string_view plain) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (letter_or_digit(byte) || plain.find(c) != std::string_view::npos) {
      result += c;
    } else {
      result += marker;
      result += kHex[byte >> 4];
      result += kHex[byte & 0x0F];
    }
  }
  return result;
}

}  // namespace

std::string html_escape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string percent_encoded(std::string_view path) {
  return encoded(path, '%', "-._~/");
}

std::string href_of(std::string_view path) {
  return html_escape(percent_encoded(path));
}

std::string program_anchor(std::string_view name) {
  return "program-" + encoded(name, '~', "-._/");
}

std::string line_anchor(std::int64_t number) {
  return "L" + std::to_string(number);
}

}  // namespace report
