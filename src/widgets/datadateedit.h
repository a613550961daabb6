#pragma once

#include "widgets/datalineedit.h"

class QAction;
class QCalendarWidget;

namespace widgets {

// A data-aware editor for a DATE field: typed as dd.mm.yyyy (a two-digit year
// is read in the window 1950-2049, one-digit days and months are accepted),
// with a drop-down calendar button beside the text. An empty text clears the
// date.
class DataDateEdit : public DataLineEdit
{
    Q_OBJECT

public:
    DataDateEdit(TableAdapter &adapter, const QString &field, QWidget *parent = nullptr);

    // Opens the calendar under the editor on the shown date (today when none).
    void showCalendar();
    // The calendar, while it is open; null otherwise.
    QCalendarWidget *calendar() const;

    // The text of a date as typed, completed to dd.mm.yyyy where it can be
    // ("1.2.24" becomes "01.02.2024"); other texts come back unchanged.
    static QString completeDate(const QString &typed);

protected:
    std::optional<engine::Value> takeText(QString *message) const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void takeCalendarDate(const QDate &date);

    QAction *m_dropDown = nullptr;
    QWidget *m_popup = nullptr;
};

} // namespace widgets
