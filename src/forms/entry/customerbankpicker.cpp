#include "forms/entry/customerbankpicker.h"

#include "data/schema.h"
#include "engine/table.h"
#include "forms/entry/pickermodel.h"
#include "forms/sharedstate.h"
#include "widgets/messageservice.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>

namespace forms {

namespace {

PickerModel::Column labelled(const char *field)
{
    const data::FieldDisplay *display = data::table(data::TableId::CustomerBanks).field(field);
    return {QString::fromLatin1(field), display ? QString::fromStdString(display->label) : QString::fromLatin1(field)};
}

} // namespace

CustomerBankPicker::CustomerBankPicker(engine::Table &customerBanks, QWidget *parent)
    : QDialog(parent), m_table(customerBanks)
{
    setObjectName(QStringLiteral("musteribilgisec"));
    setWindowTitle(QStringLiteral("Şahis/Firma Banka Bilgi Seçimi"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setFixedSize(575, 249);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(217, 214, 197));
    setPalette(pal);

    m_model = new PickerModel(customerBanks,
                              {labelled("ADI_SOYADI"), labelled("BANKA_ADI"), labelled("SUBESI"), labelled("HESAP_NO")},
                              this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setGeometry(8, 8, 559, 201);
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setDefaultSectionSize(18);
    m_grid->verticalHeader()->setFixedWidth(12);
    const int widths[] = {171, 120, 120, 120};
    for (int c = 0; c < 4; ++c)
        m_grid->setColumnWidth(c, widths[c]);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->setStyleSheet(QStringLiteral(
        "QTableView { background: rgb(220,217,201); }"
        "QTableView:!focus { selection-background-color: rgb(49,106,197); selection-color: white; }"
        "QHeaderView::section:horizontal { background: rgb(209,209,194); border: 1px solid gray; }"));
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        if (current.isValid() && m_table.isOpen() && !m_table.isEditing() && current.row() < m_table.rowCount())
            m_table.moveTo(current.row());
    });
    connect(m_grid, &QTableView::doubleClicked, this, &CustomerBankPicker::choose);

    QFont bold = font();
    bold.setBold(true);
    m_ok = new QPushButton(QStringLiteral("TAMAM"), this);
    m_ok->setObjectName(QStringLiteral("RzButton1"));
    m_ok->setGeometry(405, 216, 75, 25);
    m_ok->setFont(bold);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("VAZGEÇ"), this);
    m_cancel->setObjectName(QStringLiteral("RzButton2"));
    m_cancel->setGeometry(493, 216, 75, 25);
    m_cancel->setFont(bold);
    connect(m_ok, &QPushButton::clicked, this, &CustomerBankPicker::choose);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        shared().musteriBilgiSecildi = false;
        reject();
    });
}

bool CustomerBankPicker::pick()
{
    widgets::MessageService::execDialog(this);
    return shared().musteriBilgiSecildi;
}

void CustomerBankPicker::showEvent(QShowEvent *event)
{
    shared().musteriBilgiSecildi = false;
    const qint64 position = m_table.isOpen() ? m_table.position() : -1;
    m_model->reload();
    if (position >= 0 && position < m_model->rowCount())
        m_grid->setCurrentIndex(m_model->index(int(position), 0));
    m_grid->setFocus();
    QDialog::showEvent(event);
}

void CustomerBankPicker::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F12) {
        shared().musteriBilgiSecildi = false;
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CustomerBankPicker::choose()
{
    shared().musteriBilgiSecildi = true;
    accept();
}

} // namespace forms
