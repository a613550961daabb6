#include "forms/maintenance/maintenancedialog.h"
#include "forms/maintenance/tablemaintenance.h"
#include "fspath.h"

#include "data/datastore.h"
#include "engine/table.h"
#include "text/turkish.h"
#include "widgets/scriptedanswerer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sqlite3.h>

using data::DataStore;
using forms::MaintenanceDialog;
using widgets::MessageButton;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

namespace {

// The files a test folder holds besides the seven tables.
const QString kParadoxFile = QStringLiteral("eski.db");      // a table left by an older program
const QString kForeignSqlite = QStringLiteral("Yabanci.DB"); // another program's SQLite database
const QByteArray kParadoxBytes = QByteArray("\x00\x08\x00\x00\x00\x00\x00\x00", 8) + QByteArray(2040, 'P');

int turkishCollation(void *, int aLength, const void *a, int bLength, const void *b)
{
    return text::compareTurkish(std::string_view(static_cast<const char *>(a), std::size_t(aLength)),
                                std::string_view(static_cast<const char *>(b), std::size_t(bLength)));
}

// A plain SQLite connection, as another tool would use on the files, with the
// tables' Turkish collation.
class Raw
{
public:
    explicit Raw(const QString &path)
    {
        if (sqlite3_open(QFile::encodeName(path).constData(), &m_db) != SQLITE_OK)
            qFatal("cannot open %s", qPrintable(path));
        sqlite3_create_collation(m_db, "TR", SQLITE_UTF8, nullptr, &turkishCollation);
    }
    ~Raw() { sqlite3_close(m_db); }
    void exec(const QString &sql)
    {
        char *error = nullptr;
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
            qFatal("%s: %s", qPrintable(sql), error);
    }
    // Every row as text, in stored order, the values joined by "|".
    QStringList rows(const QString &table)
    {
        QStringList result;
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(m_db, ("SELECT * FROM \"" + table + "\" ORDER BY rowid").toUtf8().constData(), -1,
                           &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList values;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                values << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, c)));
            result << values.join(u'|');
        }
        sqlite3_finalize(statement);
        return result;
    }
    // Columns and their declared types.
    QList<QPair<QString, QString>> columns(const QString &table)
    {
        QList<QPair<QString, QString>> result;
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(m_db, ("PRAGMA table_info(\"" + table + "\")").toUtf8().constData(), -1, &statement,
                           nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW)
            result.append({QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 1))),
                           QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 2)))});
        sqlite3_finalize(statement);
        return result;
    }

private:
    sqlite3 *m_db = nullptr;
};

QString tableOf(const QString &fileName)
{
    return fileName.left(fileName.lastIndexOf(u'.'));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A data folder with the seven tables, each with room left by deleted rows,
// an old Paradox table, another program's SQLite file and a text file.
struct Fixture
{
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("Veriler"));
    DataStore store{fsPath(folder)};
    QStringList tables;                    // the seven file names as they stand in the folder
    QHash<QString, QStringList> rowsBefore; // by file name
    QHash<QString, qint64> sizeBefore;
    QByteArray foreignBytes;

    Fixture()
    {
        const auto problems = store.setUp();
        if (!problems.empty())
            qFatal("set-up: %s", problems.front().c_str());
        store.closeAll();
        tables = QDir(folder).entryList(QDir::Files);
        for (const QString &name : std::as_const(tables))
            fillAndThin(name);
        store.openAll();

        QFile paradox(folder + u'/' + kParadoxFile);
        paradox.open(QIODevice::WriteOnly);
        paradox.write(kParadoxBytes);
        paradox.close();
        {
            Raw foreign(folder + u'/' + kForeignSqlite);
            foreign.exec(QStringLiteral("CREATE TABLE Yabanci (A TEXT)"));
            foreign.exec(QStringLiteral("INSERT INTO Yabanci SELECT hex(randomblob(200)) FROM "
                                        "(WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                        "WHERE i < 300) SELECT i FROM n)"));
            foreign.exec(QStringLiteral("DELETE FROM Yabanci WHERE rowid > 10"));
        }
        foreignBytes = readAll(folder + u'/' + kForeignSqlite);
        QFile notes(folder + QStringLiteral("/notlar.txt"));
        notes.open(QIODevice::WriteOnly);
        notes.write("bakım notları");
    }

    QString path(const QString &name) const { return folder + u'/' + name; }

    // Adds 600 rows to a table file, then deletes all but every tenth of them,
    // and records what stays.
    void fillAndThin(const QString &name)
    {
        Raw raw(path(name));
        const QString table = tableOf(name);
        QStringList columns, values;
        for (const auto &[column, type] : raw.columns(table)) {
            const QString t = type.toLower();
            if (t.startsWith(u"integer"))
                continue; // AUTOINC
            columns << u'"' + column + u'"';
            if (t.startsWith(u"char(")) {
                const int size = t.mid(5).chopped(1).toInt();
                values << QStringLiteral("substr('Şİ' || n.i || '-' || hex(randomblob(40)), 1, %1)").arg(size);
            } else if (t == u"date")
                values << QStringLiteral("date('2026-01-01', '+' || (n.i % 400) || ' days')");
            else if (t == u"money")
                values << QStringLiteral("n.i * 1234");
            else if (t == u"boolean")
                values << QStringLiteral("n.i % 2");
            else
                values << QStringLiteral("'Açıklama ' || hex(randomblob(90))");
        }
        raw.exec(QStringLiteral("BEGIN"));
        raw.exec(QStringLiteral("INSERT INTO \"%1\" (%2) SELECT %3 FROM (WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                                "SELECT i + 1 FROM n WHERE i < 600) SELECT i FROM n) AS n")
                     .arg(table, columns.join(u", "), values.join(u", ")));
        raw.exec(QStringLiteral("DELETE FROM \"%1\" WHERE rowid > (SELECT min(rowid) FROM \"%1\") + 3 "
                                "AND rowid % 10 <> 0")
                     .arg(table));
        raw.exec(QStringLiteral("COMMIT"));
        rowsBefore[name] = raw.rows(table);
        sizeBefore[name] = 0;
    }

    void recordSizes()
    {
        for (const QString &name : std::as_const(tables))
            sizeBefore[name] = QFileInfo(path(name)).size();
    }
};

// Runs the maintenance command, pressing "BAŞLA" in the dialog; what the
// dialog shows at the end of the run is copied out.
struct RunRecord
{
    QStringList listed;
    QStringList packed;
    QStringList skipped;
    int progress = -1;
    int progressMaximum = -1;
    bool operationEnabled = true;
    QString status;
};

MessageReply pressStart(RunRecord &record)
{
    return MessageReply::acting([&record](QDialog *shown) {
        auto *dialog = qobject_cast<MaintenanceDialog *>(shown);
        QVERIFY(dialog);
        record.listed = dialog->fileNames();
        dialog->start();
        record.packed = dialog->packedFiles();
        record.skipped = dialog->skippedFiles();
        record.progress = dialog->progressBar()->value();
        record.progressMaximum = dialog->progressBar()->maximum();
        record.operationEnabled = dialog->operationGroup()->isEnabled();
        record.status = dialog->statusLabel()->text();
    });
}

bool allOpen(DataStore &store)
{
    for (int i = 0; i < data::kTableCount; ++i)
        if (!store.isOpen(data::TableId(i)))
            return false;
    return true;
}

} // namespace

class tst_MaintenanceDialog : public QObject
{
    Q_OBJECT

private slots:
    void hasItsLayout();
    void packsEveryTableAndKeepsEveryRow();
    void answeringNoClosesNothing_data();
    void answeringNoClosesNothing();
    void failureStopsAndReleasesTheFile();
    void nothingIsDone_data();
    void nothingIsDone();
    void secondStartDuringARunIsRefused();
};

void tst_MaintenanceDialog::hasItsLayout()
{
    QTemporaryDir dir;
    engine::Database database(fsPath(dir.path()));
    MaintenanceDialog dialog(database);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Tablo Bakım Formu"));
    QCOMPARE(dialog.size(), QSize(421, 129));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.fileList()->size(), QSize(145, 113));
    QCOMPARE(dialog.progressBar()->size(), QSize(249, 16));
    QCOMPARE(dialog.progressBar()->value(), 0);
    QCOMPARE(dialog.operationGroup()->title(), QStringLiteral("İşlem Türü"));
    QCOMPARE(dialog.maintenanceChoice()->text(), QStringLiteral("Bakım"));
    QCOMPARE(dialog.indexChoice()->text(), QStringLiteral("İndex Düzenleme"));
    QVERIFY(dialog.maintenanceChoice()->isChecked());
    QVERIFY(dialog.operationGroup()->isEnabled());
    QCOMPARE(dialog.startButton()->text(), QStringLiteral("BAŞLA"));
    QCOMPARE(dialog.startButton()->size(), QSize(75, 33));
    for (const QWidget *child : dialog.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY2(dialog.rect().contains(child->geometry()), qPrintable(child->objectName() + " sticks out"));
}

void tst_MaintenanceDialog::packsEveryTableAndKeepsEveryRow()
{
    Fixture fixture;
    fixture.recordSizes();
    QVERIFY(allOpen(fixture.store));
    RunRecord record;
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Yes), pressStart(record),
                               MessageReply::pressed(MessageButton::Ok)});
    QVERIFY(forms::runTableMaintenance(fixture.store));

    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.asked().size(), 3);
    QCOMPARE(answerer.asked().at(0).kind, MessageKind::Confirmation);
    QCOMPARE(answerer.asked().at(0).text, QStringLiteral("\nVERİ TABANI BAKIM İŞLEMİNE DEVAM EDİLSİN Mİ?"));
    QCOMPARE(answerer.asked().at(0).buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::No}));
    QCOMPARE(answerer.asked().at(1).kind, MessageKind::Dialog);
    QCOMPARE(answerer.asked().at(2).kind, MessageKind::Information);
    QCOMPARE(answerer.asked().at(2).text, QStringLiteral("\nBAKIM İŞLEMİ TAMAMLANDI..."));

    // Every "*.db" file in any case, alphabetically without regard to case.
    const QStringList expected{kParadoxFile,
                               QStringLiteral("fct.DB"),
                               QStringLiteral("Firma_Banka_Bilgileri.db"),
                               QStringLiteral("firma_cek.db"),
                               QStringLiteral("firmadan_ceki_alan.db"),
                               QStringLiteral("mct.DB"),
                               QStringLiteral("museri_bilgileri.db"),
                               QStringLiteral("museri_cek.db"),
                               kForeignSqlite};
    QCOMPARE(record.listed, expected);
    QCOMPARE(record.progress, expected.size());
    QCOMPARE(record.progressMaximum, expected.size());
    QVERIFY(!record.operationEnabled);
    QCOMPARE(record.skipped, (QStringList{kParadoxFile, kForeignSqlite}));
    QVERIFY2(record.status.contains(kParadoxFile) && record.status.contains(kForeignSqlite), qPrintable(record.status));
    QStringList sevenSorted = fixture.tables;
    sevenSorted.sort(Qt::CaseInsensitive);
    QCOMPARE(record.packed, sevenSorted);

    // The program's tables are open again, every row kept, every file smaller.
    QVERIFY(allOpen(fixture.store));
    for (const QString &name : std::as_const(fixture.tables)) {
        Raw raw(fixture.path(name));
        QCOMPARE(raw.rows(tableOf(name)), fixture.rowsBefore.value(name));
        const qint64 after = QFileInfo(fixture.path(name)).size();
        QVERIFY2(after < fixture.sizeBefore.value(name),
                 qPrintable(QStringLiteral("%1: %2 -> %3").arg(name).arg(fixture.sizeBefore.value(name)).arg(after)));
    }
    QCOMPARE(fixture.store.table(data::TableId::CompanyCheques).rowCount(),
             qint64(fixture.rowsBefore.value(QStringLiteral("firma_cek.db")).size()));
    // The files of other programs are untouched.
    QCOMPARE(readAll(fixture.path(kParadoxFile)), kParadoxBytes);
    QCOMPARE(readAll(fixture.path(kForeignSqlite)), fixture.foreignBytes);
}

void tst_MaintenanceDialog::answeringNoClosesNothing_data()
{
    QTest::addColumn<MessageReply>("reply");
    QTest::newRow("Hayır") << MessageReply::pressed(MessageButton::No);
    // The message service answers a closed Yes/No question with its escape button, "Hayır".
    QTest::newRow("close box") << MessageReply::closed();
}

void tst_MaintenanceDialog::answeringNoClosesNothing()
{
    QFETCH(MessageReply, reply);
    Fixture fixture;
    engine::Table &ledger = fixture.store.table(data::TableId::CompanyCheques);
    ledger.last();
    const std::int64_t position = ledger.position();
    ScriptedAnswerer answerer({reply});
    QVERIFY(!forms::runTableMaintenance(fixture.store));
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(allOpen(fixture.store));
    QCOMPARE(ledger.position(), position); // not closed and reopened
}

// A table still open elsewhere cannot be had exclusively: the run stops there,
// that file stays as it was, and nothing stays held by the dialog.
void tst_MaintenanceDialog::failureStopsAndReleasesTheFile()
{
    Fixture fixture;
    const QString busy = QStringLiteral("museri_bilgileri.db");
    engine::Table other(fixture.store.database(), busy.toStdString());
    other.open();
    fixture.recordSizes();
    const QByteArray busyBytes = readAll(fixture.path(busy));

    RunRecord record;
    bool startEnabledAfter = false;
    ScriptedAnswerer answerer(
        {MessageReply::pressed(MessageButton::Yes), MessageReply::acting([&](QDialog *shown) {
             auto *dialog = qobject_cast<MaintenanceDialog *>(shown);
             dialog->start();
             record.packed = dialog->packedFiles();
             record.status = dialog->statusLabel()->text();
             record.operationEnabled = dialog->operationGroup()->isEnabled();
             startEnabledAfter = dialog->startButton()->isEnabled();
             QVERIFY(dialog->isVisible()); // no completion, the dialog stays open
             other.close();
         }),
         MessageReply::pressed(MessageButton::Ok)});
    QVERIFY(forms::runTableMaintenance(fixture.store));

    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.asked().size(), 3);
    const auto &failure = answerer.asked().at(2);
    QCOMPARE(failure.kind, MessageKind::Failure);
    QVERIFY2(failure.text.contains(busy), qPrintable(failure.text));
    QCOMPARE(record.packed, (QStringList{QStringLiteral("fct.DB"), QStringLiteral("Firma_Banka_Bilgileri.db"),
                                         QStringLiteral("firma_cek.db"), QStringLiteral("firmadan_ceki_alan.db"),
                                         QStringLiteral("mct.DB")}));
    QVERIFY2(record.status.contains(busy), qPrintable(record.status));
    QVERIFY(!record.operationEnabled);
    QVERIFY(startEnabledAfter);
    QCOMPARE(readAll(fixture.path(busy)), busyBytes);
    QVERIFY(QFileInfo(fixture.path(QStringLiteral("firma_cek.db"))).size()
            < fixture.sizeBefore.value(QStringLiteral("firma_cek.db")));
    QCOMPARE(QFileInfo(fixture.path(QStringLiteral("museri_cek.db"))).size(),
             fixture.sizeBefore.value(QStringLiteral("museri_cek.db")));
    // Everything reopens, and each table can be had exclusively again.
    QVERIFY(allOpen(fixture.store));
    fixture.store.closeAll();
    for (const QString &name : std::as_const(fixture.tables))
        fixture.store.database().pack(name.toStdString());
    for (const QString &name : std::as_const(fixture.tables)) {
        Raw raw(fixture.path(name));
        QCOMPARE(raw.rows(tableOf(name)), fixture.rowsBefore.value(name));
    }
}

void tst_MaintenanceDialog::nothingIsDone_data()
{
    QTest::addColumn<bool>("emptyFolder");
    QTest::addColumn<bool>("indexChosen");
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("no file: warning") << true << false << MessageKind::Warning << "\nHiçbir dosya yok...";
    QTest::newRow("İndex Düzenleme: not provided")
        << false << true << MessageKind::Information << "\nİndex Düzenleme hazır değil\n\nGelecek için planlanmıştır.";
}

void tst_MaintenanceDialog::nothingIsDone()
{
    QFETCH(bool, emptyFolder);
    QFETCH(bool, indexChosen);
    QFETCH(MessageKind, kind);
    QFETCH(QString, text);
    Fixture fixture;
    fixture.store.closeAll();
    QTemporaryDir empty;
    engine::Database emptyDatabase(fsPath(empty.path()));
    const QByteArray before = readAll(fixture.path(QStringLiteral("firma_cek.db")));

    MaintenanceDialog dialog(emptyFolder ? emptyDatabase : fixture.store.database());
    dialog.show();
    dialog.indexChoice()->setChecked(indexChosen);
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});
    dialog.startButton()->click();
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, kind);
    QCOMPARE(answerer.asked().first().text, text);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.operationGroup()->isEnabled());
    QCOMPARE(dialog.progressBar()->value(), 0);
    QVERIFY(dialog.packedFiles().isEmpty());
    QCOMPARE(readAll(fixture.path(QStringLiteral("firma_cek.db"))), before);
}

void tst_MaintenanceDialog::secondStartDuringARunIsRefused()
{
    Fixture fixture;
    fixture.store.closeAll();
    MaintenanceDialog dialog(fixture.store.database());
    dialog.show();
    bool checked = false;
    // Runs while the run lets the window take input after its first file.
    QTimer::singleShot(0, &dialog, [&] {
        checked = true;
        QVERIFY(dialog.isRunning());
        QVERIFY(!dialog.startButton()->isEnabled());
        const QStringList packedSoFar = dialog.packedFiles();
        dialog.start();
        QCOMPARE(dialog.packedFiles(), packedSoFar);
        dialog.close();
        dialog.reject();
        QVERIFY(dialog.isVisible());
    });
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});
    dialog.startButton()->click();
    QVERIFY(checked);
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().text, QStringLiteral("\nBAKIM İŞLEMİ TAMAMLANDI..."));
    QCOMPARE(dialog.packedFiles().size(), 7);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

QTEST_MAIN(tst_MaintenanceDialog)
#include "tst_maintenancedialog.moc"
