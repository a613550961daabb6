#include "forms/entry/chequeentrydialog.h"

#include "engine/error.h"
#include "engine/table.h"
#include "forms/entry/chequequestion.h"
#include "forms/entry/statuspicker.h"
#include "forms/sharedstate.h"
#include "widgets/colouredbutton.h"
#include "widgets/dataeditor.h"
#include "widgets/datalineedit.h"
#include "widgets/fieldlink.h"
#include "widgets/messageservice.h"
#include "widgets/tableadapter.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QToolButton>

namespace forms {

using widgets::MessageService;

ChequeEntryDialog::ChequeEntryDialog(widgets::TableAdapter &ledger, QString &mode, const QString &title,
                                     QWidget *parent)
    : QDialog(parent), m_adapter(ledger), m_mode(mode), m_title(title)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(217, 214, 197));
    setPalette(pal);
    QFont face = font();
    face.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    face.setPointSize(8);
    setFont(face);

    // Out of sight: moving the focus here makes the editor being typed in write its text.
    m_sink = new QLineEdit(this);
    m_sink->setObjectName(QStringLiteral("setf"));
    m_sink->setReadOnly(true);
    m_sink->setFocusPolicy(Qt::ClickFocus);
    m_sink->setGeometry(448, -56, 17, 21);
}

engine::Table &ChequeEntryDialog::ledger() const
{
    return m_adapter.table();
}

void ChequeEntryDialog::buildButtonBar(int saveX, int saveWidth, int cancelX, int cancelWidth, int exitX,
                                       int exitWidth, int height)
{
    m_buttonBar = new QFrame(this);
    m_buttonBar->setObjectName(QStringLiteral("buttonBar"));
    m_buttonBar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_buttonBar->setLineWidth(2);
    m_buttonBar->setGeometry(0, this->height() - 37, width(), 37);
    const auto make = [this, height](const QString &text, int x, int w) {
        auto *button = new widgets::ColouredButton(text, m_buttonBar);
        button->setFaceColour(QColor(234, 231, 213));
        button->setFrameColour(QColor(0, 0, 255));
        button->setGeometry(x, 6, w, height);
        return button;
    };
    m_saveButton = make(QStringLiteral("KAYDET - F5"), saveX, saveWidth);
    m_cancelButton = make(QStringLiteral("İPTAL - F9"), cancelX, cancelWidth);
    m_exitButton = make(QStringLiteral("ÇIKIŞ - F12"), exitX, exitWidth);
    connect(m_saveButton, &widgets::ColouredButton::clicked, this, [this] { guarded([this] { save(); }); });
    connect(m_cancelButton, &widgets::ColouredButton::clicked, this, [this] { guarded([this] { cancelChanges(); }); });
    connect(m_exitButton, &widgets::ColouredButton::clicked, this, [this] { guarded([this] { requestClose(); }); });
}

void ChequeEntryDialog::addEditor(widgets::DataEditor *editor)
{
    connect(&editor->link(), &widgets::FieldLink::left, this, [this, editor] {
        if (isVisible())
            guarded([this, editor] { editorLeft(editor); });
    });
}

void ChequeEntryDialog::updateCaption()
{
    setWindowTitle(m_title
                   + (m_mode == QLatin1String("Y") ? QStringLiteral(" [YENİ KAYIT]") : QStringLiteral(" [KAYIT GÜNCELLEME]")));
}

void ChequeEntryDialog::guarded(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &e) {
        MessageService::failure(QString::fromUtf8(e.what()));
    }
}

bool ChequeEntryDialog::functionKey(int, QWidget *)
{
    return false;
}

void ChequeEntryDialog::editorLeft(widgets::DataEditor *) {}

bool ChequeEntryDialog::commitFocused()
{
    widgets::DataEditor *editor = widgets::DataEditor::of(focusWidget());
    if (!editor)
        return true;
    if (!editor->commit()) {
        editor->widget()->setFocus(Qt::OtherFocusReason);
        return false;
    }
    m_committing = true;
    editorLeft(editor);
    m_committing = false;
    return true;
}

bool ChequeEntryDialog::postRow()
{
    engine::Table &table = ledger();
    if (!table.isEditing())
        return true;
    try {
        table.post();
    } catch (const engine::Error &e) {
        // The row keeps its state and every typed value; the dialog stays open.
        MessageService::failure(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

void ChequeEntryDialog::save()
{
    if (!commitFocused())
        return;
    engine::Table &table = ledger();
    if (!table.isEditing() || !table.isModified()) {
        MessageService::warning(QStringLiteral("\r\nKayıt Üzerinde hiçbir değişiklik yapılmamış."));
        return;
    }
    if (!postRow())
        return;
    m_mode = QStringLiteral("D");
    updateCaption();

    const QString answer = ChequeQuestion::ask(this);
    if (answer == QLatin1String("1")) {
        m_mode = QStringLiteral("Y");
        try {
            table.append();
        } catch (const engine::Error &e) {
            MessageService::failure(QString::fromUtf8(e.what()));
            m_mode = QStringLiteral("D");
            return;
        }
        newChequeStarted();
        if (QWidget *first = firstControl())
            first->setFocus(Qt::OtherFocusReason);
        updateCaption();
    } else if (answer == QLatin1String("3")) {
        requestClose();
    }
}

void ChequeEntryDialog::cancelChanges()
{
    if (!commitFocused())
        return;
    engine::Table &table = ledger();
    const bool modified = table.isEditing() && table.isModified();
    if (m_mode == QLatin1String("Y")) {
        if (!modified) {
            requestClose();
            return;
        }
        if (MessageService::confirm(QStringLiteral("\r\nKayıt Üzerinde Değişiklik Olmuş.\r\n\r\nİptal Edilip Ana Forma Dönülecek."))) {
            table.cancel();
            requestClose();
        }
        return;
    }
    if (modified)
        table.cancel();
}

bool ChequeEntryDialog::requestClose()
{
    if (m_closing || !isVisible())
        return false;
    QPointer<QWidget> focused = focusWidget();
    if (!commitFocused())
        return false;
    m_sink->setFocus(Qt::OtherFocusReason);
    engine::Table &table = ledger();
    if (table.isEditing() && table.isModified()) {
        const widgets::MessageButton answer = MessageService::confirmYesNoCancel(QStringLiteral(
            "\r\nAktif Çek kaydı Üzerinde değişiklik olmuş.\r\n\r\nNe yapmak istersiniz.\r\n\r\n"
            "Evet   :Kaydet + çıkış\r\nHayıt  :İptal + çıkış\r\nİptal   :işlemi durdur"));
        switch (answer) {
        case widgets::MessageButton::Yes:
            if (!postRow()) {
                if (focused)
                    focused->setFocus(Qt::OtherFocusReason);
                return false;
            }
            break;
        case widgets::MessageButton::No:
            table.cancel();
            break;
        default:
            // Stay: the row keeps its state and values, the user goes on where he was.
            if (focused)
                focused->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    if (table.isOpen())
        table.cancel();
    m_closing = true;
    closing();
    QDialog::done(QDialog::Rejected);
    m_closing = false;
    return true;
}

void ChequeEntryDialog::reject()
{
    requestClose();
}

void ChequeEntryDialog::showEvent(QShowEvent *event)
{
    // Key preview: the dialog sees every key before the control that has the focus.
    for (QWidget *child : findChildren<QWidget *>())
        if (child->window() == this)
            child->installEventFilter(this);
    updateCaption();
    if (QWidget *first = firstControl())
        first->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void ChequeEntryDialog::closeEvent(QCloseEvent *event)
{
    // The close box and Alt+F4 ask the same question as F12.
    event->ignore();
    if (isVisible())
        requestClose();
}

bool ChequeEntryDialog::handleKey(QKeyEvent *event, QWidget *focused)
{
    switch (event->key()) {
    case Qt::Key_F5:
        save();
        return true;
    case Qt::Key_F9:
        cancelChanges();
        return true;
    case Qt::Key_F12:
        requestClose();
        return true;
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if ((event->modifiers() & Qt::ControlModifier)) {
            if (auto *memo = qobject_cast<QPlainTextEdit *>(focused)) {
                memo->insertPlainText(QStringLiteral("\n"));
                return true;
            }
        }
        focusNextChild();
        return true;
    default:
        return functionKey(event->key(), focused);
    }
}

bool ChequeEntryDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->window() == this) {
            QWidget *focused = focusWidget();
            // Only the first delivery counts, not a key passed on to the parents.
            if (widget != focused)
                return QDialog::eventFilter(watched, event);
            bool handled = false;
            guarded([&] { handled = handleKey(static_cast<QKeyEvent *>(event), focused); });
            if (handled)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ChequeEntryDialog::keyPressEvent(QKeyEvent *event)
{
    bool handled = false;
    guarded([&] { handled = handleKey(event, focusWidget()); });
    if (handled)
        return;
    QDialog::keyPressEvent(event);
}

ChequeEntryDialog::StatusControls ChequeEntryDialog::addStatusControls(const QString &field, const QString &editorName,
                                                                     const QRect &editorGeometry, int buttonX,
                                                                     std::function<void()> pick)
{
    auto *editor = new widgets::DataLineEdit(m_adapter, field, this);
    editor->setObjectName(editorName);
    editor->setReadOnly(true);
    editor->setToolTip(QStringLiteral("Detay için F1 ..."));
    editor->setGeometry(editorGeometry);
    auto *button = new QToolButton(this);
    button->setObjectName(QStringLiteral("SpeedButton3"));
    button->setText(QStringLiteral("..."));
    button->setToolTip(QStringLiteral("Çek durumları... [F1]"));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    QFont black(QStringLiteral("Arial Black"), 8);
    black.setBold(true);
    button->setFont(black);
    button->setGeometry(buttonX, editorGeometry.y(), 19, 21);
    connect(button, &QToolButton::clicked, this, [pick = std::move(pick)] { guarded(pick); });
    return {editor, button};
}

void ChequeEntryDialog::pickStatusFrom(engine::Table &statuses, const QString &page, widgets::DataLineEdit &status,
                                       StatusPicker &picker)
{
    if (!statuses.isOpen() || statuses.isEmpty()) {
        widgets::MessageService::warning(QStringLiteral("\r\nTANIMLI ÇEK DURUMU YOK."));
        return;
    }
    shared().cekTursecimSayfa = page;
    if (!statuses.locate("CEK_ADI", status.text().toStdString()))
        statuses.first();
    if (!picker.pick())
        return;
    status.link().write(statuses.value("CEK_ADI"));
}

} // namespace forms
