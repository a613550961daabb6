#pragma once

#include "forms/definitions/adapterlease.h"
#include "forms/definitions/keypreviewdialog.h"

class QPushButton;

namespace engine { class Table; }

namespace forms {

class EditableGrid;

// "Çeki Alan Şahıs / Firma Tanımları": the payees of company cheques
// (firmadan_ceki_alan.db), edited in place in a one-column grid. The name is
// the table's key, compared exactly ("ŞAHİN" and "şahin" are two payees); a
// name stored already is refused with the "KAYIT HATASI" box and the row stays
// for correction or "İptal". A row left pending when the dialog closes is
// dropped, as in the customer bank details dialog.
class PayeeDialog : public KeyPreviewDialog
{
    Q_OBJECT

public:
    // payees: the program's open firmadan_ceki_alan table; it must outlive the dialog.
    explicit PayeeDialog(engine::Table &payees, QWidget *parent = nullptr);
    ~PayeeDialog() override;

    // Shows the dialog modally through the message service; nothing to set
    // before or read after.
    int run();

    // The commands of the buttons, as the keys and tests reach them.
    void newPayee();    // "Yeni - F2"
    void savePayee();   // "Kaydet - F5"
    void deletePayee(); // "Sil - F9"
    void cancelEdit();  // "İptal"

    EditableGrid *grid() const { return m_grid; }

protected:
    bool formKey(int key, Qt::KeyboardModifiers modifiers) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Stores a changed pending row, drops an untouched new one. False when
    // the row had to stay (blank name, name stored already, engine failure).
    bool storePending();
    bool nameIsGiven() const;

    engine::Table &m_table;
    AdapterLease m_lease;
    EditableGrid *m_grid = nullptr;
};

} // namespace forms
