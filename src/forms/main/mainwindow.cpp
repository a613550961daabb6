#include "forms/main/mainwindow.h"

#include "data/datastore.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

MainWindow::MainWindow(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder),
      m_dataStore(std::make_unique<data::DataStore>(
          std::filesystem::path(data::dataFolderFor(programFolder.toStdString()))))
{
    setWindowTitle(QStringLiteral("Selvora 1.4"));
    resize(911, 522);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Let the window paint once before the set-up's messages, if any, appear.
    QTimer::singleShot(0, this, &MainWindow::runFirstShow);
}

void MainWindow::runFirstShow()
{
    QStringList problems;
    for (const std::string &problem : m_dataStore->setUp())
        problems << QString::fromStdString(problem);
    if (!problems.isEmpty())
        QMessageBox::critical(this, QStringLiteral("Selvora"),
                              QStringLiteral("Veri klasörü hazırlanırken sorun çıktı:\n\n") + problems.join(u"\n\n")
                                  + QStringLiteral("\n\nAçılamayan tablolarla ilgili komutlar çalışmayacak."));
    m_openFlag = true;
    emit setUpFinished(problems);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_openFlag = false;
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F12) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
