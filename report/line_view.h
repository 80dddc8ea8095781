// The plain-text view of a converted file: a page beside the report that shows the file line by
// line, each line with an anchor, so that a link to "INVC01.new.html#L962" opens it at that line
// from file:// without any server.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace report {

/// The start of the view of the file `title` (its path in the application folder); `back` is
/// the link to the migration page from the view.
std::string view_head(std::string_view title, std::string_view back);

/// Line `number` of the file as the view shows it: its text escaped, in an element whose id is
/// its line anchor, and a line end. A carriage return that ends the line and the blanks at its
/// end are not shown.
std::string view_line(std::int64_t number, std::string_view text);

/// The end of a view.
std::string view_tail();

}  // namespace report
