#pragma once

#include "text/date.h"
#include "text/money.h"

#include <QLocale>
#include <QString>

namespace exporting {

// The one place where dates and amounts become text in an export. Dates are
// always dd.mm.yyyy; amounts use the grouping and decimal marks given at
// construction (the system locale's in the program).
class ValueText
{
public:
    // Marks of the given locale ("." and "," for Turkish).
    explicit ValueText(const QLocale &locale = QLocale::system());
    explicit ValueText(const text::NumberMarks &marks);

    // "31.12.2004"; an empty text for a date that does not exist.
    QString date(const text::Date &date) const;
    // Display form "#,###0.00": "1.234.567,50" with Turkish marks.
    QString amountDisplay(text::Kurus kurus) const;
    // Edit form "###0.00": "1234567,50" with Turkish marks.
    QString amountEdit(text::Kurus kurus) const;
    // Locale-free form for typed formats: "1234567.50", "-0.05".
    static QString amountPlain(text::Kurus kurus);
    // ISO form "2004-12-31" for typed formats.
    static QString isoDate(const text::Date &date);

    const text::NumberMarks &marks() const { return m_marks; }

private:
    text::NumberMarks m_marks;
};

} // namespace exporting
