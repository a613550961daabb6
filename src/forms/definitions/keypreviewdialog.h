#pragma once

#include <QDialog>

namespace forms {

// A fixed-size dialog, centred on the screen when shown, that sees every key
// pressed in it before the control with the focus does (its function keys
// work whatever has the focus) and that Escape does not close.
class KeyPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    explicit KeyPreviewDialog(QWidget *parent = nullptr);
    ~KeyPreviewDialog() override;

protected:
    // A key pressed anywhere in the dialog: true when the dialog handled it
    // (the control with the focus then does not see it).
    virtual bool formKey(int key, Qt::KeyboardModifiers modifiers) = 0;

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_filtering = false;
};

} // namespace forms
