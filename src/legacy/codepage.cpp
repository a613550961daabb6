#include "legacy/codepage.h"

#include <unicode/ucnv.h>

#include <cassert>
#include <map>

namespace legacy {

namespace {

const char *icuName(int number)
{
    switch (number) {
    case 437: return "ibm-437";
    case 850: return "ibm-850";
    case 857: return "ibm-857";
    case 1252: return "windows-1252";
    case 1254: return "windows-1254";
    default: return nullptr;
    }
}

// Only the upper half is taken from ICU; the lower half is ASCII in every one
// of these code pages.
std::array<char32_t, 128> upperHalf(const char *name)
{
    std::array<char32_t, 128> table{};
    UErrorCode status = U_ZERO_ERROR;
    UConverter *converter = ucnv_open(name, &status);
    if (U_FAILURE(status))
        return table;
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char in = static_cast<char>(byte);
        UChar out[4];
        status = U_ZERO_ERROR;
        ucnv_reset(converter);
        const int32_t length = ucnv_toUChars(converter, out, 4, &in, 1, &status);
        // The Windows code pages leave a few bytes unused; ICU maps them to C1
        // control characters, which no text in a table ever meant.
        const bool control = out[0] < 0x20 || (out[0] >= 0x7F && out[0] < 0xA0);
        if (U_SUCCESS(status) && length == 1 && out[0] != 0xFFFD && !control)
            table[byte - 0x80] = out[0];
    }
    ucnv_close(converter);
    return table;
}

const std::array<char32_t, 128> *tableFor(int number)
{
    static const std::map<int, std::array<char32_t, 128>> tables = [] {
        std::map<int, std::array<char32_t, 128>> result;
        for (int cp : {437, 850, 857, 1252, 1254})
            result.emplace(cp, upperHalf(icuName(cp)));
        return result;
    }();
    const auto it = tables.find(number);
    return it == tables.end() ? nullptr : &it->second;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

bool CodePage::isSupported(int number)
{
    return icuName(number) != nullptr;
}

CodePage::CodePage(int number)
    : m_number(number), m_upper(tableFor(number))
{
    assert(m_upper);
}

bool CodePage::maps(unsigned char byte) const
{
    return byte < 0x80 || (*m_upper)[byte - 0x80] != 0;
}

std::optional<std::string> CodePage::toUtf8(std::string_view bytes) const
{
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            out += ch;
            continue;
        }
        const char32_t c = (*m_upper)[byte - 0x80];
        if (c == 0)
            return std::nullopt;
        appendUtf8(out, c);
    }
    return out;
}

} // namespace legacy
