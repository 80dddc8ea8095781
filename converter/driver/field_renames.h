// Replacement of the monitor's interface-block fields by the fields of the standard header.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace converter {

struct ConversionRun;

/// True for the characters of a COBOL word: letters, digits, "-" and "_".
bool is_cobol_word_character(char c);

/// Offset of the first reference to `name` in `text` at or after `from`, or npos. A reference is
/// `name` in any case, standing as a whole COBOL word (the characters around it, where there are
/// any, are no word characters), outside every literal (from an apostrophe or quotation mark to
/// the next same character, or to the end of the text), and, for KVZCOMMAREA, not already
/// preceded by "USRCOMM OF " (any case).
std::size_t find_field_reference(std::string_view text, std::string_view name, std::size_t from);

/// False only when `text` cannot hold a reference to any interface-block field or to
/// KVZCOMMAREA: it holds neither "EIB" nor "KVZ" in any case. Fast, for the line loop.
bool may_name_a_field(std::string_view text);

/// Which renames apply: all six, or the five interface-block fields without KVZCOMMAREA (in the
/// LINKAGE SECTION, where KVZCOMMAREA is the area itself).
enum class RenameSet { kAll, kInterfaceBlock };

/// What a rename does besides changing the text: log "<name> changed" with the current output
/// line count and count it, or nothing (the text of a command whose own lines are renamed).
enum class RenameNote { kLogged, kSilent };

/// Renames every reference (see `find_field_reference`), from left to right, with the renames
/// of `set` in their fixed order (EIBTRMID, EIBTRNID, EIBAID, EIBCPOSN, EIBCALEN, KVZCOMMAREA),
/// each on the text the previous one left. Each replacement is logged and counted unless `note`
/// is kSilent. Returns whether any applied.
bool rename_interface_fields(ConversionRun& run, std::string& text, RenameSet set = RenameSet::kAll,
                             RenameNote note = RenameNote::kLogged);

/// Applies the renames of `set` to columns 1 to 72 of the source line `line`; columns 73 onward
/// (the identification area) are neither searched nor moved. When a rename applied, `line` becomes
/// the renamed text followed by the identification area, and the length of that area is returned;
/// nothing when no rename applied.
std::optional<std::size_t> rename_source_line(ConversionRun& run, std::string& line,
                                              RenameSet set = RenameSet::kAll);

}  // namespace converter
