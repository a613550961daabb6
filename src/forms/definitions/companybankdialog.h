#pragma once

#include "forms/definitions/adapterlease.h"
#include "forms/definitions/keypreviewdialog.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace engine { class Table; }
namespace widgets { class LedgerGrid; }

namespace forms {

// "Firma Banka Tanımları": the firm's own bank accounts (Firma_Banka_Bilgileri.db),
// listed in a grid and added or changed through two small entry panels. Doubles
// as a picker: the mode comes from shared().bankaTanimModu ("A" maintenance,
// "S" pick) on every showing, and shared().bankaSecildi tells the caller
// afterwards whether an account was confirmed; the confirmed account is the
// table's current row.
class CompanyBankDialog : public KeyPreviewDialog
{
    Q_OBJECT

public:
    // banks: the program's open Firma_Banka_Bilgileri table; it must outlive the dialog.
    explicit CompanyBankDialog(engine::Table &banks, QWidget *parent = nullptr);
    ~CompanyBankDialog() override;

    // Shows the dialog modally through the message service. Set
    // shared().bankaTanimModu first; read shared().bankaSecildi afterwards
    // (true only after "TAMAM" on an account, in pick mode). Returns
    // QDialog::Accepted when an account was confirmed.
    int run();

    // The commands of the buttons, as the keys and tests reach them.
    void newAccount();      // "Yeni Tanımlama - F2"
    void changeAccount();   // "Tanımlama Düzenle - F5"
    void deleteAccount();   // "Tanımlama Sil - F9"
    void saveNew();         // "Kaydet [F2]" on the new-account panel
    void saveChange();      // "Kaydet [F2]" on the change panel
    void returnToBrowsing(); // "Vazgeç [F9]" on either panel
    void confirm();         // "TAMAM"
    void giveUp();          // "VAZGEÇ"

    bool isEditing() const;
    widgets::LedgerGrid *grid() const { return m_grid; }
    QFrame *newPanel() const { return m_newPanel; }
    QFrame *changePanel() const { return m_changePanel; }
    QFrame *pickPanel() const { return m_pickPanel; }
    QPushButton *exitButton() const { return m_exit; }
    // The bank, branch and account boxes of the new (0..2) and change (3..5) panels.
    QLineEdit *edit(int i) const { return m_edits[i]; }

protected:
    bool formKey(int key, Qt::KeyboardModifiers modifiers) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QFrame *makePanel(const QString &title, int firstEdit, QPushButton *&save, QPushButton *&cancel);
    void enterEditing();
    void focusMoved(QWidget *from, QWidget *to);
    bool pickMode() const;
    // Trims the panel's boxes, checks the bank name, writes and stores the row.
    void save(int firstEdit, bool appendRow);

    engine::Table &m_table;
    AdapterLease m_lease;
    QFrame *m_main = nullptr;
    widgets::LedgerGrid *m_grid = nullptr;
    QPushButton *m_new = nullptr;
    QPushButton *m_change = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_exit = nullptr;
    QFrame *m_pickPanel = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_giveUp = nullptr;
    QFrame *m_newPanel = nullptr;
    QFrame *m_changePanel = nullptr;
    QLineEdit *m_edits[6] = {};
};

} // namespace forms
