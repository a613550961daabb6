#pragma once

#include "engine/value.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace engine {

// A forward walk over rows: a query's result, or a table in its active order.
// Reports and exports read their data through this, so they need not know
// where the rows come from.
class RowSource
{
public:
    virtual ~RowSource() = default;

    // The fields of every row, in column order.
    virtual const std::vector<FieldDef> &fields() const = 0;

    // Stands before the first row; the next call to next() reads it.
    virtual void restart() = 0;
    // Moves to the next row. Returns false, and holds no row, past the last one.
    virtual bool next() = 0;
    // The value of a field of the row next() stands on. Precondition: the last
    // next() returned true and field < fields().size().
    virtual const Value &value(std::size_t field) const = 0;

    // The number of rows, or -1 when it is not known in advance.
    virtual std::int64_t rowCountHint() const { return -1; }

    // The index of the field named name (ASCII case-insensitive), or -1.
    int fieldIndex(std::string_view name) const
    {
        const auto &all = fields();
        for (std::size_t i = 0; i < all.size(); ++i) {
            const std::string &candidate = all[i].name;
            if (candidate.size() != name.size())
                continue;
            bool same = true;
            for (std::size_t k = 0; k < name.size() && same; ++k) {
                const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
                same = lower(candidate[k]) == lower(name[k]);
            }
            if (same)
                return int(i);
        }
        return -1;
    }
};

} // namespace engine
