// selvora-tr: a loadable SQLite extension that gives the sqlite3 tool (or any
// other program on SQLite) the program's Turkish collation "TR" and trlower().
// Without it a table can be read but not written to, and its indexes not
// checked, because they are ordered by that collation:
//
//   sqlite3 Veriler/firma_cek.db -cmd '.load /usr/lib/x86_64-linux-gnu/selvora/selvora-tr' 'PRAGMA integrity_check'
//
// SQLite finds the entry point from the file name (selvora-tr.so gives
// sqlite3_selvoratr_init).
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include "engine/turkishfunctions.inc"

extern "C" int sqlite3_selvoratr_init(sqlite3 *db, char **, const sqlite3_api_routines *api)
{
    SQLITE_EXTENSION_INIT2(api);
    return registerTurkishFunctions(db);
}
