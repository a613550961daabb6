#include "commandline/reportcommand.h"

#include "commandline/plaintextreport.h"
#include "commandline/reportrequest.h"
#include "engine/database.h"
#include "engine/error.h"
#include "engine/query.h"
#include "export/exporter.h"
#include "export/exportjob.h"
#include "reports/customreportcriteria.h"
#include "reports/ledgerreports.h"
#include "reports/pagepainter.h"
#include "reports/reportlayouter.h"
#include "settings/warningsettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

namespace commandline {

namespace {

using Request = ReportRequest;

// Ends the run with a message on the error stream.
struct Stop
{
    int code;
    QString message;
};

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

// The columns of the ledger's printed report, with its captions.
QList<ReportColumn> columnsOf(reports::Ledger ledger)
{
    if (ledger == reports::Ledger::Company)
        return {{"VADE_TARIHI", QStringLiteral("VADE TARİHİ")},
                {"CEK_TUTARI", QStringLiteral("ÇEK TUTARI")},
                {"CEK_DURUMU", QStringLiteral("ÇEK DURUMU")},
                {"CEK_NUMARASI", QStringLiteral("ÇEK NUMARASI")},
                {"CEKI_ALAN", QStringLiteral("ÇEKİ ALAN")}};
    return {{"VADE_TARIHI", QStringLiteral("VADE TARİHİ")},
            {"CEK_TUTARI", QStringLiteral("ÇEKİN TUTARI")},
            {"CEK_DURUM", QStringLiteral("ÇEKİN DURUMU")},
            {"BANKASI", QStringLiteral("BANKA ADI")},
            {"HESAPSAHIBI", QStringLiteral("ÇEKİ VEREN")},
            {"TAHSIL_BANKA", QStringLiteral("TAHSİLE VERD. BANKA")},
            {"CIRO_EDEN", QStringLiteral("ÇEKİ CİRO EDEN")},
            {"KIME_CIRO", QStringLiteral("ÇEKİ CİRO ETTİĞİMİZ KİŞİ")}};
}

// What the call asks of the ledger: the report query's SQL text (the same
// texts the menu commands write), the line that says so, and the message
// when nothing matches.
struct Selection
{
    QString sql;
    QString description;
    QString noRows;
};

Selection selectionFor(const Request &request, const QString &root, const QDate &today)
{
    using reports::DueCommand;
    switch (request.kind) {
    case Request::Kind::All:
        return {reports::allChequesSql(request.ledger), QStringLiteral("Bütün çekler"),
                QStringLiteral("Raporlanacak kayıt yok.")};
    case Request::Kind::Today:
        return {reports::dueOnDateSql(request.ledger, DueCommand::Today, today),
                QStringLiteral("Bu gün (%1) vadesi dolan çekler").arg(dateText(today)),
                QStringLiteral("Vadesi Dolan Çek Bulunamadı.")};
    case Request::Kind::WarningDate: {
        const QDate warning =
            settings::WarningSettings::load(QDir(root).filePath(settings::WarningSettings::fileName()), today)
                .settings.warningDate;
        return {reports::dueOnDateSql(request.ledger, DueCommand::WarningDate, warning),
                QStringLiteral("Uyarı sistemine göre (%1) vadesi dolan çekler").arg(dateText(warning)),
                QStringLiteral("Uyarı Sistemine Göre Vadesi Dolan Çek Bulunamadı.")};
    }
    case Request::Kind::InDays: {
        const QDate day = today.addDays(request.days);
        if (!day.isValid())
            throw Stop{exitcode::WrongCall, QStringLiteral("%1 gün sonrası takvimin dışında.").arg(request.days)};
        return {reports::dueOnDateSql(request.ledger, DueCommand::XDays, day),
                QStringLiteral("%1 gün sonra (%2) vadesi dolan çekler").arg(request.days).arg(dateText(day)),
                QStringLiteral("Vadesi Dolan Çek Bulunamadı.")};
    }
    case Request::Kind::Range: {
        reports::CustomReportCriteria criteria;
        criteria.start = request.start;
        criteria.end = request.end;
        criteria.statuses = request.statuses;
        criteria.sortIndex = request.sortIndex;
        criteria.descending = request.descending;
        QString description = QStringLiteral("Vadesi %1 - %2 arasında olan çekler").arg(dateText(request.start),
                                                                                      dateText(request.end));
        if (!request.statuses.isEmpty())
            description += QStringLiteral(", durum: ") + request.statuses.join(u", ");
        if (request.sortIndex > 0)
            description += QStringLiteral(", sıralama: ")
                           + reports::customReportSortCaptions(request.ledger).at(request.sortIndex)
                           + (request.descending ? QStringLiteral(" (azalan)") : QStringLiteral(" (artan)"));
        return {reports::customReportSql(request.ledger, criteria), description,
                QStringLiteral("Belirlediğiniz Kriterlere Uyan Çek Kaydı Bulunamadı.")};
    }
    }
    return {};
}

// Copies a finished file to where the report goes: the output stream, or
// the named file, replaced only once the copy is whole.
void deliver(const QString &finished, const QString &target, QIODevice &out)
{
    QFile source(finished);
    if (!source.open(QIODevice::ReadOnly))
        throw Stop{exitcode::OutputFailed, QStringLiteral("Rapor yazılamadı: %1").arg(source.errorString())};
    QSaveFile file(target);
    QIODevice *sink = &out;
    if (!target.isEmpty()) {
        if (!file.open(QIODevice::WriteOnly))
            throw Stop{exitcode::OutputFailed,
                       QStringLiteral("\"%1\" yazılamadı: %2").arg(QDir::toNativeSeparators(target), file.errorString())};
        sink = &file;
    }
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (sink->write(chunk) != chunk.size())
            throw Stop{exitcode::OutputFailed, QStringLiteral("Rapor yazılamadı: %1").arg(sink->errorString())};
    }
    if (!target.isEmpty() && !file.commit())
        throw Stop{exitcode::OutputFailed,
                   QStringLiteral("\"%1\" yazılamadı: %2").arg(QDir::toNativeSeparators(target), file.errorString())};
}

void writeReport(const Request &request, const Selection &selection, engine::Query &query, const QDate &today,
                 const QString &scratch)
{
    const QList<ReportColumn> columns = columnsOf(request.ledger);
    const reports::ReportDefinition &definition =
        request.ledger == reports::Ledger::Company ? reports::companyReport() : reports::customerReport();
    const QString heading = request.ledger == reports::Ledger::Company ? QStringLiteral("FİRMA KESİLEN ÇEK RAPORU")
                                                                        : QStringLiteral("ALINAN ÇEK RAPORU");
    switch (request.format) {
    case Request::Format::Text: {
        QFile file(scratch);
        if (!file.open(QIODevice::WriteOnly))
            throw Stop{exitcode::OutputFailed, QStringLiteral("Rapor yazılamadı: %1").arg(file.errorString())};
        writePlainText(file, query, columns, {heading, QStringLiteral("Rapor Tarihi :") + dateText(today),
                                              selection.description});
        if (!file.flush())
            throw Stop{exitcode::OutputFailed, QStringLiteral("Rapor yazılamadı: %1").arg(file.errorString())};
        return;
    }
    case Request::Format::Pdf: {
        reports::LayoutOptions options;
        options.today = today;
        options.marks = text::NumberMarks{};
        reports::ReportLayouter layouter(definition, query, options);
        if (layouter.run() != reports::ReportLayouter::Status::Done)
            throw Stop{exitcode::DataUnreadable, layouter.errorText()};
        QString error;
        if (!reports::PagePainter::writePdf(layouter.report(), scratch, &error))
            throw Stop{exitcode::OutputFailed, error};
        return;
    }
    case Request::Format::Csv:
    case Request::Format::Xlsx: {
        QList<exporting::ExportColumn> exported;
        for (const ReportColumn &column : columns)
            exported << exporting::ExportColumn{query.fieldIndex(column.field), column.caption};
        exporting::ExportJob job(query, exported);
        job.setTableName(request.ledger == reports::Ledger::Company ? QStringLiteral("firma_cek")
                                                                     : QStringLiteral("museri_cek"));
        job.setValueText(exporting::ValueText(text::NumberMarks{}));
        const exporting::ExportResult result = exporting::Exporter::run(
            job, request.format == Request::Format::Csv ? exporting::ExportFormat::Csv : exporting::ExportFormat::Excel,
            scratch);
        if (!result.ok)
            throw Stop{exitcode::OutputFailed, result.message};
        return;
    }
    }
}

} // namespace

int runReportCommand(const QStringList &arguments, const QString &root, const QDate &today, QIODevice &out,
                     QIODevice &err)
{
    const auto say = [&err](const QString &message) {
        err.write((QStringLiteral("selvora-rapor: ") + message + u'\n').toUtf8());
    };
    const ParsedCall call = parseReportCall(arguments);
    if (call.help) {
        out.write(reportUsage().toUtf8());
        return exitcode::Rows;
    }
    if (!call.request) {
        say(call.error);
        say(QStringLiteral("Bütün seçenekler için: selvora-rapor --help"));
        return exitcode::WrongCall;
    }
    const Request &request = *call.request;
    try {
        const Selection selection = selectionFor(request, root, today);
        const QString dataFolder = QDir(root).filePath(QStringLiteral("Veriler"));
        if (!QFileInfo(dataFolder).isDir())
            throw Stop{exitcode::DataUnreadable,
                       QStringLiteral("Veri klasörü bulunamadı: %1").arg(QDir::toNativeSeparators(dataFolder))};
        QTemporaryDir scratch;
        if (!scratch.isValid())
            throw Stop{exitcode::OutputFailed, QStringLiteral("Geçici klasör oluşturulamadı.")};
        const QString finished = scratch.filePath(QStringLiteral("rapor"));
        try {
            engine::Database database(std::filesystem::u8path(dataFolder.toStdString()), engine::Access::ReadOnly);
            engine::Query query(database);
            query.setSql(selection.sql.toStdString());
            query.open();
            if (!query.next()) {
                say(selection.noRows);
                return exitcode::NoRows;
            }
            query.restart();
            writeReport(request, selection, query, today, finished);
        } catch (const engine::Error &e) {
            throw Stop{exitcode::DataUnreadable, QStringLiteral("Veriler okunamadı: ") + QString::fromStdString(e.what())};
        }
        deliver(finished, request.file, out);
        return exitcode::Rows;
    } catch (const Stop &stop) {
        say(stop.message);
        return stop.code;
    }
}

} // namespace commandline
