#include "export/excelwriter.h"

#include "export/exportjob.h"

#include <QFile>

#include <xlsxwriter.h>

namespace exporting {

namespace {

// Rows of one worksheet, caption row included; a longer export goes on to
// the next worksheet with the captions again.
constexpr lxw_row_t maxSheetRows = 1048576;
// Excel keeps at most this many characters in a cell.
constexpr qsizetype maxCellLength = 32767;

QString errorText(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

// XML cannot carry most control characters; they are left out.
QByteArray cellText(QString text)
{
    text.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r'; });
    if (text.size() > maxCellLength)
        text.truncate(maxCellLength);
    return text.toUtf8();
}

// Most values need no cleaning: short, and free of control characters.
bool isPlainCell(const std::string &text)
{
    if (qsizetype(text.size()) > maxCellLength)
        return false;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

double columnWidth(const engine::FieldDef &field, const QString &caption)
{
    double width = 12;
    switch (field.type) {
    case engine::FieldType::Date: width = 11; break;
    case engine::FieldType::Money: width = 14; break;
    case engine::FieldType::Boolean: width = 7; break;
    case engine::FieldType::AutoInc:
    case engine::FieldType::Integer: width = 9; break;
    case engine::FieldType::Memo: width = 40; break;
    case engine::FieldType::Char: width = std::clamp(field.size, 8, 40); break;
    }
    return std::max<double>(width, caption.size() + 2);
}

class Workbook
{
public:
    Workbook(ExportJob &job, lxw_workbook *book)
        : m_job(job)
        , m_book(book)
    {
        m_bold = workbook_add_format(book);
        format_set_bold(m_bold);
        m_date = workbook_add_format(book);
        format_set_num_format(m_date, "dd.mm.yyyy");
        m_amount = workbook_add_format(book);
        format_set_num_format(m_amount, "#,##0.00");
        m_wrapped = workbook_add_format(book);
        format_set_text_wrap(m_wrapped);
    }

    bool startSheet()
    {
        const QByteArray name = "Sayfa" + QByteArray::number(++m_sheets);
        m_sheet = workbook_add_worksheet(m_book, name.constData());
        if (!m_sheet)
            return false;
        for (int c = 0; c < m_job.columnCount(); ++c)
            worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c), columnWidth(m_job.field(c), m_job.caption(c)), nullptr);
        worksheet_freeze_panes(m_sheet, 1, 0);
        for (int c = 0; c < m_job.columnCount(); ++c)
            worksheet_write_string(m_sheet, 0, lxw_col_t(c), cellText(m_job.caption(c)).constData(), m_bold);
        m_row = 0;
        return true;
    }

    // Writes the current row of the job. Returns false when the library refuses it.
    bool writeRow()
    {
        if (m_row + 1 >= maxSheetRows && !startSheet())
            return false;
        ++m_row;
        for (int c = 0; c < m_job.columnCount(); ++c) {
            const lxw_col_t col = lxw_col_t(c);
            const engine::Value &value = m_job.value(c);
            lxw_error error = LXW_NO_ERROR;
            if (const auto *text = std::get_if<std::string>(&value)) {
                if (text->empty())
                    continue;
                // A string cell is always text: "=1+1" is shown, never calculated.
                const bool multiline = text->find('\n') != std::string::npos;
                lxw_format *format = multiline ? m_wrapped : nullptr;
                if (isPlainCell(*text)) {
                    error = worksheet_write_string(m_sheet, m_row, col, text->c_str(), format);
                } else {
                    const QByteArray utf8 = cellText(QString::fromStdString(*text));
                    error = worksheet_write_string(m_sheet, m_row, col, utf8.constData(), format);
                }
            } else if (const auto *date = std::get_if<text::Date>(&value)) {
                if (date->year >= 1900 && text::isValid(*date)) {
                    lxw_datetime when{date->year, date->month, date->day, 0, 0, 0};
                    error = worksheet_write_datetime(m_sheet, m_row, col, &when, m_date);
                } else {
                    error = worksheet_write_string(m_sheet, m_row, col, m_job.displayText(c).toUtf8().constData(), nullptr);
                }
            } else if (const auto *number = std::get_if<std::int64_t>(&value)) {
                if (m_job.type(c) == engine::FieldType::Money)
                    error = worksheet_write_number(m_sheet, m_row, col, double(*number) / 100.0, m_amount);
                else
                    error = worksheet_write_number(m_sheet, m_row, col, double(*number), nullptr);
            } else if (const auto *flag = std::get_if<bool>(&value)) {
                error = worksheet_write_boolean(m_sheet, m_row, col, *flag ? 1 : 0, nullptr);
            }
            if (error != LXW_NO_ERROR) {
                m_job.fail(errorText(error));
                return false;
            }
        }
        return true;
    }

private:
    ExportJob &m_job;
    lxw_workbook *m_book;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_bold = nullptr;
    lxw_format *m_date = nullptr;
    lxw_format *m_amount = nullptr;
    lxw_format *m_wrapped = nullptr;
    lxw_row_t m_row = 0;
    int m_sheets = 0;
};

} // namespace

bool ExcelWriter::write(ExportJob &job, const QString &path)
{
    // Constant-memory mode writes each row out as soon as the next one starts,
    // so a million rows cost no more memory than ten.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray fileName = QFile::encodeName(path);
    lxw_workbook *book = workbook_new_opt(fileName.constData(), &options);
    if (!book) {
        job.fail(QStringLiteral("Excel dosyası hazırlanamadı."));
        return false;
    }
    bool ok = true;
    {
        Workbook sheets(job, book);
        ok = sheets.startSheet();
        job.restart();
        while (ok && job.nextRow())
            ok = sheets.writeRow();
    }
    if (!ok || job.cancelled()) {
        // Closing is the only way to free the workbook; what it writes is removed by the caller.
        workbook_close(book);
        return false;
    }
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) {
        job.fail(errorText(error));
        return false;
    }
    return true;
}

} // namespace exporting
