#pragma once

#include "engine/value.h"
#include "text/money.h"

#include <QDate>
#include <QLocale>
#include <QString>

namespace widgets {

// The grouping and decimal marks of a locale (the system's by default).
text::NumberMarks numberMarks(const QLocale &locale = QLocale::system());

// A field value as the program shows it: dates as dd.mm.yyyy, amounts in the
// display form "#,###0.00" with the locale's marks, texts as they are;
// an empty text for null.
QString displayText(const engine::Value &value, engine::FieldType type, const QLocale &locale = QLocale::system());

// The value's date, or an invalid QDate.
QDate toQDate(const engine::Value &value);
text::Date fromQDate(const QDate &date);
QString toQString(const engine::Value &value); // the text of a text value, else empty

} // namespace widgets
