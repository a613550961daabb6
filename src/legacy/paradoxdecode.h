#pragma once

#include "legacy/paradoxfield.h"
#include "legacy/value.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Decoders of the record bytes of one Paradox field. Numbers in records are
// "flipped" big-endian: the sign bit of the first byte is toggled so that the
// bytes sort like the values. A field whose bytes are all zero is NULL.
namespace legacy::paradox {

// The date of a Paradox day number (0001-01-01 is day 1, as in the proleptic
// Gregorian calendar), or std::nullopt outside 0001-01-01 .. 9999-12-31.
std::optional<text::Date> dateFromDayNumber(std::int64_t day);

// The Paradox day number of a date. Precondition: a real date in years 1..9999.
std::int64_t dayNumberFromDate(const text::Date &date);

// True when all bytes are zero, the stored form of NULL.
bool isNullField(std::span<const std::uint8_t> bytes);

// Decodes a field of a type with a fixed layout: Date, Short, Long, AutoInc,
// Number, Money, Logical, Time, Timestamp, BCD and Bytes. bytes holds exactly
// the field's stored size. Returns the value (std::monostate for NULL). When
// the bytes name no value (a day outside the calendar, a Logical byte other
// than 80/81, a time past midnight, a BCD digit above 9) returns std::nullopt
// and stores a short Turkish reason in *reason.
// Precondition: type is neither Alpha nor a BLOB type.
std::optional<Value> decodeFixed(FieldType type, std::span<const std::uint8_t> bytes,
                                 std::string *reason);

} // namespace legacy::paradox
