#include "widgets/datacheckbox.h"

namespace widgets {

DataCheckBox::DataCheckBox(const QString &caption, TableAdapter &adapter, const QString &field, QWidget *parent)
    : QCheckBox(caption, parent), DataEditor(this, &m_link), m_link(adapter, field)
{
    connect(this, &QCheckBox::clicked, this, [this](bool checked) {
        if (!m_link.write(engine::Value(checked)))
            reload();
    });
    attach();
}

void DataCheckBox::showValue(const engine::Value &value)
{
    const auto *b = std::get_if<bool>(&value);
    setChecked(b && *b);
}

std::optional<engine::Value> DataCheckBox::takeText(QString *) const
{
    return engine::Value(isChecked());
}

} // namespace widgets
