#include "legacy/paradoxdecode.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstring>

namespace legacy::paradox {

namespace {

constexpr std::int64_t msecsPerDay = 86'400'000;

// Days from 1970-01-01 to the date (H. Hinnant's days_from_civil).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

text::Date civilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// Day 1 (0001-01-01) counted from 1970-01-01.
const std::int64_t dayOneFromEpoch = daysFromCivil(1, 1, 1);
const std::int64_t lastDay = daysFromCivil(9999, 12, 31) - daysFromCivil(1, 1, 1) + 1;

// A flipped big-endian integer of 2 or 4 bytes.
std::int64_t flippedInteger(std::span<const std::uint8_t> bytes)
{
    std::uint32_t raw = bytes[0] ^ 0x80u;
    for (std::size_t i = 1; i < bytes.size(); ++i)
        raw = (raw << 8) | bytes[i];
    if (bytes.size() == 2)
        return static_cast<std::int16_t>(raw);
    return static_cast<std::int32_t>(raw);
}

double flippedDouble(std::span<const std::uint8_t> bytes)
{
    std::uint8_t b[8];
    std::memcpy(b, bytes.data(), 8);
    if (b[0] & 0x80) {
        b[0] &= 0x7F;
    } else {
        for (auto &x : b)
            x = static_cast<std::uint8_t>(~x);
    }
    std::uint64_t bits = 0;
    for (const auto x : b)
        bits = (bits << 8) | x;
    return std::bit_cast<double>(bits);
}

std::optional<Value> fail(std::string *reason, const char *text)
{
    if (reason)
        *reason = text;
    return std::nullopt;
}

std::optional<Value> decodeBcd(std::span<const std::uint8_t> bytes, std::string *reason)
{
    // Byte 0: bit 7 set for positive values, low 6 bits the scale. The 32 digits
    // follow as nibbles, each byte inverted for a negative value.
    if (bytes[0] == 0)
        return Value{};
    const bool negative = (bytes[0] & 0x80) == 0;
    const int scale = bytes[0] & 0x3F;
    if (scale > 32)
        return fail(reason, "BCD ondalık basamak sayısı 32'den büyük");
    std::string digits;
    digits.reserve(32);
    for (std::size_t i = 1; i < 17; ++i) {
        const std::uint8_t b = negative ? static_cast<std::uint8_t>(~bytes[i]) : bytes[i];
        for (const int nibble : {b >> 4, b & 0x0F}) {
            if (nibble > 9)
                return fail(reason, "BCD basamağı 9'dan büyük");
            digits += static_cast<char>('0' + nibble);
        }
    }
    std::string whole = digits.substr(0, 32 - scale);
    const std::string fraction = digits.substr(32 - scale);
    const auto firstDigit = whole.find_first_not_of('0');
    whole = firstDigit == std::string::npos ? "0" : whole.substr(firstDigit);
    const bool zero = whole == "0" && fraction.find_first_not_of('0') == std::string::npos;
    std::string text = (negative && !zero) ? "-" : "";
    text += whole;
    if (scale > 0)
        text += "." + fraction;
    return Value{Decimal{text}};
}

} // namespace

std::optional<text::Date> dateFromDayNumber(std::int64_t day)
{
    if (day < 1 || day > lastDay)
        return std::nullopt;
    return civilFromDays(day - 1 + dayOneFromEpoch);
}

std::int64_t dayNumberFromDate(const text::Date &date)
{
    return daysFromCivil(date.year, static_cast<unsigned>(date.month),
                         static_cast<unsigned>(date.day)) - dayOneFromEpoch + 1;
}

bool isNullField(std::span<const std::uint8_t> bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

std::optional<Value> decodeFixed(FieldType type, std::span<const std::uint8_t> bytes,
                                 std::string *reason)
{
    assert(type != FieldType::Alpha && !isBlobType(type));
    assert(fixedSize(type) == 0 || static_cast<int>(bytes.size()) == fixedSize(type));
    if (type == FieldType::Bcd)
        return decodeBcd(bytes, reason);
    if (isNullField(bytes))
        return Value{};

    switch (type) {
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoInc:
        return Value{flippedInteger(bytes)};
    case FieldType::Number:
    case FieldType::Money:
        return Value{flippedDouble(bytes)};
    case FieldType::Date: {
        const auto date = dateFromDayNumber(flippedInteger(bytes));
        if (!date)
            return fail(reason, "tarih takvimin dışında");
        return Value{*date};
    }
    case FieldType::Time: {
        const std::int64_t msecs = flippedInteger(bytes);
        if (msecs < 0 || msecs >= msecsPerDay)
            return fail(reason, "saat 00:00 ile 24:00 arasında değil");
        return Value{Time{static_cast<std::int32_t>(msecs)}};
    }
    case FieldType::Timestamp: {
        const double value = flippedDouble(bytes);
        if (!std::isfinite(value) || value < msecsPerDay
            || value >= static_cast<double>(lastDay + 1) * msecsPerDay)
            return fail(reason, "zaman damgası takvimin dışında");
        const auto msecs = static_cast<std::int64_t>(std::llround(value));
        const auto date = dateFromDayNumber(msecs / msecsPerDay);
        if (!date)
            return fail(reason, "zaman damgası takvimin dışında");
        return Value{Timestamp{*date, static_cast<std::int32_t>(msecs % msecsPerDay)}};
    }
    case FieldType::Logical:
        if (bytes[0] == 0x80)
            return Value{false};
        if (bytes[0] == 0x81)
            return Value{true};
        return fail(reason, "mantıksal değer ne doğru ne yanlış");
    case FieldType::Bytes:
        return Value{Bytes{{bytes.begin(), bytes.end()}}};
    default:
        break;
    }
    return fail(reason, "alan türü okunamıyor");
}

} // namespace legacy::paradox
