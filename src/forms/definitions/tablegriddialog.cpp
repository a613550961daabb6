#include "forms/definitions/tablegriddialog.h"

#include "engine/error.h"
#include "engine/table.h"
#include "forms/definitions/editablegrid.h"
#include "widgets/messageservice.h"

namespace forms {

TableGridDialog::TableGridDialog(engine::Table &table, QWidget *parent)
    : KeyPreviewDialog(parent), m_table(table), m_lease(table)
{
    setFont(QFont(QStringLiteral("Arial"), 8));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(217, 214, 197));
    setPalette(colours);
    m_grid = new EditableGrid(m_lease.adapter(), this);
}

TableGridDialog::~TableGridDialog()
{
    // The grid's model refers to the leased adapter: it goes first.
    delete m_grid;
    m_grid = nullptr;
}

int TableGridDialog::run()
{
    return widgets::MessageService::execDialog(this);
}

void TableGridDialog::showEvent(QShowEvent *event)
{
    m_lease.attach();
    KeyPreviewDialog::showEvent(event);
    m_grid->focusCell(0);
}

void TableGridDialog::hideEvent(QHideEvent *event)
{
    // Nothing typed but not stored outlives the dialog.
    m_grid->discardEditor();
    if (m_table.isOpen())
        m_table.cancel();
    KeyPreviewDialog::hideEvent(event);
    m_lease.release();
}

void TableGridDialog::focusGrid()
{
    m_grid->setFocus();
}

void TableGridDialog::startNewRow()
{
    if (!m_table.isOpen())
        return;
    if (!m_grid->commitEditor() || !storePending()) {
        focusGrid();
        return; // the refused row stays for correction
    }
    try {
        m_table.append();
    } catch (const engine::Error &e) {
        widgets::MessageService::failure(QString::fromUtf8(e.what()));
        return;
    }
    m_grid->focusCell(0);
}

void TableGridDialog::savePendingRow()
{
    if (!m_table.isOpen())
        return;
    // An unchanged row has nothing to store; a new row nobody typed into is
    // dropped rather than stored empty.
    if (m_grid->commitEditor())
        storePending();
    focusGrid();
}

} // namespace forms
