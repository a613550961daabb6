#pragma once

#include "forms/entry/chequeentrydialog.h"

class QLabel;
class QToolButton;

namespace data { class DataStore; }
namespace widgets {
class DataAmountEdit;
class DataCheckBox;
class DataDateEdit;
class DataLineEdit;
class DataMemo;
}

namespace forms {

class CustomerBankPicker;
class StatusPicker;

// "MÜŞTERİ ÇEK GİRİŞİ": one customer cheque (a row of museri_cek.db) typed in
// or changed in place, on the current row of the ledger the main window's
// adapter observes. The status decides which details apply: "BANKA TAHSİLDE"
// shows the collection panel (bank and branch), "CİRO EDİLDİ" the endorsement
// panel, and the other built-in statuses write "YOK" into the fields that do
// not apply. The box "ÇEK CİROLU" shows the endorser editor. F8 picks a saved
// set of customer bank details, F7 saves the typed ones as a new set.
class CustomerChequeDialog : public ChequeEntryDialog
{
    Q_OBJECT

public:
    // ledger: the main window's adapter over museri_cek.db; store: the lookup tables.
    CustomerChequeDialog(widgets::TableAdapter &ledger, data::DataStore &store, QWidget *parent = nullptr);
    ~CustomerChequeDialog() override;

    void pickStatus();      // "..." and F1 in the status editor
    void pickBankDetails(); // "Şahis/Firma Banka Bilgisi Seç" (F8)
    void defineBankDetails(); // "Aktif Banka Bilgilerini Otomatik Tanıt" (F7)

    widgets::DataCheckBox *endorsedBox() const { return m_endorsed; }
    widgets::DataLineEdit *endorserEditor() const { return m_endorser; }
    QLabel *endorserLabel() const { return m_endorserLabel; }
    widgets::DataDateEdit *dueDateEditor() const { return m_dueDate; }
    widgets::DataAmountEdit *amountEditor() const { return m_amount; }
    widgets::DataLineEdit *chequeNumberEditor() const { return m_chequeNumber; }
    widgets::DataLineEdit *holderEditor() const { return m_holder; }
    widgets::DataLineEdit *bankEditor() const { return m_bank; }
    widgets::DataLineEdit *branchEditor() const { return m_branch; }
    widgets::DataLineEdit *accountEditor() const { return m_account; }
    widgets::DataLineEdit *statusEditor() const { return m_status; }
    QWidget *collectionPanel() const { return m_collectionPanel; }
    QWidget *endorsementPanel() const { return m_endorsementPanel; }
    widgets::DataLineEdit *collectionBankEditor() const { return m_collectionBank; }
    widgets::DataLineEdit *collectionBranchEditor() const { return m_collectionBranch; }
    widgets::DataLineEdit *endorseeEditor() const { return m_endorsee; }
    widgets::DataMemo *noteEditor() const { return m_note; }
    StatusPicker *statusPicker() const { return m_statusPicker; }
    CustomerBankPicker *bankPicker() const { return m_bankPicker; }
    QToolButton *bankMenuButton() const { return m_bankMenu; }

protected:
    QWidget *firstControl() const override;
    bool functionKey(int key, QWidget *focused) override;
    void editorLeft(widgets::DataEditor *editor) override;
    void newChequeStarted() override;
    void closing() override;
    void showEvent(QShowEvent *event) override;

private:
    enum class StatusKind { Plain, Collection, Endorsement, UserDefined };
    static StatusKind kindOf(const QString &status);
    QString shownStatus() const;
    qint64 rowIdentity() const;
    void rowChanged();
    void showPanels(StatusKind kind);
    void applyStatusRule(const QString &status, bool write);
    void endorsementChanged(bool ticked);

    data::DataStore &m_store;
    widgets::DataCheckBox *m_endorsed = nullptr;
    QLabel *m_endorserLabel = nullptr;
    widgets::DataLineEdit *m_endorser = nullptr;
    widgets::DataDateEdit *m_dueDate = nullptr;
    widgets::DataAmountEdit *m_amount = nullptr;
    widgets::DataLineEdit *m_chequeNumber = nullptr;
    widgets::DataLineEdit *m_holder = nullptr;
    widgets::DataLineEdit *m_bank = nullptr;
    widgets::DataLineEdit *m_branch = nullptr;
    widgets::DataLineEdit *m_account = nullptr;
    widgets::DataLineEdit *m_status = nullptr;
    QWidget *m_collectionPanel = nullptr;
    QWidget *m_endorsementPanel = nullptr;
    widgets::DataLineEdit *m_collectionBank = nullptr;
    widgets::DataLineEdit *m_collectionBranch = nullptr;
    widgets::DataLineEdit *m_endorsee = nullptr;
    widgets::DataMemo *m_note = nullptr;
    QToolButton *m_statusButton = nullptr;
    QToolButton *m_bankMenu = nullptr;
    StatusPicker *m_statusPicker = nullptr;
    CustomerBankPicker *m_bankPicker = nullptr;

    // The status the rule last saw, and the row it saw it on.
    QString m_seenStatus;
    qint64 m_seenRow = -1;
};

// The main window's customer new-cheque and edit-cheque commands call this once
// they have set shared().musteriGirisModu ("Y" after appending a row to the
// ledger, "D" on an existing current row). It shows the dialog modally
// through the message service; when it returns the ledger is in browse state
// and shared().musteriGirisAcik is false.
void runCustomerChequeEntry(widgets::TableAdapter &ledger, data::DataStore &store, QWidget *parent = nullptr);

} // namespace forms
