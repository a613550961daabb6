#pragma once

#include <QComboBox>

namespace widgets {

class TableAdapter;

// A drop-down list of the orders a ledger can be shown in, one entry per
// index. Picking an entry makes that index the table's active one; while the
// table is in its primary order the box shows no entry.
class SortKeyBox : public QComboBox
{
    Q_OBJECT

public:
    struct Entry
    {
        QString indexName;
        QString label;
    };

    explicit SortKeyBox(TableAdapter &adapter, QWidget *parent = nullptr);

    void setEntries(const QList<Entry> &entries);
    const QList<Entry> &entries() const { return m_entries; }

signals:
    // The user picked an entry and the table now has that order.
    void orderChanged();
    // Activating the index failed; message is the engine's text.
    void failed(const QString &message);

private:
    void showActiveIndex();
    void pick(int row);

    TableAdapter &m_adapter;
    QList<Entry> m_entries;
    bool m_updating = false;
};

} // namespace widgets
