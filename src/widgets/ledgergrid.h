#pragma once

#include "widgets/ledgermodel.h"

#include <QTableView>

namespace widgets {

class TableAdapter;

// The grid of a ledger: whole-row selection kept visible without focus,
// alternating row colours, resizable and movable columns, no editing. The
// current row follows the table's cursor and moves it, both ways.
class LedgerGrid : public QTableView
{
    Q_OBJECT

public:
    explicit LedgerGrid(TableAdapter &adapter, QWidget *parent = nullptr);

    LedgerModel &ledgerModel() const { return *m_model; }

    // Shows these columns, each as wide as its width in characters.
    void setColumns(const QList<LedgerModel::Column> &columns);
    // The columns as the user sees them now: in their visual order, with
    // their current widths in characters.
    QList<LedgerModel::Column> visibleColumns() const;

    int pixelsForCharacters(int characters) const;
    int charactersForPixels(int pixels) const;

signals:
    void rowDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void followTable();
    void moveTable(const QModelIndex &current);

    TableAdapter &m_adapter;
    LedgerModel *m_model;
    bool m_syncing = false;
};

} // namespace widgets
