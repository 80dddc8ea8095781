// A compile-time check for the tables that give an enumeration its texts.
#pragma once

#include <cstddef>

namespace text {

/// True when row i of `table` carries the id i (its `id` member), so that the table can be
/// indexed by its ids and no row is missing or out of place. Meant for a static_assert.
template <typename Table>
constexpr bool ids_in_order(const Table& table) {
  std::size_t index = 0;
  for (const auto& row : table)
    if (static_cast<std::size_t>(row.id) != index++) return false;
  return true;
}

}  // namespace text
