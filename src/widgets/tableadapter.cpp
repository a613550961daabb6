#include "widgets/tableadapter.h"

namespace widgets {

TableAdapter::TableAdapter(engine::Table &table, QObject *parent) : QObject(parent), m_table(table)
{
    m_table.setObserver(this);
}

TableAdapter::~TableAdapter()
{
    m_table.setObserver(nullptr);
}

} // namespace widgets
