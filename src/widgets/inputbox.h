#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace widgets {

// The program's input box: a fixed 361 × 143 modal box centred on the screen with
// a word-wrapped prompt, one edit line of at most 255 characters that starts with
// the default text selected, "Tamam" (default button) and "İptal" (Escape).
// Accepted means "Tamam"; everything else rejects. Normally shown through
// MessageService::inputBox / inputQuery rather than directly.
class InputBox : public QDialog
{
    Q_OBJECT

public:
    InputBox(const QString &title, const QString &prompt, const QString &defaultText,
             QWidget *parent = nullptr);

    // The text in the edit line.
    QString text() const;

    QLabel *promptLabel() const { return m_prompt; }
    QLineEdit *lineEdit() const { return m_edit; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_prompt = nullptr;
    QLineEdit *m_edit = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace widgets
