#pragma once

class QString;
class QWidget;

namespace engine { class Table; }

namespace forms {

// Stores the row the table is editing or inserting (nothing to do in browse
// state: true). A key violation (a payee stored already) is answered with the
// program's "KAYIT HATASI" box owned by owner; any other engine failure with
// the failure box carrying the engine's message. On failure the row stays in
// its state with every typed value, and false comes back.
bool postRow(engine::Table &table, QWidget *owner);

// Deletes the current row. An engine failure is shown in the failure box with
// the engine's message; the row stays and false comes back.
bool removeRow(engine::Table &table);

// Writes a text into a field of the row being edited or inserted ("" stores an
// empty text). An engine refusal is shown in the failure box; false then.
bool writeText(engine::Table &table, const char *field, const QString &text);

} // namespace forms
