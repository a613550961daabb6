#pragma once

#include "text/date.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace legacy {

// A Time field: milliseconds since midnight (0 .. 86'399'999).
struct Time
{
    std::int32_t msecs = 0;

    friend bool operator==(const Time &, const Time &) = default;
    friend auto operator<=>(const Time &, const Time &) = default;
};

// A Timestamp field: the calendar day and the milliseconds since its midnight.
struct Timestamp
{
    text::Date date;
    std::int32_t msecs = 0;

    friend bool operator==(const Timestamp &, const Timestamp &) = default;
    friend auto operator<=>(const Timestamp &, const Timestamp &) = default;
};

// A BCD field as exact decimal text: optional '-', digits, and as many digits
// after '.' as the stored scale ("-1.230", "42").
struct Decimal
{
    std::string text;

    friend bool operator==(const Decimal &, const Decimal &) = default;
};

// Bytes kept as stored: Bytes fields, binary BLOBs, formatted memos, OLE and graphics.
struct Bytes
{
    std::vector<std::uint8_t> data;

    friend bool operator==(const Bytes &, const Bytes &) = default;
};

// Text that does not decode in the table's code page, kept as the stored bytes.
// A row holding one also carries a FieldIssue for that field: nothing is ever
// replaced silently.
struct RawText
{
    std::string bytes;

    friend bool operator==(const RawText &, const RawText &) = default;
};

// One field value read from an old table. The first five alternatives are those
// of engine::Value, with the same meaning: NULL, whole number (Short, Long,
// AutoInc), Logical, UTF-8 text (Alpha, Memo), Date. Number and Money hold a
// double (money is rounded to kuruş by whoever imports it).
using Value = std::variant<std::monostate, std::int64_t, bool, std::string, text::Date,
                           double, Time, Timestamp, Decimal, Bytes, RawText>;

inline bool isNull(const Value &value) { return std::holds_alternative<std::monostate>(value); }

// A Money value as an integer count of kuruş, rounded half away from zero;
// std::nullopt when it is no finite number or too large for an exact count.
std::optional<std::int64_t> toKurus(double amount);

// A short text of the value for messages and test output: "NULL", "42", "true",
// "\"text\"", "2018-01-01", "10:00:00.000", "2018-01-01 10:00:00.000", "-1.387",
// "bytes(12)", "raw(3)".
std::string describe(const Value &value);

} // namespace legacy
