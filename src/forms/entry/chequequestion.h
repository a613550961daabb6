#pragma once

#include <QDialog>

class QPushButton;

namespace forms {

// The question asked after every successful save of a cheque entry dialog:
// "Yeni Çek Girişi [F1]" answers "1", "Aktif Çekte Dur [F2]" "2",
// "Giriş Formu        [F3]" "3", in shared().cekSorusuCevap. Being shown
// resets the answer to "2", so closing the window any other way means "stay".
class ChequeQuestion : public QDialog
{
    Q_OBJECT

public:
    explicit ChequeQuestion(QWidget *parent = nullptr);

    // Shows the question modally through the message service and returns the
    // answer it left in shared().cekSorusuCevap.
    static QString ask(QWidget *parent);

    QPushButton *newChequeButton() const { return m_newCheque; }
    QPushButton *stayButton() const { return m_stay; }
    QPushButton *leaveButton() const { return m_leave; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void answer(const QString &value);

    QPushButton *m_newCheque = nullptr;
    QPushButton *m_stay = nullptr;
    QPushButton *m_leave = nullptr;
};

} // namespace forms
