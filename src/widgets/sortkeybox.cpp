#include "widgets/sortkeybox.h"

#include "engine/error.h"
#include "widgets/tableadapter.h"

namespace widgets {

SortKeyBox::SortKeyBox(TableAdapter &adapter, QWidget *parent) : QComboBox(parent), m_adapter(adapter)
{
    setEditable(false);
    connect(&adapter, &TableAdapter::reset, this, &SortKeyBox::showActiveIndex);
    connect(this, &QComboBox::activated, this, &SortKeyBox::pick);
}

void SortKeyBox::setEntries(const QList<Entry> &entries)
{
    m_updating = true;
    m_entries = entries;
    clear();
    for (const Entry &entry : entries)
        addItem(entry.label);
    m_updating = false;
    showActiveIndex();
}

void SortKeyBox::showActiveIndex()
{
    const engine::Table &table = m_adapter.table();
    const QString active = table.isOpen() ? QString::fromStdString(table.activeIndex()) : QString();
    int row = -1;
    for (int i = 0; i < m_entries.size(); ++i)
        if (!active.isEmpty() && m_entries[i].indexName.compare(active, Qt::CaseInsensitive) == 0)
            row = i;
    m_updating = true;
    setCurrentIndex(row);
    m_updating = false;
}

void SortKeyBox::pick(int row)
{
    if (m_updating || row < 0 || row >= m_entries.size())
        return;
    engine::Table &table = m_adapter.table();
    try {
        table.setActiveIndex(m_entries[row].indexName.toStdString());
    } catch (const engine::Error &e) {
        showActiveIndex();
        emit failed(QString::fromUtf8(e.what()));
        return;
    }
    emit orderChanged();
}

} // namespace widgets
