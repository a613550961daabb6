#pragma once

#include <QString>

class QWidget;

namespace forms {

// The automatic backup when the program closes, run after the main window has
// gone: when one is due (the settings of Ayarlar.ini), it writes it into
// Yedekler; a small progress window appears only when this takes longer than
// a second; nothing is ever asked. A backup that fails is noted in Ayarlar.ini
// for the next start (and said on standard error). root: the folder that
// holds Veriler. Returns false when a due backup failed.
bool runClosingBackup(const QString &root);

// At start: the note of a failed automatic backup, shown once in the
// default error box and removed from Ayarlar.ini. Does nothing without one.
void reportFailedClosingBackup(const QString &root);

} // namespace forms
