#include "legacy/value.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace legacy {

namespace {

std::string isoDate(const text::Date &d)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buffer;
}

std::string clock(std::int32_t msecs)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%03d", msecs / 3'600'000,
                  msecs / 60'000 % 60, msecs / 1000 % 60, msecs % 1000);
    return buffer;
}

struct Describer
{
    std::string operator()(std::monostate) const { return "NULL"; }
    std::string operator()(std::int64_t v) const { return std::to_string(v); }
    std::string operator()(bool v) const { return v ? "true" : "false"; }
    std::string operator()(const std::string &v) const { return '"' + v + '"'; }
    std::string operator()(const text::Date &v) const { return isoDate(v); }
    std::string operator()(double v) const
    {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
        return std::string(buffer, result.ptr);
    }
    std::string operator()(const Time &v) const { return clock(v.msecs); }
    std::string operator()(const Timestamp &v) const { return isoDate(v.date) + ' ' + clock(v.msecs); }
    std::string operator()(const Decimal &v) const { return v.text; }
    std::string operator()(const Bytes &v) const { return "bytes(" + std::to_string(v.data.size()) + ')'; }
    std::string operator()(const RawText &v) const { return "raw(" + std::to_string(v.bytes.size()) + ')'; }
};

} // namespace

std::optional<std::int64_t> toKurus(double amount)
{
    // Rounded from the shortest decimal text of the double, which is the amount
    // as it was typed: 0.285 is stored as 0.28499999999999998 and must still
    // round to 29 kuruş.
    if (!std::isfinite(amount) || std::fabs(amount) > 90'000'000'000'000.0)
        return std::nullopt;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(amount), std::chars_format::fixed);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    std::int64_t kurus = 0;
    for (const char c : whole)
        kurus = kurus * 10 + (c - '0');
    for (std::size_t i = 0; i < 2; ++i)
        kurus = kurus * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    if (fraction.size() > 2 && fraction[2] >= '5')
        ++kurus;
    return amount < 0 ? -kurus : kurus;
}

std::string describe(const Value &value)
{
    return std::visit(Describer{}, value);
}

} // namespace legacy
