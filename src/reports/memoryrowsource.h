#pragma once

#include "engine/rowsource.h"

#include <vector>

namespace reports {

// Rows held in memory: for tests, benchmarks and reports built from rows
// already fetched.
class MemoryRowSource : public engine::RowSource
{
public:
    explicit MemoryRowSource(std::vector<engine::FieldDef> fields);

    // Appends a row; it must hold one value per field.
    void append(std::vector<engine::Value> row);
    void reserve(std::size_t rows) { m_rows.reserve(rows); }
    std::size_t size() const { return m_rows.size(); }

    const std::vector<engine::FieldDef> &fields() const override { return m_fields; }
    void restart() override { m_current = -1; }
    bool next() override;
    const engine::Value &value(std::size_t field) const override;
    std::int64_t rowCountHint() const override { return std::int64_t(m_rows.size()); }

private:
    std::vector<engine::FieldDef> m_fields;
    std::vector<std::vector<engine::Value>> m_rows;
    std::ptrdiff_t m_current = -1;
};

} // namespace reports
