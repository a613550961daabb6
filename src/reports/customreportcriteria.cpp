#include "reports/customreportcriteria.h"

#include <cassert>
#include <vector>

namespace reports {

namespace {

struct SortField
{
    const char16_t *caption;
    const char *field; // nullptr: no ORDER BY
};

const std::vector<SortField> &sortFields(Ledger ledger)
{
    static const std::vector<SortField> company = {
        {u"(yok)", nullptr},
        {u"Vade Tarihi", "VADE_TARIHI"},
        {u"Çek Tutarı", "CEK_TUTARI"},
        {u"Çek Durumu", "CEK_DURUMU"},
        {u"Çek Numarası", "CEK_NUMARASI"},
        {u"Çeki Alan", "CEKI_ALAN"},
    };
    static const std::vector<SortField> customer = {
        {u"(yok)", nullptr},
        {u"Vade Tarihi", "VADE_TARIHI"},
        {u"Çek Tutarı", "CEK_TUTARI"},
        {u"Çek Durumu", "CEK_DURUM"},
        {u"Çek Numarası", "CEK_NUMARASI"},
        {u"Hesap Sahibi", "HESAPSAHIBI"},
        {u"Ciro Eden", "CIRO_EDEN"},
        {u"Kime Ciro", "KIME_CIRO"},
    };
    return ledger == Ledger::Company ? company : customer;
}

} // namespace

QStringList customReportSortCaptions(Ledger ledger)
{
    QStringList captions;
    for (const SortField &field : sortFields(ledger))
        captions.append(QString::fromUtf16(field.caption));
    return captions;
}

QString customReportOrderText(Ledger ledger, int index)
{
    const auto &fields = sortFields(ledger);
    if (index < 0 || index >= int(fields.size()) || !fields[std::size_t(index)].field)
        return {};
    return QStringLiteral("ORDER BY ") + QLatin1String(fields[std::size_t(index)].field) + u' ';
}

QString sqlTextLiteral(const QString &text)
{
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

QStringList customReportSqlLines(Ledger ledger, const CustomReportCriteria &criteria)
{
    assert(criteria.start.isValid() && criteria.end.isValid());

    const QString opener = ledger == Ledger::Company ? QStringLiteral("(CEK_DURUMU = ")
                                                     : QStringLiteral("(CEK_DURUM = ");
    QString statusCondition;
    for (qsizetype i = 0; i < criteria.statuses.size(); ++i) {
        statusCondition += opener + sqlTextLiteral(criteria.statuses[i]);
        statusCondition += i + 1 == criteria.statuses.size() ? QStringLiteral(")") : QStringLiteral(") OR ");
    }
    if (!statusCondition.isEmpty())
        statusCondition = QStringLiteral(" AND (") + statusCondition + u')';

    const QString dateLine = QStringLiteral("WHERE (VADE_TARIHI >=") + sqlDateLiteral(criteria.start)
        + QStringLiteral(") AND (VADE_TARIHI <=") + sqlDateLiteral(criteria.end) + u')' + statusCondition;

    QString orderLine = customReportOrderText(ledger, criteria.sortIndex);
    if (!orderLine.isEmpty())
        orderLine += criteria.descending ? QStringLiteral("DESC") : QStringLiteral("ASC");

    return {allChequesSql(ledger), dateLine, orderLine};
}

QString customReportSql(Ledger ledger, const CustomReportCriteria &criteria)
{
    return customReportSqlLines(ledger, criteria).join(u'\n');
}

} // namespace reports
