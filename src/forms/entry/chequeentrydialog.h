#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QFrame;
class QLineEdit;
class QRect;
class QToolButton;

namespace engine { class Table; }
namespace widgets {
class ColouredButton;
class DataEditor;
class DataLineEdit;
class TableAdapter;
}

namespace forms {

class StatusPicker;

// What the two cheque entry dialogs share: they edit the current row of a
// ledger table in place through data-aware editors, and save, cancel and close
// the same way. The mode ("Y" a freshly appended row, "D" an existing row)
// lives in the program-wide shared state; the caller sets it and appends the
// row (for "Y") before showing the dialog. When the dialog has closed the
// ledger is in browse state: the row was posted or its unsaved changes were
// discarded.
//
// Keys, whatever control has the focus: F5 save, F9 cancel, F12 close, Enter
// moves to the next control as Tab does (Ctrl+Enter breaks a line in a memo).
// The window's close box and Alt+F4 close exactly as F12 does.
class ChequeEntryDialog : public QDialog
{
    Q_OBJECT

public:
    engine::Table &ledger() const;
    widgets::TableAdapter &adapter() const { return m_adapter; }
    const QString &mode() const { return m_mode; }

    // "KAYDET - F5": commits the editor being typed in, posts the row and asks
    // the after-save question ("1" a new blank row, "2" stay, "3" leave).
    void save();
    // "İPTAL - F9": a new row is dropped (asking first when something was
    // typed) and the dialog closes; an existing row's changes are reverted.
    void cancelChanges();
    // "ÇIKIŞ - F12", the close box, Alt+F4: asks what to do with unsaved
    // changes (save, drop, or stay). Returns true when the dialog closed.
    bool requestClose();

    QLineEdit *focusSink() const { return m_sink; }
    widgets::ColouredButton *saveButton() const { return m_saveButton; }
    widgets::ColouredButton *cancelButton() const { return m_cancelButton; }
    widgets::ColouredButton *exitButton() const { return m_exitButton; }

    void reject() override;

protected:
    // mode: the shared mode this dialog answers to (firmaGirisModu or
    // musteriGirisModu); title: the caption before " [YENİ KAYIT]".
    ChequeEntryDialog(widgets::TableAdapter &ledger, QString &mode, const QString &title, QWidget *parent);

    // Builds the button bar along the bottom: the three buttons' x and width, and their height.
    void buildButtonBar(int saveX, int saveWidth, int cancelX, int cancelWidth, int exitX, int exitWidth, int height);
    // Every data-aware editor of the dialog: its exit handler is connected.
    void addEditor(widgets::DataEditor *editor);

    // The control the focus goes to on opening and after answer "1".
    virtual QWidget *firstControl() const = 0;
    // A function key other than F5, F9 and F12; true when it was handled.
    virtual bool functionKey(int key, QWidget *focused);
    // The editor was left (or committed by save, cancel or close) and its text is in the row.
    virtual void editorLeft(widgets::DataEditor *editor);
    // A new blank row was appended after the answer "1".
    virtual void newChequeStarted() {}
    // The dialog is about to close for good.
    virtual void closing() {}

    // The read-only status editor over field with its "..." button beside it
    // at buttonX; the button runs pick. Both are children of the dialog.
    struct StatusControls
    {
        widgets::DataLineEdit *editor;
        QToolButton *button;
    };
    StatusControls addStatusControls(const QString &field, const QString &editorName, const QRect &editorGeometry,
                                     int buttonX, std::function<void()> pick);

    // The status pick of both dialogs: the picker opens on the status table's
    // row that equals the cheque's status (Turkish case ignored), else on its
    // first row; a picked status is written into the status editor's field.
    // page: "F" company statuses, "M" customer statuses.
    void pickStatusFrom(engine::Table &statuses, const QString &page, widgets::DataLineEdit &status,
                        StatusPicker &picker);

    void updateCaption();
    // Runs a command; a failure the command did not handle itself (a table
    // that cannot be read, say) is shown with its own text, and the dialog goes on.
    static void guarded(const std::function<void()> &command);
    // True while save, cancel or close commit the focused editor: its exit
    // handler runs, but the focus goes back where it was.
    bool isCommittingFocused() const { return m_committing; }
    // Writes the focused editor's pending text into the row and runs its exit
    // handler. False when the text could not be taken (the focus is back on it).
    bool commitFocused();
    // Posts the ledger row; shows the engine's reason and returns false when it fails.
    bool postRow();

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool handleKey(QKeyEvent *event, QWidget *focused);

    widgets::TableAdapter &m_adapter;
    QString &m_mode;
    QString m_title;
    QLineEdit *m_sink = nullptr;
    QFrame *m_buttonBar = nullptr;
    widgets::ColouredButton *m_saveButton = nullptr;
    widgets::ColouredButton *m_cancelButton = nullptr;
    widgets::ColouredButton *m_exitButton = nullptr;
    bool m_closing = false;
    bool m_committing = false;
};

} // namespace forms
