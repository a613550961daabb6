#include "widgets/colouredbutton.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <qdrawutil.h>

namespace widgets {

namespace {

// The flat, captionless button laid over the face: transparent while idle, a
// raised edge under the mouse, a sunken edge while pressed.
class ClickOverlay : public QAbstractButton
{
public:
    explicit ClickOverlay(QWidget *parent)
        : QAbstractButton(parent)
    {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_Hover);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!isEnabled())
            return;
        if (!isDown() && !underMouse())
            return;
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), isDown(), 1, nullptr);
    }

    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::HoverEnter || e->type() == QEvent::HoverLeave)
            update();
        return QAbstractButton::event(e);
    }
};

} // namespace

ColouredButton::ColouredButton(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setFrameColour(QColor(0, 0, 255));
    resize(83, 27);

    m_face = new QLabel(this);
    m_face->setObjectName(QStringLiteral("face"));
    m_face->setTextFormat(Qt::PlainText);
    m_face->setAutoFillBackground(true);
    m_face->setGeometry(1, 1, 81, 25);
    setFaceColour(QColor(223, 215, 196));

    m_overlay = new ClickOverlay(this);
    m_overlay->setObjectName(QStringLiteral("overlay"));
    m_overlay->setGeometry(1, 1, 81, 25);
    m_overlay->raise();
    connect(m_overlay, &QAbstractButton::clicked, this, &ColouredButton::relayClick);

    setHorizontalAlignment(HorizontalAlignment::Centre);
    applyAlignment();
}

ColouredButton::ColouredButton(const QString &text, QWidget *parent)
    : ColouredButton(parent)
{
    setText(text);
}

QString ColouredButton::text() const
{
    return m_face->text();
}

void ColouredButton::setText(const QString &text)
{
    m_face->setText(text);
}

QColor ColouredButton::faceColour() const
{
    return m_face->palette().color(QPalette::Window);
}

void ColouredButton::setFaceColour(const QColor &colour)
{
    QPalette p = m_face->palette();
    p.setColor(QPalette::Window, colour);
    m_face->setPalette(p);
}

QColor ColouredButton::frameColour() const
{
    return palette().color(QPalette::Window);
}

void ColouredButton::setFrameColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    // The face keeps its own colour: it resolved its palette apart from the frame's.
    if (m_face)
        setFaceColour(faceColour());
}

void ColouredButton::setHorizontalAlignment(HorizontalAlignment alignment)
{
    m_horizontal = alignment;
    applyAlignment();
}

void ColouredButton::setVerticalAlignment(VerticalAlignment alignment)
{
    if (alignment == m_vertical)
        return;
    m_vertical = alignment;
    applyAlignment();
}

void ColouredButton::applyAlignment()
{
    Qt::Alignment a;
    switch (m_horizontal) {
    case HorizontalAlignment::Left:
        a = Qt::AlignLeft;
        break;
    case HorizontalAlignment::Right:
        a = Qt::AlignRight;
        break;
    case HorizontalAlignment::Centre:
        a = Qt::AlignHCenter;
        break;
    }
    switch (m_vertical) {
    case VerticalAlignment::Top:
        a |= Qt::AlignTop;
        break;
    case VerticalAlignment::Bottom:
        a |= Qt::AlignBottom;
        break;
    case VerticalAlignment::Centre:
        a |= Qt::AlignVCenter;
        break;
    }
    m_face->setAlignment(a);
}

void ColouredButton::setAction(QAction *action)
{
    m_action = action;
}

void ColouredButton::click()
{
    m_overlay->click();
}

QSize ColouredButton::sizeHint() const
{
    return QSize(83, 27);
}

void ColouredButton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    m_face->setGeometry(inner);
    m_overlay->setGeometry(inner);
}

void ColouredButton::relayClick()
{
    if (m_action)
        m_action->trigger();
    emit clicked();
}

} // namespace widgets
