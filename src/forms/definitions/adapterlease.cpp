#include "forms/definitions/adapterlease.h"

#include "engine/table.h"
#include "widgets/tableadapter.h"

namespace forms {

AdapterLease::AdapterLease(engine::Table &table) : m_table(table)
{
    // The adapter claims the observer place as it is made; take its pointer
    // as the table sees it and hand the place straight back.
    engine::TableObserver *before = table.observer();
    m_adapter = std::make_unique<widgets::TableAdapter>(table);
    m_own = table.observer();
    table.setObserver(before);
}

AdapterLease::~AdapterLease()
{
    release();
    // The adapter clears the observer place when destroyed; keep whoever holds it.
    engine::TableObserver *holder = m_table.observer();
    m_adapter.reset();
    if (holder != m_own)
        m_table.setObserver(holder);
}

void AdapterLease::attach()
{
    if (m_attached)
        return;
    m_previous = m_table.observer();
    m_table.setObserver(m_own);
    m_attached = true;
    m_own->tableReset();
    m_own->currentRowChanged();
}

void AdapterLease::release()
{
    if (!m_attached)
        return;
    m_attached = false;
    // Only give the place back when it is still ours: whoever took it since
    // attach() keeps it.
    if (m_table.observer() != m_own)
        return;
    m_table.setObserver(m_previous);
    if (m_previous) {
        m_previous->tableReset();
        m_previous->currentRowChanged();
        m_previous->editStateChanged();
    }
    m_previous = nullptr;
}

} // namespace forms
