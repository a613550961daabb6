#include "forms/settings/warningsettingsdialog.h"

#include "settings/wholenumber.h"
#include "widgets/colouredbutton.h"
#include "widgets/messageservice.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>

namespace forms {

namespace {

const QColor kBackground(217, 214, 197);
const QColor kFieldBackground(234, 231, 213);

QColor pickWithColourDialog(const QColor &initial, QWidget *parent)
{
    QColorDialog dialog(initial, parent);
    if (widgets::MessageService::execDialog(&dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedColor();
}

QLabel *addLabel(const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QFrame *addSwatch(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *swatch = new QFrame(parent);
    swatch->setObjectName(name);
    swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    swatch->setLineWidth(1);
    swatch->setAutoFillBackground(true);
    swatch->setGeometry(geometry);
    swatch->setCursor(Qt::PointingHandCursor);
    return swatch;
}

widgets::ColouredButton *addButton(const QString &name, const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *button = new widgets::ColouredButton(text, parent);
    button->setObjectName(name);
    button->setFaceColour(kFieldBackground);
    button->setFrameColour(QColor(0, 0, 255));
    button->setGeometry(geometry);
    return button;
}

} // namespace

WarningSettingsDialog::WarningSettingsDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("genelcekayar"));
    setWindowTitle(QStringLiteral("Genel Çek Ayarları"));
    setModal(true);
    setFixedSize(291, 269);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QPalette background = palette();
    background.setColor(QPalette::Window, kBackground);
    setPalette(background);
    setAutoFillBackground(true);

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel2"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(8, 8, 275, 97);

    m_colouring = new QCheckBox(QStringLiteral("Vadesi dolan çekleri renklendir"), this);
    m_colouring->setObjectName(QStringLiteral("CheckBox1"));
    m_colouring->setGeometry(18, 18, 255, 17);
    QFont bold = m_colouring->font();
    bold.setBold(true);
    m_colouring->setFont(bold);
    QPalette checkText = m_colouring->palette();
    checkText.setColor(QPalette::WindowText, QColor(0, 64, 128));
    m_colouring->setPalette(checkText);

    addLabel(QStringLiteral("Vadesi Dolan Çeklerin Yazı Rengi"), QRect(18, 48, 200, 17), this);
    m_dueTextSwatch = addSwatch(QStringLiteral("Panel1"), QRect(240, 48, 25, 17), this);
    addLabel(QStringLiteral("Seçili Durumda Yazı Rengi"), QRect(18, 76, 200, 17), this);
    m_secondSwatch = addSwatch(QStringLiteral("Panel2"), QRect(240, 76, 25, 17), this);
    m_dueTextSwatch->installEventFilter(this);
    m_secondSwatch->installEventFilter(this);

    addLabel(QStringLiteral("Erken Uyarı Gün Sayısı"), QRect(12, 118, 140, 21), this);
    m_days = new QSpinBox(this);
    m_days->setObjectName(QStringLiteral("SpinEdit1"));
    m_days->setRange(0, 99);
    m_days->setValue(0);
    m_days->setGeometry(152, 116, 65, 22);
    QPalette field = m_days->palette();
    field.setColor(QPalette::Base, kFieldBackground);
    m_days->setPalette(field);
    m_days->installEventFilter(this);

    m_help = new QToolButton(this);
    m_help->setObjectName(QStringLiteral("SpeedButton1"));
    m_help->setText(QStringLiteral("?"));
    m_help->setAutoRaise(true);
    m_help->setFocusPolicy(Qt::NoFocus);
    m_help->setFont(QFont(QStringLiteral("Arial Black"), 10));
    m_help->setToolTip(QStringLiteral("Erken Uyarı Gün Sayısı Yardımı..."));
    m_help->setGeometry(224, 115, 23, 24);
    connect(m_help, &QToolButton::clicked, this, &WarningSettingsDialog::showHelp);

    m_save = addButton(QStringLiteral("Button1"), QStringLiteral("YARLARI KAYDET"), QRect(12, 152, 129, 27), this);
    m_cancel = addButton(QStringLiteral("Button2"), QStringLiteral("VAZGEÇ"), QRect(148, 152, 73, 27), this);
    connect(m_save, &widgets::ColouredButton::clicked, this, &WarningSettingsDialog::save);
    connect(m_cancel, &widgets::ColouredButton::clicked, this, &QDialog::reject);

    m_note = new QLabel(QStringLiteral("*** Not: Vadesi dolan çeklerin renklendirilmesi işlemi performansı "
                                       "etkiliyebilir. Tabi bu çok çek kaydı varsa geçerlidir."),
                        this);
    m_note->setObjectName(QStringLiteral("Label4"));
    m_note->setWordWrap(true);
    m_note->setFont(QFont(QStringLiteral("Arial"), 8));
    QPalette noteText = m_note->palette();
    noteText.setColor(QPalette::WindowText, QColor(128, 0, 64));
    m_note->setPalette(noteText);
    m_note->setGeometry(8, 192, 275, 69);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    setSettings(settings::WarningSettings{});
}

WarningSettingsDialog::~WarningSettingsDialog() = default;

QString WarningSettingsDialog::helpText()
{
    return QStringLiteral(
        "Eren Uyarı Gün Sayısı hakkında:\r\n"
        "Bu alanın 0 (Sıfır) olması halinde  Aktif tarihte vadesi dolan çekleri \r\n"
        "gösterir.\r\n"
        "1 olması aktif tarihten bir gün sonraki vadesi dolacak çekleri gösterir.\r\n"
        "\r\n"
        "Gün sayısının ayarı kullanıcıya aittir. istenildiği gibi ayarlanabilir.\r\n"
        "\r\n"
        "Erken uyarı Gün Sayısı Alanını durumunuza göre doldurarak vadesinin \r\n"
        "dolmasına x gün kalan çeklerin takibini kolaylaştırır.");
}

void WarningSettingsDialog::setSettings(const settings::WarningSettings &settings)
{
    m_colouring->setChecked(settings.colouring);
    m_dueTextColour = settings.dueTextColour;
    m_secondColour = settings.secondColour;
    paintSwatch(m_dueTextSwatch, m_dueTextColour);
    paintSwatch(m_secondSwatch, m_secondColour);
    m_days->setValue(settings::WarningSettings::clampedDays(settings.warningDays));
    m_warningDate = settings.warningDate;
}

settings::WarningSettings WarningSettingsDialog::settings() const
{
    settings::WarningSettings result;
    result.colouring = m_colouring->isChecked();
    result.dueTextColour = m_dueTextColour;
    result.secondColour = m_secondColour;
    // The text as typed counts, even when the spin box has not taken it yet
    // (the save button never takes the focus); no number is 0 days.
    const auto typed = settings::parseWholeNumber(m_days->cleanText());
    result.warningDays = settings::WarningSettings::clampedDays(typed.value_or(0));
    result.warningDate = m_warningDate;
    return result;
}

void WarningSettingsDialog::setColourPicker(ColourPicker picker)
{
    m_picker = std::move(picker);
}

bool WarningSettingsDialog::save()
{
    Q_ASSERT(!m_settingsFile.isEmpty());
    const settings::WarningSettings values = settings();
    const settings::IniFile::Status status = values.save(m_settingsFile);
    if (!status.ok()) {
        widgets::MessageService::failure(status.message);
        return false;
    }
    m_days->setValue(values.warningDays);
    m_saved = values;
    emit saved(values);
    accept();
    return true;
}

void WarningSettingsDialog::pickDueTextColour()
{
    pickColour(m_dueTextSwatch, m_dueTextColour);
}

void WarningSettingsDialog::pickSecondColour()
{
    pickColour(m_secondSwatch, m_secondColour);
}

void WarningSettingsDialog::pickColour(QFrame *swatch, settings::ColourCode &colour)
{
    const QColor initial = colour.toColor(palette());
    const QColor picked = m_picker ? m_picker(initial, this) : pickWithColourDialog(initial, this);
    if (!picked.isValid())
        return;
    colour = settings::ColourCode::fromColor(picked);
    paintSwatch(swatch, colour);
}

void WarningSettingsDialog::paintSwatch(QFrame *swatch, settings::ColourCode colour)
{
    QPalette face = swatch->palette();
    const QColor shown = colour.toColor(palette());
    // clNone and clDefault have no colour of their own: the swatch shows the dialog's face.
    face.setColor(QPalette::Window, shown.isValid() ? shown : kBackground);
    swatch->setPalette(face);
    swatch->setToolTip(colour.toText());
}

void WarningSettingsDialog::showHelp()
{
    widgets::MessageService::information(helpText());
}

void WarningSettingsDialog::showEvent(QShowEvent *event)
{
    m_saved.reset();
    QDialog::showEvent(event);
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void WarningSettingsDialog::keyPressEvent(QKeyEvent *event)
{
    // F12 closes without saving, whatever control has the focus; no other
    // key of the dialog's own (Escape included) closes it.
    if (event->key() == Qt::Key_F12 && event->modifiers() == Qt::NoModifier) {
        reject();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool WarningSettingsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_dueTextSwatch || watched == m_secondSwatch) && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        auto *swatch = static_cast<QFrame *>(watched);
        if (mouse->button() == Qt::LeftButton && swatch->rect().contains(mouse->position().toPoint())) {
            if (swatch == m_dueTextSwatch)
                pickDueTextColour();
            else
                pickSecondColour();
            return true;
        }
    }
    if (watched == m_days && event->type() == QEvent::FocusIn) {
        // The day count is not selected as a whole when the field is entered.
        const bool handled = QDialog::eventFilter(watched, event);
        QMetaObject::invokeMethod(
            m_days, [this] { m_days->findChild<QLineEdit *>()->deselect(); }, Qt::QueuedConnection);
        return handled;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace forms
