#pragma once
// Indexing the trainer's tables without a cast at every use. The tool numbers
// most of its things from 1 (disks, partitions, steps, option tabs), so
// at(table, n) reads entry n of such a table; cell(table, i) reads entry i of
// a table numbered from 0 by a signed or narrower index.

#include <cstddef>
#include <utility>

namespace vxr {

template <class Table, class Number>
constexpr decltype(auto) at(Table&& table, Number n) {
    return std::forward<Table>(table)[static_cast<std::size_t>(n - 1)];
}

template <class Table, class Index>
constexpr decltype(auto) cell(Table&& table, Index i) {
    return std::forward<Table>(table)[static_cast<std::size_t>(i)];
}

}  // namespace vxr
