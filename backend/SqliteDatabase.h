#pragma once

#include "backend/Database.h"

namespace qvx {

// SQLite (one file, WAL journal). Statements written for MySQL are
// translated (see MySqlToSqlite.h) and the MySQL functions the client uses
// (if, concat, left, right, format, now, ...) are registered on every
// connection. Result columns are named as MySQL names them.
class SqliteDatabase : public Database
{
public:
    explicit SqliteDatabase(const QString &file, const QString &name = QStringLiteral("quvex"));

    std::unique_ptr<DbConnection> connect() override;
    std::unique_ptr<DbConnection> connectForClient() override;
    QString name() const override { return m_name; }
    QString file() const { return m_file; }

private:
    QString m_file;
    QString m_name;
};

} // namespace qvx
