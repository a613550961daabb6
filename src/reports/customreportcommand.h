#pragma once

#include "reports/customreportcriteria.h"
#include "reports/ledgerreports.h"
#include "reports/reportdefinition.h"

#include <functional>

namespace data { class DataStore; }
namespace engine { class RowSource; }

namespace reports {

class CustomReportDialog;

// Shows a report over rows and returns when the user is done with it. The
// program uses ReportPreview::previewAndWait; tests put in their own.
using Previewer = std::function<void(const ReportDefinition &definition, engine::RowSource &rows)>;

// How a custom report command ended.
enum class CustomReportOutcome {
    Cancelled, // the criteria were not accepted; nothing was touched
    Previewed, // rows matched and the report was shown; the report query stays open
    NoMatch,   // nothing matched: the user was told, the report query is closed
    Failed,    // the engine refused the query: the user was told, the report query is closed
};

// The "Özel Rapor" command of dialog's ledger: shows the criteria dialog and,
// when the user accepts it, runs runCustomReportQuery() with its criteria.
// previewer empty: ReportPreview::previewAndWait.
CustomReportOutcome runCustomReport(CustomReportDialog &dialog, data::DataStore &store,
                                    const Previewer &previewer = {});

// Builds the custom report's SQL text from criteria, sets it on the ledger's
// report query (FIRMA_SQL / MUSTERI_SQL), opens it and previews the ledger's
// report, or tells the user that no cheque matched
// ("\r\nBelirlediğiniz Kriterlere Uyan Çek Kaydı Bulunamadı."). An engine
// error is shown through MessageService::failure with the engine's Turkish
// text and leaves the query closed; the program goes on.
// Precondition: criteria.start and criteria.end are valid.
CustomReportOutcome runCustomReportQuery(Ledger ledger, const CustomReportCriteria &criteria, data::DataStore &store,
                                         const Previewer &previewer = {});

} // namespace reports
