#pragma once

#include <QObject>

#include <functional>

class LedgerPage;
class MainWindow;

// The record commands of the two ledger pages: new, edit and delete cheque.
// New and edit hand the row to the page's entry dialog; every command ends
// with the status line recount.
class RecordCommands : public QObject
{
    Q_OBJECT

public:
    explicit RecordCommands(MainWindow &window);

    // Shows the entry dialog of a ledger modally on the table's current row;
    // the mode is already set in forms::shared(). When it returns the table
    // must be in browse state again.
    using EntryDialog = std::function<void()>;
    void setCompanyEntryDialog(EntryDialog dialog) { m_companyEntry = std::move(dialog); }
    void setCustomerEntryDialog(EntryDialog dialog) { m_customerEntry = std::move(dialog); }

    // The commands on a page (the toolbar buttons and the grid's double click).
    void newCheque(LedgerPage *page);
    void editCheque(LedgerPage *page);
    void deleteCheque(LedgerPage *page);

    // F2, F5 and F9: the command of the page that is current.
    void newOnCurrentPage();
    void editOnCurrentPage();
    void deleteOnCurrentPage();

private:
    bool isCompany(LedgerPage *page) const;
    bool refuseUnopened(LedgerPage *page) const;
    void runEntryDialog(LedgerPage *page);

    MainWindow &m_window;
    EntryDialog m_companyEntry;
    EntryDialog m_customerEntry;
};
