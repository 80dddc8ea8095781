// The trace of one task as the stand-in wrote it, read into what a user sees of the task, with
// storage never set masked, and two traces compared item by item.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace replay {

/// The bytes of a value and which of them were never set (they differ between two runs that
/// start with different bytes).
struct Value {
  std::string bytes;
  std::vector<bool> undefined;  // empty: every byte defined
  bool undefined_at(std::size_t i) const { return i < undefined.size() && undefined[i]; }
  bool any_undefined() const;
  bool all_undefined() const;
};

/// One thing an event shows: a field of a screen, an option, the next transaction.
struct Item {
  std::string name;
  Value value;
  bool field = false;  // a field of a map area, named by itself in the differences
};

/// What a task did that a user or another program sees.
struct Event {
  std::string
      kind;  // screen text send control end xctl link file queue abend syncpoint notask stopped
  std::string key;  // what two events must share to be the same event: the map, the program
  std::vector<Item> items;
  std::string label() const;
  const Item* item(std::string_view name) const;
};

/// What one task showed.
struct TaskTrace {
  std::vector<Event> events;
  std::vector<std::string> unused_fields;  // typed, but no RECEIVE MAP took them
  bool ended = false;                      // the trace reached its end line
  std::string unplayable;                  // a program the task went to that cannot be played
  std::string diverged;  // the event from which the task did what storage never set decided
};

/// How a trace is read: which side wrote it, and what the comparison leaves out.
struct TraceView {
  bool converted = false;    // the level-0 program is a front end or the client
  bool header_only = false;  // through the client: FREEKB, FRSET and CURSOR are not in the header
};

/// Reads the stand-in's trace `text` into events. False with `error` at a line it cannot read.
bool read_trace(std::string_view text, const TraceView& view, TaskTrace& trace, std::string& error);

/// Marks in `first` what differs from `second`, the same task run with other initial bytes:
/// bytes of equal-length values that differ, whole values of other lengths, and every event
/// from the first one that is not the same in both.
void mask_undefined(TaskTrace& first, const TaskTrace& second);

/// The differences between the original's task and the converted program's, one text each, as
/// the user reads them (MSGO: original "A", converted "B").
std::vector<std::string> differences(const TaskTrace& original, const TaskTrace& converted);

/// What is undefined in a task, for the note under its step ("MSGO of screen MENU1").
std::vector<std::string> undefined_items(const TaskTrace& trace);

/// A value for the user: in double quotes, trailing blanks left out, a trailing run of nulls
/// told as a count, other bytes that do not print as \xHH, undefined bytes as "?".
std::string shown(const Value& value);

/// The bytes with trailing blanks and nulls left out.
std::string trimmed(const std::string& bytes);

}  // namespace replay
