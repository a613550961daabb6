#include "export/valuetext.h"

#include <cstdlib>

namespace exporting {

namespace {

text::NumberMarks marksOf(const QLocale &locale)
{
    text::NumberMarks marks;
    marks.group = locale.groupSeparator().toStdString();
    marks.decimal = locale.decimalPoint().toStdString();
    return marks;
}

} // namespace

ValueText::ValueText(const QLocale &locale)
    : m_marks(marksOf(locale))
{
}

ValueText::ValueText(const text::NumberMarks &marks)
    : m_marks(marks)
{
}

QString ValueText::date(const text::Date &date) const
{
    if (!text::isValid(date))
        return {};
    return QString::fromStdString(text::formatDate(date));
}

QString ValueText::amountDisplay(text::Kurus kurus) const
{
    return QString::fromStdString(text::formatAmountDisplay(kurus, m_marks));
}

QString ValueText::amountEdit(text::Kurus kurus) const
{
    return QString::fromStdString(text::formatAmountEdit(kurus, m_marks));
}

QString ValueText::amountPlain(text::Kurus kurus)
{
    static const text::NumberMarks plain{"", "."};
    return QString::fromStdString(text::formatAmountEdit(kurus, plain));
}

QString ValueText::isoDate(const text::Date &date)
{
    if (!text::isValid(date))
        return {};
    return QString::fromStdString(text::toIso(date));
}

} // namespace exporting
