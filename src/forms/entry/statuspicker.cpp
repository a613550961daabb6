#include "forms/entry/statuspicker.h"

#include "engine/table.h"
#include "forms/entry/pickermodel.h"
#include "forms/sharedstate.h"
#include "widgets/messageservice.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>

namespace forms {

namespace {

// Keeps the status table's current row on the row the user stands on, as the
// grid over the main window's table did.
void followCursor(QTableView *grid, engine::Table &table)
{
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [&table](const QModelIndex &current) {
                         if (current.isValid() && table.isOpen() && !table.isEditing()
                             && current.row() < table.rowCount())
                             table.moveTo(current.row());
                     });
}

QPushButton *makeButton(const QString &caption, int x, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(x, 241, 89, 25);
    button->setStyleSheet(QStringLiteral("QPushButton { color: blue; }"));
    return button;
}

} // namespace

StatusPicker::StatusPicker(engine::Table &companyStatuses, engine::Table &customerStatuses, QWidget *parent)
    : QDialog(parent), m_companyStatuses(companyStatuses), m_customerStatuses(customerStatuses)
{
    setObjectName(QStringLiteral("cek_tursecimformu"));
    setWindowTitle(QStringLiteral("-= Çek Tür Seçimi =-"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setFixedSize(226, 274);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(209, 206, 186));
    setPalette(pal);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("sayfaxx"));
    m_pages->setGeometry(0, 0, 226, 233);
    auto *companyPage = new QWidget(m_pages);
    companyPage->setObjectName(QStringLiteral("FIRMA"));
    auto *customerPage = new QWidget(m_pages);
    customerPage->setObjectName(QStringLiteral("MUSTERI"));
    m_pages->addWidget(companyPage);
    m_pages->addWidget(customerPage);

    const QList<PickerModel::Column> columns{{QStringLiteral("CEK_ADI"), QStringLiteral("-= ÇEK DURUMU =-")}};
    m_companyModel = new PickerModel(companyStatuses, columns, this);
    m_customerModel = new PickerModel(customerStatuses, columns, this);
    m_companyGrid = makeGrid(m_companyModel, true, companyPage);
    m_companyGrid->setObjectName(QStringLiteral("wwDBGrid2"));
    m_customerGrid = makeGrid(m_customerModel, false, customerPage);
    m_customerGrid->setObjectName(QStringLiteral("wwDBGrid1"));
    followCursor(m_companyGrid, companyStatuses);
    followCursor(m_customerGrid, customerStatuses);

    m_ok = makeButton(QStringLiteral("TAMAM"), 20, this);
    m_ok->setObjectName(QStringLiteral("RzButton1"));
    m_ok->setDefault(true);
    m_cancel = makeButton(QStringLiteral("VAZGEÇ"), 116, this);
    m_cancel->setObjectName(QStringLiteral("RzButton3"));
    connect(m_ok, &QPushButton::clicked, this, &StatusPicker::choose);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        shared().cekTursecimSecildi = false;
        reject();
    });
}

QTableView *StatusPicker::makeGrid(PickerModel *model, bool whiteTitle, QWidget *page)
{
    auto *grid = new QTableView(page);
    grid->setGeometry(8, 8, 209, 217);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setShowGrid(true);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(18);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setStyleSheet(QStringLiteral(
        "QTableView { background: rgb(220,217,201); selection-background-color: rgb(49,106,197); }"
        "QTableView:!focus { selection-background-color: rgb(49,106,197); selection-color: white; }"
        "QHeaderView::section { background: rgb(209,209,194); color: %1; font-weight: bold; border: 1px solid gray; }")
                            .arg(whiteTitle ? QStringLiteral("white") : QStringLiteral("black")));
    connect(grid, &QTableView::doubleClicked, this, &StatusPicker::choose);
    return grid;
}

bool StatusPicker::pick()
{
    widgets::MessageService::execDialog(this);
    return shared().cekTursecimSecildi;
}

QTableView *StatusPicker::shownGrid() const
{
    return m_pages->currentIndex() == 0 ? m_companyGrid : m_customerGrid;
}

void StatusPicker::showEvent(QShowEvent *event)
{
    shared().cekTursecimSecildi = false;
    const QString page = shared().cekTursecimSayfa;
    if (page == QLatin1String("M"))
        m_pages->setCurrentIndex(1);
    else if (page == QLatin1String("F"))
        m_pages->setCurrentIndex(0);
    const bool company = m_pages->currentIndex() == 0;
    PickerModel *model = company ? m_companyModel : m_customerModel;
    engine::Table &table = company ? m_companyStatuses : m_customerStatuses;
    QTableView *grid = shownGrid();
    // The table's present row is the one highlighted; reading it first keeps the
    // grid's own selection from moving the cursor to row 0.
    const qint64 position = table.isOpen() ? table.position() : -1;
    model->reload();
    if (position >= 0 && position < model->rowCount())
        grid->setCurrentIndex(model->index(int(position), 0));
    grid->setFocus();
    QDialog::showEvent(event);
}

void StatusPicker::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F12) {
        shared().cekTursecimSecildi = false;
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void StatusPicker::choose()
{
    shared().cekTursecimSecildi = true;
    accept();
}

} // namespace forms
