#pragma once

#include "widgets/ledgermodel.h"

#include <QPointer>
#include <QTableView>

#include <functional>

namespace widgets { class TableAdapter; }

namespace forms {

class EditableModel;

// The grid of a lookup table that is edited in place. Its current row follows
// the table's cursor and moves it, both ways. Leaving a changed row stores it
// (a refusal, such as a payee stored already, is reported and the grid stays on
// the row); leaving an untouched new row drops it. Cell editors take no more
// characters than their field holds. Escape outside an editor drops the
// pending change of the row.
class EditableGrid : public QTableView
{
    Q_OBJECT

public:
    explicit EditableGrid(widgets::TableAdapter &adapter, QWidget *parent = nullptr);

    EditableModel &editableModel() const { return *m_model; }

    // Shows these columns, each as wide as its width in characters.
    void setColumns(const QList<widgets::LedgerModel::Column> &columns);
    int pixelsForCharacters(int characters) const;

    // Enter moves to the next cell (to the first cell of the next row after the last one).
    void setEnterMovesToNextCell(bool on) { m_enterMovesNext = on; }
    // An untouched new row is dropped when the grid loses the focus.
    void setDropsUntouchedNewRow(bool on) { m_dropUntouched = on; }
    // Asked before the grid stores a changed row it is leaving: false keeps
    // the row as it is (the check tells the user why).
    void setRowCheck(std::function<bool()> check) { m_rowCheck = std::move(check); }

    // Hands the text of an open cell editor to the table. False when the
    // table refused it (the editor is closed either way).
    bool commitEditor();
    // Closes an open cell editor without keeping its text.
    void discardEditor();
    // Puts the grid's current cell on the table's current row, in column.
    void focusCell(int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    QWidget *openEditor() const;

private:
    class Delegate;

    void followTable();
    void moveTable(const QModelIndex &current);
    void moveToNextCell();

    widgets::TableAdapter &m_adapter;
    EditableModel *m_model;
    Delegate *m_delegate;
    bool m_syncing = false;
    bool m_enterMovesNext = false;
    bool m_dropUntouched = false;
    std::function<bool()> m_rowCheck;
};

} // namespace forms
