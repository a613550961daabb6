#pragma once

#include "forms/definitions/adapterlease.h"
#include "forms/definitions/keypreviewdialog.h"

namespace engine { class Table; }

namespace forms {

class EditableGrid;

// "Şahis/Firma Banka Bilgi Tanımı": customers with their bank, branch and
// account (museri_bilgileri.db, no key: two rows may carry the same name),
// edited in place in a grid. Whatever is pending when the dialog closes is
// dropped, so nothing typed but not saved survives it.
class CustomerBankDialog : public KeyPreviewDialog
{
    Q_OBJECT

public:
    // customers: the program's open museri_bilgileri table; it must outlive the dialog.
    explicit CustomerBankDialog(engine::Table &customers, QWidget *parent = nullptr);
    ~CustomerBankDialog() override;

    // Shows the dialog modally through the message service; nothing to set
    // before or read after.
    int run();

    // The commands of the buttons, as the keys and tests reach them.
    void newCustomer();    // "YENİ - F2"
    void saveCustomer();   // "KAYDET - F5"
    void deleteCustomer(); // "SİL - F9"
    void cancelEdit();     // "İPTAL"

    EditableGrid *grid() const { return m_grid; }

protected:
    bool formKey(int key, Qt::KeyboardModifiers modifiers) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    bool storePending();

    engine::Table &m_table;
    AdapterLease m_lease;
    EditableGrid *m_grid = nullptr;
};

} // namespace forms
