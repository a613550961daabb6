#include "forms/definitions/titleheader.h"

#include <QStyleOptionHeader>

namespace forms {

TitleHeader::TitleHeader(Qt::Alignment alignment, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent), m_alignment(alignment)
{
    setDefaultAlignment(alignment);
    setHighlightSections(false);
    QFont titleFont(QStringLiteral("Arial"), 8);
    titleFont.setBold(true);
    setFont(titleFont);
}

void TitleHeader::initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    option->textAlignment = m_alignment;
}

} // namespace forms
