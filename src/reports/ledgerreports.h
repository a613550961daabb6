#pragma once

#include "reports/reportdefinition.h"

#include <QDate>
#include <QString>

namespace reports {

// The two ledger reports: the company report (firma_tumrapor) over the
// fields VADE_TARIHI, CEK_TUTARI, CEK_DURUMU, CEK_NUMARASI, CEKI_ALAN, and the
// customer report (musteri_tumrapor) over VADE_TARIHI, CEK_TUTARI, CEK_DURUM,
// BANKASI, HESAPSAHIBI, TAHSIL_BANKA, CIRO_EDEN, KIME_CIRO (and CEK_NUMARASI,
// fetched but not printed).
const ReportDefinition &companyReport();
const ReportDefinition &customerReport();

// SQL texts of the ready-made report commands. The date literal is the date
// as dd.mm.yyyy in single quotes, any quote inside doubled.
enum class Ledger { Company, Customer };
enum class DueCommand { Today, WarningDate, XDays };

QString sqlDateLiteral(const QDate &date);
// "SELECT * FROM firma_cek.db" / "SELECT * FROM museri_cek.DB".
QString allChequesSql(Ledger ledger);
// The command's prefix followed directly by the date literal.
QString dueOnDateSql(Ledger ledger, DueCommand command, const QDate &date);

// The number of days typed into the X-days input box: leading blanks and one
// sign, then decimal digits, or hexadecimal digits after "$". Anything else
// (empty text, letters, a trailing blank, a fraction) and values outside the
// signed 32-bit range give 0.
int dayCountFromText(const QString &text);

} // namespace reports
