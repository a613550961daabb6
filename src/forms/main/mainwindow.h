#pragma once

#include "settings/warningsettings.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolButton;
class LedgerPage;
class MenuCommands;
class RecordCommands;

namespace data { class DataStore; }
namespace forms { class InformationWindow; }
namespace widgets { class TableAdapter; }

// The program's one top-level window ("cekformu"): the two ledger pages with
// their grids and commands, the top bar, and the status line with the due-date
// warning. It owns every table and query of the program through its
// DataStore, sets them up when it is first shown, and keeps the warning
// settings for the life of the program.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // programFolder: the folder that holds Veriler, Ayarlar.ini and
    // GridAyarlari.ini, ending in a separator (the executable's own folder, or
    // the user's data folder for an installed program; see DataLocation).
    explicit MainWindow(const QString &programFolder, QWidget *parent = nullptr);
    ~MainWindow() override;

    data::DataStore &dataStore() { return *m_dataStore; }
    const QString &programFolder() const { return m_programFolder; }
    QString gridLayoutFile() const;
    QString settingsFile() const;

    // 1 from the end of the first show's set-up until the window closes.
    bool isOpenFlagSet() const { return m_openFlag; }

    // The current ledger: the one whose top-bar button is down.
    bool companyIsCurrent() const;
    LedgerPage *companyPage() const { return m_companyPage; }
    LedgerPage *customerPage() const { return m_customerPage; }
    LedgerPage *currentPage() const;

    // Top-bar ledger buttons: make the page active, then recount.
    void showCompanyLedger();
    void showCustomerLedger();

    // The settings loader: reads Ayarlar.ini (defaults when missing), computes
    // the warning date from today, repaints both grids. Problems (a bad colour
    // text, an unreadable file) are shown, and the rest still loads.
    void loadWarningSettings();
    const settings::WarningSettings &warningSettings() const { return m_warning; }
    // After a restore: reads Ayarlar.ini and GridAyarlari.ini again, recounts.
    void reloadSettingsFiles();
    // What the settings dialog's save copies into memory.
    void setWarningSettings(const settings::WarningSettings &warning);
    // The status line count: row count of the current ledger and the number
    // of its cheques due on the warning date, with the blinking warning label.
    void countStatusLine();
    // The number of rows of the ledger table tableName ("firma_cek",
    // "museri_cek") due on date, through the due count query.
    qint64 dueCount(const QString &tableName, const QDate &date);

    QLabel *shownCountLabel() const { return m_shownCount; }
    QLabel *warningLabel() const { return m_warningLabel; }
    const QTimer &blinkTimer() const { return m_blink; }

    RecordCommands &recordCommands() const { return *m_commands; }
    MenuCommands &menuCommands() const { return *m_menuCommands; }

    // A top-bar button, report or definitions menu item by object name.
    QToolButton *topBarButton(const QString &name) const;
    QAction *menuItem(const QString &name) const;

signals:
    // The first show's set-up has run; problems holds its Turkish messages.
    void setUpFinished(const QStringList &problems);
    // A double click on the warning label (the due-date report).
    void warningReportRequested();
    // The top-bar buttons whose windows live elsewhere.
    void warningSettingsRequested();
    void maintenanceRequested();
    void aboutRequested();
    void informationRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTopBar(QWidget *parent);
    void buildPages();
    void buildMenus();
    void buildStatusLine(QWidget *parent);
    void buildActions();
    void runFirstShow();
    void loadGridLayouts();
    void saveGridLayouts();
    void repaintGrids();
    void blink();
    void placeRightEdgeButtons();

    QString m_programFolder;
    std::unique_ptr<data::DataStore> m_dataStore;
    widgets::TableAdapter *m_companyAdapter = nullptr;
    widgets::TableAdapter *m_customerAdapter = nullptr;
    settings::WarningSettings m_warning;

    QWidget *m_topBar = nullptr;
    QButtonGroup *m_ledgerButtons = nullptr;
    QToolButton *m_companyButton = nullptr;
    QToolButton *m_customerButton = nullptr;
    QToolButton *m_aboutButton = nullptr;
    QToolButton *m_exitButton = nullptr;
    QStackedWidget *m_pages = nullptr;
    LedgerPage *m_companyPage = nullptr;
    LedgerPage *m_customerPage = nullptr;
    QLabel *m_shownCount = nullptr;
    QLabel *m_warningLabel = nullptr;
    QTimer m_blink;
    RecordCommands *m_commands = nullptr;
    MenuCommands *m_menuCommands = nullptr;
    std::unique_ptr<forms::InformationWindow> m_information;

    bool m_shown = false;
    bool m_openFlag = false;
    // Layouts are saved at close only when they were loaded at show, so a
    // start that failed early never writes the built-in columns over the file.
    bool m_layoutsLoaded = false;
};
