#pragma once

#include "backend/BatchRegistry.h"
#include "backend/Database.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QString>

#include <functional>
#include <memory>

namespace qvx {

class ServerContext;

// A refused or failed method call; its message goes back to the client.
class MethodError : public TextError
{
public:
    using TextError::TextError;
};

// The methods of the application server for one client connection, without
// the network: call() takes a method name and its arguments and returns the
// result or throws MethodError. Owns the connection's transaction: statements
// of cms_insert1 run inside it until "commit" or "rollback"; destroying the
// session rolls back what was not committed, and returns the request rows its
// commits made waiting to be sent that it never registered (see
// BatchRegistry::returnUnregisteredRows). Lives on one thread.
class ServerSession
{
public:
    explicit ServerSession(ServerContext &context);
    ~ServerSession();
    ServerSession(const ServerSession &) = delete;
    ServerSession &operator=(const ServerSession &) = delete;

    QJsonValue call(const QString &method, const QJsonArray &args);
    // A query (cms_select1, cms_select2) answered as JSON text written
    // straight from its rows; false for any other method (use call()).
    // Errors as call().
    // `meter` (may be null) is told as the answer grows and may refuse it.
    bool callQuery(const QString &method, const QJsonArray &args, QByteArray *resultJson,
                   AnswerMeter *meter = nullptr);

    // Asked while a statement of this session runs; a reason stops it (the
    // client went away, the server shuts down). Set before the first call.
    void setCancelCheck(std::function<QString()> check) { m_cancel = std::move(check); }

    bool isOpened() const { return m_opened; }
    QString serverName() const { return m_serverName; }
    bool inTransaction() const;

    // The names accepted by "open".
    static bool isKnownServerName(const QString &name);

private:
    QJsonValue open(const QJsonArray &args);
    QJsonValue select(const QJsonArray &args);
    QJsonValue insert(const QJsonArray &args);
    QJsonValue maxSeqNo(const QJsonArray &args);
    QJsonValue sendDesc(const QJsonArray &args);
    QJsonValue commMsg(const QJsonArray &args);
    QJsonValue bankState(const QJsonArray &args);

    // Before a commit: the request rows the transaction made waiting to be
    // sent, those of the request tables its statements named.
    QList<BatchRegistry::WaitingRow> rowsMadeWaiting();
    void noteRequestTables(const QString &sql);
    void returnUnregisteredRows(); // as the session ends

    DbConnection &connection();    // the client's transaction
    DbConnection &auxConnection(); // short work of its own (cms_senddesc, get_bankstate)
    // The connection in the slot, opened with the server's limits when it is not yet.
    DbConnection &opened(std::unique_ptr<DbConnection> &slot);

    ServerContext &m_context;
    std::unique_ptr<DbConnection> m_connection;
    std::unique_ptr<DbConnection> m_aux;
    bool m_opened = false;
    QString m_serverName;
    std::function<QString()> m_cancel;
    QStringList m_namedRequestTables; // by the statements of the open transaction
    QList<BatchRegistry::WaitingRow> m_unregistered; // committed as waiting, not yet registered
};

} // namespace qvx
