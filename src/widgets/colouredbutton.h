#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class QAction;
class QLabel;
class QAbstractButton;

namespace widgets {

// A push button whose face colour, frame colour and text placement can be set
// freely. It is a frame (the widget's own background, one pixel wide) around a
// face label that carries the text on the face colour, with a flat, captionless
// overlay button on top that takes the clicks and shows a raised edge while the
// mouse is over it and a sunken edge while it is pressed. It never takes the
// focus and is not a tab stop.
//
// Defaults: 83 × 27, frame blue RGB(0,0,255), face RGB(223,215,196), no text,
// text centred both ways, bold font.
class ColouredButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(QColor faceColour READ faceColour WRITE setFaceColour)
    Q_PROPERTY(QColor frameColour READ frameColour WRITE setFrameColour)
    Q_PROPERTY(HorizontalAlignment horizontalAlignment READ horizontalAlignment WRITE setHorizontalAlignment)
    Q_PROPERTY(VerticalAlignment verticalAlignment READ verticalAlignment WRITE setVerticalAlignment)
    // The names the forms' designers know the properties by.
    Q_PROPERTY(QString ButtonText READ text WRITE setText STORED false)
    Q_PROPERTY(QColor ZeminRengi READ faceColour WRITE setFaceColour STORED false)
    Q_PROPERTY(QColor CerceveRengi READ frameColour WRITE setFrameColour STORED false)
    Q_PROPERTY(HorizontalAlignment YatayHizalama READ horizontalAlignment WRITE setHorizontalAlignment STORED false)
    Q_PROPERTY(VerticalAlignment DikeyHizalama READ verticalAlignment WRITE setVerticalAlignment STORED false)

public:
    enum class HorizontalAlignment : quint8 { Left, Right, Centre };
    Q_ENUM(HorizontalAlignment)
    enum class VerticalAlignment : quint8 { Top, Centre, Bottom };
    Q_ENUM(VerticalAlignment)

    explicit ColouredButton(QWidget *parent = nullptr);
    ColouredButton(const QString &text, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

    // The face's background.
    QColor faceColour() const;
    void setFaceColour(const QColor &colour);

    // The one-pixel frame around the face.
    QColor frameColour() const;
    void setFrameColour(const QColor &colour);

    HorizontalAlignment horizontalAlignment() const { return m_horizontal; }
    // Stores the alignment and applies it to the face, every time.
    void setHorizontalAlignment(HorizontalAlignment alignment);

    VerticalAlignment verticalAlignment() const { return m_vertical; }
    // Applies the layout to the face only when it differs from the present one.
    void setVerticalAlignment(VerticalAlignment alignment);

    // An action triggered by every click, before clicked() is emitted; not owned, may be null.
    QAction *action() const { return m_action; }
    void setAction(QAction *action);

    // Simulates a click as the overlay would: nothing happens while disabled.
    void click();

    QLabel *face() const { return m_face; }
    QAbstractButton *overlay() const { return m_overlay; }

    QSize sizeHint() const override;

signals:
    // Emitted once per click, after the linked action (if any) was triggered; sender() is this button.
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void relayClick();
    void applyAlignment();

    QLabel *m_face = nullptr;
    QAbstractButton *m_overlay = nullptr;
    QPointer<QAction> m_action;
    HorizontalAlignment m_horizontal = HorizontalAlignment::Centre;
    VerticalAlignment m_vertical = VerticalAlignment::Centre;
};

} // namespace widgets
