#include "export/ansicodec.h"

namespace exporting {

namespace {

// 0x80..0x9F; 0 where the code page leaves the byte undefined.
constexpr char16_t upperControls[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0, 0x0178,
};

// 0xA0..0xFF is Latin-1 except for the six Turkish letters.
char16_t decode(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte < 0xA0)
        return upperControls[byte - 0x80] ? upperControls[byte - 0x80] : u'?';
    switch (byte) {
    case 0xD0: return 0x011E; // Ğ
    case 0xDD: return 0x0130; // İ
    case 0xDE: return 0x015E; // Ş
    case 0xF0: return 0x011F; // ğ
    case 0xFD: return 0x0131; // ı
    case 0xFE: return 0x015F; // ş
    default: return byte;
    }
}

char encode(char16_t c)
{
    if (c < 0x80)
        return char(c);
    switch (c) {
    case 0x011E: return char(0xD0);
    case 0x0130: return char(0xDD);
    case 0x015E: return char(0xDE);
    case 0x011F: return char(0xF0);
    case 0x0131: return char(0xFD);
    case 0x015F: return char(0xFE);
    default: break;
    }
    if (c >= 0xA0 && c <= 0xFF) {
        // The six places the Turkish letters took are not Latin-1 any more.
        if (c == 0xD0 || c == 0xDD || c == 0xDE || c == 0xF0 || c == 0xFD || c == 0xFE)
            return '?';
        return char(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (upperControls[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray AnsiCodec::fromUnicode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character outside the code page: one '?'
        bytes.append(c.isSurrogate() ? '?' : encode(c.unicode()));
    }
    return bytes;
}

QString AnsiCodec::toUnicode(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text.append(QChar(decode(static_cast<unsigned char>(byte))));
    return text;
}

} // namespace exporting
