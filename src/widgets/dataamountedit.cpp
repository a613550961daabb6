#include "widgets/dataamountedit.h"

#include "text/money.h"
#include "widgets/valuetext.h"

namespace widgets {

DataAmountEdit::DataAmountEdit(TableAdapter &adapter, const QString &field, QWidget *parent)
    : DataLineEdit(adapter, field, parent, Deferred{})
{
    attach();
}

void DataAmountEdit::setNumberLocale(const QLocale &locale)
{
    m_locale = locale;
    reload();
}

QString DataAmountEdit::format(const engine::Value &value, bool focused) const
{
    const auto *kurus = std::get_if<std::int64_t>(&value);
    if (!kurus)
        return {};
    const text::NumberMarks marks = numberMarks(m_locale);
    return QString::fromStdString(focused ? text::formatAmountEdit(*kurus, marks)
                                          : text::formatAmountDisplay(*kurus, marks));
}

std::optional<engine::Value> DataAmountEdit::takeText(QString *message) const
{
    if (text().trimmed().isEmpty())
        return engine::Value{};
    std::string reason;
    const std::optional<text::Kurus> amount = text::parseAmount(text().toStdString(), numberMarks(m_locale), &reason);
    if (!amount) {
        if (message)
            *message = QStringLiteral("'%1' geçerli bir tutar değil.\n%2").arg(text(), QString::fromStdString(reason));
        return std::nullopt;
    }
    return engine::Value(std::int64_t(*amount));
}

} // namespace widgets
