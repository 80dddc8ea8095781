// Replacement of the monitor's interface-block fields by the fields of the standard header.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace converter {

struct ConversionRun;

/// Applies the six renames in their fixed order (EIBTRMID, EIBTRNID, EIBAID, EIBCPOSN,
/// EIBCALEN, KVZCOMMAREA), each on the text the previous one left. Returns whether any applied.
bool rename_interface_fields(ConversionRun& run, std::string& text);

/// Applies the renames to columns 1 to 72 of the current source line `run.line`; columns 73
/// onward (the identification area) are neither searched nor moved. When a rename applied,
/// `run.line` becomes the renamed text followed by the identification area, and the length of
/// that area is returned; nothing when no rename applied.
std::optional<std::size_t> rename_source_line(ConversionRun& run);

}  // namespace converter
