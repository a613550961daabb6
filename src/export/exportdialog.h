#pragma once

#include "export/exporter.h"
#include "export/exportformat.h"
#include "export/exportjob.h"

#include <QDialog>
#include <QList>
#include <QMarginsF>

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace engine {
class RowSource;
}

namespace exporting {

// The export dialog: the user picks a format, a file, the fields and the
// record options and starts the export; a running export shows its progress
// and can be cancelled after a question. Errors and questions go through the
// message service.
//
//     ExportDialog dialog(this);
//     dialog.setSource(&ledger, columns, QStringLiteral("firma_cek"));
//     dialog.exec();
class ExportDialog : public QDialog
{
    Q_OBJECT

public:
    // Opens a file after a successful export; returns false when it could not.
    using OpenAction = std::function<bool(const QString &path)>;
    // Prints a finished export; the job stands ready to be walked again.
    using PrintAction = std::function<bool(ExportFormat format, const QString &path, ExportJob &job)>;

    explicit ExportDialog(QWidget *parent = nullptr);
    ~ExportDialog() override;

    // The rows to export (not owned; must live while the dialog runs) and the
    // columns offered, each a field of source with its caption. All columns
    // start chosen, in the given order.
    void setSource(engine::RowSource *source, const QList<ExportColumn> &columns, const QString &tableName);
    // The 0-based place of the current row in the source's order, for the
    // options that start at, or export only, the current row.
    void setCurrentRow(std::int64_t position);
    void setValueText(const ValueText &valueText) { m_valueText = valueText; }
    // Page margins of PDF files and printouts, in inches.
    void setPageMargins(const QMarginsF &inches) { m_pageMargins = inches; }

    // By default the desktop's application for the file type opens it, and
    // printing asks for a printer; tests put their own actions in.
    void setOpenAction(OpenAction action) { m_open = std::move(action); }
    void setPrintAction(PrintAction action) { m_print = std::move(action); }

    ExportFormat format() const;
    void setFormat(ExportFormat format);
    QString fileName() const;
    void setFileName(const QString &fileName);
    // The chosen columns, in export order.
    QList<ExportColumn> chosenColumns() const;
    bool isRunning() const { return m_running; }
    // How the last export ended; empty before the first.
    const std::optional<ExportResult> &lastResult() const { return m_lastResult; }

    // The captions of the dialog, for the program and its tests.
    static QString titleFor(const QString &fileName);

public slots:
    // Checks the choices and runs the export. On success opens or prints the
    // file as the check boxes ask and closes the dialog.
    void startExport();
    // While an export runs: asks whether to cancel it.
    void requestCancel();
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createFormatPage();
    QWidget *createFieldPage();
    void browse();
    void formatChanged();
    void updateTitle();
    void updateFieldButtons();
    void moveFields(QListWidget *from, QListWidget *to, bool all);
    void moveChosen(int step);
    void setRunning(bool running);
    bool reportProgress(std::int64_t done, std::int64_t total);
    bool sourceIsEmpty();
    ExportJob makeJob(const QList<ExportColumn> &columns);

    engine::RowSource *m_source = nullptr;
    QList<ExportColumn> m_columns;
    QString m_tableName;
    std::int64_t m_currentRow = 0;
    ValueText m_valueText;
    QMarginsF m_pageMargins{1.17, 0.78, 0.57, 0.78};
    OpenAction m_open;
    PrintAction m_print;
    std::optional<ExportResult> m_lastResult;
    bool m_running = false;
    bool m_cancelRequested = false;
    bool m_askingCancel = false;
    qint64 m_lastEvents = 0;

    QLineEdit *m_fileEdit = nullptr;
    QPushButton *m_browseButton = nullptr;
    QCheckBox *m_openAfter = nullptr;
    QCheckBox *m_printAfter = nullptr;
    QTabWidget *m_pages = nullptr;
    QButtonGroup *m_formats = nullptr;
    QRadioButton *m_allRecords = nullptr;
    QRadioButton *m_onlyCurrent = nullptr;
    QCheckBox *m_goFirst = nullptr;
    QCheckBox *m_allowEmpty = nullptr;
    QListWidget *m_available = nullptr;
    QListWidget *m_chosen = nullptr;
    QList<QPushButton *> m_fieldButtons;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_startButton = nullptr;
    QPushButton *m_closeButton = nullptr;
};

} // namespace exporting
