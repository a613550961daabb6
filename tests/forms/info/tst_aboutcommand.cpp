#include "forms/info/aboutcommand.h"

#include "widgets/scriptedanswerer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace forms;
using namespace widgets;

class tst_AboutCommand : public QObject
{
    Q_OBJECT

private slots:
    void startsTheAboutProgram();
    void missingProgram_data();
    void missingProgram();
    void defaultsToTheRunningExecutable();
};

void tst_AboutCommand::startsTheAboutProgram()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile about(folder.filePath(AboutCommand::aboutFileName()));
    QVERIFY(about.open(QIODevice::WriteOnly));
    about.close();

    QStringList started;
    QList<QStringList> arguments;
    AboutCommand command(folder.path(), QStringLiteral("torven"),
                         [&](const QString &program, const QStringList &args) {
                             started << program;
                             arguments << args;
                             return true;
                         });
    ScriptedAnswerer answerer;
    command.run();

    QCOMPARE(started, QStringList{QDir(folder.path()).filePath(AboutCommand::aboutFileName())});
    QCOMPARE(arguments.first(), QStringList{QStringLiteral(" torven")});
    QVERIFY2(answerer.asked().isEmpty(), "no box is shown when the about program is there");
}

void tst_AboutCommand::missingProgram_data()
{
    QTest::addColumn<bool>("folderInItsPlace");
    QTest::newRow("no file at all") << false;
    QTest::newRow("a folder named like the program") << true;
}

void tst_AboutCommand::missingProgram()
{
    QFETCH(bool, folderInItsPlace);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    if (folderInItsPlace)
        QVERIFY(QDir(folder.path()).mkdir(AboutCommand::aboutFileName()));

    int starts = 0;
    AboutCommand command(folder.path(), QStringLiteral("torven"), [&](const QString &, const QStringList &) {
        ++starts;
        return true;
    });
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});
    command.run();

    QCOMPARE(starts, 0);
    QCOMPARE(answerer.asked().size(), 1);
    const MessageRequest &box = answerer.asked().first();
    QCOMPARE(box.kind, MessageKind::Error);
    QCOMPARE(box.text, QStringLiteral("\nDosya bulunamadı.\n\nabout.exe"));
    QCOMPARE(box.buttonTexts(), QStringList{QStringLiteral("Tamam")});
}

void tst_AboutCommand::defaultsToTheRunningExecutable()
{
    const AboutCommand command;
    QCOMPARE(command.aboutProgramPath(),
             QDir(QCoreApplication::applicationDirPath()).filePath(AboutCommand::aboutFileName()));
    QCOMPARE(command.parameter(),
             QLatin1Char(' ') + QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

QTEST_MAIN(tst_AboutCommand)
#include "tst_aboutcommand.moc"
