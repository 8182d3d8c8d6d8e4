#pragma once

#include "backend/Database.h"

#include <memory>

namespace qvx {

class MariaDbReach;

// MariaDB (or MySQL) through the client library, for a real deployment. The
// server is expected to run with lower_case_table_names=1; every connection
// sets NO_BACKSLASH_ESCAPES and utf8mb4 itself.
//
// The connection is described by a text of key=value pairs separated by ';':
//   "host=127.0.0.1;port=3306;user=qvx;password=secret;database=quvex"
//   "socket=/run/mysqld/mysqld.sock;user=root;database=quvex"
class MariaDbDatabase : public Database
{
public:
    explicit MariaDbDatabase(const QString &connection);

    static bool isAvailable(); // built with the client library

    std::unique_ptr<DbConnection> connect() override;
    QString name() const override { return m_database; }

private:
    QString m_host;
    QString m_user;
    QString m_password;
    QString m_database;
    QString m_socket;
    unsigned m_port = 0;
    std::shared_ptr<MariaDbReach> m_reach; // whether MariaDB answered lately
};

// Refuses (DbError) a database whose default character set cannot hold
// Korean texts (anything but utf8mb4 or utf8): its tables would refuse the
// demo rows, and every name a client stores.
void refuseNarrowCharacterSet(DbConnection &c);

// Splits a script into statements at ';' outside quotes and comments.
QStringList splitSqlScript(const QString &script);

} // namespace qvx
