#include "reports/memoryrowsource.h"

#include <cassert>

namespace reports {

MemoryRowSource::MemoryRowSource(std::vector<engine::FieldDef> fields)
    : m_fields(std::move(fields))
{
}

void MemoryRowSource::append(std::vector<engine::Value> row)
{
    assert(row.size() == m_fields.size());
    row.resize(m_fields.size());
    m_rows.push_back(std::move(row));
}

bool MemoryRowSource::next()
{
    if (m_current + 1 >= std::ptrdiff_t(m_rows.size())) {
        m_current = std::ptrdiff_t(m_rows.size());
        return false;
    }
    ++m_current;
    return true;
}

const engine::Value &MemoryRowSource::value(std::size_t field) const
{
    assert(m_current >= 0 && m_current < std::ptrdiff_t(m_rows.size()) && field < m_fields.size());
    return m_rows[std::size_t(m_current)][field];
}

} // namespace reports
