#pragma once

#include "forms/definitions/adapterlease.h"
#include "forms/definitions/keypreviewdialog.h"

class QStackedWidget;

namespace engine { class Table; }
namespace widgets { class LedgerGrid; }

namespace forms {

// The cheque status definitions of one ledger (fct.DB or mct.DB): a list of
// the statuses, a new status through the input box, deletion of the current
// one after a question. Which ledger comes from shared().cekDurumSayfa ("F"
// company, "M" customer) on every showing. The six built-in customer statuses
// cannot be deleted.
class StatusDefinitionDialog : public KeyPreviewDialog
{
    Q_OBJECT

public:
    // The most characters a status name has (the width of CEK_ADI).
    static constexpr int MaxNameLength = 15;

    // companyStatuses / customerStatuses: the program's open fct and mct tables;
    // they must outlive the dialog.
    StatusDefinitionDialog(engine::Table &companyStatuses, engine::Table &customerStatuses,
                           QWidget *parent = nullptr);
    ~StatusDefinitionDialog() override;

    // Shows the dialog modally through the message service. Set
    // shared().cekDurumSayfa first; nothing to read after.
    int run();

    // The commands of the buttons, as tests reach them.
    void addStatus();    // "YEN TÜR"
    void deleteStatus(); // "TÜR SİL"

    // The table the dialog works on now: the customer statuses for "M", else the company statuses.
    engine::Table &currentTable() const;
    widgets::LedgerGrid *companyGrid() const { return m_companyGrid; }
    widgets::LedgerGrid *customerGrid() const { return m_customerGrid; }
    QStackedWidget *pages() const { return m_pages; }

protected:
    bool formKey(int key, Qt::KeyboardModifiers modifiers) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    bool customerPage() const;
    widgets::LedgerGrid *makeGrid(AdapterLease &lease, const QString &name);

    engine::Table &m_company;
    engine::Table &m_customer;
    AdapterLease m_companyLease;
    AdapterLease m_customerLease;
    QStackedWidget *m_pages = nullptr;
    widgets::LedgerGrid *m_companyGrid = nullptr;
    widgets::LedgerGrid *m_customerGrid = nullptr;
};

} // namespace forms
