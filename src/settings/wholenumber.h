#pragma once

#include <QStringView>

#include <optional>

namespace settings {

// Reads a whole number the way the settings files have always held them:
// decimal ("42", "-1", "+7"), or hexadecimal after "$" or "0x"/"0X"
// ("$1F", "0x1f", "-$10"). Surrounding blanks are ignored; anything else
// (an empty text, "1.5", "12abc", a lone "$") is no number.
//
// Returns the 32-bit value, or std::nullopt when the text is no number.
// Decimal numbers must fit in -2147483648..2147483647. Hexadecimal numbers
// give a 32-bit pattern of at most eight significant digits, so "$FFFFFFFF"
// is -1, as the old files expect.
std::optional<qint32> parseWholeNumber(QStringView text);

// True when a and b are equal once ASCII letters are folded to one case.
// Letters outside ASCII (İ, ı, Ş, ...) must match exactly: INI section and
// key names are compared this way, as Windows INI readers do.
bool asciiEqualsIgnoreCase(QStringView a, QStringView b);

} // namespace settings
