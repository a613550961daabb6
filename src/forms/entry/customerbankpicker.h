#pragma once

#include <QDialog>

class QPushButton;
class QTableView;

namespace engine { class Table; }

namespace forms {

class PickerModel;

// The customer bank details picker ("Şahis/Firma Banka Bilgi Seçimi") over
// museri_bilgileri.db. It opens on whatever row of the table is current;
// afterwards shared().musteriBilgiSecildi tells whether a row was chosen, and
// the chosen row is the table's current row. It never writes to the table.
class CustomerBankPicker : public QDialog
{
    Q_OBJECT

public:
    explicit CustomerBankPicker(engine::Table &customerBanks, QWidget *parent = nullptr);

    // Shows the picker modally through the message service; returns
    // shared().musteriBilgiSecildi.
    bool pick();

    QTableView *grid() const { return m_grid; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void choose();

    engine::Table &m_table;
    PickerModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace forms
