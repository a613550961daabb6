#pragma once

#include "reports/customreportcriteria.h"
#include "reports/ledgerreports.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace engine { class Table; }

namespace reports {

// The criteria dialog of a ledger's custom report ("Firma Çek Raporu" or
// "Müşteri Çek Raporu"): a range of due dates, a check list of the ledger's
// statuses, a sort field and its direction. Made once and shown as often as
// the user asks; between showings it keeps the sort field and the direction
// (and, for the customer ledger, the two dates). Every showing refills the
// check list from the status table with nothing checked, and the company
// dialog sets both dates to today.
//
// The result goes to forms::shared().firmaRaporozelTamam (company) or
// musteriRaporozelTamam (customer): every showing clears it, "Tamam" with
// valid dates sets it. "Vazgeç", Escape, F12 and the close box all leave it
// false, so criteria are only ever used after they were validated.
class CustomReportDialog : public QDialog
{
    Q_OBJECT

public:
    // statuses: the ledger's status table (fct.DB or mct.DB) as the program
    // holds it open; it must outlive the dialog. A closed table gives an
    // empty check list.
    CustomReportDialog(Ledger ledger, engine::Table &statuses, QWidget *parent = nullptr);
    ~CustomReportDialog() override;

    Ledger ledger() const { return m_ledger; }

    // Shows the dialog modally through the message service and returns the
    // result flag: true when the user accepted valid criteria.
    bool run();

    // The criteria as the controls now stand.
    CustomReportCriteria criteria() const;

    // The result flag of this dialog's ledger in the shared state.
    bool &resultFlag() const;

    // "Tümünü seç" / "Tüm seçimi kaldır".
    void checkAll();
    void uncheckAll();

    // "Tamam": validates the dates; with the end before the start it tells the
    // user and stays open, otherwise sets the result flag and closes.
    void accept() override;
    // "Vazgeç" (and Escape, F12, the close box): clears the result flag and closes.
    void reject() override;

    // The controls, for tests.
    QDateEdit *startEdit() const { return m_start; }
    QDateEdit *endEdit() const { return m_end; }
    QListWidget *statusList() const { return m_statuses; }
    QComboBox *sortBox() const { return m_sortBox; }
    QRadioButton *ascendingButton() const { return m_ascending; }
    QRadioButton *descendingButton() const { return m_descending; }
    QToolButton *checkAllButton() const { return m_checkAll; }
    QToolButton *uncheckAllButton() const { return m_uncheckAll; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillStatusList();
    void setAllChecked(bool checked);

    Ledger m_ledger;
    engine::Table &m_statusTable;
    bool m_shownBefore = false;
    bool m_filtering = false;

    QDateEdit *m_start = nullptr;
    QDateEdit *m_end = nullptr;
    QListWidget *m_statuses = nullptr;
    QComboBox *m_sortBox = nullptr;
    QRadioButton *m_ascending = nullptr;
    QRadioButton *m_descending = nullptr;
    QToolButton *m_checkAll = nullptr;
    QToolButton *m_uncheckAll = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace reports
