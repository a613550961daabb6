#pragma once

#include <QMainWindow>

#include <memory>

namespace data { class DataStore; }

// The program's one top-level window ("cekformu"). It owns every table and
// query of the program through its DataStore and sets them up when it is
// first shown.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // programFolder: the folder of the running executable, ending in a separator.
    explicit MainWindow(const QString &programFolder, QWidget *parent = nullptr);
    ~MainWindow() override;

    data::DataStore &dataStore() { return *m_dataStore; }
    const QString &programFolder() const { return m_programFolder; }
    // 1 from the end of the first show's set-up until the window closes.
    bool isOpenFlagSet() const { return m_openFlag; }

signals:
    // The first show's set-up has run; problems holds its Turkish messages.
    void setUpFinished(const QStringList &problems);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void runFirstShow();

    QString m_programFolder;
    std::unique_ptr<data::DataStore> m_dataStore;
    bool m_shown = false;
    bool m_openFlag = false;
};
