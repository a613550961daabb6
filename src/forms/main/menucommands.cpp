#include "forms/main/menucommands.h"

#include "data/datastore.h"
#include "engine/error.h"
#include "export/exportdialog.h"
#include "forms/definitions/companybankdialog.h"
#include "forms/definitions/customerbankdialog.h"
#include "forms/definitions/payeedialog.h"
#include "forms/definitions/statusdefinitiondialog.h"
#include "forms/main/ledgerpage.h"
#include "forms/main/mainwindow.h"
#include "forms/maintenance/tablemaintenance.h"
#include "forms/settings/warningsettingsdialog.h"
#include "forms/sharedstate.h"
#include "reports/customreportcommand.h"
#include "reports/customreportdialog.h"
#include "reports/ledgerreports.h"
#include "reports/reportpreview.h"
#include "text/date.h"
#include "widgets/messageservice.h"
#include "widgets/valuetext.h"

#include <QAction>
#include <QToolButton>

using data::TableId;
using widgets::MessageService;

namespace {

reports::Ledger reportLedger(MenuCommands::Ledger ledger)
{
    return ledger == MenuCommands::Ledger::Company ? reports::Ledger::Company : reports::Ledger::Customer;
}

TableId ledgerTable(MenuCommands::Ledger ledger)
{
    return ledger == MenuCommands::Ledger::Company ? TableId::CompanyCheques : TableId::CustomerCheques;
}

} // namespace

MenuCommands::MenuCommands(MainWindow &window) : QObject(&window), m_window(window)
{
    connectMenus();
}

MenuCommands::~MenuCommands()
{
    // The criteria dialogs read the status tables: they go before the tables do.
    delete m_companyCriteria;
    delete m_customerCriteria;
}

void MenuCommands::connectMenus()
{
    const auto on = [this](const char *item, std::function<void()> command) {
        if (QAction *action = m_window.menuItem(QString::fromLatin1(item)))
            connect(action, &QAction::triggered, this, std::move(command));
    };
    using L = Ledger;
    on("TmnRaporla1", [this] { reportAll(L::Company); });
    on("MenuItem1", [this] { reportAll(L::Customer); });
    on("VadesiGelenleriraporla1", [this] { reportDueToday(L::Company); });
    on("MenuItem3", [this] { reportDueToday(L::Customer); });
    on("UyarSistemineGreVadesiDolanekler1", [this] { reportWarningDate(L::Company); });
    on("UyarSistemineGreVadesiDolan1", [this] { reportWarningDate(L::Customer); });
    on("ErkenUyarSistemineGre1", [this] { reportInXDays(L::Company); });
    on("MenuItem4", [this] { reportInXDays(L::Customer); });
    on("zelRapor1", [this] { customReport(L::Company); });
    on("MenuItem6", [this] { customReport(L::Customer); });
    on("Export2", [this] { exportLedger(L::Company); });
    on("Export1", [this] { exportLedger(L::Customer); });

    data::DataStore &store = m_window.dataStore();
    on("Firma1", [this, &store] {
        forms::shared().bankaTanimModu = QStringLiteral("A");
        forms::CompanyBankDialog(store.table(TableId::CompanyBanks), &m_window).run();
    });
    on("ekiAlanahFirmaTanmlar1", [this, &store] { forms::PayeeDialog(store.table(TableId::Payees), &m_window).run(); });
    on("MenuItem8", [this, &store] {
        forms::CustomerBankDialog(store.table(TableId::CustomerBanks), &m_window).run();
    });
    const auto statuses = [this, &store](const char *page) {
        forms::shared().cekDurumSayfa = QString::fromLatin1(page);
        forms::StatusDefinitionDialog(store.table(TableId::CompanyStatuses), store.table(TableId::CustomerStatuses),
                                      &m_window)
            .run();
    };
    on("ekDurumTanmlar1", [statuses] { statuses("F"); });
    on("ekDurumTanmlar2", [statuses] { statuses("M"); });

    connect(&m_window, &MainWindow::warningReportRequested, this,
            [this] { reportWarningDate(m_window.companyIsCurrent() ? L::Company : L::Customer); });
    connect(&m_window, &MainWindow::warningSettingsRequested, this, &MenuCommands::showWarningSettings);
    connect(&m_window, &MainWindow::maintenanceRequested, this, &MenuCommands::runMaintenance);
}

void MenuCommands::preview(Ledger ledger, engine::RowSource &rows)
{
    if (m_previewer) {
        m_previewer(ledger, rows);
        return;
    }
    reports::ReportPreview::previewAndWait(
        ledger == Ledger::Company ? reports::companyReport() : reports::customerReport(), rows);
}

void MenuCommands::runReport(Ledger ledger, const QString &sql, const QString &noRows)
{
    data::DataStore &store = m_window.dataStore();
    engine::Query &query = ledger == Ledger::Company ? store.companyReportQuery() : store.customerReportQuery();
    // A preview left open may still be reading this query.
    reports::ReportPreview::stopAllBuilding();
    query.close();
    query.setSql(sql.toStdString());
    try {
        query.open();
        const bool hasRows = query.next();
        query.restart();
        if (!hasRows && !noRows.isEmpty()) {
            query.close();
            MessageService::warning(noRows);
            return;
        }
    } catch (const engine::Error &e) {
        query.close();
        MessageService::failure(QStringLiteral("Rapor hazırlanamadı: ") + QString::fromUtf8(e.what()));
        return;
    }
    preview(ledger, query);
}

void MenuCommands::reportAll(Ledger ledger)
{
    engine::Table &table = m_window.dataStore().table(ledgerTable(ledger));
    if (!table.isOpen() || table.isEmpty()) {
        MessageService::warning(QStringLiteral("\r\nRaporlanacak kayıt yok."));
        return;
    }
    runReport(ledger, reports::allChequesSql(reportLedger(ledger)), QString());
}

void MenuCommands::reportDueToday(Ledger ledger)
{
    runReport(ledger, reports::dueOnDateSql(reportLedger(ledger), reports::DueCommand::Today, today()),
              QStringLiteral("\r\nVadesi Dolan Çek Bulunamadı."));
}

void MenuCommands::reportWarningDate(Ledger ledger)
{
    runReport(ledger,
              reports::dueOnDateSql(reportLedger(ledger), reports::DueCommand::WarningDate,
                                    m_window.warningSettings().warningDate),
              QStringLiteral("\r\nUyarı Sistemine Göre Vadesi Dolan Çek Bulunamadı."));
}

void MenuCommands::reportInXDays(Ledger ledger)
{
    const QString typed = MessageService::inputBox(
        QStringLiteral("Rakam Giriniz"), QStringLiteral("Vadesinin dolmasına kaç gün\rkalan çekleri raporlamak istersiniz."),
        QString::number(m_window.warningSettings().warningDays));
    const int days = reports::dayCountFromText(typed);
    // A day count that leaves the calendar gets a message of its own rather
    // than an engine failure on an impossible date.
    const auto date = text::addDays(widgets::fromQDate(today()), days);
    if (!date) {
        MessageService::warning(QStringLiteral("\r\nGirilen gün sayısı takvimin dışında bir tarih veriyor."));
        return;
    }
    runReport(ledger,
              reports::dueOnDateSql(reportLedger(ledger), reports::DueCommand::XDays,
                                    QDate(date->year, date->month, date->day)),
              QStringLiteral("\r\nVadesi Dolan Çek Bulunamadı."));
}

void MenuCommands::customReport(Ledger ledger)
{
    data::DataStore &store = m_window.dataStore();
    reports::CustomReportDialog *&dialog = ledger == Ledger::Company ? m_companyCriteria : m_customerCriteria;
    if (!dialog)
        dialog = new reports::CustomReportDialog(
            reportLedger(ledger),
            store.table(ledger == Ledger::Company ? TableId::CompanyStatuses : TableId::CustomerStatuses), &m_window);
    reports::Previewer previewer;
    if (m_previewer)
        previewer = [this, ledger](const reports::ReportDefinition &, engine::RowSource &rows) {
            m_previewer(ledger, rows);
        };
    reports::runCustomReport(*dialog, store, previewer);
}

void MenuCommands::exportLedger(Ledger ledger)
{
    const TableId id = ledgerTable(ledger);
    engine::Table &table = m_window.dataStore().table(id);
    if (!table.isOpen()) {
        MessageService::warning(QStringLiteral("\r\nTablo açılamadığı için export yapılamıyor."));
        return;
    }
    // Every field of the table, hidden ones included, in field order, under
    // its display label; the rows in the table's current order. The walk does
    // not move the table's cursor.
    QList<exporting::ExportColumn> columns;
    const data::TableInfo &info = data::table(id);
    for (std::size_t i = 0; i < table.fields().size(); ++i) {
        const data::FieldDisplay *display = info.field(table.fields()[i].name);
        columns << exporting::ExportColumn{int(i), display ? QString::fromStdString(display->label)
                                                           : QString::fromStdString(table.fields()[i].name)};
    }
    const std::unique_ptr<engine::RowSource> rows = table.rows();
    exporting::ExportDialog dialog(&m_window);
    dialog.setSource(rows.get(), columns, QString::fromStdString(engine::Database::tableNameOf(info.fileName)));
    dialog.setCurrentRow(table.position());
    dialog.setPageMargins(QMarginsF(1.17, 0.78, 0.57, 0.78));
    MessageService::execDialog(&dialog);
}

void MenuCommands::showWarningSettings()
{
    forms::WarningSettingsDialog dialog(&m_window);
    dialog.setSettingsFile(m_window.settingsFile());
    connect(&dialog, &forms::WarningSettingsDialog::saved, &m_window, &MainWindow::setWarningSettings);
    m_window.loadWarningSettings();
    dialog.setSettings(m_window.warningSettings());
    MessageService::execDialog(&dialog);
    m_window.loadWarningSettings();
    m_window.countStatusLine();
}

void MenuCommands::runMaintenance()
{
    reports::ReportPreview::stopAllBuilding();
    bool restored = false;
    forms::runTableMaintenance(m_window.dataStore(), &m_window, m_window.programFolder(), &restored);
    if (restored)
        m_window.reloadSettingsFiles();
    else
        m_window.countStatusLine();
}
