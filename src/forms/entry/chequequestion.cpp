#include "forms/entry/chequequestion.h"

#include "forms/sharedstate.h"
#include "widgets/messageservice.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace forms {

namespace {

QPushButton *makeButton(const QString &caption, int top, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(8, top, 151, 23);
    button->setAutoDefault(false);
    // Face RGB(244,244,240); hovering lights it up RGB(255,199,60), the focus frame RGB(106,141,244).
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background: rgb(244,244,240); border: 1px solid rgb(160,160,150); text-align: left; padding-left: 6px; }"
        "QPushButton:hover { background: rgb(255,199,60); }"
        "QPushButton:focus { border: 1px solid rgb(106,141,244); }"));
    return button;
}

} // namespace

ChequeQuestion::ChequeQuestion(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("cek_sorusu"));
    setWindowTitle(QStringLiteral("Selvora"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setFixedSize(166, 152);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(217, 214, 197));
    setPalette(pal);
    move(757, 216);

    auto *label = new QLabel(QStringLiteral("Kayıt İşlemi Tamamlandı.\r\n\r\nNe Yapmak İstersiniz ?").replace(QLatin1String("\r\n"), QLatin1String("\n")), this);
    label->move(8, 8);
    label->adjustSize();

    m_newCheque = makeButton(QStringLiteral("Yeni Çek Girişi [F1]"), 64, this);
    m_stay = makeButton(QStringLiteral("Aktif Çekte Dur [F2]"), 92, this);
    m_leave = makeButton(QStringLiteral("Giriş Formu        [F3]"), 120, this);
    m_newCheque->setObjectName(QStringLiteral("RzButton1"));
    m_stay->setObjectName(QStringLiteral("RzButton3"));
    m_leave->setObjectName(QStringLiteral("RzButton2"));
    connect(m_newCheque, &QPushButton::clicked, this, [this] { answer(QStringLiteral("1")); });
    connect(m_stay, &QPushButton::clicked, this, [this] { answer(QStringLiteral("2")); });
    connect(m_leave, &QPushButton::clicked, this, [this] { answer(QStringLiteral("3")); });
}

QString ChequeQuestion::ask(QWidget *parent)
{
    ChequeQuestion question(parent);
    widgets::MessageService::execDialog(&question);
    return shared().cekSorusuCevap;
}

void ChequeQuestion::showEvent(QShowEvent *event)
{
    shared().cekSorusuCevap = QStringLiteral("2");
    m_newCheque->setFocus();
    QDialog::showEvent(event);
}

void ChequeQuestion::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F1:
        m_newCheque->click();
        return;
    case Qt::Key_F2:
        m_stay->click();
        return;
    case Qt::Key_F3:
        m_leave->click();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void ChequeQuestion::answer(const QString &value)
{
    shared().cekSorusuCevap = value;
    accept();
}

} // namespace forms
