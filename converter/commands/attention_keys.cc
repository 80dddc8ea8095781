// Attention keys of HANDLE AID and the IF blocks that follow every later RECEIVE MAP.
#include "converter/commands/attention_keys.h"

#include "converter/commands/exec_statement.h"
#include "converter/driver/conversion_run.h"

namespace converter {

void capture_aid_keys(ConversionRun&, std::string_view, std::size_t, int) {}

std::size_t append_aid_entry(std::string&, std::string_view, std::string_view, std::size_t) {
  return std::string_view::npos;
}

std::string aid_constant_name(std::string_view) { return std::string(); }

void emit_aid_blocks(ConversionRun&, std::string_view) {}

void emit_mapfail_block(ConversionRun&, std::string_view) {}

}  // namespace converter
