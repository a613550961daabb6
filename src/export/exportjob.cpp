#include "export/exportjob.h"

#include <cassert>

namespace exporting {

namespace {

// Progress is reported every so many rows: often enough for a smooth bar and a
// quick cancel, seldom enough to cost nothing measurable.
constexpr std::int64_t progressStep = 512;

} // namespace

ExportJob::ExportJob(engine::RowSource &source, QList<ExportColumn> columns)
    : m_source(source)
    , m_columns(std::move(columns))
{
#ifndef NDEBUG
    for (const ExportColumn &column : m_columns)
        assert(column.field >= 0 && std::size_t(column.field) < m_source.fields().size());
#endif
}

QString ExportJob::tableName() const
{
    return m_tableName.isEmpty() ? QStringLiteral("tablo") : m_tableName;
}

void ExportJob::setRowRange(RowRange range, std::int64_t currentPosition)
{
    m_range = range;
    m_currentPosition = currentPosition < 0 ? 0 : currentPosition;
}

void ExportJob::restart()
{
    m_source.restart();
    m_sourcePosition = -1;
    m_rowsRead = 0;
}

bool ExportJob::nextRow()
{
    if (m_cancelled)
        return false;
    if (m_range == RowRange::OnlyCurrent && m_rowsRead >= 1)
        return false;
    const std::int64_t first = m_range == RowRange::All ? 0 : m_currentPosition;
    while (true) {
        if (!m_source.next())
            return false;
        ++m_sourcePosition;
        if (m_sourcePosition >= first)
            break;
    }
    ++m_rowsRead;
    if (m_rowsRead % progressStep == 0 && !reportProgress())
        return false;
    return true;
}

std::int64_t ExportJob::expectedRows() const
{
    const std::int64_t all = m_source.rowCountHint();
    if (all < 0)
        return -1;
    switch (m_range) {
    case RowRange::All:
        return all;
    case RowRange::FromCurrent:
        return std::max<std::int64_t>(0, all - m_currentPosition);
    case RowRange::OnlyCurrent:
        return m_currentPosition < all ? 1 : 0;
    }
    return -1;
}

bool ExportJob::reportProgress()
{
    if (m_progress && !m_progress(m_rowsRead, expectedRows()))
        m_cancelled = true;
    return !m_cancelled;
}

const engine::FieldDef &ExportJob::field(int column) const
{
    return m_source.fields()[std::size_t(m_columns[column].field)];
}

const engine::Value &ExportJob::value(int column) const
{
    return m_source.value(std::size_t(m_columns[column].field));
}

QString ExportJob::displayText(int column) const
{
    const engine::Value &v = value(column);
    if (const auto *text = std::get_if<std::string>(&v))
        return QString::fromStdString(*text);
    if (const auto *date = std::get_if<text::Date>(&v))
        return m_valueText.date(*date);
    if (const auto *number = std::get_if<std::int64_t>(&v)) {
        if (type(column) == engine::FieldType::Money)
            return m_valueText.amountDisplay(*number);
        return QString::number(*number);
    }
    if (const auto *flag = std::get_if<bool>(&v))
        return *flag ? QStringLiteral("Evet") : QStringLiteral("Hayır");
    return {};
}

QString ExportJob::editText(int column) const
{
    const engine::Value &v = value(column);
    if (const auto *number = std::get_if<std::int64_t>(&v); number && type(column) == engine::FieldType::Money)
        return m_valueText.amountEdit(*number);
    return displayText(column);
}

QString ExportJob::stringValue(int column) const
{
    if (const auto *text = std::get_if<std::string>(&value(column)))
        return QString::fromStdString(*text);
    return {};
}

bool ExportJob::looksLikeFormula(const QString &text)
{
    if (text.isEmpty() || text.front().unicode() >= 0x80)
        return false;
    const char first = char(text.front().unicode());
    return looksLikeFormula(std::string_view(&first, 1));
}

bool ExportJob::looksLikeFormula(std::string_view utf8)
{
    if (utf8.empty())
        return false;
    switch (utf8.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return true;
    default:
        return false;
    }
}

void ExportJob::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
}

} // namespace exporting
