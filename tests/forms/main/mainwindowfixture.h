#pragma once

#include "data/datastore.h"
#include "forms/main/mainwindow.h"
#include "widgets/scriptedanswerer.h"
#include "fspath.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A main window on a temporary program folder, shown and set up. Cheques
// written before show() are in the ledgers when the window opens.
struct MainWindowFixture
{
    QTemporaryDir program;
    widgets::ScriptedAnswerer answerer;
    std::unique_ptr<MainWindow> window;

    QString folder() const { return program.path() + QLatin1Char('/'); }

    void writeFile(const QString &name, const QByteArray &content)
    {
        QFile file(folder() + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // Adds cheques to a ledger before the window opens: (payee, due, amount).
    void addCheques(data::TableId id, const QList<std::tuple<QString, QDate, qint64>> &cheques)
    {
        data::DataStore store(fsPath(program.filePath(QStringLiteral("Veriler"))));
        store.setUp();
        engine::Table &table = store.table(id);
        const char *payee = id == data::TableId::CompanyCheques ? "CEKI_ALAN" : "HESAPSAHIBI";
        for (const auto &[name, due, amount] : cheques) {
            table.append();
            table.setValue(payee, name.toStdString());
            table.setValue("CEK_NUMARASI", name.toStdString());
            if (due.isValid())
                table.setValue("VADE_TARIHI", text::Date{due.year(), due.month(), due.day()});
            table.setValue("CEK_TUTARI", engine::Value{std::int64_t(amount)});
            table.post();
        }
    }

    MainWindow &show()
    {
        window = std::make_unique<MainWindow>(folder());
        QSignalSpy ready(window.get(), &MainWindow::setUpFinished);
        window->show();
        window->activateWindow();
        if (ready.isEmpty())
            ready.wait(10000);
        return *window;
    }
};
