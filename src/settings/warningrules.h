#pragma once

#include <QColor>
#include <QDate>
#include <QString>

namespace settings {

// The decisions of the due-date warning system, free of widgets and clocks:
// the caller passes today's date, so the rules can be tested on any day.
class WarningRules
{
public:
    // Today plus the warning days. An invalid today gives an invalid date.
    static QDate warningDate(const QDate &today, int warningDays);

    // Whether a ledger row is painted in the warning colours: the main window
    // is open, colouring is switched on, the cell is not painted as selected,
    // and the row's due date is exactly today + warningDays, today being taken
    // at painting time. A row without a due date (invalid rowDueDate) never is.
    static bool colourRow(bool windowOpen, bool colouringOn, bool selected, const QDate &rowDueDate,
                          const QDate &today, int warningDays);

    // "Gösterilen Çek Sayısı :" followed by the row count.
    static QString shownCountText(qint64 rowCount);
    // "Vadesi Dolan Çek Sayısı:3  | Uyarı sistemine göre aranan tarih:15.03.2005 |"
    static QString dueCountText(qint64 dueCount, const QDate &warningDate);
    // The warning label's hint: "Rapor için çift tıklayın..." while the count
    // is above zero, empty otherwise.
    static QString dueCountHint(qint64 dueCount);
    // Whether the warning label blinks: while the count is above zero.
    static bool blinks(qint64 dueCount) { return dueCount > 0; }

    // The warning label's next text colour when it blinks: exactly green
    // RGB(0,128,0) becomes blue RGB(0,0,255); any other colour becomes green.
    static QColor nextBlinkColour(const QColor &current);
};

} // namespace settings
