// The first two characters of every word of a line, kept as a small set, so that the line loop
// can skip keyword searches that cannot succeed on the line.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace converter {

/// What the words of one line begin with. A keyword that `find_keyword` finds on the line begins
/// a word there (it starts the line or follows a blank), so its first two characters are among
/// those of the line's words: when `may_hold` is false, `find_keyword` finds nothing. The test
/// ignores case, so it also answers for a word written in small letters.
class WordStarts {
 public:
  /// Looks at every word of `line`; holds nothing of the line afterwards.
  explicit WordStarts(std::string_view line);

  /// False only when no word of the line begins with the first two characters of `word` (in
  /// any case); `word` has at least two characters. True may be a false alarm.
  bool may_hold(std::string_view word) const;

 private:
  static unsigned slot(char first, char second);
  // Notes the word that begins at `word` (the line ends at `end`).
  void add(const char* word, const char* end);

  std::array<std::uint64_t, 4> bits_{};
};

}  // namespace converter
