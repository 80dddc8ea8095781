// Text made safe for the report's pages and links: escaping, percent-encoding, and the anchors
// that name a program or a line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace report {

/// `text` with &, <, >, " and ' written as character references, safe in text and attributes.
std::string html_escape(std::string_view text);

/// `path` (folders separated by "/") as a relative URL: every byte but letters, digits, "-",
/// ".", "_", "~" and "/" written as "%XX".
std::string percent_encoded(std::string_view path);

/// `path` as the value of a relative link: percent-encoded, then escaped for an attribute.
std::string href_of(std::string_view path);

/// The anchor of the program named `name`: "program-" and the name, each byte but letters,
/// digits, "-", ".", "_" and "/" written as "~XX". It depends on the name alone, so a link to
/// it keeps working when programs are added, and it needs no escaping in a link or attribute.
std::string program_anchor(std::string_view name);

/// The anchor of line `number` in a plain-text view: "L" and the number ("L962").
std::string line_anchor(std::int64_t number);

}  // namespace report
