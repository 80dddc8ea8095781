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
  std::string encoded;
  encoded.reserve(path.size());
  for (char c : path) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (letter_or_digit(byte) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return encoded;
}

std::string href_of(std::string_view path) {
  return html_escape(percent_encoded(path));
}

std::string program_anchor(std::string_view name) {
  std::string anchor = "program-";
  for (char c : name) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (letter_or_digit(byte) || c == '-' || c == '.' || c == '_' || c == '/') {
      anchor += c;
    } else {
      anchor += '~';
      anchor += kHex[byte >> 4];
      anchor += kHex[byte & 0x0F];
    }
  }
  return anchor;
}

std::string line_anchor(std::int64_t number) {
  return "L" + std::to_string(number);
}

}  // namespace report
