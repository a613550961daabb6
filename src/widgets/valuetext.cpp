#include "widgets/valuetext.h"

#include "text/date.h"

namespace widgets {

text::NumberMarks numberMarks(const QLocale &locale)
{
    return text::NumberMarks{locale.groupSeparator().toStdString(), locale.decimalPoint().toStdString()};
}

QString displayText(const engine::Value &value, engine::FieldType type, const QLocale &locale)
{
    if (engine::isNull(value))
        return {};
    if (const auto *s = std::get_if<std::string>(&value))
        return QString::fromStdString(*s);
    if (const auto *d = std::get_if<text::Date>(&value))
        return QString::fromStdString(text::formatDate(*d));
    if (const auto *n = std::get_if<std::int64_t>(&value)) {
        if (type == engine::FieldType::Money)
            return QString::fromStdString(text::formatAmountDisplay(*n, numberMarks(locale)));
        return QString::number(*n);
    }
    if (const auto *b = std::get_if<bool>(&value))
        return *b ? QStringLiteral("True") : QStringLiteral("False");
    return {};
}

QDate toQDate(const engine::Value &value)
{
    if (const auto *d = std::get_if<text::Date>(&value))
        return QDate(d->year, d->month, d->day);
    return {};
}

text::Date fromQDate(const QDate &date)
{
    return text::Date{date.year(), date.month(), date.day()};
}

QString toQString(const engine::Value &value)
{
    if (const auto *s = std::get_if<std::string>(&value))
        return QString::fromStdString(*s);
    return {};
}

} // namespace widgets
