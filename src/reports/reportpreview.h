#pragma once

#include "reports/renderedreport.h"
#include "reports/reportjob.h"

#include <QPrinter>
#include <QWidget>

#include <memory>

class QAction;
class QLabel;
class QScrollArea;
class QToolBar;

namespace reports {

class PageView;

// The preview window: shows a report page by page while it is being laid
// out, and prints it, writes it to PDF, saves and loads it in the program's
// own report file format. A normal top-level window, never modal.
class ReportPreview : public QWidget
{
    Q_OBJECT

public:
    enum class ZoomMode { FitPage, FitWidth, Fixed };

    explicit ReportPreview(QWidget *parent = nullptr);
    ~ReportPreview() override;

    // Lays out a report from its rows and shows it as it grows. The row
    // source must stay alive and unchanged until the window has closed (or
    // building has finished or been stopped).
    void start(const ReportDefinition &definition, engine::RowSource &rows, LayoutOptions options);

    // Shows the report window for definition over rows and returns only when
    // the user has closed it; the rest of the program keeps working meanwhile.
    // Dates and amounts follow the system locale, the date is today's.
    static void previewAndWait(const ReportDefinition &definition, engine::RowSource &rows);
    static void previewAndWait(const ReportDefinition &definition, engine::RowSource &rows, LayoutOptions options);

    // Stops building in every open preview. A report command calls this
    // before it closes and reopens a report query that a preview may still
    // be reading (the main window stays usable while previews are open).
    static void stopAllBuilding();

    // The report shown: the one being built, or one loaded from a file.
    const RenderedReport &report() const;
    int pageCount() const;
    int currentPage() const { return m_page; } // from 0
    bool isBuilding() const;
    ZoomMode zoomMode() const { return m_zoomMode; }
    double scale() const;
    QPrinter &printer() { return m_printer; }

    // The tool bar's actions, by purpose (for tests and key bindings).
    enum class Tool {
        FitPage, FitWidth, ActualSize, ZoomOut, ZoomIn, FirstPage, PreviousPage, NextPage, LastPage,
        GoToPage, Find, PrinterSetup, Print, CopyPage, Load, Save, Stop, Close
    };
    QAction *action(Tool tool) const;

    void goToPage(int pageIndex);
    void setZoom(ZoomMode mode, double pixelsPerMicrometre = 0);
    // Looks for text (ignoring case by Turkish rules) from after the last hit on
    // (a new text: from the top of the page shown); marks and
    // shows the hit. Returns false when the text is nowhere further on.
    bool findNext(const QString &text);
    // Writes the report to a file: PDF when the name ends in ".pdf", the
    // program's report file otherwise. Errors are told to the user; returns success.
    bool saveTo(const QString &fileName);
    // Replaces the shown report by a saved one. Errors are told to the user.
    bool loadFrom(const QString &fileName);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildToolBar();
    QAction *addTool(Tool tool, const QString &text, const QString &hint, int standardIcon = -1);
    void showPage();
    void updateState();
    void applyZoom();
    void onJobFinished();
    void askPage();
    void askFind();
    void printerSetup();
    void print();
    void copyPage();
    void askSave();
    void askLoad();

    QToolBar *m_toolBar = nullptr;
    QScrollArea *m_scroll = nullptr;
    PageView *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    QLabel *m_stateLabel = nullptr;
    std::vector<QAction *> m_actions;
    std::unique_ptr<ReportJob> m_job;
    RenderedReport m_loaded;
    bool m_showLoaded = false;
    int m_page = 0;
    ZoomMode m_zoomMode = ZoomMode::FitPage;
    double m_fixedScale = 96.0 / 25400.0;
    QString m_lastFind;
    int m_findPage = 0;
    int m_findItem = -1;
    QPrinter m_printer;
};

} // namespace reports
