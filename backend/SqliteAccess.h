#pragma once

#include <QString>

namespace qvx {

// What a statement of a client may reach on SQLite beyond tables and views:
// the SQL functions the programs' statements use (the client, the inspection
// tool, the server's own bank) with the plain text, number and date
// functions a person types into the tool's memo, and the pragmas that only
// read. Everything else is refused, above all what reaches past the
// database: functions that hand out or take addresses or load code, pragmas
// that change locking, files or the schema's integrity, virtual tables.
// The lists are in backend/PROTOCOL.md.
namespace sqliteaccess {

// Whether a statement may call the function (name without regard to case).
bool functionAllowed(const char *name);
// Whether an ALTER TABLE may call the function: the library runs its own
// statements for it, with functions no client statement may call.
bool alterFunctionAllowed(const char *name);
// The first function outside the list that a CREATE TABLE or ALTER TABLE
// gives a column in a DEFAULT, CHECK or generated-column (AS) expression;
// empty when none. The library calls those functions later without asking
// (a default when a row is inserted, an added column's check when a row is
// written), so they are looked at in the statement's text.
QString refusedSchemaFunction(const QString &sql);
// Whether a statement may run the pragma; `argument` is null when the pragma
// is only read ("pragma user_version"), its value or table name otherwise.
bool pragmaAllowed(const char *name, const char *argument);

} // namespace sqliteaccess

} // namespace qvx
