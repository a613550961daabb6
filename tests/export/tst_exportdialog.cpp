#include "export/exportdialog.h"
#include "ledgerfixture.h"
#include "widgets/scriptedanswerer.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace exporting;
using widgets::MessageButton;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

Q_DECLARE_METATYPE(exporting::ExportFormat)

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A dialog over the company fixture whose open and print actions only record.
struct DialogFixture
{
    explicit DialogFixture(std::vector<std::vector<engine::Value>> rows = ledgerfixture::companyRows())
        : source(ledgerfixture::companyFields(), std::move(rows))
    {
        dialog.setSource(&source, ledgerfixture::companyColumns(), QStringLiteral("firma_cek"));
        dialog.setOpenAction([this](const QString &path) {
            opened.append(path);
            return true;
        });
        dialog.setPrintAction([this](ExportFormat, const QString &path, ExportJob &) {
            printed.append(path);
            return true;
        });
        dialog.show();
    }

    template<typename T>
    T *child(const char *name) { return dialog.findChild<T *>(QString::fromLatin1(name)); }

    MemoryRowSource source;
    ExportDialog dialog;
    QStringList opened;
    QStringList printed;
};

std::vector<std::vector<engine::Value>> manyRows(int count)
{
    const auto rows = ledgerfixture::companyRows();
    std::vector<std::vector<engine::Value>> many;
    many.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        many.push_back(rows[std::size_t(i % 3)]);
    return many;
}

} // namespace

class tst_ExportDialog : public QObject
{
    Q_OBJECT

private slots:
    void showsItsTextsToTheLetter();
    void titleNamesTheFile_data();
    void titleNamesTheFile();
    void optionsFollowTheFormat_data();
    void optionsFollowTheFormat();
    void exportsAndOpensTheFile();
    void printsWhereTheFormatAllows();
    void cancelAsksFirst_data();
    void cancelAsksFirst();
    void reportsUnwritableFile();
    void refusesWhatCannotBeExported_data();
    void refusesWhatCannotBeExported();
    void asksBeforeReplacingAFile_data();
    void asksBeforeReplacingAFile();
    void fieldPageChoosesAndOrders();
    void screenshot();
};

void tst_ExportDialog::showsItsTextsToTheLetter()
{
    DialogFixture f;
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Export Formu"));
    QStringList texts;
    for (QLabel *label : f.dialog.findChildren<QLabel *>())
        texts.append(label->text());
    for (QAbstractButton *button : f.dialog.findChildren<QAbstractButton *>())
        texts.append(button->text());
    const QStringList expected = {"Oluşturulacak Dosya :", "Seç...", "Export sonrası dosyayı aç",
                                  "Export sonrası dosyayı yazdır", "Tüm kayıtları çıkart", "İlk kayda otomatik git",
                                  "Sadece aktif kaydı çıkart", "Boş veri kaynaklarına izin ver", "Mevcut Alanlar:",
                                  "Çıkartılacak Alanlar:", "İŞLEME BAŞLA", "ÇIKIŞ"};
    for (const QString &text : expected)
        QVERIFY2(texts.contains(text), qPrintable(text));
    auto *pages = f.dialog.findChild<QTabWidget *>();
    QCOMPARE(pages->tabText(0), QStringLiteral("Export Biçimi"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Alanlar"));
    const QStringList formats = {"MS Excel", "MS Word", "RTF", "HTML", "Text File", "XML", "DBF", "PDF", "CSV File",
                                 "DIF File", "SYLK File", "LaTeX", "SQL", "Windows Clipboard"};
    for (int i = 0; i < formats.size(); ++i)
        QCOMPARE(f.child<QRadioButton>(qPrintable(QStringLiteral("format%1").arg(i)))->text(), formats[i]);
    QVERIFY(f.child<QCheckBox>("openAfter")->isChecked());
    QVERIFY(!f.child<QCheckBox>("printAfter")->isChecked());
    QVERIFY(f.child<QRadioButton>("allRecords")->isChecked());
    QVERIFY(f.child<QCheckBox>("allowEmpty")->isChecked());
    QCOMPARE(f.dialog.chosenColumns().size(), ledgerfixture::companyColumns().size());
}

void tst_ExportDialog::titleNamesTheFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("title");
    QTest::newRow("no file yet") << "" << "Export Formu";
    QTest::newRow("file chosen") << "/veri/defter.xlsx" << "Export Formu -- Çıktı [/veri/defter.xlsx]";
}

void tst_ExportDialog::titleNamesTheFile()
{
    QFETCH(QString, fileName);
    QFETCH(QString, title);
    DialogFixture f;
    f.child<QLineEdit>("fileEdit")->setText(fileName);
    QCOMPARE(f.dialog.windowTitle(), title);
}

void tst_ExportDialog::optionsFollowTheFormat_data()
{
    QTest::addColumn<ExportFormat>("format");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("printable");
    QTest::addColumn<bool>("toFile");
    QTest::newRow("CSV") << ExportFormat::Csv << "/veri/defter.csv" << false << true;
    QTest::newRow("PDF") << ExportFormat::Pdf << "/veri/defter.pdf" << true << true;
    QTest::newRow("SYLK") << ExportFormat::Sylk << "/veri/defter.slk" << false << true;
    QTest::newRow("clipboard") << ExportFormat::Clipboard << "/veri/defter.xlsx" << false << false;
}

void tst_ExportDialog::optionsFollowTheFormat()
{
    QFETCH(ExportFormat, format);
    QFETCH(QString, fileName);
    QFETCH(bool, printable);
    QFETCH(bool, toFile);
    DialogFixture f;
    f.dialog.setFileName("/veri/defter.xlsx");
    f.child<QRadioButton>(qPrintable(QStringLiteral("format%1").arg(int(format))))->click();
    QCOMPARE(f.dialog.format(), format);
    QCOMPARE(f.child<QLineEdit>("fileEdit")->text(), fileName);
    QCOMPARE(f.child<QCheckBox>("printAfter")->isEnabled(), printable);
    QCOMPARE(f.child<QLineEdit>("fileEdit")->isEnabled(), toFile);
    QCOMPARE(f.child<QPushButton>("browseButton")->isEnabled(), toFile);
}

void tst_ExportDialog::exportsAndOpensTheFile()
{
    ScriptedAnswerer answerer;
    DialogFixture f;
    QTemporaryDir folder;
    f.dialog.setFormat(ExportFormat::Csv);
    f.dialog.setFileName(folder.filePath("defter"));
    f.child<QPushButton>("startButton")->click();
    QCOMPARE(answerer.asked().size(), 0);
    QVERIFY(f.dialog.lastResult() && f.dialog.lastResult()->ok);
    QCOMPARE(f.dialog.lastResult()->rows, 3);
    QCOMPARE(f.opened, QStringList(folder.filePath("defter.csv")));
    QVERIFY(f.printed.isEmpty());
    QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    QVERIFY(fileBytes(folder.filePath("defter.csv")).contains("\"Çankaya; Ankara\""));
}

void tst_ExportDialog::printsWhereTheFormatAllows()
{
    ScriptedAnswerer answerer;
    DialogFixture f;
    QTemporaryDir folder;
    f.dialog.setFormat(ExportFormat::Pdf);
    f.dialog.setFileName(folder.filePath("defter.pdf"));
    f.child<QCheckBox>("openAfter")->setChecked(false);
    f.child<QCheckBox>("printAfter")->setChecked(true);
    f.dialog.startExport();
    QCOMPARE(answerer.asked().size(), 0);
    QVERIFY(f.opened.isEmpty());
    QCOMPARE(f.printed, QStringList(folder.filePath("defter.pdf")));
}

void tst_ExportDialog::cancelAsksFirst_data()
{
    QTest::addColumn<MessageButton>("answer");
    QTest::addColumn<bool>("written");
    QTest::newRow("yes cancels and leaves no file") << MessageButton::Yes << false;
    QTest::newRow("no goes on to the end") << MessageButton::No << true;
}

void tst_ExportDialog::cancelAsksFirst()
{
    QFETCH(MessageButton, answer);
    QFETCH(bool, written);
    ScriptedAnswerer answerer({MessageReply::pressed(answer)});
    DialogFixture f(manyRows(60000));
    QTemporaryDir folder;
    f.dialog.setFormat(ExportFormat::Csv);
    f.dialog.setFileName(folder.filePath("defter.csv"));
    // The click lands while rows are being written, the first time the export lets events through.
    QTimer::singleShot(0, f.child<QPushButton>("cancelButton"), &QPushButton::click);
    f.dialog.startExport();
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Confirmation);
    QCOMPARE(answerer.asked().first().text, QStringLiteral("Export işlemini iptal etmek istermisiniz?"));
    QCOMPARE(f.dialog.lastResult()->cancelled, !written);
    QCOMPARE(QFileInfo::exists(folder.filePath("defter.csv")), written);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), written ? 1 : 0);
    QCOMPARE(f.dialog.isRunning(), false);
}

void tst_ExportDialog::reportsUnwritableFile()
{
    ScriptedAnswerer answerer;
    DialogFixture f;
    QTemporaryDir folder;
    f.dialog.setFormat(ExportFormat::Excel);
    f.dialog.setFileName(folder.filePath("yok/defter.xlsx"));
    f.dialog.startExport();
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Error);
    QVERIFY2(answerer.asked().first().text.contains(QStringLiteral("Dosya yazılamadı:\n") + folder.filePath("yok/defter.xlsx")),
             qPrintable(answerer.asked().first().text));
    QVERIFY(f.dialog.isVisible());
    QVERIFY(f.opened.isEmpty());
}

void tst_ExportDialog::refusesWhatCannotBeExported_data()
{
    QTest::addColumn<bool>("emptyLedger");
    QTest::addColumn<bool>("allowEmpty");
    QTest::addColumn<bool>("noFields");
    QTest::addColumn<bool>("noFileName");
    QTest::addColumn<QString>("warning");
    QTest::newRow("no field chosen") << false << true << true << false << "\nÇıkartılacak alan seçilmemiş.";
    QTest::newRow("no file name") << false << true << false << true << "\nOluşturulacak dosyanın adını yazınız.";
    QTest::newRow("empty ledger refused when not allowed") << true << false << false << false << "\nÇıkartılacak kayıt yok.";
    QTest::newRow("empty ledger exported by default") << true << true << false << false << "";
}

void tst_ExportDialog::refusesWhatCannotBeExported()
{
    QFETCH(bool, emptyLedger);
    QFETCH(bool, allowEmpty);
    QFETCH(bool, noFields);
    QFETCH(bool, noFileName);
    QFETCH(QString, warning);
    ScriptedAnswerer answerer;
    DialogFixture f(emptyLedger ? std::vector<std::vector<engine::Value>>{} : ledgerfixture::companyRows());
    QTemporaryDir folder;
    f.dialog.setFormat(ExportFormat::Html);
    f.dialog.setFileName(noFileName ? QString() : folder.filePath("defter.html"));
    f.child<QCheckBox>("allowEmpty")->setChecked(allowEmpty);
    if (noFields)
        f.child<QPushButton>("removeAllFields")->click();
    f.dialog.startExport();
    if (warning.isEmpty()) {
        QCOMPARE(answerer.asked().size(), 0);
        QVERIFY(fileBytes(folder.filePath("defter.html")).contains("<th>ÇEK TUTARI</th>"));
        return;
    }
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Warning);
    QCOMPARE(answerer.asked().first().text, warning);
    QVERIFY(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void tst_ExportDialog::asksBeforeReplacingAFile_data()
{
    QTest::addColumn<MessageButton>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("yes replaces") << MessageButton::Yes << true;
    QTest::newRow("no keeps the old file") << MessageButton::No << false;
}

void tst_ExportDialog::asksBeforeReplacingAFile()
{
    QFETCH(MessageButton, answer);
    QFETCH(bool, replaced);
    ScriptedAnswerer answerer({MessageReply::pressed(answer)});
    DialogFixture f;
    QTemporaryDir folder;
    const QString path = folder.filePath("defter.xml");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("eski");
    }
    f.dialog.setFormat(ExportFormat::Xml);
    f.dialog.setFileName(path);
    f.dialog.startExport();
    QCOMPARE(answerer.asked().size(), 1);
    QVERIFY(answerer.asked().first().text.contains(QStringLiteral("Üzerine yazılsın mı?")));
    QCOMPARE(fileBytes(path) != "eski", replaced);
}

void tst_ExportDialog::fieldPageChoosesAndOrders()
{
    DialogFixture f;
    auto *available = f.child<QListWidget>("availableFields");
    auto *chosen = f.child<QListWidget>("chosenFields");
    f.child<QPushButton>("removeAllFields")->click();
    QCOMPARE(chosen->count(), 0);
    QCOMPARE(available->count(), 10);
    available->item(8)->setSelected(true); // AÇIKLAMA
    f.child<QPushButton>("addField")->click();
    available->item(2)->setSelected(true); // ÇEK TUTARI
    f.child<QPushButton>("addField")->click();
    chosen->item(1)->setSelected(true);
    f.child<QPushButton>("fieldUp")->click();
    QList<int> fields;
    for (const ExportColumn &column : f.dialog.chosenColumns())
        fields.append(column.field);
    QCOMPARE(fields, QList<int>({2, 8}));
    QCOMPARE(available->item(6)->text(), QStringLiteral("ÇEK NUMARASI"));
}

void tst_ExportDialog::screenshot()
{
    const QString target = qEnvironmentVariable("SELVORA_EXPORT_SCREENSHOT");
    if (target.isEmpty())
        QSKIP("set SELVORA_EXPORT_SCREENSHOT to a .png path to take the picture");
    DialogFixture f;
    f.dialog.setFileName(QStringLiteral("C:/Selvora/firma_cek.xlsx"));
    QVERIFY(f.dialog.grab().save(target));
}

QTEST_MAIN(tst_ExportDialog)
#include "tst_exportdialog.moc"
