#pragma once

#include "reports/ledgerreports.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace commandline {

// One call of selvora-rapor, read from its arguments:
//
//   selvora-rapor firma|musteri hepsi|bugun|uyari|gun N|aralik BAŞLANGIÇ BİTİŞ
//                 [--durum TEXT]... [--sirala FIELD] [--azalan]
//                 [--bicim metin|csv|pdf|xlsx] [--dosya FILE]
struct ReportRequest
{
    enum class Kind { All, Today, WarningDate, InDays, Range };
    enum class Format { Text, Csv, Pdf, Xlsx };

    reports::Ledger ledger = reports::Ledger::Company;
    Kind kind = Kind::All;
    int days = 0;               // InDays
    QDate start, end;           // Range
    QStringList statuses;       // Range: kept statuses, none for every status
    int sortIndex = -1;         // Range: item of the custom report's sort list
    bool descending = false;
    Format format = Format::Text;
    QString file;               // empty: standard output
};

struct ParsedCall
{
    std::optional<ReportRequest> request;
    bool help = false;  // --help: print reportUsage(), nothing else
    QString error;      // Turkish, for a wrong call
};

// Reads the arguments (without the program name). Options may stand
// anywhere, as "--bicim pdf" or "--bicim=pdf". Ledger and report words are
// taken with or without Turkish letters ("musteri" or "müşteri", "bugun" or
// "bugün"); --sirala takes a caption of the custom report's sort list
// ("Çek Tutarı", any case) or the field name (CEK_TUTARI). --durum and
// --sirala belong to "aralik" only.
ParsedCall parseReportCall(const QStringList &arguments);

// The --help text: every option, the exit codes, where the data are read.
QString reportUsage();

} // namespace commandline
