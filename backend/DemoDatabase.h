#pragma once

#include "backend/Database.h"

#include <QString>

namespace qvx {

// The SQL scripts built into the server (Qt resources of backend/).
QString schemaScript();       // the client's tables
QString demoScript();         // the demo company's rows
QString serverTablesScript(); // the server's own tables (message numbers, notices, bank states)
QString serverDemoScript();   // demo rows of the server's own tables

// Creates the server's own tables and the bank's when missing (run at every
// start; a start that finds them creates nothing).
void ensureServerTables(DbConnection &connection);

// Creates a fresh demo database in the SQLite file (an existing file is
// replaced). Throws DbError.
void createDemoDatabase(const QString &sqliteFile);

// Fills any database with the demo: drops every table it has, then runs the
// schema, the demo rows and the server's own tables. Throws DbError.
void loadDemoData(DbConnection &connection);

} // namespace qvx
