#pragma once

#include "engine/database.h"

#include <string_view>

namespace engine {

// Runs a creation script against a data folder: statements separated by ";",
// one after the other, without a transaction around them, so a failing
// statement leaves the ones before it done.
//
//   CREATE TABLE "<file>" (<field> <type>, ... [, PRIMARY KEY (<field>, ...)])
//   CREATE INDEX <name> ON "<file>" (<field>)
//
// Types: AUTOINC, DATE, MONEY, CHAR(n), BOOLEAN, BLOB(n,m) (a memo), INTEGER.
// Keywords in any case. A table file made by a script takes its extension in
// lower case ("firma_cek.DB" becomes firma_cek.db), as every table file of the
// program is named. Raises Error: SqlSyntax naming the statement and the
// position of what it does not know, or the error of the failing statement.
void runScript(Database &database, std::string_view script);

} // namespace engine
