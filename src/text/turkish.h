#pragma once

#include <string>
#include <string_view>

namespace text {

// Turkish collation (ICU, locale "tr", tertiary strength) of two UTF-8 texts:
// negative, zero or positive as a sorts before, with or after b.
// ı sorts before i, ç after c, ö after o, and so on.
int compareTurkish(std::string_view a, std::string_view b);

// Turkish lower case: I -> ı, İ -> i, the rest as Unicode says.
std::string toLowerTurkish(std::string_view utf8);
// Turkish upper case: i -> İ, ı -> I, the rest as Unicode says.
std::string toUpperTurkish(std::string_view utf8);

// Case-insensitive equality under Turkish rules ("portföyde" equals "PORTFÖYDE",
// "ışık" equals "IŞIK", but "i" does not equal "I").
bool equalsIgnoreCaseTurkish(std::string_view a, std::string_view b);

// The number of characters (code points) of a UTF-8 text.
std::size_t characterCount(std::string_view utf8);

// The longest prefix of a UTF-8 text with at most n characters; never splits a
// multi-byte sequence.
std::string_view leftCharacters(std::string_view utf8, std::size_t n);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

} // namespace text
