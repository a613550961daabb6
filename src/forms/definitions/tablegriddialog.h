#pragma once

#include "forms/definitions/adapterlease.h"
#include "forms/definitions/keypreviewdialog.h"

namespace engine { class Table; }

namespace forms {

class EditableGrid;

// A definitions dialog that edits one of the program's open tables in place
// in a grid: it observes the table only while it is shown, and a row typed
// but not stored does not outlive a showing.
class TableGridDialog : public KeyPreviewDialog
{
    Q_OBJECT

public:
    ~TableGridDialog() override;

    // Shows the dialog modally through the message service.
    int run();

    EditableGrid *grid() const { return m_grid; }

protected:
    // table: one of the program's open tables; it must outlive the dialog.
    // The dialog's colours (RGB(217,214,197)) and Arial 8 are set here.
    TableGridDialog(engine::Table &table, QWidget *parent);

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

    // Stores a changed pending row and drops an untouched new one. False when
    // the row had to stay for correction.
    virtual bool storePending() = 0;
    // Where the focus goes after a command or a refused row.
    virtual void focusGrid();
    // "Yeni": stores the pending row (a refused one stays), then starts a new row.
    void startNewRow();
    // "Kaydet": stores the pending row.
    void savePendingRow();

    engine::Table &m_table;
    AdapterLease m_lease;
    EditableGrid *m_grid = nullptr;
};

} // namespace forms
