#pragma once

#include "widgets/datalineedit.h"

#include <QLocale>

namespace widgets {

// A data-aware editor for an amount (MONEY) field: shown as "#,###0.00" and
// edited as "###0.00", with the grouping and decimal marks of the locale (the
// system's unless set). What is typed is read with text::parseAmount.
class DataAmountEdit : public DataLineEdit
{
    Q_OBJECT

public:
    DataAmountEdit(TableAdapter &adapter, const QString &field, QWidget *parent = nullptr);

    // The locale whose marks are used; the editor shows the value again.
    void setNumberLocale(const QLocale &locale);

protected:
    QString format(const engine::Value &value, bool focused) const override;
    std::optional<engine::Value> takeText(QString *message) const override;

private:
    QLocale m_locale = QLocale::system();
};

} // namespace widgets
