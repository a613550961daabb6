#include "warningrules.h"

namespace settings {

QDate WarningRules::warningDate(const QDate &today, int warningDays)
{
    return today.addDays(warningDays);
}

bool WarningRules::colourRow(bool windowOpen, bool colouringOn, bool selected,
                             const QDate &rowDueDate, const QDate &today, int warningDays)
{
    if (!windowOpen || !colouringOn || selected || !rowDueDate.isValid())
        return false;
    return rowDueDate == warningDate(today, warningDays);
}

QString WarningRules::shownCountText(qint64 rowCount)
{
    return QStringLiteral("Gösterilen Çek Sayısı :") + QString::number(rowCount);
}

QString WarningRules::dueCountText(qint64 dueCount, const QDate &warningDate)
{
    return QStringLiteral("Vadesi Dolan Çek Sayısı:") + QString::number(dueCount) +
           QStringLiteral("  | Uyarı sistemine göre aranan tarih:") +
           warningDate.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" |");
}

QString WarningRules::dueCountHint(qint64 dueCount)
{
    return dueCount > 0 ? QStringLiteral("Rapor için çift tıklayın...") : QString();
}

QColor WarningRules::nextBlinkColour(const QColor &current)
{
    const QColor green(0, 128, 0);
    if (current.isValid() && current.rgb() == green.rgb())
        return QColor(0, 0, 255);
    return green;
}

} // namespace settings
