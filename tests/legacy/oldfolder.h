#pragma once

#include "paradoxbuilder.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The tables of the older program as it left them in its data folder:
// Paradox 7 files, texts in code page 857, notes in .MB files.
namespace oldfolder {

// Turkish text in code page 857, from the code page's own table.
QByteArray cp857(const QString &text);

struct CustomerCheque
{
    int number = 0; // OTO_SN
    bool endorsed = false;
    QString endorser;
    QDate due;
    double amount = 0;
    QString chequeNumber;
    QString holder;
    QString bank;
    QString branch;
    QString account;
    QString status;
    QString collectingBank;
    QString collectingBranch;
    QString endorsedTo;
    QString note;
};

// The fields of the old customer ledger; statusWidth is the width of CEK_DURUM.
QList<ParadoxBuilder::Field> customerLedgerFields(int statusWidth = 20);

// A customer ledger file and its memo file. Notes longer than the 200-byte
// leader go into the memo file. Each block holds recordsPerBlock live records;
// every block ends with a stale copy of its first record (a deleted record).
// rawHolder, when not empty, replaces the HESAPSAHIBI bytes of the first row.
struct TableFiles
{
    QByteArray table;
    QByteArray memo;
};
TableFiles customerLedger(const QList<CustomerCheque> &cheques, int statusWidth = 20,
                          const QByteArray &rawHolder = {});

// A table of Alpha fields only (banks, payees, customers, statuses).
QByteArray alphaTable(const QList<ParadoxBuilder::Field> &fields, const QList<QStringList> &rows, int keyFields = 0);

} // namespace oldfolder
