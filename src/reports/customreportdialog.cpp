#include "reports/customreportdialog.h"

#include "engine/table.h"
#include "forms/sharedstate.h"
#include "widgets/messageservice.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>

namespace reports {

namespace {

const QColor kCompanyBackground(217, 214, 197);
const QColor kFieldBackground(234, 231, 213);

// The geometry that differs between the two dialogs; the rest is shared.
struct DialogShape
{
    QSize client;
    int dateWidth;
    int listHeight;
    QPoint sortLabel, sortBox, ascending, descending, bevel, ok, cancel;
};

const DialogShape kCompanyShape{{192, 259}, 89, 57, {16, 164}, {16, 179}, {136, 168}, {136, 184},
                                {2, 216}, {16, 226}, {96, 226}};
const DialogShape kCustomerShape{{191, 316}, 85, 97, {16, 220}, {16, 235}, {136, 224}, {136, 240},
                                 {2, 272}, {17, 282}, {97, 282}};

QLabel *addLabel(const QString &text, const QPoint &at, bool bold, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->move(at);
    label->adjustSize();
    return label;
}

void setFieldBackground(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, kFieldBackground);
    widget->setPalette(palette);
}

QDateEdit *addDateEdit(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *edit = new QDateEdit(QDate::currentDate(), parent);
    edit->setObjectName(name);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    edit->setGeometry(geometry);
    setFieldBackground(edit);
    return edit;
}

// The two small glyphs of the check list's buttons: a ticked and an empty box.
QIcon boxIcon(bool ticked)
{
    QPixmap pixmap(13, 13);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 1.5, 10, 10));
    if (ticked) {
        painter.setPen(QPen(QColor(0, 128, 0), 2));
        painter.drawPolyline(QPolygonF({QPointF(3.5, 6.5), QPointF(5.5, 9), QPointF(10, 3.5)}));
    }
    return QIcon(pixmap);
}

QToolButton *addToolButton(const QString &name, const QString &hint, bool ticked, const QRect &geometry,
                           QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(boxIcon(ticked));
    button->setToolTip(hint);
    button->setGeometry(geometry);
    return button;
}

} // namespace

CustomReportDialog::CustomReportDialog(Ledger ledger, engine::Table &statuses, QWidget *parent)
    : QDialog(parent), m_ledger(ledger), m_statusTable(statuses)
{
    const bool company = ledger == Ledger::Company;
    const DialogShape &shape = company ? kCompanyShape : kCustomerShape;

    setObjectName(company ? QStringLiteral("firma_raporozel") : QStringLiteral("musteri_raporozel"));
    setWindowTitle(company ? QStringLiteral("Firma Çek Raporu") : QStringLiteral("Müşteri Çek Raporu"));
    setModal(true);
    setFixedSize(shape.client);
    Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
        | Qt::WindowCloseButtonHint;
    if (!company)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    if (company) {
        QPalette background = palette();
        background.setColor(QPalette::Window, kCompanyBackground);
        setPalette(background);
        setAutoFillBackground(true);
    }

    addLabel(QStringLiteral("Raporlanacak Tarih Aralığı"), {8, 6}, true, this);
    addLabel(QStringLiteral("Başlangıç tarihi"), {16, 28}, false, this);
    m_start = addDateEdit(QStringLiteral("BA"), QRect(96, 24, shape.dateWidth, 21), this);
    addLabel(QStringLiteral("Bitiş tarihi"), {16, 52}, false, this);
    m_end = addDateEdit(QStringLiteral("BI"), QRect(96, 48, shape.dateWidth, 21), this);

    addLabel(QStringLiteral("Raporlanacak Türler"), {8, 88}, true, this);
    m_checkAll = addToolButton(QStringLiteral("SpeedButton1"), QStringLiteral("Tümünü seç"), true,
                               QRect(151, 86, 17, 17), this);
    m_uncheckAll = addToolButton(QStringLiteral("SpeedButton2"), QStringLiteral("Tüm seçimi kaldır"), false,
                                 QRect(168, 86, 17, 17), this);
    connect(m_checkAll, &QToolButton::clicked, this, &CustomReportDialog::checkAll);
    connect(m_uncheckAll, &QToolButton::clicked, this, &CustomReportDialog::uncheckAll);

    m_statuses = new QListWidget(this);
    m_statuses->setObjectName(QStringLiteral("secim"));
    m_statuses->setGeometry(16, 104, 169, shape.listHeight);
    setFieldBackground(m_statuses);

    addLabel(QStringLiteral("Sıralanacak Alan"), shape.sortLabel, false, this);
    m_sortBox = new QComboBox(this);
    m_sortBox->setObjectName(QStringLiteral("ComboBox1"));
    m_sortBox->setEditable(false);
    m_sortBox->addItems(customReportSortCaptions(ledger));
    m_sortBox->setCurrentIndex(-1);
    m_sortBox->setToolTip(QStringLiteral("Sıralanacak sütun"));
    m_sortBox->setGeometry(QRect(shape.sortBox, QSize(111, 21)));
    if (!company)
        m_sortBox->setMaxVisibleItems(9);
    setFieldBackground(m_sortBox);

    m_ascending = new QRadioButton(QStringLiteral("A - z"), this);
    m_ascending->setObjectName(QStringLiteral("RadioButton1"));
    m_ascending->setToolTip(QStringLiteral("Artan sıralama"));
    m_ascending->setGeometry(QRect(shape.ascending, QSize(49, 17)));
    m_ascending->setChecked(true);
    m_descending = new QRadioButton(QStringLiteral("Z - a"), this);
    m_descending->setObjectName(QStringLiteral("RadioButton2"));
    m_descending->setToolTip(QStringLiteral("Azalan sıralama"));
    m_descending->setGeometry(QRect(shape.descending, QSize(49, 17)));

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setGeometry(QRect(shape.bevel, QSize(185, 2)));

    m_ok = new QPushButton(QStringLiteral("Tamam"), this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setDefault(true);
    m_ok->setGeometry(QRect(shape.ok, QSize(75, 25)));
    connect(m_ok, &QPushButton::clicked, this, &CustomReportDialog::accept);
    // Escape reaches the cancel button through QDialog::reject().
    m_cancel = new QPushButton(QStringLiteral("Vazgeç"), this);
    m_cancel->setObjectName(QStringLiteral("Button2"));
    m_cancel->setAutoDefault(false);
    m_cancel->setGeometry(QRect(shape.cancel, QSize(75, 25)));
    connect(m_cancel, &QPushButton::clicked, this, &CustomReportDialog::reject);

    setTabOrder(m_start, m_end);
    setTabOrder(m_end, m_ok);
    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_cancel, m_sortBox);
    setTabOrder(m_sortBox, m_ascending);
    setTabOrder(m_ascending, m_descending);
    setTabOrder(m_descending, m_statuses);
}

CustomReportDialog::~CustomReportDialog()
{
    if (m_filtering)
        qApp->removeEventFilter(this);
}

bool &CustomReportDialog::resultFlag() const
{
    return m_ledger == Ledger::Company ? forms::shared().firmaRaporozelTamam
                                       : forms::shared().musteriRaporozelTamam;
}

bool CustomReportDialog::run()
{
    widgets::MessageService::execDialog(this);
    return resultFlag();
}

CustomReportCriteria CustomReportDialog::criteria() const
{
    CustomReportCriteria criteria;
    criteria.start = m_start->date();
    criteria.end = m_end->date();
    // Read by position from the list itself, so the n-th mark always goes with
    // the n-th name as the list was filled.
    for (int i = 0; i < m_statuses->count(); ++i) {
        const QListWidgetItem *item = m_statuses->item(i);
        if (item->checkState() == Qt::Checked)
            criteria.statuses.append(item->text());
    }
    criteria.sortIndex = m_sortBox->currentIndex();
    criteria.descending = m_descending->isChecked();
    return criteria;
}

void CustomReportDialog::checkAll()
{
    setAllChecked(true);
}

void CustomReportDialog::uncheckAll()
{
    setAllChecked(false);
}

void CustomReportDialog::setAllChecked(bool checked)
{
    for (int i = 0; i < m_statuses->count(); ++i)
        m_statuses->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CustomReportDialog::accept()
{
    if (m_end->date() < m_start->date()) {
        widgets::MessageService::warning(QStringLiteral("\r\nBaşlangıç tarihi bitiş tarihinden büyük olamaz."));
        return;
    }
    resultFlag() = true;
    QDialog::accept();
}

void CustomReportDialog::reject()
{
    resultFlag() = false;
    QDialog::reject();
}

void CustomReportDialog::fillStatusList()
{
    m_statuses->clear();
    if (!m_statusTable.isOpen())
        return;
    const auto rows = m_statusTable.rows();
    const int nameField = rows->fieldIndex("CEK_ADI");
    rows->restart();
    while (nameField >= 0 && rows->next()) {
        const engine::Value &value = rows->value(std::size_t(nameField));
        const auto *name = std::get_if<std::string>(&value);
        auto *item = new QListWidgetItem(name ? QString::fromStdString(*name) : QString(), m_statuses);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // The status table is left on its first row, as the pickers expect it.
    if (!m_statusTable.isEditing())
        m_statusTable.first();
}

void CustomReportDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Restoring a minimised dialog is no new showing.
    if (event->spontaneous())
        return;

    // Criteria accepted at an earlier showing never count for this one.
    resultFlag() = false;
    fillStatusList();
    // The company dialog starts every showing on today; the customer dialog
    // starts its first showing on today and keeps the user's dates afterwards.
    if (m_ledger == Ledger::Company || !m_shownBefore) {
        m_start->setDate(QDate::currentDate());
        m_end->setDate(QDate::currentDate());
    }
    m_shownBefore = true;

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    m_start->setFocus();

    // Key preview: F12 closes the dialog whatever control has the focus.
    if (!m_filtering) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
}

void CustomReportDialog::hideEvent(QHideEvent *event)
{
    if (m_filtering && !event->spontaneous()) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    QDialog::hideEvent(event);
}

bool CustomReportDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QDialog::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    // Keys of this window only: a message box above it is a window of its own.
    if ((widget != this && !isAncestorOf(widget)) || !isVisible())
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_F12 && key->modifiers() == Qt::NoModifier) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace reports
