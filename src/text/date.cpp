#include "text/date.h"

#include <cstdio>

namespace text {

namespace {

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// Days from 1970-01-01 to the civil date (Howard Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468;
}

// daysFromCivil() counts from 1970-01-01; the program counts from 0001-01-01.
std::int64_t epochOffset()
{
    static const std::int64_t offset = daysFromCivil(1, 1, 1);
    return offset;
}

bool twoDigits(std::string_view s, std::size_t at, int &value)
{
    if (s[at] < '0' || s[at] > '9' || s[at + 1] < '0' || s[at + 1] > '9')
        return false;
    value = (s[at] - '0') * 10 + (s[at + 1] - '0');
    return true;
}

bool digits(std::string_view s, std::size_t at, std::size_t count, int &value)
{
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

} // namespace

bool isValid(const Date &date)
{
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1
        && date.day <= daysInMonth(date.year, date.month);
}

std::int64_t toDayNumber(const Date &date)
{
    return daysFromCivil(date.year, unsigned(date.month), unsigned(date.day)) - epochOffset();
}

std::optional<Date> fromDayNumber(std::int64_t dayNumber)
{
    static const std::int64_t last = toDayNumber(Date{9999, 12, 31});
    if (dayNumber < 0 || dayNumber > last)
        return std::nullopt;
    // Inverse of daysFromCivil(), with zz counted from 0000-03-01.
    const std::int64_t zz = dayNumber + epochOffset() + 719468;
    const std::int64_t era = (zz >= 0 ? zz : zz - 146096) / 146097;
    const unsigned doe = unsigned(zz - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = std::int64_t(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return Date{int(y + (m <= 2)), int(m), int(d)};
}

std::optional<Date> addDays(const Date &date, std::int64_t days)
{
    if (!isValid(date))
        return std::nullopt;
    const std::int64_t start = toDayNumber(date);
    // Guard the addition itself against overflow before the range test.
    if (days > 4'000'000 || days < -4'000'000)
        return std::nullopt;
    return fromDayNumber(start + days);
}

std::string formatDate(const Date &date)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", date.day, date.month, date.year);
    return buffer;
}

std::optional<Date> parseDate(std::string_view text, std::string *reason)
{
    const auto fail = [reason](const char *why) -> std::optional<Date> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    if (text.empty())
        return fail("Tarih boş.");
    if (text.size() != 10 || text[2] != '.' || text[5] != '.')
        return fail("Tarih gg.aa.yyyy biçiminde olmalı (örnek: 31.12.2004).");
    Date date;
    if (!twoDigits(text, 0, date.day) || !twoDigits(text, 3, date.month) || !digits(text, 6, 4, date.year))
        return fail("Tarihte yalnız rakam ve nokta olabilir (gg.aa.yyyy).");
    if (date.month < 1 || date.month > 12)
        return fail("Ay 01 ile 12 arasında olmalı.");
    if (date.year < 1)
        return fail("Yıl 0001 ile 9999 arasında olmalı.");
    if (date.day < 1 || date.day > daysInMonth(date.year, date.month))
        return fail("Bu ayda böyle bir gün yok.");
    return date;
}

std::string toIso(const Date &date)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buffer;
}

std::optional<Date> fromIso(std::string_view iso)
{
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-')
        return std::nullopt;
    Date date;
    if (!digits(iso, 0, 4, date.year) || !twoDigits(iso, 5, date.month) || !twoDigits(iso, 8, date.day))
        return std::nullopt;
    if (!isValid(date))
        return std::nullopt;
    return date;
}

} // namespace text
