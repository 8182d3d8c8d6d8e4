#pragma once
// The inspection tool's link to the application server (the server object
// "QVXServer.QVSERVER"): connect to a typed address, run a query, run one
// statement between two commits. No widgets.

#include "platform/AppServer.h"
#include "platform/ResultSet.h"

#include <QString>

namespace tool {

class ToolLink
{
public:
    // Connects to "host" or "host:port", closing a connection open before.
    // False when no connection could be made (error() then says why).
    bool connectTo(const QString &address);
    void disconnect();
    bool isOpen() const { return m_server.isOpen(); }
    QString error() const { return m_error; }

    // cms_select1. Throws qvx::AppServerError.
    qvx::ResultSet select(const QString &sql);

    // "commit", the statement, "commit": whatever the connection still held
    // is committed before the statement runs. When a call fails the open work
    // is rolled back and the error thrown (qvx::AppServerError).
    void runStatement(const QString &sql);

private:
    qvx::TcpAppServer m_server;
    QString m_error;
};

} // namespace tool
