#pragma once

#include "forms/definitions/tablegriddialog.h"

class QPushButton;

namespace forms {

// "Çeki Alan Şahıs / Firma Tanımları": the payees of company cheques
// (firmadan_ceki_alan.db), edited in place in a one-column grid. The name is
// the table's key, compared exactly ("ŞAHİN" and "şahin" are two payees); a
// name stored already is refused with the "KAYIT HATASI" box and the row stays
// for correction or "İptal". A row left pending when the dialog closes is
// dropped, as in the customer bank details dialog.
class PayeeDialog : public TableGridDialog
{
    Q_OBJECT

public:
    // payees: the program's open firmadan_ceki_alan table; it must outlive the dialog.
    explicit PayeeDialog(engine::Table &payees, QWidget *parent = nullptr);

    // The commands of the buttons, as the keys and tests reach them.
    void newPayee();    // "Yeni - F2"
    void savePayee();   // "Kaydet - F5"
    void deletePayee(); // "Sil - F9"
    void cancelEdit();  // "İptal"

protected:
    bool formKey(int key, Qt::KeyboardModifiers modifiers) override;

private:
    // Stores a changed pending row, drops an untouched new one. False when
    // the row had to stay (blank name, name stored already, engine failure).
    bool storePending() override;
    void focusGrid() override;
    bool nameIsGiven() const;
};

} // namespace forms
