#pragma once

#include "engine/rowsource.h"
#include "reports/pagecomposer.h"
#include "reports/renderedreport.h"
#include "reports/reportdefinition.h"
#include "text/money.h"

#include <QDate>
#include <QFontMetricsF>
#include <QHash>

#include <vector>

namespace reports {

struct LayoutOptions
{
    QDate today = QDate::currentDate();   // printed by the date system texts
    text::NumberMarks marks;              // thousands and decimal marks of masks
};

// Lays a report definition out over the rows of a row source into a
// RenderedReport, a slice of rows at a time, so that a caller on the
// user-interface thread can keep the window responsive (and show page 1 long
// before the last page exists).
//
// The row source is read from its first row to its last; it must stay alive
// and unchanged while step() is being called. Needs a QGuiApplication (text is
// measured with the report's fonts).
class ReportLayouter
{
public:
    enum class Status { More, Done, Failed };

    ReportLayouter(const ReportDefinition &definition, engine::RowSource &rows, LayoutOptions options = {});

    // Lays out up to maxRows further rows (the first call also checks the
    // fields and starts page 1; the call that meets the end adds the summary).
    // Returns Done when the report is complete, Failed when the data could
    // not be read (errorText() says why in Turkish; the pages laid out so far
    // stay), More otherwise. After Done or Failed further calls change nothing.
    Status step(int maxRows);

    // Runs step() to the end. Returns the final status.
    Status run();

    const RenderedReport &report() const { return m_report; }
    RenderedReport takeReport() { return std::move(m_report); }
    QString errorText() const { return m_error; }
    Status status() const { return m_status; }
    // Pages that will not change any more (all of them once done).
    int finishedPageCount() const;
    long long rowsLaidOut() const { return m_rowCount; }

private:
    struct Prepared
    {
        const ReportElement *element = nullptr;
        int font = 0;
        int field = -1; // field index in the row source, for fields and sums
        engine::FieldType type = engine::FieldType::Char;
        int sum = -1;   // index into m_sums for expressions
    };
    struct PreparedBand
    {
        const ReportBand *band = nullptr;
        std::vector<Prepared> elements;
    };

    bool prepare();
    bool prepareBand(const ReportBand &band, PreparedBand &prepared);
    int fontIndex(const FontSpec &font);
    void openPage();
    void emitBand(const PreparedBand &band, Micrometres top, int pageNumber);
    void emitText(const Prepared &prepared, Micrometres x, Micrometres y, const QString &text);
    double textWidth(int font, const QString &text);
    Status fail(const QString &why);

    const ReportDefinition &m_definition;
    engine::RowSource &m_rows;
    LayoutOptions m_options;
    PageComposer m_composer;
    RenderedReport m_report;
    std::vector<QFontMetricsF> m_metrics;
    std::vector<QHash<QString, double>> m_widthCache;
    PreparedBand m_header, m_detail, m_summary;
    std::vector<std::int64_t> m_sums;
    std::vector<int> m_sumFields;
    QString m_dateText;
    long long m_rowCount = 0;
    bool m_started = false;
    Status m_status = Status::More;
    QString m_error;
};

} // namespace reports
