#pragma once

#include <QString>

namespace forms {

// The program-wide values a caller sets before it shows a dialog modally and
// reads after the dialog has closed: modes handed to a dialog and results
// handed back. One instance for the whole program.
struct SharedState
{
    // Entry dialogs: "Y" a freshly appended, never saved row; "D" an existing row.
    QString firmaGirisModu;   // company cheque entry dialog
    QString musteriGirisModu; // customer cheque entry dialog
    bool musteriGirisAcik = false; // true while the customer entry dialog is open

    // After-save question: "1" new cheque, "2" stay, "3" leave.
    QString cekSorusuCevap;

    // Status picker: "F" company statuses, "M" customer statuses; whether a row was picked.
    QString cekTursecimSayfa;
    bool cekTursecimSecildi = false;

    // Customer bank details picker: whether a row was picked.
    bool musteriBilgiSecildi = false;

    // Company bank account dialog: "S" pick, "A" maintenance; whether a row was picked.
    QString bankaTanimModu;
    bool bankaSecildi = false;

    // Status definitions dialog: "F" company statuses, "M" customer statuses.
    QString cekDurumSayfa;

    // Custom report criteria accepted or not.
    bool firmaRaporozelTamam = false;
    bool musteriRaporozelTamam = false;
};

inline SharedState &shared()
{
    static SharedState state;
    return state;
}

} // namespace forms
