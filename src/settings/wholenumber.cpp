#include "wholenumber.h"

namespace settings {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

char16_t foldAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

} // namespace

std::optional<qint32> parseWholeNumber(QStringView text)
{
    QStringView t = text.trimmed();
    bool negative = false;
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == u'+')) {
        negative = t.front() == u'-';
        t = t.mid(1);
    }

    bool hex = false;
    if (t.startsWith(u'$')) {
        hex = true;
        t = t.mid(1);
    } else if (t.startsWith(u"0x") || t.startsWith(u"0X")) {
        hex = true;
        t = t.mid(2);
    }
    if (t.isEmpty())
        return std::nullopt;

    quint64 magnitude = 0;
    const int base = hex ? 16 : 10;
    const quint64 limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
    for (QChar c : t) {
        const int digit = hexDigit(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + quint64(digit);
        if (magnitude > limit)
            return std::nullopt;
    }

    quint32 bits = quint32(magnitude);
    if (negative)
        bits = 0u - bits;
    return qint32(bits);
}

bool asciiEqualsIgnoreCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i].unicode()) != foldAscii(b[i].unicode()))
            return false;
    }
    return true;
}

} // namespace settings
