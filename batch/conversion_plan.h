// Which conversions of a run may not run, and which must wait for which: from the files each
// conversion reads and writes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace batch {

/// How a conversion touches a file.
enum class Use {
  kOutput,        // writes it as its own: converted program, message file, front end
  kMemberOutput,  // writes it as the converted copy of a copybook member
  kRead,          // reads it, or looks for a copybook member under its name
};

/// One file a conversion touches.
struct Touch {
  std::string file;   // the file, one spelling per file (absolute, normalised, links resolved)
  std::string shown;  // the name the user is shown
  Use use = Use::kRead;
  std::string what;    // what it is to the conversion: "converted program", "copybook member X"
  std::string source;  // for kMemberOutput: the `file` of the member it is converted from
};

/// One conversion: the program as shown, and every file it touches.
struct Conversion {
  std::string program;
  std::vector<Touch> touches;
};

/// A conversion that may not run, and why: another conversion would write a file that it
/// writes or reads.
struct Clash {
  std::size_t other = 0;  // the conversion it clashes with
  std::string file;       // the file as shown
  std::string own_use;    // what the file is to this conversion
  std::string other_use;  // what it is to the other
};

/// The plan of a run, one entry per conversion in the order given (name order).
struct Plan {
  std::vector<std::vector<Clash>> clashes;          // empty: the conversion runs
  std::vector<std::vector<std::size_t>> waits_for;  // conversions that must end before it starts
};

/// Plans `conversions` (in name order). Two conversions clash over a file that both write,
/// unless both write it as the converted copy of the same member; and over a file that one
/// writes and the other reads. Clashing conversions are both left out. Of the others, each
/// waits for the one before it (in name order) that touches a file that either writes, so that
/// the outcome is that of converting them one after the other.
Plan plan_conversions(const std::vector<Conversion>& conversions);

}  // namespace batch
