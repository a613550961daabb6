#pragma once

#include "forms/entry/chequeentrydialog.h"

#include <functional>

class QToolButton;

namespace data { class DataStore; }
namespace widgets {
class DataAmountEdit;
class DataDateEdit;
class DataLineEdit;
class DataLookupCombo;
class DataMemo;
}

namespace forms {

class StatusPicker;

// "FİRMA ÇEK GİRİŞİ": one company cheque (a row of firma_cek.db) typed in or
// changed in place, on the current row of the ledger the main window's adapter
// observes. Lookup aids: F8 picks one of the firm's bank accounts through the
// bank account dialog, F1 in the status editor picks a status of fct.DB, and a
// payee that is not defined yet may be added to firmadan_ceki_alan.db when
// the payee combo is left.
class CompanyChequeDialog : public ChequeEntryDialog
{
    Q_OBJECT

public:
    // ledger: the main window's adapter over firma_cek.db (the table keeps one
    // observer, so the dialog shares it). store: the lookup tables.
    // showBankDialog: shows the company bank account dialog modally; it is
    // called with shared().bankaTanimModu set to "S" and leaves
    // shared().bankaSecildi and the bank table's current row behind.
    CompanyChequeDialog(widgets::TableAdapter &ledger, data::DataStore &store,
                        std::function<void()> showBankDialog, QWidget *parent = nullptr);
    ~CompanyChequeDialog() override;

    void pickBankAccount(); // "Banka Seç [F8]"
    void pickStatus();      // "..." and F1 in the status editor
    void checkPayee();      // the payee combo was left

    widgets::DataDateEdit *dueDateEditor() const { return m_dueDate; }
    widgets::DataAmountEdit *amountEditor() const { return m_amount; }
    widgets::DataLineEdit *bankNameEditor() const { return m_bankName; }
    widgets::DataLineEdit *branchEditor() const { return m_branch; }
    widgets::DataLineEdit *accountEditor() const { return m_account; }
    widgets::DataLineEdit *chequeNumberEditor() const { return m_chequeNumber; }
    widgets::DataLookupCombo *payeeEditor() const { return m_payee; }
    widgets::DataLineEdit *statusEditor() const { return m_status; }
    widgets::DataMemo *noteEditor() const { return m_note; }
    StatusPicker *statusPicker() const { return m_statusPicker; }

protected:
    QWidget *firstControl() const override;
    bool functionKey(int key, QWidget *focused) override;
    void editorLeft(widgets::DataEditor *editor) override;

private:
    data::DataStore &m_store;
    std::function<void()> m_showBankDialog;
    widgets::DataDateEdit *m_dueDate = nullptr;
    widgets::DataAmountEdit *m_amount = nullptr;
    widgets::DataLineEdit *m_bankName = nullptr;
    widgets::DataLineEdit *m_branch = nullptr;
    widgets::DataLineEdit *m_account = nullptr;
    widgets::DataLineEdit *m_chequeNumber = nullptr;
    widgets::DataLookupCombo *m_payee = nullptr;
    widgets::DataLineEdit *m_status = nullptr;
    widgets::DataMemo *m_note = nullptr;
    QToolButton *m_bankButton = nullptr;
    QToolButton *m_statusButton = nullptr;
    StatusPicker *m_statusPicker = nullptr;
};

// The main window's company new-cheque and edit-cheque commands call this once
// they have set shared().firmaGirisModu ("Y" after appending a row to the
// ledger, "D" on an existing current row). It shows the dialog modally
// through the message service; when it returns the ledger is in browse state.
void runCompanyChequeEntry(widgets::TableAdapter &ledger, data::DataStore &store,
                           std::function<void()> showBankDialog, QWidget *parent = nullptr);

} // namespace forms
