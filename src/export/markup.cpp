#include "export/markup.h"

#include "export/outputbuffer.h"

namespace exporting {

QString xmlEscaped(QStringView text)
{
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&': escaped += u"&amp;"; break;
        case u'<': escaped += u"&lt;"; break;
        case u'>': escaped += u"&gt;"; break;
        case u'"': escaped += u"&quot;"; break;
        case u'\'': escaped += u"&apos;"; break;
        default:
            if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
                break;
            if (c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
                break;
            escaped += c;
        }
    }
    return escaped;
}

void appendXmlText(OutputBuffer &out, QStringView text, const char *lineBreak)
{
    if (!lineBreak) {
        out.appendUtf8(xmlEscaped(text));
        return;
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && text[i] != u'\n' && text[i] != u'\r')
            continue;
        out.appendUtf8(xmlEscaped(text.mid(start, i - start)));
        if (end)
            break;
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        out.append(QByteArrayView(lineBreak));
        start = i + 1;
    }
}

} // namespace exporting
