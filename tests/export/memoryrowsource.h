#pragma once

#include "engine/rowsource.h"

#include <utility>
#include <vector>

// A row source over rows held in memory, standing in for a ledger table.
class MemoryRowSource : public engine::RowSource
{
public:
    MemoryRowSource(std::vector<engine::FieldDef> fields, std::vector<std::vector<engine::Value>> rows)
        : m_fields(std::move(fields))
        , m_rows(std::move(rows))
    {
    }

    const std::vector<engine::FieldDef> &fields() const override { return m_fields; }
    void restart() override { m_position = -1; }
    bool next() override
    {
        if (m_position + 1 >= std::int64_t(m_rows.size())) {
            m_position = std::int64_t(m_rows.size());
            return false;
        }
        ++m_position;
        return true;
    }
    const engine::Value &value(std::size_t field) const override { return m_rows[std::size_t(m_position)][field]; }
    std::int64_t rowCountHint() const override { return m_knownCount ? std::int64_t(m_rows.size()) : -1; }

    // Makes rowCountHint() answer -1, like a source that cannot count ahead.
    void hideCount() { m_knownCount = false; }
    const std::vector<std::vector<engine::Value>> &rows() const { return m_rows; }

private:
    std::vector<engine::FieldDef> m_fields;
    std::vector<std::vector<engine::Value>> m_rows;
    std::int64_t m_position = -1;
    bool m_knownCount = true;
};
