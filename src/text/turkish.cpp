#include "text/turkish.h"

#include <unicode/ucasemap.h>
#include <unicode/ucol.h>
#include <unicode/uiter.h>
#include <unicode/utf8.h>

#include <memory>
#include <mutex>

namespace text {

namespace {

// One collator for the process: opening an ICU collator costs far more than a
// comparison, and indexes compare millions of times. ICU collators are safe to
// use from several threads for comparison once opened.
UCollator *turkishCollator()
{
    static UCollator *collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator *c = ucol_open("tr", &status);
        if (U_FAILURE(status))
            c = nullptr;
        else
            ucol_setStrength(c, UCOL_TERTIARY);
        return c;
    }();
    return collator;
}

UCaseMap *turkishCaseMap()
{
    static UCaseMap *map = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCaseMap *m = ucasemap_open("tr", 0, &status);
        return U_FAILURE(status) ? nullptr : m;
    }();
    return map;
}

using CaseFunction = int32_t (*)(const UCaseMap *, char *, int32_t, const char *, int32_t, UErrorCode *);

std::string mapCase(std::string_view utf8, CaseFunction function)
{
    std::string out(utf8.size() + 8, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = function(turkishCaseMap(), out.data(), int32_t(out.size()), utf8.data(),
                                        int32_t(utf8.size()), &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            out.assign(std::size_t(length), '\0');
            continue;
        }
        if (U_FAILURE(status))
            return std::string(utf8);
        out.resize(std::size_t(length));
        return out;
    }
    return std::string(utf8);
}

} // namespace

int compareTurkish(std::string_view a, std::string_view b)
{
    UCollator *collator = turkishCollator();
    if (!collator)
        return a.compare(b);
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = ucol_strcollUTF8(collator, a.data(), int32_t(a.size()), b.data(),
                                                     int32_t(b.size()), &status);
    if (U_FAILURE(status))
        return a.compare(b);
    return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
}

std::string toLowerTurkish(std::string_view utf8)
{
    return mapCase(utf8, &ucasemap_utf8ToLower);
}

std::string toUpperTurkish(std::string_view utf8)
{
    return mapCase(utf8, &ucasemap_utf8ToUpper);
}

bool equalsIgnoreCaseTurkish(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    return toLowerTurkish(a) == toLowerTurkish(b);
}

std::size_t characterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80)
            ++count;
    return count;
}

std::string_view leftCharacters(std::string_view utf8, std::size_t n)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
            if (count == n)
                return utf8.substr(0, i);
            ++count;
        }
    }
    return utf8;
}

bool isValidUtf8(std::string_view bytes)
{
    const auto *s = reinterpret_cast<const uint8_t *>(bytes.data());
    const int32_t length = int32_t(bytes.size());
    int32_t i = 0;
    while (i < length) {
        UChar32 c;
        U8_NEXT(s, i, length, c);
        if (c < 0)
            return false;
    }
    return true;
}

} // namespace text
