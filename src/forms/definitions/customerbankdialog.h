#pragma once

#include "forms/definitions/tablegriddialog.h"

namespace forms {

// "Şahis/Firma Banka Bilgi Tanımı": customers with their bank, branch and
// account (museri_bilgileri.db, no key: two rows may carry the same name),
// edited in place in a grid. Whatever is pending when the dialog closes is
// dropped, so nothing typed but not saved survives it.
class CustomerBankDialog : public TableGridDialog
{
    Q_OBJECT

public:
    // customers: the program's open museri_bilgileri table; it must outlive the dialog.
    explicit CustomerBankDialog(engine::Table &customers, QWidget *parent = nullptr);

    // The commands of the buttons, as the keys and tests reach them.
    void newCustomer();    // "YENİ - F2"
    void saveCustomer();   // "KAYDET - F5"
    void deleteCustomer(); // "SİL - F9"
    void cancelEdit();     // "İPTAL"

protected:
    bool formKey(int key, Qt::KeyboardModifiers modifiers) override;

private:
    bool storePending() override;
};

} // namespace forms
