#pragma once

#include <QHeaderView>

namespace forms {

// A horizontal grid header whose titles are placed as the dialog says,
// whatever alignment the model suggests for them.
class TitleHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit TitleHeader(Qt::Alignment alignment, QWidget *parent = nullptr);

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override;

private:
    Qt::Alignment m_alignment;
};

} // namespace forms
