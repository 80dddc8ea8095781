// The dialogue script: the program to play, its files and clock, and the turns of the terminal
// with the checks of their results.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace replay {

/// Longest value a field may be typed with: a whole screen of the terminal.
constexpr std::size_t kMaxFieldValue = 1920;

/// Longest key and record of a keyed file (what the stand-in keeps per record).
constexpr std::size_t kMaxFileKey = 64;
constexpr std::size_t kMaxFileRecord = 4096;

/// Which way of calling the converted program a statement is about.
enum class Way { kBoth, kFrontEnd, kClient };

/// A field typed on the screen.
struct TypedField {
  std::string name;   // a name of the map's input area, subscripts as NAME(1) or NAME(1,2)
  std::string value;  // the characters typed
  int line = 0;
};

/// One check of a step's result.
struct Expectation {
  enum Kind { kField, kMap, kText, kNext, kEnd, kAbend } kind = kEnd;
  std::string name;   // the field, the map, the next transaction, the condition
  std::string value;  // the field's value, the mapset, the text
  int line = 0;
};

/// A difference that is known and accepted in a step, by its text as the comparison prints it.
struct KnownDifference {
  Way way = Way::kBoth;
  std::string text;
  int line = 0;
};

/// One turn of the terminal.
struct Step {
  int line = 0;       // the line of its "step" statement
  int last_line = 0;  // its last line that holds a statement
  std::string title;
  bool start = false;  // a new conversation, no communication area
  std::string key;     // ENTER, CLEAR, PA1 to PA3, PF1 to PF24 (empty with start)
  std::vector<TypedField> fields;
  std::vector<Expectation> expectations;
  std::vector<KnownDifference> known;
};

/// A record of a keyed file that the programs read.
struct FileRecord {
  std::string file;
  std::string key;
  std::string record;
  int line = 0;
};

/// The whole script.
struct Dialogue {
  std::string program;      // NAME: NAME.zsc, NAME.new, NAMEFE.cbl
  std::string transaction;  // the code that starts the program
  std::string terminal = "T001";
  std::string date = "2000-01-01";  // the fixed clock
  std::string time = "12:00:00";
  std::vector<FileRecord> records;
  std::vector<Step> steps;
};

/// Reads the script `text` of file `file_name`. False with `error` set to "FILE:LINE: what was
/// expected" at the first fault.
bool read_dialogue(std::string_view text, const std::string& file_name, Dialogue& dialogue,
                   std::string& error);

/// True for the keys a step may press.
bool is_key_name(std::string_view key);

/// `value` written for a script: in double quotes, with \" and \\ inside.
std::string quoted(std::string_view value);

}  // namespace replay
