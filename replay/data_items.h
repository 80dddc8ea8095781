// The data items a program declares: level numbers, names and tables, enough to name every
// field of a map area and refer to it in COBOL.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace replay {

/// Most field references one map area is traced or filled with; an area with more (large
/// tables) is traced as one field under its own name.
constexpr std::size_t kMaxAreaFields = 1000;

/// One data description entry.
struct DataItem {
  int level = 0;
  std::string name;      // in capitals; empty for FILLER or an entry without a name
  int parent = -1;       // index of the group it belongs to, or -1
  int occurs = 0;        // the largest number of occurrences, 0 when not a table
  bool group = false;    // has subordinate entries
  bool linkage = false;  // declared in the LINKAGE SECTION
};

/// A field of an area: the name the traces and scripts use, and a COBOL reference to it.
struct FieldReference {
  std::string name;       // NAME, NAME(3), NAME(1,2)
  std::string reference;  // NAME OF GROUP OF AREA (1 2)
  std::string stem;       // the name without its last letter, for the I, L, F, A fields
};

/// The data items of one program, filled entry by entry.
class DataItems {
 public:
  /// Takes the code area (columns 8 to 72) of the next line of the DATA DIVISION; `linkage`
  /// when it stands in the LINKAGE SECTION. Entries end at a period outside literals.
  void add_code(std::string_view code, bool linkage);
  /// Ends the entry being read, if any (at a section or division header).
  void flush();

  /// The item that `reference` names (a data name, optionally qualified with OF or IN), or -1.
  int find(std::string_view reference) const;
  /// The elementary named fields below item `area`, in declaration order, each with all its
  /// occurrences (subscripts of the tables between, the last one running fastest); nothing
  /// when there are more than kMaxAreaFields of them.
  std::vector<FieldReference> fields_of(int area) const;
  const std::vector<DataItem>& items() const { return items_; }

 private:
  void add_entry(const std::vector<std::string>& words, bool linkage);

  std::vector<DataItem> items_;
  std::vector<std::string> words_;  // of the entry being read
  std::string word_;
  char quote_ = 0;
  bool entry_linkage_ = false;
};

}  // namespace replay
