#pragma once

#include <QByteArray>
#include <QString>

namespace exporting {

// Windows code page 1254 (Turkish), the code page of the older formats
// (DBF, DIF, SYLK) that carry no Unicode. Qt itself converts only the Unicode
// encodings, so the table lives here.
class AnsiCodec
{
public:
    // Characters without a place in the code page become '?'.
    static QByteArray fromUnicode(QStringView text);
    static QString toUnicode(QByteArrayView bytes);
};

} // namespace exporting
