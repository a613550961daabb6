#include "forms/main/ledgerpage.h"

#include "engine/table.h"
#include "widgets/incrementalsearch.h"
#include "widgets/ledgergrid.h"
#include "widgets/sortkeybox.h"
#include "widgets/tableadapter.h"
#include "widgets/valuetext.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor kCommandText(58, 109, 165);

QToolButton *commandButton(QWidget *parent, const QString &name, const QString &caption, const QString &hint,
                           int left, int width, bool bold = false)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left, 3, width, 25);
    QFont font = button->font();
    font.setBold(bold);
    button->setFont(font);
    QPalette colours = button->palette();
    colours.setColor(QPalette::ButtonText, kCommandText);
    button->setPalette(colours);
    return button;
}

void paint(QWidget *widget, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, colour);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

} // namespace

LedgerPage::LedgerPage(widgets::TableAdapter &adapter, const Names &names, QWidget *parent)
    : QFrame(parent), m_adapter(adapter)
{
    setObjectName(names.page);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // Toolbar: 33 pixels, lowered, on RGB(217,214,198).
    m_toolbar = new QFrame(this);
    m_toolbar->setObjectName(names.toolbar);
    m_toolbar->setFixedHeight(33);
    m_toolbar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_toolbar->setLineWidth(1);
    paint(m_toolbar, QColor(217, 214, 198));
    m_toolbar->installEventFilter(this);
    layout->addWidget(m_toolbar);

    m_new = commandButton(m_toolbar, names.newButton, QStringLiteral("Yeni Çek"), QStringLiteral("Kısayol : F2"), 5, 62);
    m_edit = commandButton(m_toolbar, names.editButton, QStringLiteral("Çek Düzenle"), QStringLiteral("Kısayol : F5"),
                           70, 75);
    m_delete = commandButton(m_toolbar, names.deleteButton, QStringLiteral("Çek Sil"), QStringLiteral("Kısayol : F9"),
                             148, 56);
    m_reports = commandButton(m_toolbar, names.reportsButton, QStringLiteral("Raporlar"), QString(), 212, 60);
    m_definitions = commandButton(m_toolbar, names.definitionsButton, QStringLiteral("Tanımlar"), QString(), 276, 59);
    for (QToolButton *menuButton : {m_reports, m_definitions})
        menuButton->setPopupMode(QToolButton::InstantPopup);

    // "<" is the first row and "<<" the previous one; ">>" the next, ">" the last.
    const struct { const QString *name; const char *caption; const char *hint; } navigation[] = {
        {&names.firstButton, "<", "İlk Kayıt"},
        {&names.priorButton, "<<", "Önceki Kayıt"},
        {&names.nextButton, ">>", "Sonraki Kayıt"},
        {&names.lastButton, ">", "Son Kayıt"},
    };
    int left = 341;
    for (const auto &item : navigation) {
        m_navigation << commandButton(m_toolbar, *item.name, QString::fromUtf8(item.caption),
                                      QString::fromUtf8(item.hint), left, 23, true);
        left += 24;
    }
    connect(m_navigation[0], &QToolButton::clicked, this, &LedgerPage::firstRow);
    connect(m_navigation[1], &QToolButton::clicked, this, &LedgerPage::priorRow);
    connect(m_navigation[2], &QToolButton::clicked, this, &LedgerPage::nextRow);
    connect(m_navigation[3], &QToolButton::clicked, this, &LedgerPage::lastRow);

    const QFont arial(QStringLiteral("Arial"), 8);
    const auto blueLabel = [this](const QString &name, const QString &caption) {
        auto *label = new QLabel(caption, m_toolbar);
        label->setObjectName(name);
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, Qt::blue);
        label->setPalette(colours);
        label->adjustSize();
        return label;
    };
    m_sortLabel = blueLabel(names.sortLabel, QStringLiteral("Sırala"));
    m_sortKey = new widgets::SortKeyBox(adapter, m_toolbar);
    m_sortKey->setObjectName(names.sortBox);
    m_sortKey->setToolTip(QStringLiteral("Sıralayacağınız veya\nSorgulama yapacağınız \nAlanı Belirleyin"));
    m_sortKey->setFont(arial);
    m_searchLabel = blueLabel(names.searchLabel, QStringLiteral("Arama"));
    m_search = new widgets::IncrementalSearch(adapter, m_toolbar);
    m_search->setObjectName(names.searchBox);
    m_search->setToolTip(QStringLiteral("Sıralanan alana göre\nAranacak bilgiyi girin"));
    m_search->setFont(arial);
    for (QWidget *box : {static_cast<QWidget *>(m_sortKey), static_cast<QWidget *>(m_search)}) {
        QPalette colours = box->palette();
        colours.setColor(QPalette::Base, QColor(234, 231, 213));
        colours.setColor(QPalette::Button, QColor(234, 231, 213));
        box->setPalette(colours);
    }

    // Grid area: lowered, border 2, RGB(206,202,181); the note strip at its bottom.
    auto *gridArea = new QFrame(this);
    gridArea->setObjectName(names.gridArea);
    gridArea->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    gridArea->setLineWidth(2);
    paint(gridArea, QColor(206, 202, 181));
    auto *gridLayout = new QVBoxLayout(gridArea);
    gridLayout->setContentsMargins(2, 2, 2, 2);
    gridLayout->setSpacing(0);
    m_grid = new widgets::LedgerGrid(adapter, gridArea);
    m_grid->setObjectName(names.grid);
    gridLayout->addWidget(m_grid, 1);

    auto *strip = new QFrame(gridArea);
    strip->setObjectName(names.noteStrip);
    strip->setFixedHeight(41);
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->setSpacing(0);
    auto *caption = new QLabel(QStringLiteral("  Aktif Çek Açıklaması"), strip);
    caption->setObjectName(names.noteCaption);
    caption->setFixedWidth(131);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setFrameStyle(QFrame::Panel | QFrame::Raised);
    paint(caption, QColor(217, 214, 198));
    stripLayout->addWidget(caption);
    m_note = new QPlainTextEdit(strip);
    m_note->setObjectName(names.note);
    m_note->setReadOnly(true);
    m_note->setFrameStyle(QFrame::NoFrame);
    m_note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_note->setFocusPolicy(Qt::ClickFocus);
    QPalette noteColours = m_note->palette();
    noteColours.setColor(QPalette::Base, QColor(230, 227, 217));
    m_note->setPalette(noteColours);
    stripLayout->addWidget(m_note, 1);
    gridLayout->addWidget(strip);
    layout->addWidget(gridArea, 1);

    connect(&adapter, &widgets::TableAdapter::currentChanged, this, &LedgerPage::showNote);
    connect(&adapter, &widgets::TableAdapter::reset, this, &LedgerPage::showNote);
    connect(&adapter, &widgets::TableAdapter::stateChanged, this, &LedgerPage::showNote);
}

engine::Table &LedgerPage::table() const
{
    return m_adapter.table();
}

void LedgerPage::setReportsMenu(QMenu *menu)
{
    m_reports->setMenu(menu);
}

void LedgerPage::setDefinitionsMenu(QMenu *menu)
{
    m_definitions->setMenu(menu);
}

void LedgerPage::firstRow()
{
    if (table().isOpen())
        table().first();
}

void LedgerPage::priorRow()
{
    if (table().isOpen())
        table().prior();
}

void LedgerPage::nextRow()
{
    if (table().isOpen())
        table().next();
}

void LedgerPage::lastRow()
{
    if (table().isOpen())
        table().last();
}

void LedgerPage::showNote()
{
    const engine::Table &t = table();
    const int field = t.isOpen() ? t.fieldIndex("ACIKLAMA") : -1;
    const QString note = field >= 0 ? widgets::toQString(t.value(field)) : QString();
    if (m_note->toPlainText() != note)
        m_note->setPlainText(note);
}

void LedgerPage::placeRightEdgeControls()
{
    // Sort-key box and search box stay at the right edge of the toolbar.
    const int right = m_toolbar->width() - 6;
    const int searchWidth = 140, sortWidth = 130, gap = 6;
    m_search->setGeometry(right - searchWidth, 6, searchWidth, 21);
    m_searchLabel->move(m_search->x() - m_searchLabel->width() - 4, 9);
    m_sortKey->setGeometry(m_searchLabel->x() - gap - sortWidth, 6, sortWidth, 21);
    m_sortLabel->move(m_sortKey->x() - m_sortLabel->width() - 4, 9);
}

bool LedgerPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_toolbar && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        placeRightEdgeControls();
    return QFrame::eventFilter(watched, event);
}
