// Replacement of the monitor's interface-block fields by the fields of the standard header.
#include "converter/driver/field_renames.h"

#include "converter/driver/column_margin.h"
#include "converter/driver/conversion_log.h"
#include "converter/driver/conversion_run.h"
#include "converter/driver/keyword_scanner.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace converter {

using message_format::Message;
using message_format::Row;

namespace {

// One row of the rename table: the name found, its replacement, the summary row that counts
// it and the message that logs it.
struct FieldRename {
  std::string_view old_name;
  std::string_view new_name;
  Row counter;
  Message message;
};

// Applied in this order, each on the text the previous one left.
constexpr FieldRename kFieldRenames[] = {
    {"EIBTRMID", "USRTRMID", Row::kEibtrmid, Message::kEibtrmidChanged},
    {"EIBTRNID", "USRTRNID", Row::kEibtrnid, Message::kEibtrnidChanged},
    {"EIBAID", "USRAID", Row::kEibaid, Message::kEibaidChanged},
    {"EIBCPOSN", "USRCPOSN", Row::kEibcposn, Message::kEibcposnChanged},
    {"EIBCALEN", "USRCALEN", Row::kEibcalen, Message::kEibcalenChanged},
    {"KVZCOMMAREA", "USRCOMM OF KVZCOMMAREA", Row::kCommarea, Message::kCommareaChanged},
};

// What a reference to KVZCOMMAREA that is already the user part looks like.
constexpr std::string_view kUserPartOf = "USRCOMM OF ";

// Replaces every reference to the row's name, logs and counts each one unless silent. Returns
// how many.
int rename_field(ConversionRun& run, std::string& text, const FieldRename& rename,
                 RenameNote note) {
  int renamed = 0;
  std::size_t from = 0;
  for (;;) {
    std::size_t at = find_field_reference(text, rename.old_name, from);
    if (at == std::string::npos) return renamed;
    text.replace(at, rename.old_name.size(), rename.new_name);
    if (note == RenameNote::kLogged) {
      log_message(run, run.output_line_count, rename.message);
      ++run.count(rename.counter);
    }
    ++renamed;
    // The search goes on after the inserted text, which never holds the name again.
    from = at + rename.new_name.size();
  }
}

// True when the three bytes at `at` are `a`, `b`, `c` in any case (each a small letter).
inline bool letters_at(const char* at, char a, char b, char c) {
  return (at[0] | 0x20) == a && (at[1] | 0x20) == b && (at[2] | 0x20) == c;
}

}  // namespace

bool is_cobol_word_character(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

std::size_t find_field_reference(std::string_view text, std::string_view name, std::size_t from) {
  constexpr std::size_t kNone = std::string_view::npos;
  if (name.empty() || text.size() < name.size()) return kNone;
  // Where literals stand is worked out only up to each place where the name is written, as most
  // texts hold the name nowhere.
  std::size_t scanned = 0;  // the text before this place has been looked at for literals
  char quote = 0;           // the quote that opened the literal `scanned` is in, or 0
  for (std::size_t at = find_letter(text, name[0], from);
       at != kNone && at + name.size() <= text.size(); at = find_letter(text, name[0], at + 1)) {
    if (!equal_ignoring_case(text.substr(at, name.size()), name)) continue;
    if (at > 0 && is_cobol_word_character(text[at - 1])) continue;
    std::size_t after = at + name.size();
    if (after < text.size() && is_cobol_word_character(text[after])) continue;
    if (name == "KVZCOMMAREA" && at >= kUserPartOf.size() &&
        equal_ignoring_case(text.substr(at - kUserPartOf.size(), kUserPartOf.size()), kUserPartOf))
      continue;
    for (; scanned < at; ++scanned) {
      char c = text[scanned];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '\'' || c == '"') {
        quote = c;
      }
    }
    if (quote == 0) return at;
  }
  return kNone;
}

#if defined(__SSE2__)

// Sixteen places at a time: the pairs "ib" and "vz" in any case, each then checked for the "e" or
// "k" before it (pairs are rare, so that check seldom runs).
bool may_name_a_field(std::string_view text) {
  const char* data = text.data();
  const std::size_t size = text.size();
  if (size < 17) {
    for (std::size_t at = 0; at + 3 <= size; ++at)
      if (letters_at(data + at, 'e', 'i', 'b') || letters_at(data + at, 'k', 'v', 'z')) return true;
    return false;
  }
  const __m128i fold = _mm_set1_epi8(0x20);
  const __m128i i = _mm_set1_epi8('i'), b = _mm_set1_epi8('b');
  const __m128i v = _mm_set1_epi8('v'), z = _mm_set1_epi8('z');
  // The last block is taken where it ends with the text, overlapping the one before it.
  for (std::size_t at = 1;; at += 16) {
    if (at + 17 > size) at = size - 16;
    __m128i first =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at - 1)), fold);
    __m128i second =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at)), fold);
    __m128i ib = _mm_and_si128(_mm_cmpeq_epi8(first, i), _mm_cmpeq_epi8(second, b));
    __m128i vz = _mm_and_si128(_mm_cmpeq_epi8(first, v), _mm_cmpeq_epi8(second, z));
    // Bit n: the pair stands at `at` - 1 + n; the name at one place before it.
    for (unsigned pairs = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(ib, vz)));
         pairs != 0; pairs &= pairs - 1) {
      std::size_t pair = at - 1 + static_cast<std::size_t>(__builtin_ctz(pairs));
      if (pair > 0 && (letters_at(data + pair - 1, 'e', 'i', 'b') ||
                       letters_at(data + pair - 1, 'k', 'v', 'z')))
        return true;
    }
    if (at + 16 == size) return false;
  }
}

#else

bool may_name_a_field(std::string_view text) {
  for (std::size_t at = 0; at + 3 <= text.size(); ++at)
    if (letters_at(text.data() + at, 'e', 'i', 'b') || letters_at(text.data() + at, 'k', 'v', 'z'))
      return true;
  return false;
}

#endif

bool rename_interface_fields(ConversionRun& run, std::string& text, RenameSet set,
                             RenameNote note) {
  // Every name replaced begins with "EIB" but KVZCOMMAREA: a text holding neither in any case
  // needs no search at all.
  if (!may_name_a_field(text)) return false;
  int renamed = 0;
  for (const FieldRename& rename : kFieldRenames) {
    if (set == RenameSet::kInterfaceBlock && rename.counter == Row::kCommarea) continue;
    renamed += rename_field(run, text, rename, note);
  }
  return renamed > 0;
}

std::optional<std::size_t> rename_source_line(ConversionRun& run, std::string& line,
                                              RenameSet set) {
  if (line.size() <= kTextMarginColumn) {
    if (!rename_interface_fields(run, line, set)) return std::nullopt;
    return 0;
  }
  // Columns 73 on are the identification area: neither searched nor moved.
  std::string_view program_text = std::string_view(line).substr(0, kTextMarginColumn);
  if (!may_name_a_field(program_text)) return std::nullopt;
  std::string text(program_text);
  if (!rename_interface_fields(run, text, set)) return std::nullopt;
  std::size_t identification_length = line.size() - kTextMarginColumn;
  line.replace(0, kTextMarginColumn, text);
  return identification_length;
}

}  // namespace converter
