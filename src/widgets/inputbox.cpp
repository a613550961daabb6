#include "widgets/inputbox.h"

#include "widgets/messageservice.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace widgets {

InputBox::InputBox(const QString &title, const QString &prompt, const QString &defaultText, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(361, 143);

    m_prompt = new QLabel(MessageService::displayText(prompt), this);
    m_prompt->setObjectName(QStringLiteral("prompt"));
    m_prompt->setTextFormat(Qt::PlainText);
    m_prompt->setWordWrap(true);
    m_prompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_prompt->setGeometry(8, 8, 275, 75);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edit"));
    m_edit->setMaxLength(MessageService::InputMaxLength);
    m_edit->setText(defaultText);
    m_edit->setGeometry(6, 87, 341, 21);

    m_ok = new QPushButton(QStringLiteral("Tamam"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setGeometry(288, 10, 59, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    m_cancel = new QPushButton(QStringLiteral("İptal"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setGeometry(288, 42, 59, 25);
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(m_edit, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_edit->setFocus();
    m_edit->selectAll();
}

QString InputBox::text() const
{
    return m_edit->text();
}

void InputBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    m_edit->setFocus();
    m_edit->selectAll();
}

} // namespace widgets
