#include "commandline/plaintextreport.h"

#include "engine/rowsource.h"
#include "reports/reportformat.h"

#include <QIODevice>

#include <vector>

namespace commandline {

namespace {

const QString kAmountMask = QStringLiteral("#,###0.00");
const QString kGap = QStringLiteral("  ");

} // namespace

void writePlainText(QIODevice &out, engine::RowSource &rows, const QList<ReportColumn> &columns,
                    const QStringList &heading)
{
    const text::NumberMarks turkish;
    std::vector<int> fields;
    std::vector<bool> amounts;
    std::vector<qsizetype> widths;
    for (const ReportColumn &column : columns) {
        const int field = rows.fieldIndex(column.field);
        fields.push_back(field);
        amounts.push_back(field >= 0 && rows.fields()[std::size_t(field)].type == engine::FieldType::Money);
        widths.push_back(column.caption.size());
    }
    const auto cell = [&](std::size_t c) {
        if (fields[c] < 0)
            return QString();
        const engine::FieldDef &field = rows.fields()[std::size_t(fields[c])];
        return reports::formatValue(rows.value(std::size_t(fields[c])), field.type, amounts[c] ? kAmountMask : QString(),
                                    turkish);
    };

    std::int64_t total = 0;
    std::int64_t count = 0;
    int amountColumn = -1;
    rows.restart();
    while (rows.next()) {
        ++count;
        for (std::size_t c = 0; c < fields.size(); ++c) {
            widths[c] = std::max(widths[c], cell(c).size());
            if (amounts[c]) {
                amountColumn = amountColumn < 0 ? int(c) : amountColumn;
                if (const auto *kurus = std::get_if<std::int64_t>(&rows.value(std::size_t(fields[c]))))
                    total += *kurus;
            }
        }
    }
    const QString totalText = reports::formatNumber(total, 2, kAmountMask, turkish);
    const QString totalCaption = QStringLiteral("T O P L A M");
    if (amountColumn >= 0) {
        widths[std::size_t(amountColumn)] = std::max(widths[std::size_t(amountColumn)], totalText.size());
        if (amountColumn > 0)
            widths[0] = std::max(widths[0], totalCaption.size());
    }

    const auto line = [&out](QString text) {
        while (text.endsWith(u' '))
            text.chop(1);
        out.write((text + u'\n').toUtf8());
    };
    const auto aligned = [&](const std::function<QString(std::size_t)> &textOf) {
        QString text;
        for (std::size_t c = 0; c < fields.size(); ++c) {
            if (c > 0)
                text += kGap;
            const QString value = textOf(c);
            text += amounts[c] ? value.rightJustified(widths[c]) : value.leftJustified(widths[c]);
        }
        return text;
    };

    for (const QString &text : heading)
        line(text);
    line(QString());
    line(aligned([&](std::size_t c) { return columns.at(qsizetype(c)).caption; }));
    line(aligned([&](std::size_t c) { return QString(widths[c], u'-'); }));
    rows.restart();
    while (rows.next())
        line(aligned(cell));
    line(aligned([&](std::size_t c) { return QString(widths[c], u'-'); }));
    if (amountColumn >= 0)
        line(aligned([&](std::size_t c) {
            if (int(c) == amountColumn)
                return totalText;
            return c == 0 ? totalCaption : QString();
        }));
    line(QStringLiteral("Listelenen Kayıt Sayısı :") + QString::number(count));
}

} // namespace commandline
