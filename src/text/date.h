#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// A calendar date without time, in the proleptic Gregorian calendar.
struct Date
{
    int year = 0;
    int month = 0;
    int day = 0;

    friend bool operator==(const Date &, const Date &) = default;
    friend auto operator<=>(const Date &, const Date &) = default;
};

// True when year is 1..9999 and month/day name a day that exists.
bool isValid(const Date &date);

// Days since 0001-01-01 (which is day 0). Precondition: isValid(date).
std::int64_t toDayNumber(const Date &date);
// The date of a day number; std::nullopt when it falls outside 0001-01-01..9999-12-31.
std::optional<Date> fromDayNumber(std::int64_t dayNumber);
// date + days, or std::nullopt when the result leaves the calendar.
std::optional<Date> addDays(const Date &date, std::int64_t days);

// The program's one date text, "dd.mm.yyyy" (31.12.2004). Precondition: isValid(date).
std::string formatDate(const Date &date);

// Reads exactly "dd.mm.yyyy": two digits, ".", two digits, ".", four digits,
// naming a day that exists. On failure returns std::nullopt and, when reason
// is given, stores a short Turkish explanation in it.
std::optional<Date> parseDate(std::string_view text, std::string *reason = nullptr);

// ISO form "YYYY-MM-DD", as dates are stored in the tables.
std::string toIso(const Date &date);
std::optional<Date> fromIso(std::string_view iso);

} // namespace text
