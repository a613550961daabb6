#include "forms/main/recordcommands.h"

#include "engine/error.h"
#include "engine/table.h"
#include "forms/main/ledgerpage.h"
#include "forms/main/mainwindow.h"
#include "forms/sharedstate.h"
#include "widgets/ledgergrid.h"
#include "widgets/messageservice.h"

#include <QToolButton>

using widgets::MessageService;

namespace {

QString noChequesText(bool company)
{
    return company ? QStringLiteral("\r\nHiç bir Tanımlı Firma Çeki Yok.")
                   : QStringLiteral("\r\nTanımlı hiçbir Müşteri Çeki Yok.");
}

} // namespace

RecordCommands::RecordCommands(MainWindow &window) : QObject(&window), m_window(window)
{
    for (LedgerPage *page : {window.companyPage(), window.customerPage()}) {
        connect(page->newButton(), &QToolButton::clicked, this, [this, page] { newCheque(page); });
        connect(page->editButton(), &QToolButton::clicked, this, [this, page] { editCheque(page); });
        connect(page->deleteButton(), &QToolButton::clicked, this, [this, page] { deleteCheque(page); });
        connect(page->grid(), &widgets::LedgerGrid::rowDoubleClicked, this, [this, page] { editCheque(page); });
    }
}

bool RecordCommands::isCompany(LedgerPage *page) const
{
    return page == m_window.companyPage();
}

bool RecordCommands::refuseUnopened(LedgerPage *page) const
{
    if (page->table().isOpen())
        return false;
    MessageService::warning(isCompany(page)
                                ? QStringLiteral("\r\nFirma çekleri tablosu açılamadığı için bu işlem yapılamıyor.")
                                : QStringLiteral("\r\nMüşteri çekleri tablosu açılamadığı için bu işlem yapılamıyor."));
    return true;
}

void RecordCommands::runEntryDialog(LedgerPage *page)
{
    const EntryDialog &dialog = isCompany(page) ? m_companyEntry : m_customerEntry;
    if (dialog)
        dialog();
    // Whatever the dialog did, the ledger is back in browse state: an appended
    // row that was never saved is dropped.
    engine::Table &table = page->table();
    if (table.isOpen() && table.isEditing())
        table.cancel();
    m_window.countStatusLine();
}

void RecordCommands::newCheque(LedgerPage *page)
{
    if (refuseUnopened(page))
        return;
    (isCompany(page) ? forms::shared().firmaGirisModu : forms::shared().musteriGirisModu) = QStringLiteral("Y");
    try {
        page->table().append();
    } catch (const engine::Error &e) {
        MessageService::failure(QString::fromUtf8(e.what()));
        return;
    }
    runEntryDialog(page);
}

void RecordCommands::editCheque(LedgerPage *page)
{
    if (refuseUnopened(page))
        return;
    if (page->table().isEmpty()) {
        MessageService::warning(noChequesText(isCompany(page)));
        return;
    }
    (isCompany(page) ? forms::shared().firmaGirisModu : forms::shared().musteriGirisModu) = QStringLiteral("D");
    runEntryDialog(page);
}

void RecordCommands::deleteCheque(LedgerPage *page)
{
    if (refuseUnopened(page))
        return;
    engine::Table &table = page->table();
    if (table.isEmpty()) {
        MessageService::warning(noChequesText(isCompany(page)));
        return;
    }
    const QString question = isCompany(page)
        ? QStringLiteral("AKTİF FİRMA ÇEKİ SİLİNECEK.\r\n\r\nDEVAM EDİLSİN Mİ?")
        : QStringLiteral("AKTİF MÜŞTERİ ÇEKİ SİLİNECEK.\r\n\r\nDEVAM EDİLSİN Mİ?");
    if (!MessageService::confirm(question))
        return;
    try {
        table.remove();
    } catch (const engine::Error &e) {
        // The row stays; the status line is not recounted.
        MessageService::failure(QString::fromUtf8(e.what()));
        return;
    }
    m_window.countStatusLine();
}

void RecordCommands::newOnCurrentPage()
{
    // The company command first, then the customer one, each only when its
    // ledger button is down: exactly one runs.
    if (m_window.companyIsCurrent())
        newCheque(m_window.companyPage());
    else
        newCheque(m_window.customerPage());
}

void RecordCommands::editOnCurrentPage()
{
    editCheque(m_window.currentPage());
}

void RecordCommands::deleteOnCurrentPage()
{
    deleteCheque(m_window.currentPage());
}
