#pragma once

#include <QString>

namespace exporting {

class OutputBuffer;

// Writes text as XML/HTML character data: & < > " ' escaped, and characters
// XML 1.0 does not allow (most control characters) left out. With
// lineBreak set, every line break is written as that markup instead.
void appendXmlText(OutputBuffer &out, QStringView text, const char *lineBreak = nullptr);

// The same, returning the escaped text.
QString xmlEscaped(QStringView text);

} // namespace exporting
