#pragma once

#include "engine/rowsource.h"
#include "export/valuetext.h"

#include <QList>
#include <QMarginsF>
#include <QString>

#include <cstdint>
#include <string_view>
#include <functional>

namespace exporting {

// One exported column: a field of the row source and the caption written for
// it (the field's display label).
struct ExportColumn
{
    int field = 0;
    QString caption;
};

// Which rows an export writes.
enum class RowRange {
    All,         // from the first row to the last
    FromCurrent, // from the current row to the last
    OnlyCurrent, // the current row alone
};

// What a writer needs for one export: the rows, the columns, the texts of
// values, and the means to report progress and failure. Writers walk the rows
// with restart()/nextRow(); the job applies the row range and asks the
// progress callback, which may cancel, as rows go by.
class ExportJob
{
public:
    // Called now and then with the rows read so far and the expected total
    // (-1 when not known). Returning false cancels the export.
    using Progress = std::function<bool(std::int64_t done, std::int64_t total)>;

    // source and columns must outlive the job; every column's field must be
    // below source.fields().size().
    ExportJob(engine::RowSource &source, QList<ExportColumn> columns);

    void setTableName(const QString &name) { m_tableName = name; }
    // A name usable for the table in SQL or XML ("firma_cek"); "tablo" when none was given.
    QString tableName() const;
    void setValueText(const ValueText &valueText) { m_valueText = valueText; }
    const ValueText &valueText() const { return m_valueText; }
    // Rows to write; position is the 0-based place of the current row in the source's order.
    void setRowRange(RowRange range, std::int64_t currentPosition);
    void setProgress(Progress progress) { m_progress = std::move(progress); }
    // Page margins of PDF output and printouts, in inches (left, top, right, bottom).
    void setPageMargins(const QMarginsF &inches) { m_pageMargins = inches; }
    QMarginsF pageMargins() const { return m_pageMargins; }

    // Stands before the first row of the range.
    void restart();
    // Moves to the next row of the range. Returns false past the last row, and
    // also when the user cancelled (then cancelled() is true).
    bool nextRow();
    // Rows of the range read since the last restart().
    std::int64_t rowsRead() const { return m_rowsRead; }
    // The number of rows the range will give, or -1 when not known in advance.
    std::int64_t expectedRows() const;

    int columnCount() const { return int(m_columns.size()); }
    const QString &caption(int column) const { return m_columns[column].caption; }
    const engine::FieldDef &field(int column) const;
    engine::FieldType type(int column) const { return field(column).type; }
    // The value of a column in the current row.
    const engine::Value &value(int column) const;
    bool isNull(int column) const { return engine::isNull(value(column)); }

    // The value as a person reads it: dd.mm.yyyy, "1.234,50", "Evet"/"Hayır",
    // empty for null.
    QString displayText(int column) const;
    // Like displayText() but amounts in edit form ("1234,50"), for formats a
    // spreadsheet reads back as numbers.
    QString editText(int column) const;
    // Text of a Char or Memo value; empty for null or another type.
    QString stringValue(int column) const;

    // True when a spreadsheet would take the text for a formula (=, +, -, @
    // at the start, or a tab or carriage return before one).
    static bool looksLikeFormula(const QString &text);
    static bool looksLikeFormula(std::string_view utf8);

    // Records why the export failed; writers return false after it.
    void fail(const QString &message);
    const QString &errorMessage() const { return m_error; }
    bool cancelled() const { return m_cancelled; }

private:
    bool reportProgress();

    engine::RowSource &m_source;
    QList<ExportColumn> m_columns;
    QString m_tableName;
    ValueText m_valueText;
    RowRange m_range = RowRange::All;
    std::int64_t m_currentPosition = 0;
    Progress m_progress;
    QMarginsF m_pageMargins{1.17, 0.78, 0.57, 0.78};
    std::int64_t m_sourcePosition = -1;
    std::int64_t m_rowsRead = 0;
    bool m_cancelled = false;
    QString m_error;
};

} // namespace exporting
