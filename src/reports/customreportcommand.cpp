#include "reports/customreportcommand.h"

#include "data/datastore.h"
#include "engine/error.h"
#include "reports/customreportdialog.h"
#include "reports/reportpreview.h"
#include "widgets/messageservice.h"

#include <exception>

namespace reports {

namespace {

void showEngineFailure(const std::exception &error)
{
    widgets::MessageService::failure(QString::fromUtf8(error.what()));
}

} // namespace

CustomReportOutcome runCustomReport(CustomReportDialog &dialog, data::DataStore &store, const Previewer &previewer)
{
    if (!dialog.run())
        return CustomReportOutcome::Cancelled;
    return runCustomReportQuery(dialog.ledger(), dialog.criteria(), store, previewer);
}

CustomReportOutcome runCustomReportQuery(Ledger ledger, const CustomReportCriteria &criteria, data::DataStore &store,
                                         const Previewer &previewer)
{
    engine::Query &query = ledger == Ledger::Company ? store.companyReportQuery() : store.customerReportQuery();

    // A preview of an earlier report may still be reading this query.
    ReportPreview::stopAllBuilding();
    query.close();
    query.setSql(customReportSql(ledger, criteria).toStdString());

    bool anyRow = false;
    try {
        query.open();
        anyRow = query.next();
        query.restart();
    } catch (const std::exception &error) {
        query.close();
        showEngineFailure(error);
        return CustomReportOutcome::Failed;
    }

    if (!anyRow) {
        widgets::MessageService::warning(QStringLiteral("\r\nBelirlediğiniz Kriterlere Uyan Çek Kaydı Bulunamadı."));
        query.close();
        return CustomReportOutcome::NoMatch;
    }

    const ReportDefinition &definition = ledger == Ledger::Company ? companyReport() : customerReport();
    try {
        if (previewer)
            previewer(definition, query);
        else
            ReportPreview::previewAndWait(definition, query);
    } catch (const std::exception &error) {
        query.close();
        showEngineFailure(error);
        return CustomReportOutcome::Failed;
    }
    return CustomReportOutcome::Previewed;
}

} // namespace reports
