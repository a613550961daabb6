#include "text/money.h"

#include <cmath>
#include <limits>

namespace text {

namespace {

std::string format(Kurus amount, const NumberMarks &marks, bool grouped)
{
    const bool negative = amount < 0;
    // Work on the magnitude as unsigned so the most negative value is safe.
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(amount)
                                                  : static_cast<unsigned long long>(amount);
    const std::string whole = std::to_string(magnitude / 100);
    const unsigned cents = unsigned(magnitude % 100);

    std::string out;
    if (negative)
        out += '-';
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (grouped && i > 0 && (whole.size() - i) % 3 == 0)
            out += marks.group;
        out += whole[i];
    }
    out += marks.decimal;
    out += char('0' + cents / 10);
    out += char('0' + cents % 10);
    return out;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string formatAmountDisplay(Kurus amount, const NumberMarks &marks)
{
    return format(amount, marks, true);
}

std::string formatAmountEdit(Kurus amount, const NumberMarks &marks)
{
    return format(amount, marks, false);
}

std::optional<Kurus> parseAmount(std::string_view input, const NumberMarks &marks, std::string *reason)
{
    const auto fail = [reason](const char *why) -> std::optional<Kurus> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    std::string_view s = trimmed(input);
    if (s.empty())
        return fail("Tutar boş.");
    bool negative = false;
    if (s.front() == '-' || s.front() == '+') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    constexpr Kurus limit = std::numeric_limits<Kurus>::max() / 100 - 1;
    Kurus whole = 0;
    int integerDigits = 0;
    int decimals = 0;
    Kurus fraction = 0;
    bool inFraction = false;
    // Group marks are taken only where they belong (1234,50 under English
    // marks is a mistyped decimal mark, not 123450): the first group has one
    // to three digits, every later one exactly three.
    int groups = 0;
    int digitsInGroup = 0;
    const auto groupsWellFormed = [&] { return groups == 0 || digitsInGroup == 3; };
    while (!s.empty()) {
        if (!marks.decimal.empty() && s.substr(0, marks.decimal.size()) == marks.decimal) {
            if (inFraction)
                return fail("Tutarda birden çok ondalık işareti var.");
            if (!groupsWellFormed())
                return fail("Tutarda binlik işareti yanlış yerde.");
            inFraction = true;
            s.remove_prefix(marks.decimal.size());
            continue;
        }
        if (!inFraction && !marks.group.empty() && s.substr(0, marks.group.size()) == marks.group) {
            const bool fits = groups == 0 ? digitsInGroup >= 1 && digitsInGroup <= 3 : digitsInGroup == 3;
            if (!fits)
                return fail("Tutarda binlik işareti yanlış yerde.");
            ++groups;
            digitsInGroup = 0;
            s.remove_prefix(marks.group.size());
            continue;
        }
        const char c = s.front();
        if (c < '0' || c > '9')
            return fail("Tutarda yalnız rakam, binlik ve ondalık işareti olabilir.");
        if (inFraction) {
            if (++decimals > 2)
                return fail("Tutarda en çok iki ondalık basamak olabilir.");
            fraction = fraction * 10 + (c - '0');
        } else {
            whole = whole * 10 + (c - '0');
            ++integerDigits;
            ++digitsInGroup;
            if (whole > limit)
                return fail("Tutar çok büyük.");
        }
        s.remove_prefix(1);
    }
    if (integerDigits == 0 && decimals == 0)
        return fail("Tutarda rakam yok.");
    if (!inFraction && !groupsWellFormed())
        return fail("Tutarda binlik işareti yanlış yerde.");
    if (decimals == 1)
        fraction *= 10;
    const Kurus value = whole * 100 + fraction;
    return negative ? -value : value;
}

std::optional<Kurus> kurusFromLira(double lira)
{
    if (!std::isfinite(lira))
        return std::nullopt;
    const double scaled = std::round(lira * 100.0);
    if (std::fabs(scaled) >= 9.0e18)
        return std::nullopt;
    return static_cast<Kurus>(scaled);
}

} // namespace text
