#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

namespace engine { class Table; }

namespace forms {

// A read-only view of some fields of an engine table in its active order, for
// the list pickers. It does not observe the table (the table keeps one
// observer, the adapter of whoever maintains it): the picker calls reload()
// when it is shown, and nothing changes the table while the modal picker is up.
class PickerModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Column
    {
        QString field;
        QString title;
    };

    PickerModel(engine::Table &table, const QList<Column> &columns, QObject *parent = nullptr);

    engine::Table &table() const { return m_table; }

    // Reads the row count again and repaints every cell.
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    engine::Table &m_table;
    QList<Column> m_columns;
    QList<int> m_fieldIndexes;
    int m_rows = 0;
};

} // namespace forms
