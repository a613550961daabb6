#include "gridlayout.h"

#include "wholenumber.h"

#include <QSet>

#include <algorithm>

namespace settings {

namespace {

const QString kDelimiter = QStringLiteral(";;");

// A decimal width; numbers too large for an int saturate so they clamp to the
// widest column rather than counting as no number.
std::optional<int> parseWidth(QStringView text)
{
    QStringView t = text.trimmed();
    bool negative = false;
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == u'+')) {
        negative = t.front() == u'-';
        t = t.mid(1);
    }
    if (t.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = std::min<qint64>(value * 10 + (c.unicode() - u'0'), 1'000'000'000);
    }
    return int(negative ? -value : value);
}

QString normalisedMark(const QString &mark)
{
    const QString m = mark.trimmed();
    if (asciiEqualsIgnoreCase(m, u"T"))
        return QStringLiteral("T");
    if (asciiEqualsIgnoreCase(m, u"F"))
        return QStringLiteral("F");
    return QString();
}

int clampedWidth(int width)
{
    return std::clamp(width, GridLayout::MinWidth, GridLayout::MaxWidth);
}

} // namespace

QString GridLayout::sectionName(const QString &gridName)
{
    return QStringLiteral("cekformu") + gridName;
}

GridLayout::LoadResult GridLayout::load(const IniFile &ini, const QString &section,
                                        const QStringList &knownFields)
{
    LoadResult result;
    QList<Column> columns;
    QSet<QString> seen;

    for (const IniFile::Entry &entry : ini.entries(section)) {
        const qsizetype first = entry.value.indexOf(kDelimiter);
        if (first < 0) {
            result.outcome = Outcome::DelimiterMissing;
            result.message = QStringLiteral("Key Delimiter Not Found");
            return result;
        }

        const auto known =
            std::find_if(knownFields.cbegin(), knownFields.cend(), [&entry](const QString &field) {
                return asciiEqualsIgnoreCase(field, entry.key);
            });
        if (known == knownFields.cend() || seen.contains(*known))
            continue;
        seen.insert(*known);

        // width;;title;;mark, the title itself may hold ";;": the width ends
        // at the first delimiter, the mark starts after the last one.
        Column column;
        column.field = *known;
        column.width =
            clampedWidth(parseWidth(QStringView(entry.value).left(first)).value_or(DefaultWidth));
        const QString rest = entry.value.mid(first + kDelimiter.size());
        const qsizetype last = rest.lastIndexOf(kDelimiter);
        if (last >= 0) {
            column.title = rest.left(last);
            column.readOnlyMark = normalisedMark(rest.mid(last + kDelimiter.size()));
        } else {
            column.title = rest;
        }
        column.title = column.title.trimmed().left(MaxTitleLength);
        if (column.title.isEmpty())
            column.title = column.field;
        columns.append(column);
    }

    if (!columns.isEmpty()) {
        result.outcome = Outcome::Columns;
        result.layout = GridLayout(columns);
    }
    return result;
}

void GridLayout::save(IniFile &ini, const QString &section) const
{
    ini.clearSection(section);
    QStringList written;
    for (const Column &column : m_columns) {
        const bool repeated =
            std::any_of(written.cbegin(), written.cend(), [&column](const QString &field) {
                return asciiEqualsIgnoreCase(field, column.field);
            });
        if (repeated)
            continue;
        QString title = column.title.left(MaxTitleLength);
        title.replace(u'\r', u' ');
        title.replace(u'\n', u' ');
        const QString value = QString::number(clampedWidth(column.width)) + kDelimiter + title +
                              kDelimiter + normalisedMark(column.readOnlyMark);
        if (ini.setValue(section, column.field, value))
            written.append(column.field);
    }
}

} // namespace settings
