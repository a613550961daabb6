#include "forms/definitions/companybankdialog.h"

#include "forms/definitions/rowposting.h"
#include "forms/sharedstate.h"
#include "data/schema.h"
#include "engine/error.h"
#include "engine/table.h"
#include "widgets/ledgergrid.h"
#include "widgets/messageservice.h"
#include "widgets/tableadapter.h"
#include "widgets/valuetext.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace forms {

using widgets::MessageButton;
using widgets::MessageIcon;
using widgets::MessageService;

namespace {

const char *const kFields[3] = {"BANKA_ADI", "SUBE_ADI", "HESAP_NUMARASI"};

const QColor kEditIdle(220, 217, 201);    // until first focused
const QColor kEditLeft(217, 214, 198);    // after the focus has left
const QColor kEditFocused(255, 255, 255); // while focused

QPushButton *makeButton(const QString &text, QWidget *parent, const QRect &geometry, bool bold = false)
{
    auto *button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    button->setStyleSheet(QStringLiteral("QPushButton { color: rgb(0,128,0); %1} "
                                         "QPushButton:disabled { color: rgb(150,150,150); }")
                              .arg(bold ? QStringLiteral("font-weight: bold; ") : QString()));
    return button;
}

void setBase(QLineEdit *edit, const QColor &colour)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, colour);
    edit->setPalette(palette);
}

QString fieldLabel(const char *field)
{
    const data::FieldDisplay *display = data::table(data::TableId::CompanyBanks).field(field);
    return display ? QString::fromStdString(display->label) : QString::fromLatin1(field);
}

} // namespace

CompanyBankDialog::CompanyBankDialog(engine::Table &banks, QWidget *parent)
    : KeyPreviewDialog(parent), m_table(banks), m_lease(banks)
{
    setObjectName(QStringLiteral("firma_bankatanimlari"));
    setWindowTitle(QStringLiteral("Firma Banka Tanımları"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(578, 309);

    m_main = new QFrame(this);
    m_main->setObjectName(QStringLiteral("Panel1"));
    m_main->setGeometry(0, 0, 578, 309);
    m_main->setAutoFillBackground(true);
    QPalette mainColours = m_main->palette();
    mainColours.setColor(QPalette::Window, QColor(217, 214, 197));
    m_main->setPalette(mainColours);

    m_grid = new widgets::LedgerGrid(m_lease.adapter(), m_main);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setGeometry(8, 8, 561, 251);
    m_grid->setFrameShape(QFrame::NoFrame);
    m_grid->setAlternatingRowColors(false);
    QPalette gridColours = m_grid->palette();
    gridColours.setColor(QPalette::Base, QColor(220, 217, 201));
    m_grid->setPalette(gridColours);
    m_grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(209,209,194); color: rgb(0,64,128); "
                       "border: 0px; border-right: 1px solid rgb(160,160,160); "
                       "border-bottom: 1px solid rgb(160,160,160); padding-left: 2px; }"));
    m_grid->horizontalHeader()->setSectionsMovable(false);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_grid->setColumns({{QStringLiteral("BANKA_ADI"), 20, fieldLabel("BANKA_ADI"), {}},
                        {QStringLiteral("SUBE_ADI"), 20, fieldLabel("SUBE_ADI"), {}},
                        {QStringLiteral("HESAP_NUMARASI"), 14, fieldLabel("HESAP_NUMARASI"), {}}});
    const int widths[3] = {200, 200, 140};
    for (int i = 0; i < 3; ++i)
        m_grid->setColumnWidth(i, widths[i]);
    connect(m_grid, &widgets::LedgerGrid::rowDoubleClicked, this, [this] {
        if (pickMode())
            confirm();
        else
            changeAccount();
    });

    auto *line = new QFrame(m_main);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, 262, 561, 2);

    m_new = makeButton(QStringLiteral("Yeni Tanımlama - F2"), m_main, QRect(8, 271, 124, 28));
    m_new->setObjectName(QStringLiteral("RzButton1"));
    m_change = makeButton(QStringLiteral("Tanımlama Düzenle - F5"), m_main, QRect(136, 271, 140, 28));
    m_change->setObjectName(QStringLiteral("RzButton2"));
    m_delete = makeButton(QStringLiteral("Tanımlama Sil - F9"), m_main, QRect(280, 271, 120, 28));
    m_delete->setObjectName(QStringLiteral("RzButton3"));
    m_exit = makeButton(QStringLiteral("Çıkış [F12]"), m_main, QRect(488, 271, 82, 28), true);
    m_exit->setObjectName(QStringLiteral("RzButton4"));
    connect(m_new, &QPushButton::clicked, this, &CompanyBankDialog::newAccount);
    connect(m_change, &QPushButton::clicked, this, &CompanyBankDialog::changeAccount);
    connect(m_delete, &QPushButton::clicked, this, &CompanyBankDialog::deleteAccount);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::close);

    m_pickPanel = new QFrame(m_main);
    m_pickPanel->setObjectName(QStringLiteral("Panel2"));
    m_pickPanel->setGeometry(410, 271, 160, 28);
    m_ok = makeButton(QStringLiteral("TAMAM"), m_pickPanel, QRect(0, 0, 78, 28));
    m_ok->setObjectName(QStringLiteral("RzButton6"));
    m_giveUp = makeButton(QStringLiteral("VAZGEÇ"), m_pickPanel, QRect(82, 0, 78, 28), true);
    m_giveUp->setObjectName(QStringLiteral("RzButton5"));
    connect(m_ok, &QPushButton::clicked, this, &CompanyBankDialog::confirm);
    connect(m_giveUp, &QPushButton::clicked, this, &CompanyBankDialog::giveUp);
    m_pickPanel->hide();

    QPushButton *save = nullptr;
    QPushButton *cancel = nullptr;
    m_newPanel = makePanel(QStringLiteral("Firma İçin Yeni Banka Tanımı"), 0, save, cancel);
    m_newPanel->setObjectName(QStringLiteral("Panel3"));
    save->setObjectName(QStringLiteral("RzButton7"));
    cancel->setObjectName(QStringLiteral("RzButton8"));
    connect(save, &QPushButton::clicked, this, &CompanyBankDialog::saveNew);
    connect(cancel, &QPushButton::clicked, this, &CompanyBankDialog::returnToBrowsing);

    m_changePanel = makePanel(QStringLiteral("Firma İçin Banka Tanımı Bilgi Güncelleme"), 3, save, cancel);
    m_changePanel->setObjectName(QStringLiteral("Panel4"));
    save->setObjectName(QStringLiteral("RzButton9"));
    cancel->setObjectName(QStringLiteral("RzButton10"));
    connect(save, &QPushButton::clicked, this, &CompanyBankDialog::saveChange);
    connect(cancel, &QPushButton::clicked, this, &CompanyBankDialog::returnToBrowsing);

    for (int i = 0; i < 6; ++i)
        m_edits[i]->setObjectName(QStringLiteral("RzEdit%1").arg(i + 1));
    connect(qApp, &QApplication::focusChanged, this, &CompanyBankDialog::focusMoved);
}

CompanyBankDialog::~CompanyBankDialog()
{
    // The grid's model refers to the leased adapter: it goes first.
    delete m_grid;
    m_grid = nullptr;
}

QFrame *CompanyBankDialog::makePanel(const QString &title, int firstEdit, QPushButton *&save, QPushButton *&cancel)
{
    auto *panel = new QFrame(this);
    panel->setGeometry(283, 8, 287, 138);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, QColor(220, 217, 201));
    panel->setPalette(colours);

    auto *heading = new QLabel(title, panel);
    heading->setGeometry(2, 2, 283, 20);
    heading->setAlignment(Qt::AlignCenter);
    heading->setAutoFillBackground(true);
    heading->setStyleSheet(QStringLiteral("QLabel { background-color: white; color: rgb(0,0,255); font-weight: bold; }"));

    const QString labels[3] = {QStringLiteral("Banka Adı"), QStringLiteral("Şube Adı"), QStringLiteral("Hesap Numarası")};
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(labels[i], panel);
        label->setGeometry(4, 30 + 26 * i, 88, 21);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setStyleSheet(QStringLiteral("QLabel { color: rgb(0,128,0); }"));
        auto *edit = new QLineEdit(panel);
        edit->setGeometry(96, 30 + 26 * i, 185, 21);
        setBase(edit, kEditIdle);
        m_edits[firstEdit + i] = edit;
    }
    save = makeButton(QStringLiteral("Kaydet [F2]"), panel, QRect(96, 108, 90, 24));
    cancel = makeButton(QStringLiteral("Vazgeç [F9]"), panel, QRect(191, 108, 90, 24));
    panel->hide();
    return panel;
}

int CompanyBankDialog::run()
{
    return MessageService::execDialog(this);
}

bool CompanyBankDialog::pickMode() const
{
    return shared().bankaTanimModu == QLatin1String("S");
}

bool CompanyBankDialog::isEditing() const
{
    return !m_newPanel->isHidden() || !m_changePanel->isHidden();
}

void CompanyBankDialog::showEvent(QShowEvent *event)
{
    shared().bankaSecildi = false;
    returnToBrowsing();
    m_pickPanel->setVisible(pickMode());
    m_exit->setVisible(!pickMode());
    // The boxes take no more than their fields hold, so nothing is cut when stored.
    if (m_table.isOpen()) {
        for (int i = 0; i < 6; ++i) {
            const int field = m_table.fieldIndex(kFields[i % 3]);
            if (field >= 0)
                m_edits[i]->setMaxLength(m_table.fields()[std::size_t(field)].size);
        }
    }
    m_lease.attach();
    KeyPreviewDialog::showEvent(event);
    m_grid->setFocus();
}

void CompanyBankDialog::hideEvent(QHideEvent *event)
{
    KeyPreviewDialog::hideEvent(event);
    m_lease.release();
}

void CompanyBankDialog::focusMoved(QWidget *from, QWidget *to)
{
    for (QLineEdit *edit : m_edits) {
        if (edit == from)
            setBase(edit, kEditLeft);
        if (edit == to)
            setBase(edit, kEditFocused);
    }
}

void CompanyBankDialog::enterEditing()
{
    for (QPushButton *button : {m_new, m_change, m_delete, m_exit, m_giveUp, m_ok})
        button->setEnabled(false);
    m_main->setEnabled(false);
    m_newPanel->move(283, 8);
    m_changePanel->move(283, 8);
}

void CompanyBankDialog::returnToBrowsing()
{
    for (QPushButton *button : {m_new, m_change, m_delete, m_exit, m_giveUp, m_ok})
        button->setEnabled(true);
    m_main->setEnabled(true);
    m_newPanel->hide();
    m_changePanel->hide();
    if (isVisible())
        m_grid->setFocus();
}

void CompanyBankDialog::newAccount()
{
    enterEditing();
    m_newPanel->show();
    m_newPanel->raise();
    for (int i = 0; i < 3; ++i)
        m_edits[i]->clear();
    m_edits[0]->setFocus();
}

void CompanyBankDialog::changeAccount()
{
    if (!m_table.isOpen() || m_table.isEmpty()) {
        MessageService::warning(QStringLiteral("\r\nHiç bir kayıt Tanımlanmamış."));
        return;
    }
    enterEditing();
    m_changePanel->show();
    m_changePanel->raise();
    for (int i = 0; i < 3; ++i)
        m_edits[3 + i]->setText(widgets::toQString(m_table.value(kFields[i])));
    m_edits[3]->setFocus();
}

void CompanyBankDialog::deleteAccount()
{
    if (!m_table.isOpen() || m_table.isEmpty()) {
        MessageService::warning(QStringLiteral("\r\nHiç bir kayıt Tanımlanmamış."));
        return;
    }
    const MessageButton answer = MessageService::systemBox(
        this, QStringLiteral("UYARI"), QStringLiteral("Aktif Firma banka Tanımı Silinecek\r\rDevam edilsin Mİ?"),
        MessageIcon::Warning, {MessageButton::Yes, MessageButton::No}, MessageButton::No);
    if (answer == MessageButton::Yes)
        removeRow(m_table);
}

void CompanyBankDialog::saveNew()
{
    save(0, true);
}

void CompanyBankDialog::saveChange()
{
    save(3, false);
}

void CompanyBankDialog::save(int firstEdit, bool appendRow)
{
    for (int i = 0; i < 3; ++i)
        m_edits[firstEdit + i]->setText(m_edits[firstEdit + i]->text().trimmed());
    if (m_edits[firstEdit]->text().isEmpty()) {
        MessageService::warning(QStringLiteral("En Azından Banka Adını Giriniz."));
        m_edits[firstEdit]->setFocus();
        return;
    }
    try {
        if (appendRow)
            m_table.append();
        else
            m_table.edit();
    } catch (const engine::Error &e) {
        MessageService::failure(QString::fromUtf8(e.what()));
        return;
    }
    for (int i = 0; i < 3; ++i) {
        if (!writeText(m_table, kFields[i], m_edits[firstEdit + i]->text())) {
            m_table.cancel();
            return;
        }
    }
    // A refused row leaves the panel open with its text for correction.
    if (!postRow(m_table, this)) {
        m_table.cancel();
        return;
    }
    returnToBrowsing();
}

void CompanyBankDialog::confirm()
{
    // An empty table has no account to hand back: the caller keeps what it had.
    const bool picked = m_table.isOpen() && !m_table.isEmpty();
    shared().bankaSecildi = picked;
    done(picked ? QDialog::Accepted : QDialog::Rejected);
}

void CompanyBankDialog::giveUp()
{
    shared().bankaSecildi = false;
    reject();
}

bool CompanyBankDialog::formKey(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (isEditing()) {
            // Enter walks the panel's boxes in a ring: bank, branch, account.
            const int first = m_newPanel->isHidden() ? 3 : 0;
            for (int i = 0; i < 3; ++i) {
                if (m_edits[first + i]->hasFocus()) {
                    m_edits[first + (i + 1) % 3]->setFocus();
                    return true;
                }
            }
            return false;
        }
        if (pickMode()) {
            confirm();
            return true;
        }
        return false;
    }
    switch (key) {
    case Qt::Key_F12:
        close();
        return true;
    case Qt::Key_F5:
        if (m_change->isEnabled())
            changeAccount();
        return true;
    case Qt::Key_F2:
        if (!m_newPanel->isHidden())
            saveNew();
        else if (!m_changePanel->isHidden())
            saveChange();
        else if (m_new->isEnabled())
            newAccount();
        return true;
    case Qt::Key_F9:
        if (!m_newPanel->isHidden() || !m_changePanel->isHidden())
            returnToBrowsing();
        else if (m_delete->isEnabled())
            deleteAccount();
        return true;
    default:
        return false;
    }
}

} // namespace forms
