#include "forms/info/captionsuffix.h"

#include <algorithm>
#include <array>

namespace forms {

namespace {

// Sorted by byte, so that a lookup can halve the table.
constexpr std::array<Substitution, 101> kTable{{
    {0x04, u'|'}, {0x05, u'/'}, {0x06, u' '}, {0x07, u'u'}, {0x08, u'h'}, {0x09, u'T'},
    {0x0A, u'Ğ'}, {0x15, u'~'}, {0x16, u'\\'}, {0x17, u'\r'}, {0x18, u'ü'}, {0x19, u'ı'},
    {0x1A, u'U'}, {0x1B, u'H'}, {0x26, u'^'}, {0x27, u'\''}, {0x28, u'\n'}, {0x29, u'v'},
    {0x2A, u'i'}, {0x2B, u'Ü'}, {0x2C, u'I'}, {0x38, u'"'}, {0x39, u'.'}, {0x3A, u'y'},
    {0x3B, u'j'}, {0x3C, u'V'}, {0x3D, u'İ'}, {0x49, u'&'}, {0x4A, u','}, {0x4B, u'z'},
    {0x4C, u'k'}, {0x4D, u'Y'}, {0x4E, u'J'}, {0x5A, u'%'}, {0x5B, u':'}, {0x5C, u'0'},
    {0x5D, u'l'}, {0x5E, u'Z'}, {0x5F, u'K'}, {0x6B, u'+'}, {0x6C, u';'}, {0x6D, u'1'},
    {0x6E, u'm'}, {0x6F, u'a'}, {0x70, u'L'}, {0x7C, u'='}, {0x7D, u'!'}, {0x7E, u'2'},
    {0x7F, u'n'}, {0x80, u'b'}, {0x81, u'M'}, {0x82, u'A'}, {0x8D, u'#'}, {0x8E, u'?'},
    {0x8F, u'3'}, {0x90, u'o'}, {0x91, u'c'}, {0x92, u'N'}, {0x93, u'B'}, {0x9E, u'@'},
    {0x9F, u'-'}, {0xA0, u'4'}, {0xA1, u'ö'}, {0xA2, u'ç'}, {0xA3, u'O'}, {0xA4, u'C'},
    {0xAF, u'$'}, {0xB0, u'_'}, {0xB1, u'5'}, {0xB2, u'p'}, {0xB3, u'd'}, {0xB4, u'Ö'},
    {0xB5, u'Ç'}, {0xC0, u'<'}, {0xC1, u'('}, {0xC2, u'6'}, {0xC3, u'r'}, {0xC4, u'e'},
    {0xC5, u'P'}, {0xC6, u'D'}, {0xD1, u'>'}, {0xD2, u')'}, {0xD3, u'7'}, {0xD4, u's'},
    {0xD5, u'f'}, {0xD6, u'R'}, {0xD7, u'E'}, {0xE2, u'{'}, {0xE3, u'['}, {0xE4, u'8'},
    {0xE5, u'ş'}, {0xE6, u'g'}, {0xE7, u'S'}, {0xE8, u'F'}, {0xF3, u'}'}, {0xF4, u']'},
    {0xF5, u'9'}, {0xF6, u't'}, {0xF7, u'ğ'}, {0xF8, u'Ş'}, {0xF9, u'G'},
}};

// " - Çek Takip Programı"
constexpr unsigned char kCaptionSuffix[] = {
    0x06, 0x9F, 0x06, 0xB5, 0xC4, 0x4C, 0x06, 0x09, 0x6F, 0x4C, 0x2A,
    0xB2, 0x06, 0xC5, 0xC3, 0x90, 0xE6, 0xC3, 0x6F, 0x6E, 0x19,
};

} // namespace

std::span<const Substitution> substitutionTable()
{
    return kTable;
}

QString unscramble(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const auto it = std::lower_bound(kTable.begin(), kTable.end(), byte,
                                         [](const Substitution &s, unsigned char b) { return s.byte < b; });
        text.append(it != kTable.end() && it->byte == byte ? QChar(it->character) : QChar(u'*'));
    }
    return text;
}

QByteArray scrambledCaptionSuffix()
{
    return QByteArray(reinterpret_cast<const char *>(kCaptionSuffix), sizeof kCaptionSuffix);
}

QString captionSuffix()
{
    return unscramble(scrambledCaptionSuffix());
}

} // namespace forms
