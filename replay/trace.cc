// The trace of one task as the stand-in wrote it, read into what a user sees of the task, with
// storage never set masked, and two traces compared item by item.
#include "replay/trace.h"

#include <algorithm>

namespace replay {

namespace {

// The words of a trace line; a quoted word is decoded to its bytes.
bool split_trace_line(std::string_view line, std::vector<std::string>& words) {
  words.clear();
  std::size_t i = 0;
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  while (i < line.size()) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    std::string word;
    if (line[i] != '"') {
      while (i < line.size() && line[i] != ' ') word += line[i++];
      words.push_back(std::move(word));
      continue;
    }
    ++i;
    bool closed = false;
    while (i < line.size()) {
      char c = line[i++];
      if (c == '"') {
        closed = true;
        break;
      }
      if (c != '\\') {
        word += c;
        continue;
      }
      if (i >= line.size()) return false;
      char escape = line[i++];
      if (escape == '"' || escape == '\\') {
        word += escape;
      } else if (escape == 'x') {
        if (i + 2 > line.size() || hex(line[i]) < 0 || hex(line[i + 1]) < 0) return false;
        word += static_cast<char>(hex(line[i]) * 16 + hex(line[i + 1]));
        i += 2;
      } else if (escape == '*') {
        if (i + 7 > line.size()) return false;
        std::size_t count = 0;
        for (std::size_t k = 0; k < 5; ++k) {
          if (line[i + k] < '0' || line[i + k] > '9') return false;
          count = count * 10 + static_cast<std::size_t>(line[i + k] - '0');
        }
        if (hex(line[i + 5]) < 0 || hex(line[i + 6]) < 0) return false;
        word.append(count, static_cast<char>(hex(line[i + 5]) * 16 + hex(line[i + 6])));
        i += 7;
      } else {
        return false;
      }
    }
    if (!closed) return false;
    words.push_back(std::move(word));
  }
  return true;
}

Value plain(std::string text) {
  Value value;
  value.bytes = std::move(text);
  return value;
}

Item item(std::string name, std::string text) {
  Item made;
  made.name = std::move(name);
  made.value = plain(std::move(text));
  return made;
}

std::string yes_no(bool yes) {
  return yes ? "yes" : "no";
}

// The screen options of a trace line: "EADFRC" with "-" for each one absent, and the cursor.
void screen_items(const std::string& options, const std::string& cursor, bool header_only,
                  bool with_type, std::vector<Item>& items) {
  std::string flags = options;
  flags.resize(6, '-');
  items.push_back(item("ERASE", flags[0] == 'E' ? "ERASE" : flags[0] == 'U' ? "ERASEAUP" : "none"));
  items.push_back(item("ALARM", yes_no(flags[1] == 'A')));
  if (with_type)
    items.push_back(item("SENDTYPE", flags[2] == 'D'   ? "DATAONLY"
                                     : flags[2] == 'M' ? "MAPONLY"
                                                       : "map and data"));
  if (header_only) return;
  items.push_back(item("FREEKB", yes_no(flags[3] == 'F')));
  if (with_type) items.push_back(item("FRSET", yes_no(flags[4] == 'R')));
  std::string place = flags[5] != 'C'  ? "none"
                      : cursor == "-1" ? "the map's"
                                       : "position " + cursor;
  items.push_back(item("CURSOR", place));
}

// A new event at the end of the task's trace; the reference holds until the next one is added.
Event& add_event(TaskTrace& trace, std::string kind, std::string key) {
  trace.events.emplace_back();
  Event& event = trace.events.back();
  event.kind = std::move(kind);
  event.key = std::move(key);
  return event;
}

}  // namespace

bool Value::any_undefined() const {
  return std::find(undefined.begin(), undefined.end(), true) != undefined.end();
}

bool Value::all_undefined() const {
  if (undefined.empty()) return false;
  return std::find(undefined.begin(), undefined.end(), false) == undefined.end();
}

std::string Event::label() const {
  if (kind == "screen") return "screen " + key;
  if (kind == "text") return "text";
  if (kind == "send") return "data sent";
  if (kind == "control") return "screen control";
  if (kind == "end") return "end of the task";
  if (kind == "xctl") return "XCTL to " + key;
  if (kind == "link") return "LINK to " + key;
  if (kind == "file" || kind == "queue") return key;
  if (kind == "abend") return "abend " + key;
  if (kind == "notask") return "no task started";
  if (kind == "stopped") return "the run stopped";
  if (kind == "syncpoint") return "SYNCPOINT";
  return kind;
}

const Item* Event::item(std::string_view name) const {
  for (const Item& each : items)
    if (each.name == name) return &each;
  return nullptr;
}

bool read_trace(std::string_view text, const TraceView& view, TaskTrace& trace,
                std::string& error) {
  trace = TaskTrace();
  std::vector<std::string> words;
  std::vector<std::size_t> links;  // the open LINK events, innermost last (npos: left out)
  std::string header_area;
  bool header_seen = false;
  Event* screen = nullptr;
  std::size_t begin = 0;
  int number = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(begin, end - begin);
    begin = end + 1;
    ++number;
    if (line.empty()) continue;
    if (!split_trace_line(line, words) || words.size() < 4) {
      error = "line " + std::to_string(number) + " of the trace cannot be read";
      return false;
    }
    const std::string& kind = words[0];
    int level = std::atoi(words[1].c_str());
    auto operand = [&](std::size_t i) -> std::string {
      return i + 4 < words.size() ? words[i + 4] : std::string();
    };
    // The front end's or the client's own commands only describe how the program is called.
    bool caller = view.converted && level == 0;
    if (kind == "field" && screen) {
      Item field = item(operand(0), operand(1));
      field.field = true;
      screen->items.push_back(std::move(field));
      continue;
    }
    if (kind != "field") screen = nullptr;
    if (kind == "sendmap") {
      Event& event = add_event(trace, "screen", operand(0));
      event.items.push_back(item("MAPSET", operand(1)));
      screen_items(operand(2), operand(3), view.header_only, true, event.items);
      // A map sent without its data shows no field.
      if (operand(2).size() < 3 || operand(2)[2] != 'M') screen = &event;
    } else if (kind == "sendtext" || kind == "sendfrom") {
      bool text_sent = kind == "sendtext";
      const char* name = text_sent ? "text" : "send";
      Event& event = add_event(trace, name, name);
      screen_items(operand(0), operand(1), view.header_only, false, event.items);
      event.items.push_back(item("LENGTH", operand(2)));
      event.items.push_back(item(text_sent ? "TEXT" : "DATA", operand(3)));
    } else if (kind == "sendcontrol") {
      Event& event = add_event(trace, "control", "control");
      screen_items(operand(0), operand(1), view.header_only, false, event.items);
    } else if (kind == "returnhead") {
      if (level == 0) {
        header_area = operand(2);
        header_seen = true;
      }
    } else if (kind == "return") {
      if (level != 0) continue;
      Event& event = add_event(trace, "end", "end");
      event.items.push_back(item("next transaction", operand(0) == "-" ? "none" : operand(0)));
      std::string area = view.converted ? (header_seen ? header_area : std::string()) : operand(2);
      event.items.push_back(item("communication area", area));
    } else if (kind == "notask") {
      add_event(trace, "notask", "notask");
    } else if (kind == "xctl") {
      if (operand(3) != "Y") continue;
      Event& event = add_event(trace, "xctl", operand(0));
      event.items.push_back(item("communication area", operand(2)));
    } else if (kind == "link") {
      if (operand(3) != "Y") {
        if (!caller) {
          Event& event = add_event(trace, "link", operand(0));
          event.items.push_back(item("communication area", operand(2)));
          event.items.push_back(item("program found", "no"));
        }
        continue;
      }
      if (caller) {
        links.push_back(std::string::npos);
        continue;
      }
      Event& event = add_event(trace, "link", operand(0));
      event.items.push_back(item("communication area", operand(2)));
      links.push_back(trace.events.size() - 1);
    } else if (kind == "linkend") {
      if (links.empty()) continue;
      std::size_t at = links.back();
      links.pop_back();
      if (at != std::string::npos)
        trace.events[at].items.push_back(item("communication area after", operand(2)));
    } else if (kind == "file" || kind == "queue") {
      bool file = kind == "file";
      Event& event = add_event(trace, kind, operand(0) + (file ? " " : " TS ") + operand(1));
      event.items.push_back(item(file ? "key" : "item", operand(2)));
      event.items.push_back(item("condition", operand(3)));
      event.items.push_back(item(file ? "record" : "data", operand(4)));
    } else if (kind == "abend") {
      add_event(trace, "abend", operand(0));
    } else if (kind == "syncpoint") {
      add_event(trace, "syncpoint", "syncpoint");
    } else if (kind == "unused") {
      trace.unused_fields.push_back(operand(0));
    } else if (kind == "unplayable") {
      trace.unplayable = operand(0);
    } else if (kind == "end") {
      trace.ended = true;
    }
    // task, receive, input, aid, condition and goback lines tell how the task ran, not what
    // it showed.
  }
  return true;
}

void mask_undefined(TaskTrace& first, const TaskTrace& second) {
  std::size_t count = std::min(first.events.size(), second.events.size());
  std::size_t same = 0;
  for (; same < count; ++same) {
    const Event& a = first.events[same];
    const Event& b = second.events[same];
    if (a.kind != b.kind || a.key != b.key || a.items.size() != b.items.size()) break;
    bool names = true;
    for (std::size_t i = 0; i < a.items.size(); ++i)
      if (a.items[i].name != b.items[i].name) names = false;
    if (!names) break;
  }
  for (std::size_t e = 0; e < first.events.size(); ++e) {
    Event& event = first.events[e];
    for (std::size_t i = 0; i < event.items.size(); ++i) {
      Value& value = event.items[i].value;
      if (e >= same) {
        value.undefined.assign(value.bytes.size(), true);
        continue;
      }
      const Value& other = second.events[e].items[i].value;
      if (other.bytes.size() != value.bytes.size()) {
        value.undefined.assign(std::max<std::size_t>(value.bytes.size(), 1), true);
        continue;
      }
      for (std::size_t k = 0; k < value.bytes.size(); ++k) {
        if (value.bytes[k] == other.bytes[k]) continue;
        value.undefined.resize(value.bytes.size(), false);
        value.undefined[k] = true;
      }
    }
  }
  if (same < first.events.size() || same < second.events.size())
    first.diverged = same < first.events.size() ? first.events[same].label() : "its end";
}

std::string trimmed(const std::string& bytes) {
  std::size_t end = bytes.size();
  while (end > 0 && (bytes[end - 1] == ' ' || bytes[end - 1] == '\0')) --end;
  return bytes.substr(0, end);
}

std::string shown(const Value& value) {
  if (value.all_undefined()) return "undefined";
  const std::string& bytes = value.bytes;
  std::size_t end = bytes.size();
  std::size_t nulls = 0;
  while (end > 0 && bytes[end - 1] == '\0' && !value.undefined_at(end - 1)) {
    --end;
    ++nulls;
  }
  while (end > 0 && bytes[end - 1] == ' ' && !value.undefined_at(end - 1) && nulls == 0) --end;
  static const char kHex[] = "0123456789ABCDEF";
  std::string text = "\"";
  for (std::size_t i = 0; i < end; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (value.undefined_at(i)) {
      text += '?';
    } else if (c == '"' || c == '\\') {
      text += '\\';
      text += static_cast<char>(c);
    } else if (c >= 32 && c <= 126) {
      text += static_cast<char>(c);
    } else {
      text += "\\x";
      text += kHex[c >> 4];
      text += kHex[c & 15];
    }
  }
  text += '"';
  if (nulls == bytes.size() && nulls > 0)
    return std::to_string(nulls) + (nulls == 1 ? " null" : " nulls");
  if (nulls > 0) text += " and " + std::to_string(nulls) + (nulls == 1 ? " null" : " nulls");
  return text;
}

namespace {

// Two values are the same where both are defined; values of other lengths differ unless one
// is wholly undefined.
bool same_value(const Value& a, const Value& b) {
  if (a.all_undefined() || b.all_undefined()) return true;
  if (a.bytes.size() != b.bytes.size()) return false;
  for (std::size_t i = 0; i < a.bytes.size(); ++i) {
    if (a.undefined_at(i) || b.undefined_at(i)) continue;
    if (a.bytes[i] != b.bytes[i]) return false;
  }
  return true;
}

bool is_quoted_item(const Item& item) {
  return item.field || item.name == "TEXT" || item.name == "DATA" || item.name == "key" ||
         item.name == "record" || item.name == "data" ||
         item.name.rfind("communication area", 0) == 0;
}

std::string shown_item(const Item& item) {
  if (!is_quoted_item(item)) return item.value.all_undefined() ? "undefined" : item.value.bytes;
  std::string text = shown(item.value);
  if (item.name.rfind("communication area", 0) == 0 && !item.value.all_undefined())
    text += " (" + std::to_string(item.value.bytes.size()) + " bytes)";
  return text;
}

void compare_events(const Event& original, const Event& converted, std::vector<std::string>& out) {
  std::string label = original.label();
  for (const Item& item : original.items) {
    const Item* other = converted.item(item.name);
    std::string name = item.field ? item.name : label + " " + item.name;
    if (original.kind == "end") name = item.name;
    if (!other) {
      out.push_back(name + ": original " + shown_item(item) + ", converted none");
      continue;
    }
    if (!same_value(item.value, other->value))
      out.push_back(name + ": original " + shown_item(item) + ", converted " + shown_item(*other));
  }
  for (const Item& item : converted.items) {
    if (original.item(item.name)) continue;
    std::string name = item.field ? item.name : label + " " + item.name;
    out.push_back(name + ": original none, converted " + shown_item(item));
  }
}

std::string missing(const Event& event) {
  if (event.kind == "notask") return "the conversation had ended for the original";
  if (event.kind == "screen") {
    const Item* type = event.item("SENDTYPE");
    bool controlled = type && type->value.bytes != "map and data";
    return std::string(controlled ? "SENDTYPE-controlled " : "") + event.label() + " not sent";
  }
  if (event.kind == "text" || event.kind == "send" || event.kind == "control")
    return event.label() + " not sent";
  return event.label() + " only in the original";
}

std::string extra(const Event& event) {
  if (event.kind == "notask") return "the conversation had ended for the converted program";
  if (event.kind == "screen" || event.kind == "text" || event.kind == "send" ||
      event.kind == "control")
    return event.label() + " sent only by the converted program";
  return event.label() + " only in the converted program";
}

}  // namespace

std::vector<std::string> differences(const TaskTrace& original, const TaskTrace& converted) {
  const std::vector<Event>& a = original.events;
  const std::vector<Event>& b = converted.events;
  // The longest common run of events with the same kind and key, by dynamic programming over
  // the two (short) lists.
  std::vector<std::vector<int>> common(a.size() + 1, std::vector<int>(b.size() + 1, 0));
  for (std::size_t i = a.size(); i-- > 0;)
    for (std::size_t j = b.size(); j-- > 0;)
      common[i][j] = a[i].kind == b[j].kind && a[i].key == b[j].key
                         ? common[i + 1][j + 1] + 1
                         : std::max(common[i + 1][j], common[i][j + 1]);
  std::vector<std::string> out;
  std::size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && a[i].kind == b[j].kind && a[i].key == b[j].key) {
      compare_events(a[i], b[j], out);
      ++i;
      ++j;
    } else if (j < b.size() && (i == a.size() || common[i][j + 1] >= common[i + 1][j])) {
      out.push_back(extra(b[j]));
      ++j;
    } else {
      out.push_back(missing(a[i]));
      ++i;
    }
  }
  return out;
}

std::vector<std::string> undefined_items(const TaskTrace& trace) {
  std::vector<std::string> names;
  for (const Event& event : trace.events) {
    for (const Item& item : event.items) {
      if (!item.value.any_undefined()) continue;
      names.push_back(item.field ? item.name + " of " + event.label()
                                 : item.name + (event.kind == "end" ? "" : " of " + event.label()));
    }
  }
  return names;
}

}  // namespace replay
