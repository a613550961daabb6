#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// Money is an exact integer count of kuruş (1/100 lira) everywhere.
using Kurus = std::int64_t;

// The grouping and decimal marks of a locale, as UTF-8 text
// (Turkish: "." and ","; English: "," and ".").
struct NumberMarks
{
    std::string group = ".";
    std::string decimal = ",";
};

// Display form "#,###0.00": thousands grouped, at least one integer digit,
// exactly two decimals; a minus sign in front of negative amounts.
std::string formatAmountDisplay(Kurus amount, const NumberMarks &marks);
// Edit form "###0.00": no grouping, exactly two decimals.
std::string formatAmountEdit(Kurus amount, const NumberMarks &marks);

// Reads an amount typed by a person: optional sign, digits with optional
// group marks, optional decimal mark with at most two decimals. Blanks around
// it are ignored. On failure returns std::nullopt and, when reason is given,
// a short Turkish explanation.
std::optional<Kurus> parseAmount(std::string_view text, const NumberMarks &marks,
                                 std::string *reason = nullptr);

// The nearest kuruş of an amount in lira (half away from zero), or
// std::nullopt for values outside the range an amount can hold.
std::optional<Kurus> kurusFromLira(double lira);

} // namespace text
