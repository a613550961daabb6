#pragma once

#include "engine/value.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>

#include <functional>
#include <optional>

namespace widgets {

class TableAdapter;

// The colours a cell is painted in instead of the grid's own.
struct CellColours
{
    QColor background;
    QColor text;
};

// A read-only model over an engine table in its active order, one row per
// table row (plus the new row while inserting), one column per entry of a
// column list. Rows are read on demand through the table's cache, so a
// million-row ledger costs no more than the rows on screen.
class LedgerModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Column
    {
        QString field;
        int width = 10; // characters
        QString title;
        QString readOnlyMark;
    };

    explicit LedgerModel(TableAdapter &adapter, QObject *parent = nullptr);

    TableAdapter &adapter() const { return m_adapter; }

    // Replaces the columns; a column whose field the table lacks is left out.
    void setColumns(const QList<Column> &columns);
    const QList<Column> &columns() const { return m_columns; }

    // Asked for each cell painted: other colours for the row, or none.
    using Colouring = std::function<std::optional<CellColours>(int row)>;
    void setColouring(Colouring colouring) { m_colouring = std::move(colouring); }

    // The raw value of a field of a row (for colouring hooks).
    engine::Value value(int row, const QString &field) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Repaint every cell (the colouring rule changed).
    void refreshAll();

private:
    void tableReset();
    void rowEdited();

    TableAdapter &m_adapter;
    QList<Column> m_columns;
    QList<int> m_fieldIndexes; // engine field index per column
    Colouring m_colouring;
};

} // namespace widgets
