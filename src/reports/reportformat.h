#pragma once

#include "engine/value.h"
#include "text/money.h"

#include <QString>

#include <cstdint>

class QLocale;

namespace reports {

// The grouping and decimal marks of a locale (the system locale at the edge).
text::NumberMarks marksFromLocale(const QLocale &locale);

// A number held as an integer count of 1/10^scale units (kuruş: scale 2)
// formatted with a numeric display mask in the manner of "#,###0.00": a ","
// in the integer part asks for thousands grouping, each "0" before the
// decimal point is a digit always shown, each "0" after it a decimal always
// shown and each "#" after it a decimal shown when not zero. Surplus
// decimals are rounded half away from zero. An empty mask prints the digits
// plainly with scale decimals. Negative values get a leading "-".
QString formatNumber(std::int64_t units, int scale, const QString &mask, const text::NumberMarks &marks);

// "dd.mm.yyyy"; an empty text for a date that does not exist.
QString formatDate(const text::Date &date);

// The text a field value prints as: dates as dd.mm.yyyy, money (kuruş) and
// whole numbers through the mask, text as stored, null as empty.
QString formatValue(const engine::Value &value, engine::FieldType type, const QString &mask,
                    const text::NumberMarks &marks);

} // namespace reports
