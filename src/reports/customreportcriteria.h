#pragma once

#include "reports/ledgerreports.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace reports {

// What the custom report's criteria dialog collects: a range of due dates,
// the statuses to keep (none: every status), a sort field and its direction.
struct CustomReportCriteria
{
    QDate start;
    QDate end;
    QStringList statuses;  // checked names, in the order of the check list
    int sortIndex = -1;    // item of the sort field list: -1 none selected, 0 "(yok)"
    bool descending = false; // "Z - a" rather than "A - z"
};

// The captions of the sort field list, item 0 "(yok)" first.
QStringList customReportSortCaptions(Ledger ledger);

// The ORDER BY text of sort field item index, ending in one blank
// ("ORDER BY VADE_TARIHI "); empty for -1, 0 ("(yok)") and indexes out of range.
QString customReportOrderText(Ledger ledger, int index);

// A text as a quoted SQL literal: in single quotes, any quote inside doubled.
QString sqlTextLiteral(const QString &text);

// The three lines of the custom report's SQL text:
//   SELECT * FROM firma_cek.db
//   WHERE (VADE_TARIHI >='01.08.2002') AND (VADE_TARIHI <='31.08.2002') AND ((CEK_DURUMU = 'ÖDENDE') OR (...))
//   ORDER BY VADE_TARIHI DESC
// The status condition is left out when no status is given; the third line is
// empty without a sort field. Statuses and dates only ever appear as quoted
// literals. Precondition: start and end are valid dates.
QStringList customReportSqlLines(Ledger ledger, const CustomReportCriteria &criteria);

// The lines of customReportSqlLines() joined by line feeds, as the report
// query is given them.
QString customReportSql(Ledger ledger, const CustomReportCriteria &criteria);

} // namespace reports
