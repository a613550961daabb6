#include "export/ansicodec.h"
#include "export/exporter.h"
#include "export/exportjob.h"
#include "export/outputbuffer.h"
#include "ledgerfixture.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QXmlStreamReader>
#include "readonlypath.h"

#include <QtTest>

#include <shapefil.h>
#include <sqlite3.h>

using namespace exporting;
using engine::FieldType;
using engine::Value;
using Table = QList<QStringList>;

Q_DECLARE_METATYPE(exporting::ExportFormat)

namespace {

enum class Fixture { Company, Empty, Customer };

struct Ledger
{
    std::vector<engine::FieldDef> fields;
    QList<ExportColumn> columns;
    std::vector<std::vector<Value>> rows;
    QString table;
    QStringList dbfNames;
};

Ledger ledger(Fixture fixture)
{
    using namespace ledgerfixture;
    switch (fixture) {
    case Fixture::Company:
        return {companyFields(), companyColumns(), companyRows(), "firma_cek",
                {"SIRA_NO", "VADE_TARIH", "CEK_TUTARI", "CEKI_ALAN", "BANKA_ADI", "BANKA_SUBE", "HESAP_NUMA",
                 "CEK_NUMARA", "ACIKLAMA", "CEK_DURUMU"}};
    case Fixture::Empty:
        return {companyFields(), companyColumns(), {}, "firma_cek",
                {"SIRA_NO", "VADE_TARIH", "CEK_TUTARI", "CEKI_ALAN", "BANKA_ADI", "BANKA_SUBE", "HESAP_NUMA",
                 "CEK_NUMARA", "ACIKLAMA", "CEK_DURUMU"}};
    case Fixture::Customer:
        return {customerFields(), customerColumns(), customerRows(), "museri_cek",
                {"SIRA_NO", "VADE_TARIH", "CEK_TUTARI", "CEK_CIROLU", "HESAP_SAHI", "CEKIN_DURU"}};
    }
    return {};
}

const ValueText turkish(text::NumberMarks{".", ","});

QString flattened(QString text)
{
    for (QChar &c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    }
    return text;
}

qint64 serialDay(const text::Date &date)
{
    return text::toDayNumber(date) - text::toDayNumber(text::Date{1899, 12, 30});
}

QString displayText(const Value &value, FieldType type)
{
    if (const auto *s = std::get_if<std::string>(&value))
        return QString::fromStdString(*s);
    if (const auto *d = std::get_if<text::Date>(&value))
        return turkish.date(*d);
    if (const auto *n = std::get_if<std::int64_t>(&value))
        return type == FieldType::Money ? turkish.amountDisplay(*n) : QString::number(*n);
    if (const auto *b = std::get_if<bool>(&value))
        return *b ? "Evet" : "Hayır";
    return {};
}

// The text a reader of the format gives back for one value.
QString expectedCell(ExportFormat format, const Value &value, FieldType type)
{
    const QString display = displayText(value, type);
    const auto *text = std::get_if<std::string>(&value);
    const auto *date = std::get_if<text::Date>(&value);
    const auto *number = std::get_if<std::int64_t>(&value);
    const auto *flag = std::get_if<bool>(&value);
    const QString plain = number && type == FieldType::Money ? ValueText::amountPlain(*number)
                                                             : (number ? QString::number(*number) : QString());
    switch (format) {
    case ExportFormat::Html:
    case ExportFormat::Rtf:
    case ExportFormat::Word:
    case ExportFormat::Pdf:
    case ExportFormat::Latex:
        return display;
    case ExportFormat::Text:
        return flattened(display);
    case ExportFormat::Csv:
    case ExportFormat::Clipboard:
        if (text && ExportJob::looksLikeFormula(QString::fromStdString(*text)))
            return u'\'' + display;
        return number && type == FieldType::Money ? turkish.amountEdit(*number) : display;
    case ExportFormat::Excel:
        if (date)
            return QString::number(serialDay(*date));
        if (flag)
            return *flag ? "1" : "0";
        return number ? plain : display;
    case ExportFormat::Xml:
        if (date)
            return ValueText::isoDate(*date);
        if (flag)
            return *flag ? "true" : "false";
        return number ? plain : display;
    case ExportFormat::Sql:
        if (date)
            return ValueText::isoDate(*date);
        if (flag)
            return *flag ? "1" : "0";
        return number ? plain : display;
    case ExportFormat::Dbf:
        if (date)
            return QString::asprintf("%04d%02d%02d", date->year, date->month, date->day);
        if (flag)
            return *flag ? "T" : "F";
        return number ? plain : display;
    case ExportFormat::Dif:
        if (flag)
            return *flag ? "TRUE" : "FALSE";
        return number ? plain : flattened(display);
    case ExportFormat::Sylk:
        if (date)
            return QString::number(serialDay(*date));
        return number ? plain : flattened(display);
    }
    return display;
}

Table expectedTable(const Ledger &data, ExportFormat format)
{
    Table table;
    QStringList header;
    for (const ExportColumn &column : data.columns)
        header.append(column.caption);
    if (format == ExportFormat::Dbf)
        header = data.dbfNames;
    if (format == ExportFormat::Text)
        header = QStringList(header);
    table.append(header);
    for (const auto &row : data.rows) {
        QStringList cells;
        for (const ExportColumn &column : data.columns)
            cells.append(expectedCell(format, row[std::size_t(column.field)], data.fields[std::size_t(column.field)].type));
        table.append(cells);
    }
    return table;
}

QByteArray run(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Table parseDelimited(QString text, QChar separator)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    Table table;
    QStringList row;
    QString cell;
    bool quoted = false;
    bool hadCell = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            quoted = true;
            hadCell = true;
        } else if (c == separator) {
            row.append(cell);
            cell.clear();
            hadCell = true;
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            row.append(cell);
            table.append(row);
            row.clear();
            cell.clear();
            hadCell = false;
            ++i;
        } else {
            cell += c;
            hadCell = true;
        }
    }
    if (hadCell || !cell.isEmpty()) {
        row.append(cell);
        table.append(row);
    }
    return table;
}

// Money columns of spreadsheet and database readers come back as numbers.
void normaliseAmounts(Table &table, const QList<FieldType> &types)
{
    for (qsizetype r = 1; r < table.size(); ++r) {
        for (qsizetype c = 0; c < table[r].size() && c < types.size(); ++c) {
            if (types[c] == FieldType::Money && !table[r][c].isEmpty())
                table[r][c] = ValueText::amountPlain(qRound64(table[r][c].toDouble() * 100));
        }
    }
}

Table readTextTable(const QTextDocument &document)
{
    Table table;
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        auto *textTable = qobject_cast<QTextTable *>(frame);
        if (!textTable)
            continue;
        for (int r = 0; r < textTable->rows(); ++r) {
            QStringList row;
            for (int c = 0; c < textTable->columns(); ++c) {
                const QTextTableCell cell = textTable->cellAt(r, c);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                QString text = cursor.selectedText();
                text.replace(QChar(0x2028), u'\n').replace(QChar(0x2029), u'\n');
                row.append(text);
            }
            table.append(row);
        }
        break;
    }
    return table;
}

QString zipCheck(const QString &path)
{
    int exitCode = 0;
    const QByteArray output = run("unzip", {"-tq", path}, &exitCode);
    return exitCode == 0 ? QString() : QString::fromLocal8Bit(output);
}

Table readXlsx(const QString &path, const QList<FieldType> &types, QString *problem)
{
    *problem = zipCheck(path);
    QXmlStreamReader xml(run("unzip", {"-p", path, "xl/worksheets/sheet1.xml"}));
    Table table;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"f")
            *problem += "formula cell written; ";
        if (xml.name() != u"c")
            continue;
        const QString ref = xml.attributes().value("r").toString();
        int column = 0;
        qsizetype i = 0;
        for (; i < ref.size() && ref[i].isLetter(); ++i)
            column = column * 26 + (ref[i].unicode() - 'A' + 1);
        const int row = ref.mid(i).toInt() - 1;
        QString value;
        while (!(xml.isEndElement() && xml.name() == u"c") && !xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && (xml.name() == u"v" || xml.name() == u"t"))
                value += xml.readElementText();
            else if (xml.isStartElement() && xml.name() == u"f")
                *problem += "formula cell written; ";
        }
        while (table.size() <= row)
            table.append(QStringList(types.size(), QString()));
        table[row][column - 1] = value;
    }
    if (xml.hasError())
        *problem += xml.errorString();
    normaliseAmounts(table, types);
    return table;
}

Table readDocx(const QString &path, QString *problem)
{
    *problem = zipCheck(path);
    QXmlStreamReader xml(run("unzip", {"-p", path, "word/document.xml"}));
    Table table;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"tr")
            table.append(QStringList());
        else if (xml.name() == u"tc")
            table.last().append(QString());
        else if (xml.name() == u"t")
            table.last().last() += xml.readElementText();
        else if (xml.name() == u"br")
            table.last().last() += u'\n';
    }
    if (xml.hasError())
        *problem += xml.errorString();
    if (run("unzip", {"-p", path, "\\[Content_Types\\].xml"}).isEmpty())
        *problem += "no content types; ";
    return table;
}

// Enough of RTF to read back the tables the writer makes.
Table readRtf(const QString &path, QString *problem)
{
    const QByteArray rtf = fileBytes(path);
    if (!rtf.startsWith("{\\rtf1") || rtf.count('{') - rtf.count("\\{") != rtf.count('}') - rtf.count("\\}"))
        *problem = "not a balanced RTF document";
    Table table;
    QStringList row;
    QString cell;
    for (qsizetype i = rtf.indexOf("\\trowd"); i >= 0 && i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            const char next = i + 1 < rtf.size() ? rtf[i + 1] : 0;
            if (next == '\\' || next == '{' || next == '}') {
                cell += QChar(next);
                ++i;
                continue;
            }
            qsizetype j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            qsizetype k = j;
            if (k < rtf.size() && (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k])))) {
                ++k;
                while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k])))
                    ++k;
            }
            const int parameter = rtf.mid(j, k - j).toInt();
            if (k < rtf.size() && rtf[k] == ' ')
                ++k;
            if (word == "cell") {
                row.append(cell);
                cell.clear();
            } else if (word == "row") {
                table.append(row);
                row.clear();
            } else if (word == "line") {
                cell += u'\n';
            } else if (word == "u") {
                cell += QChar(char16_t(parameter < 0 ? parameter + 65536 : parameter));
                ++k; // the "?" stand-in
            }
            i = k - 1;
        } else if (c != '{' && c != '}' && c != '\n' && c != '\r') {
            cell += QChar(c);
        }
    }
    return table;
}

Table readText(const QString &path)
{
    QString content = QString::fromUtf8(fileBytes(path));
    if (content.startsWith(QChar(0xFEFF)))
        content.remove(0, 1);
    QStringList lines = content.split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() < 2)
        return {};
    QList<QPair<qsizetype, qsizetype>> spans;
    const QString rule = lines[1];
    for (qsizetype i = 0; i < rule.size();) {
        if (rule[i] != u'-') {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < rule.size() && rule[end] == u'-')
            ++end;
        spans.append({i, end - i});
        i = end;
    }
    Table table;
    for (qsizetype l = 0; l < lines.size(); ++l) {
        if (l == 1)
            continue;
        QStringList row;
        for (const auto &span : spans)
            row.append(lines[l].mid(span.first, span.second).trimmed());
        table.append(row);
    }
    return table;
}

Table readXml(const QString &path, QString *problem)
{
    QXmlStreamReader xml(fileBytes(path));
    Table table{QStringList()};
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"alan") {
            table[0].append(xml.attributes().value("baslik").toString());
        } else if (xml.name() == u"kayit") {
            QStringList row;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement() && xml.name() == u"kayit")
                    break;
                if (xml.isStartElement())
                    row.append(xml.readElementText());
            }
            table.append(row);
        }
    }
    if (xml.hasError())
        *problem = xml.errorString();
    return table;
}

Table readDbf(const QString &path, QString *problem)
{
    Table table;
    DBFHandle dbf = DBFOpen(QFile::encodeName(path).constData(), "rb");
    if (!dbf) {
        *problem = "shapelib cannot open the file";
        return table;
    }
    QStringList header;
    for (int f = 0; f < DBFGetFieldCount(dbf); ++f) {
        char name[12] = {};
        DBFGetFieldInfo(dbf, f, name, nullptr, nullptr);
        header.append(QString::fromLatin1(name));
    }
    table.append(header);
    for (int r = 0; r < DBFGetRecordCount(dbf); ++r) {
        QStringList row;
        for (int f = 0; f < DBFGetFieldCount(dbf); ++f) {
            if (DBFIsAttributeNULL(dbf, r, f))
                row.append(QString());
            else
                row.append(AnsiCodec::toUnicode(DBFReadStringAttribute(dbf, r, f)).trimmed());
        }
        table.append(row);
    }
    DBFClose(dbf);
    return table;
}

Table readDif(const QString &path, QString *problem)
{
    const QString content = AnsiCodec::toUnicode(fileBytes(path));
    QStringList lines = content.split("\r\n");
    Table table;
    qsizetype i = lines.indexOf("DATA");
    if (i < 0 || !lines.startsWith("TABLE")) {
        *problem = "no DIF header";
        return table;
    }
    i += 3;
    while (i + 1 < lines.size()) {
        const QString kind = lines[i];
        const QString value = lines[i + 1];
        i += 2;
        if (kind == "-1,0" && value == "BOT") {
            table.append(QStringList());
        } else if (kind == "-1,0" && value == "EOD") {
            return table;
        } else if (kind.startsWith("0,")) {
            table.last().append(value == "V" ? kind.mid(2) : value);
        } else if (kind == "1,0") {
            QString text = value.mid(1, value.size() - 2);
            table.last().append(text.replace("\"\"", "\""));
        }
    }
    *problem = "no EOD";
    return table;
}

Table readSylk(const QString &path, int columns, QString *problem)
{
    const QString content = AnsiCodec::toUnicode(fileBytes(path));
    if (!content.startsWith("ID;") || !content.endsWith("E\r\n"))
        *problem = "no SYLK header or end";
    Table table;
    for (const QString &record : content.split("\r\n")) {
        if (!record.startsWith("C;"))
            continue;
        // Fields split at single semicolons; a doubled one belongs to the text.
        QStringList fields;
        QString field;
        for (qsizetype i = 2; i < record.size(); ++i) {
            if (record[i] == u';' && i + 1 < record.size() && record[i + 1] == u';') {
                field += u';';
                ++i;
            } else if (record[i] == u';') {
                fields.append(field);
                field.clear();
            } else {
                field += record[i];
            }
        }
        fields.append(field);
        int row = 0;
        int column = 0;
        QString value;
        for (const QString &part : fields) {
            if (part.startsWith(u'Y'))
                row = part.mid(1).toInt();
            else if (part.startsWith(u'X'))
                column = part.mid(1).toInt();
            else if (part.startsWith(u'K'))
                value = part.startsWith("K\"") ? part.mid(2, part.size() - 3) : part.mid(1);
            else if (part.startsWith(u'E'))
                *problem += "expression written; ";
        }
        while (table.size() < row)
            table.append(QStringList(columns, QString()));
        table[row - 1][column - 1] = value;
    }
    return table;
}

Table readSql(const QString &path, const QString &tableName, const QList<FieldType> &types, QString *problem)
{
    Table table;
    sqlite3 *db = nullptr;
    sqlite3_open(":memory:", &db);
    char *error = nullptr;
    if (sqlite3_exec(db, fileBytes(path).constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        *problem = QString::fromUtf8(error);
        sqlite3_free(error);
        sqlite3_close(db);
        return table;
    }
    sqlite3_stmt *statement = nullptr;
    const QByteArray query = "SELECT * FROM \"" + tableName.toUtf8() + "\" ORDER BY rowid";
    sqlite3_prepare_v2(db, query.constData(), -1, &statement, nullptr);
    QStringList header;
    for (int c = 0; c < sqlite3_column_count(statement); ++c)
        header.append(QString::fromUtf8(sqlite3_column_name(statement, c)));
    table.append(header);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            if (sqlite3_column_type(statement, c) == SQLITE_NULL)
                row.append(QString());
            else if (types[c] == FieldType::Money)
                row.append(ValueText::amountPlain(qRound64(sqlite3_column_double(statement, c) * 100)));
            else
                row.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, c))));
        }
        table.append(row);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return table;
}

// Checks that every word of every expected cell is in the text a PDF gives back.
QString missingWords(const QString &text, const Table &expected)
{
    QString simplified = text.simplified();
    QStringList missing;
    for (const QStringList &row : expected) {
        for (const QString &cell : row) {
            for (const QString &word : cell.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
                if (!simplified.contains(word))
                    missing.append(word);
            }
        }
    }
    return missing.join(" | ");
}

} // namespace

class tst_ExportFormats : public QObject
{
    Q_OBJECT

private slots:
    void writesEveryFormat_data();
    void writesEveryFormat();
    void latexCompilesWithPdflatex();
    void dbfDeclaresTurkishCodePage();
    void difCountsRowsTheSourceCannotTell();
    void exportsRowRange_data();
    void exportsRowRange();
    void reportsUnwritableFile_data();
    void reportsUnwritableFile();
    void cancelLeavesNoFile_data();
    void cancelLeavesNoFile();
    void reportsFullDisk();
    void extensionFollowsFormat_data();
    void extensionFollowsFormat();
};

void tst_ExportFormats::writesEveryFormat_data()
{
    QTest::addColumn<Fixture>("fixture");
    QTest::addColumn<ExportFormat>("format");
    const QList<QPair<Fixture, QString>> fixtures = {
        {Fixture::Company, "company ledger"}, {Fixture::Empty, "empty ledger"}, {Fixture::Customer, "customer ledger"}};
    for (const auto &fixture : fixtures) {
        for (ExportFormat format : allFormats())
            QTest::addRow("%s, %s", qPrintable(fixture.second), qPrintable(formatLabel(format))) << fixture.first << format;
    }
}

void tst_ExportFormats::writesEveryFormat()
{
    QFETCH(Fixture, fixture);
    QFETCH(ExportFormat, format);
    const Ledger data = ledger(fixture);
    MemoryRowSource source(data.fields, data.rows);
    ExportJob job(source, data.columns);
    job.setTableName(data.table);
    job.setValueText(turkish);
    QTemporaryDir folder;
    const QString path = folder.filePath("defter." + fileExtension(format));

    const ExportResult result = Exporter::run(job, format, path);
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(result.rows, qint64(data.rows.size()));
    if (!isClipboard(format)) {
        QVERIFY(QFileInfo::exists(path));
        QStringList leftovers = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        leftovers.removeAll("defter." + fileExtension(format));
        leftovers.removeAll("defter.cpg");
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers.join(", ")));
    }

    QList<FieldType> types;
    for (const ExportColumn &column : data.columns)
        types.append(data.fields[std::size_t(column.field)].type);
    const Table expected = expectedTable(data, format);
    QString problem;
    Table actual;
    switch (format) {
    case ExportFormat::Excel: actual = readXlsx(path, types, &problem); break;
    case ExportFormat::Word: actual = readDocx(path, &problem); break;
    case ExportFormat::Rtf: actual = readRtf(path, &problem); break;
    case ExportFormat::Html: {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(fileBytes(path)));
        actual = readTextTable(document);
        break;
    }
    case ExportFormat::Text: actual = readText(path); break;
    case ExportFormat::Xml: actual = readXml(path, &problem); break;
    case ExportFormat::Dbf: actual = readDbf(path, &problem); break;
    case ExportFormat::Csv: {
        const QByteArray bytes = fileBytes(path);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        actual = parseDelimited(QString::fromUtf8(bytes), u';');
        break;
    }
    case ExportFormat::Dif: actual = readDif(path, &problem); break;
    case ExportFormat::Sylk: actual = readSylk(path, int(types.size()), &problem); break;
    case ExportFormat::Sql: actual = readSql(path, data.table, types, &problem); break;
    case ExportFormat::Clipboard: {
        const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime && mime->hasText() && mime->hasHtml());
        actual = parseDelimited(mime->text(), u'\t');
        QTextDocument document;
        document.setHtml(mime->html());
        const Table html = readTextTable(document);
        const Table shown = expectedTable(data, ExportFormat::Html);
        QCOMPARE(html.size(), shown.size());
        for (qsizetype r = 0; r < shown.size(); ++r)
            QCOMPARE(html[r], shown[r]);
        break;
    }
    case ExportFormat::Pdf: {
        int exitCode = 0;
        const QString text = QString::fromUtf8(run("pdftotext", {"-enc", "UTF-8", path, "-"}, &exitCode));
        QCOMPARE(exitCode, 0);
        const QString missing = missingWords(text, expected);
        QVERIFY2(missing.isEmpty(), qPrintable("not in the PDF: " + missing));
        return;
    }
    case ExportFormat::Latex: {
        const QString source = QString::fromUtf8(fileBytes(path));
        QVERIFY(source.contains("\\begin{longtable}") && source.trimmed().endsWith("\\end{document}"));
        QCOMPARE(source.count(" \\\\ \\hline\n"), qsizetype(data.rows.size()));
        return; // compiled in latexCompilesWithPdflatex()
    }
    }
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(actual.size(), expected.size());
    for (qsizetype r = 0; r < expected.size(); ++r)
        QCOMPARE(actual[r], expected[r]);
}

void tst_ExportFormats::latexCompilesWithPdflatex()
{
    const QString pdflatex = QStandardPaths::findExecutable("pdflatex");
    if (pdflatex.isEmpty())
        QSKIP("pdflatex is not installed");
    const Ledger data = ledger(Fixture::Company);
    MemoryRowSource source(data.fields, data.rows);
    ExportJob job(source, data.columns);
    job.setValueText(turkish);
    QTemporaryDir folder;
    QVERIFY(Exporter::run(job, ExportFormat::Latex, folder.filePath("defter.tex")).ok);
    QProcess latex;
    latex.setWorkingDirectory(folder.path());
    latex.start(pdflatex, {"-interaction=nonstopmode", "-halt-on-error", "defter.tex"});
    QVERIFY(latex.waitForFinished(300000));
    QVERIFY2(latex.exitCode() == 0, latex.readAllStandardOutput().right(2000).constData());
    int exitCode = 0;
    const QString text = QString::fromUtf8(run("pdftotext", {"-enc", "UTF-8", folder.filePath("defter.pdf"), "-"}, &exitCode));
    QCOMPARE(exitCode, 0);
    const QString log = QString::fromUtf8(fileBytes(folder.filePath("defter.log")));
    QVERIFY2(!log.contains("Missing character"), qPrintable(log.right(2000)));
    // The T1 fonts are bitmap fonts here, which carry no text for letters
    // beyond ASCII; those words are checked in the source instead.
    Table asciiWords = expectedTable(data, ExportFormat::Latex);
    for (QStringList &row : asciiWords) {
        for (QString &cell : row) {
            QStringList words = cell.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
            words.removeIf([](const QString &word) {
                return std::any_of(word.begin(), word.end(), [](QChar c) { return c.unicode() > 0x7E; })
                    || word.contains(u'\\') || word.contains(u'"') || word.contains(u'<') || word.contains(u'>');
            });
            cell = words.join(u' ');
        }
    }
    const QString missing = missingWords(text, asciiWords);
    QVERIFY2(missing.isEmpty(), qPrintable("not in the PDF: " + missing));
    const QString tex = QString::fromUtf8(fileBytes(folder.filePath("defter.tex")));
    QVERIFY(tex.contains(u"ĞÜŞİÖÇ ğüşıöç"));
    QVERIFY(tex.contains(QStringLiteral("\\textless{}\\&\\textgreater{} 100\\% \\$ \\# \\_ \\{x\\} \\textasciitilde{} \\textasciicircum{} \\textbackslash{} 'tek'")));
}

void tst_ExportFormats::dbfDeclaresTurkishCodePage()
{
    const Ledger data = ledger(Fixture::Company);
    MemoryRowSource source(data.fields, data.rows);
    ExportJob job(source, data.columns);
    QTemporaryDir folder;
    QVERIFY(Exporter::run(job, ExportFormat::Dbf, folder.filePath("defter.dbf")).ok);
    const QByteArray dbf = fileBytes(folder.filePath("defter.dbf"));
    QCOMPARE(static_cast<unsigned char>(dbf.at(29)), 0xCA); // language driver: Windows Turkish 1254
    QCOMPARE(fileBytes(folder.filePath("defter.cpg")).trimmed(), QByteArray("1254"));
    QVERIFY(dbf.contains(AnsiCodec::fromUnicode(u"ĞÜŞİÖÇ ğüşıöç")));
}

void tst_ExportFormats::difCountsRowsTheSourceCannotTell()
{
    const Ledger data = ledger(Fixture::Company);
    MemoryRowSource source(data.fields, data.rows);
    source.hideCount();
    ExportJob job(source, data.columns);
    QTemporaryDir folder;
    QVERIFY(Exporter::run(job, ExportFormat::Dif, folder.filePath("defter.dif")).ok);
    QVERIFY(fileBytes(folder.filePath("defter.dif")).contains("TUPLES\r\n0,4\r\n"));
    QString problem;
    QCOMPARE(readDif(folder.filePath("defter.dif"), &problem).size(), 4);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void tst_ExportFormats::exportsRowRange_data()
{
    QTest::addColumn<RowRange>("range");
    QTest::addColumn<qint64>("current");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("all rows whatever the current one") << RowRange::All << qint64(1) << QStringList{"1", "2", "3"};
    QTest::newRow("from the current row") << RowRange::FromCurrent << qint64(1) << QStringList{"2", "3"};
    QTest::newRow("only the current row") << RowRange::OnlyCurrent << qint64(2) << QStringList{"3"};
    QTest::newRow("current row past the end") << RowRange::OnlyCurrent << qint64(7) << QStringList{};
}

void tst_ExportFormats::exportsRowRange()
{
    QFETCH(RowRange, range);
    QFETCH(qint64, current);
    QFETCH(QStringList, numbers);
    const Ledger data = ledger(Fixture::Company);
    MemoryRowSource source(data.fields, data.rows);
    ExportJob job(source, data.columns);
    job.setRowRange(range, current);
    QTemporaryDir folder;
    const QString path = folder.filePath("defter.csv");
    QVERIFY(Exporter::run(job, ExportFormat::Csv, path).ok);
    const Table table = parseDelimited(QString::fromUtf8(fileBytes(path)), u';');
    QStringList written;
    for (qsizetype r = 1; r < table.size(); ++r)
        written.append(table[r].first());
    QCOMPARE(written, numbers);
}

void tst_ExportFormats::reportsUnwritableFile_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<ExportFormat>("format");
    QTest::newRow("folder does not exist, CSV") << "yok/defter.csv" << ExportFormat::Csv;
    QTest::newRow("folder does not exist, Excel") << "yok/defter.xlsx" << ExportFormat::Excel;
    QTest::newRow("folder is a file, Word") << "dosya/defter.docx" << ExportFormat::Word;
    QTest::newRow("name is a folder, DBF") << "klasor.dbf" << ExportFormat::Dbf;
    QTest::newRow("read-only folder, PDF") << "salt/defter.pdf" << ExportFormat::Pdf;
    QTest::newRow("read-only folder, Excel") << "salt/defter.xlsx" << ExportFormat::Excel;
}

void tst_ExportFormats::reportsUnwritableFile()
{
    QFETCH(QString, relativePath);
    QFETCH(ExportFormat, format);
    QTemporaryDir folder;
    QFile blocker(folder.filePath("dosya"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(QDir(folder.path()).mkdir("klasor.dbf"));
    QVERIFY(QDir(folder.path()).mkdir("salt"));
    ReadOnlyPath readOnly(folder.filePath("salt"));
    if (relativePath.startsWith(u"salt/") && !readOnly.holds())
        QSKIP("nothing keeps this user from writing here");
    const Ledger data = ledger(Fixture::Company);
    MemoryRowSource source(data.fields, data.rows);
    ExportJob job(source, data.columns);
    const QString path = folder.filePath(relativePath);
    const ExportResult result = Exporter::run(job, format, path);
    QVERIFY(!result.ok);
    QVERIFY(!result.cancelled);
    QVERIFY2(result.message.contains("Dosya yazılamadı") && result.message.contains(QDir::toNativeSeparators(path)),
             qPrintable(result.message));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({"dosya", "klasor.dbf", "salt"}));
    if (relativePath.startsWith(u"salt/"))
        QVERIFY2(result.message.endsWith(u"\n\nErişim izni yok."), qPrintable(result.message));
    QCOMPARE(QDir(folder.filePath("salt")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void tst_ExportFormats::cancelLeavesNoFile_data()
{
    QTest::addColumn<ExportFormat>("format");
    for (ExportFormat format : allFormats()) {
        if (!isClipboard(format))
            QTest::newRow(qPrintable(formatLabel(format))) << format;
    }
}

void tst_ExportFormats::cancelLeavesNoFile()
{
    QFETCH(ExportFormat, format);
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < 2000; ++i)
        rows.push_back(ledgerfixture::companyRows()[std::size_t(i % 3)]);
    MemoryRowSource source(ledgerfixture::companyFields(), rows);
    ExportJob job(source, ledgerfixture::companyColumns());
    std::int64_t asked = 0;
    job.setProgress([&](std::int64_t done, std::int64_t) {
        asked = done;
        return done < 1000;
    });
    QTemporaryDir folder;
    const QString path = folder.filePath("defter." + fileExtension(format));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("eski");
    }
    const ExportResult result = Exporter::run(job, format, path);
    QVERIFY(!result.ok);
    QVERIFY(result.cancelled);
    QVERIFY(asked >= 1000 && asked < 2000);
    QCOMPARE(fileBytes(path), QByteArray("eski"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList("defter." + fileExtension(format)));
}

void tst_ExportFormats::reportsFullDisk()
{
    if (!QFileInfo::exists("/dev/full"))
        QSKIP("no /dev/full on this system");
    OutputBuffer out;
    QVERIFY(out.open("/dev/full"));
    for (int i = 0; i < 1000; ++i)
        out.append(QByteArray(1024, 'x'));
    QVERIFY(!out.close());
    QVERIFY(!out.errorString().isEmpty());
}

void tst_ExportFormats::extensionFollowsFormat_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<ExportFormat>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no extension") << "/veri/defter" << ExportFormat::Excel << "/veri/defter.xlsx";
    QTest::newRow("export extension replaced") << "/veri/defter.xlsx" << ExportFormat::Csv << "/veri/defter.csv";
    QTest::newRow("other dot kept") << "/veri/defter.2024" << ExportFormat::Sylk << "/veri/defter.2024.slk";
    QTest::newRow("clipboard leaves the name") << "/veri/defter.pdf" << ExportFormat::Clipboard << "/veri/defter.pdf";
}

void tst_ExportFormats::extensionFollowsFormat()
{
    QFETCH(QString, fileName);
    QFETCH(ExportFormat, format);
    QFETCH(QString, expected);
    QCOMPARE(withExtension(fileName, format), expected);
}

QTEST_MAIN(tst_ExportFormats)
#include "tst_exportformats.moc"
