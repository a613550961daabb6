#include "widgets/datadateedit.h"

#include "text/date.h"
#include "widgets/valuetext.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyle>
#include <QVBoxLayout>

namespace widgets {

DataDateEdit::DataDateEdit(TableAdapter &adapter, const QString &field, QWidget *parent)
    : DataLineEdit(adapter, field, parent, Deferred{})
{
    setMaxLength(10);
    m_dropDown = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    m_dropDown->setToolTip(QStringLiteral("Takvim"));
    connect(m_dropDown, &QAction::triggered, this, &DataDateEdit::showCalendar);
    attach();
}

QString DataDateEdit::completeDate(const QString &typed)
{
    static const QRegularExpression shortForm(QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{2}|\\d{4})\\s*$"));
    const QRegularExpressionMatch m = shortForm.match(typed);
    if (!m.hasMatch())
        return typed;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += year < 50 ? 2000 : 1900;
    return QStringLiteral("%1.%2.%3")
        .arg(m.captured(1).toInt(), 2, 10, QLatin1Char('0'))
        .arg(m.captured(2).toInt(), 2, 10, QLatin1Char('0'))
        .arg(year, 4, 10, QLatin1Char('0'));
}

std::optional<engine::Value> DataDateEdit::takeText(QString *message) const
{
    if (text().trimmed().isEmpty())
        return engine::Value{};
    std::string reason;
    const std::optional<text::Date> date = text::parseDate(completeDate(text()).toStdString(), &reason);
    if (!date) {
        if (message)
            *message = QStringLiteral("'%1' geçerli bir tarih değil.\n%2").arg(text(), QString::fromStdString(reason));
        return std::nullopt;
    }
    return engine::Value(*date);
}

QCalendarWidget *DataDateEdit::calendar() const
{
    return m_popup ? m_popup->findChild<QCalendarWidget *>() : nullptr;
}

void DataDateEdit::showCalendar()
{
    if (isReadOnly())
        return;
    if (!m_popup) {
        m_popup = new QWidget(this, Qt::Popup);
        auto *layout = new QVBoxLayout(m_popup);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *calendar = new QCalendarWidget(m_popup);
        calendar->setGridVisible(true);
        layout->addWidget(calendar);
        connect(calendar, &QCalendarWidget::clicked, this, &DataDateEdit::takeCalendarDate);
        connect(calendar, &QCalendarWidget::activated, this, &DataDateEdit::takeCalendarDate);
    }
    QString reason;
    const std::optional<engine::Value> shown = takeText(&reason);
    QDate date = shown ? toQDate(*shown) : QDate();
    if (!date.isValid())
        date = QDate::currentDate();
    calendar()->setSelectedDate(date);
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
    calendar()->setFocus();
}

void DataDateEdit::takeCalendarDate(const QDate &date)
{
    if (m_popup)
        m_popup->hide();
    setFocus(Qt::PopupFocusReason);
    setText(QString::fromStdString(text::formatDate(fromQDate(date))));
    setModified(true);
    commit();
}

void DataDateEdit::keyPressEvent(QKeyEvent *event)
{
    // Alt+Down opens the calendar, as on a date picker.
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        showCalendar();
        return;
    }
    DataLineEdit::keyPressEvent(event);
}

} // namespace widgets
