#include "reports/reportformat.h"

#include <QLocale>

#include <string>

namespace reports {

text::NumberMarks marksFromLocale(const QLocale &locale)
{
    return {locale.groupSeparator().toStdString(), locale.decimalPoint().toStdString()};
}

QString formatNumber(std::int64_t units, int scale, const QString &mask, const text::NumberMarks &marks)
{
    // Amounts in the program's display form go through the one money formatter.
    if (scale == 2 && mask == QLatin1String("#,###0.00"))
        return QString::fromStdString(text::formatAmountDisplay(units, marks));
    bool grouping = false;
    int minIntegerDigits = 1;
    int requiredDecimals = scale;
    int optionalDecimals = 0;
    if (!mask.isEmpty()) {
        const qsizetype point = mask.indexOf(u'.');
        const QString integerPart = point < 0 ? mask : mask.left(point);
        const QString decimalPart = point < 0 ? QString() : mask.mid(point + 1);
        grouping = integerPart.contains(u',');
        minIntegerDigits = int(integerPart.count(u'0'));
        requiredDecimals = 0;
        optionalDecimals = 0;
        for (QChar c : decimalPart) {
            if (c == u'0')
                requiredDecimals = requiredDecimals + optionalDecimals + 1, optionalDecimals = 0;
            else if (c == u'#')
                ++optionalDecimals;
        }
    }
    const int decimals = requiredDecimals + optionalDecimals;

    // Work on the magnitude as unsigned so that INT64_MIN does not overflow.
    const bool negative = units < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(units)
                                            : static_cast<unsigned long long>(units);
    int shownScale = scale;
    if (decimals < scale) {
        unsigned long long divisor = 1;
        for (int i = decimals; i < scale; ++i)
            divisor *= 10;
        const unsigned long long rest = magnitude % divisor;
        magnitude /= divisor;
        if (rest * 2 >= divisor)
            ++magnitude;
        shownScale = decimals;
    }
    std::string digits = std::to_string(magnitude);
    while (int(digits.size()) < shownScale + 1)
        digits.insert(digits.begin(), '0');
    std::string integerDigits = digits.substr(0, digits.size() - shownScale);
    std::string decimalDigits = digits.substr(digits.size() - shownScale);
    decimalDigits.append(std::size_t(decimals - shownScale), '0');
    // Optional decimals drop when zero, from the right.
    while (int(decimalDigits.size()) > requiredDecimals && !decimalDigits.empty() && decimalDigits.back() == '0')
        decimalDigits.pop_back();
    // Leading zeros beyond the digits the mask asks for.
    while (integerDigits.size() > 1 && integerDigits.front() == '0' && int(integerDigits.size()) > minIntegerDigits)
        integerDigits.erase(integerDigits.begin());
    if (minIntegerDigits == 0 && integerDigits == "0" && !decimalDigits.empty())
        integerDigits.clear();
    while (int(integerDigits.size()) < minIntegerDigits)
        integerDigits.insert(integerDigits.begin(), '0');

    std::string out;
    if (negative && (magnitude != 0))
        out += '-';
    for (std::size_t i = 0; i < integerDigits.size(); ++i) {
        if (grouping && i > 0 && (integerDigits.size() - i) % 3 == 0)
            out += marks.group;
        out += integerDigits[i];
    }
    if (!decimalDigits.empty()) {
        out += marks.decimal;
        out += decimalDigits;
    }
    return QString::fromStdString(out);
}

QString formatDate(const text::Date &date)
{
    static constexpr int monthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1
        || date.day > monthDays[date.month - 1])
        return {};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    if (date.month == 2 && date.day == 29 && !leap)
        return {};
    return QString::asprintf("%02d.%02d.%04d", date.day, date.month, date.year);
}

QString formatValue(const engine::Value &value, engine::FieldType type, const QString &mask,
                    const text::NumberMarks &marks)
{
    if (const auto *textValue = std::get_if<std::string>(&value))
        return QString::fromStdString(*textValue);
    if (const auto *date = std::get_if<text::Date>(&value))
        return reports::formatDate(*date);
    if (const auto *number = std::get_if<std::int64_t>(&value)) {
        if (type == engine::FieldType::Money)
            return formatNumber(*number, 2, mask, marks);
        return mask.isEmpty() ? QString::number(*number) : formatNumber(*number, 0, mask, marks);
    }
    if (const auto *flag = std::get_if<bool>(&value))
        return *flag ? QStringLiteral("Evet") : QStringLiteral("Hayır");
    return {};
}

} // namespace reports
