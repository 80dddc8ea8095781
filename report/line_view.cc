// The plain-text view of a converted file: a page beside the report that shows the file line by
// line, each line with an anchor, so that a link to "INVC01.new.html#L962" opens it at that line
// from file:// without any server.
#include "report/line_view.h"

#include "report/html_text.h"

namespace report {

namespace {

// Line numbers come from a counter in the style sheet, so the text of a line is all its element
// holds, and a line that the link names stands out.
const char kViewStyle[] = R"(<style>
body { margin: 16px; font-family: system-ui, sans-serif; color: #1f2933; }
h1 { font-size: 16px; font-family: ui-monospace, monospace; margin: 0 0 4px 0; }
p { margin: 0 0 12px 0; font-size: 13px; }
pre { font-family: ui-monospace, monospace; font-size: 13px; line-height: 1.35; counter-reset: line; margin: 0; }
pre span { counter-increment: line; }
pre span::before { content: counter(line); display: inline-block; width: 6ch; margin-right: 2ch; text-align: right; color: #9aa5b1; }
pre span:target { background: #fff3bf; }
</style>
)";

}  // namespace

std::string view_head(std::string_view title, std::string_view back) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
         html_escape(title) + "</title>\n" + kViewStyle + "</head>\n<body>\n<h1>" +
         html_escape(title) + "</h1>\n<p><a href=\"" + href_of(back) +
         "\">Migration report</a></p>\n<pre>";
}

std::string view_line(std::int64_t number, std::string_view text) {
  // The blanks that fill a converted line to 80 columns show nothing and would double the view.
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return "<span id=\"" + line_anchor(number) + "\">" + html_escape(text) + "</span>\n";
}

std::string view_tail() {
  return "</pre>\n</body>\n</html>\n";
}

}  // namespace report
