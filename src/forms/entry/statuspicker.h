#pragma once

#include <QDialog>

class QPushButton;
class QStackedWidget;
class QTableView;

namespace engine { class Table; }

namespace forms {

class PickerModel;

// The status picker ("-= Çek Tür Seçimi =-"). The caller sets
// shared().cekTursecimSayfa ("F" company statuses, "M" customer statuses),
// stands the status table on the cheque's present status and shows the
// picker; afterwards shared().cekTursecimSecildi tells whether a row was
// chosen, and the chosen row is the current row of that status table. The
// picker never writes to the tables.
class StatusPicker : public QDialog
{
    Q_OBJECT

public:
    StatusPicker(engine::Table &companyStatuses, engine::Table &customerStatuses, QWidget *parent = nullptr);

    // Shows the picker modally through the message service; returns
    // shared().cekTursecimSecildi.
    bool pick();

    QTableView *companyGrid() const { return m_companyGrid; }
    QTableView *customerGrid() const { return m_customerGrid; }
    QTableView *shownGrid() const;
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QTableView *makeGrid(PickerModel *model, bool whiteTitle, QWidget *page);
    void choose();

    engine::Table &m_companyStatuses;
    engine::Table &m_customerStatuses;
    QStackedWidget *m_pages = nullptr;
    PickerModel *m_companyModel = nullptr;
    PickerModel *m_customerModel = nullptr;
    QTableView *m_companyGrid = nullptr;
    QTableView *m_customerGrid = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace forms
