// Attention keys of HANDLE AID and the IF blocks that follow every later RECEIVE MAP.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace converter {

struct ConversionRun;

/// Longest label recorded for one attention key; a longer one is cut without a message.
constexpr std::size_t kAidLabelLength = 32;

/// Scans `text` from 4 characters after the word AID at `aid_position` and appends an
/// "&KEY=LABEL" entry to `run.aid_handlers` for each key option it recognises; logs invalid
/// PF and PA keys with `start_line`.
void capture_aid_keys(ConversionRun& run, std::string_view text, std::size_t aid_position,
                      int start_line);

/// Reads the parenthesised label at `position` of `text` and appends "&", `key`, "=" and the
/// label to `aid_handlers`. Returns the position to go on from; npos when the scan must end.
std::size_t append_aid_entry(std::string& aid_handlers, std::string_view text, std::string_view key,
                             std::size_t position);

/// The attention-key constant for the key at the start of `entry` (PF05 gives KVZPF5, ENTER
/// KVZENTER); empty for ANYKEY, whose block compares with KVZENTER the other way round.
std::string aid_constant_name(std::string_view entry);

/// Writes one IF USRAID block per entry of `run.aid_handlers`, logged once: the blocks of the
/// keys in their order, then the block of the last ANYKEY entry (any key but ENTER). `ending`
/// follows the last END-IF (the command's terminator when no block follows, else nothing).
void emit_aid_blocks(ConversionRun& run, std::string_view indent, std::string_view ending);

/// Writes the IF USRMAPLN IS EQUAL TO 0 block for `run.mapfail_label`, logged; `ending` follows
/// its END-IF.
void emit_mapfail_block(ConversionRun& run, std::string_view indent, std::string_view ending);

}  // namespace converter
