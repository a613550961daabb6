#pragma once

#include <QDate>
#include <QObject>

#include <functional>

class MainWindow;

namespace reports { class CustomReportDialog; }

namespace engine { class RowSource; }

// The commands behind the main window's menus and top-bar buttons that open
// other windows: the definitions dialogs, the ready-made due-date reports,
// the custom report, the export, the warning settings and table maintenance.
class MenuCommands : public QObject
{
    Q_OBJECT

public:
    enum class Ledger { Company, Customer };

    explicit MenuCommands(MainWindow &window);
    ~MenuCommands() override;

    // Ready-made reports.
    void reportAll(Ledger ledger);
    void reportDueToday(Ledger ledger);
    void reportWarningDate(Ledger ledger);
    void reportInXDays(Ledger ledger);
    void exportLedger(Ledger ledger);
    void customReport(Ledger ledger);

    void showWarningSettings();
    void runMaintenance();

    // Tests replace the preview (which otherwise waits for its window) and
    // fix today's date.
    using Previewer = std::function<void(Ledger, engine::RowSource &)>;
    void setPreviewer(Previewer previewer) { m_previewer = std::move(previewer); }
    void setToday(const QDate &today) { m_today = today; }

private:
    QDate today() const { return m_today.isValid() ? m_today : QDate::currentDate(); }
    // Runs the report query with sql; previews it when it has rows, else
    // shows noRows (when not empty). The query stays open after a preview.
    void runReport(Ledger ledger, const QString &sql, const QString &noRows);
    void preview(Ledger ledger, engine::RowSource &rows);
    void connectMenus();

    MainWindow &m_window;
    // The custom report's criteria dialogs keep their choices between showings.
    reports::CustomReportDialog *m_companyCriteria = nullptr;
    reports::CustomReportDialog *m_customerCriteria = nullptr;
    Previewer m_previewer;
    QDate m_today;
};
