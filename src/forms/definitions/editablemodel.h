#pragma once

#include "widgets/ledgermodel.h"

namespace forms {

// A LedgerModel whose text cells can be edited in place: a cell written on the
// table's current row (or on the new row being inserted) puts the row into
// edit state and writes the field; storing it is left to the grid or the
// dialog. Cells of other rows are not editable, so a write never lands on a
// row the cursor is not on.
class EditableModel : public widgets::LedgerModel
{
    Q_OBJECT

public:
    // The most characters a cell's field takes (its size), for the editor.
    static constexpr int MaxLengthRole = Qt::UserRole + 1;

    explicit EditableModel(widgets::TableAdapter &adapter, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Writes the text into the field of the current row. The same text as the
    // field holds changes nothing (the row does not enter edit state). A value
    // the engine refuses is shown in the failure box; false then.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The engine field index behind a column, or -1.
    int fieldOf(int column) const;
};

} // namespace forms
