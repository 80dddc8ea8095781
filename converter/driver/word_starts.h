// The first three characters of every word of a line, kept as a small set, so that the line
// loop can skip keyword searches that cannot succeed on the line.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace converter {

/// What the words of one line begin with. A keyword that `find_keyword` finds on the line begins
/// a word there (it starts the line or follows a blank), so its first three characters are among
/// those of the line's words: when `may_hold` is false, `find_keyword` finds nothing. The test
/// ignores case, so it also answers for a word written in small letters.
class WordStarts {
 public:
  /// Looks at every word of `line`; holds nothing of the line afterwards.
  explicit WordStarts(std::string_view line);

  /// False only when no word of the line begins with the first three characters of `word` (in
  /// any case). True may be a false alarm, and is the answer for a word shorter than three.
  bool may_hold(std::string_view word) const {
    if (word.size() < 3) return true;
    unsigned index = slot(word[0], word[1], word[2]);
    return (bits_[index >> 6] >> (index & 63u)) & 1u;
  }

 private:
  // Letters fold to capitals by clearing bit 5; other characters fold too, which only adds
  // false alarms. The three characters are spread over 256 slots by a multiplicative hash of
  // the key that holds them in its low three bytes, first character lowest.
  static unsigned slot_of_key(std::uint32_t key) { return ((key & 0xDFDFDFu) * 0x9E3779B1u) >> 24; }
  static unsigned slot(char first, char second, char third) {
    return slot_of_key(static_cast<unsigned char>(first) | static_cast<unsigned char>(second) << 8 |
                       static_cast<std::uint32_t>(static_cast<unsigned char>(third)) << 16);
  }
  // Notes the word whose first three characters are the low bytes of `key`.
  void add_key(std::uint32_t key) {
    unsigned index = slot_of_key(key);
    bits_[index >> 6] |= std::uint64_t{1} << (index & 63u);
  }
  // Notes the word that begins at `word` (the line ends at `end`).
  void add(const char* word, const char* end) {
    char second = end - word > 1 ? word[1] : '\0';
    char third = end - word > 2 ? word[2] : '\0';
    add_key(static_cast<unsigned char>(word[0]) | static_cast<unsigned char>(second) << 8 |
            static_cast<std::uint32_t>(static_cast<unsigned char>(third)) << 16);
  }

  std::array<std::uint64_t, 4> bits_{};
};

}  // namespace converter
