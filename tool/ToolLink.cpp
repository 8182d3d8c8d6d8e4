#include "tool/ToolLink.h"

#include "tool/ToolSql.h"

namespace tool {

bool ToolLink::connectTo(const QString &address)
{
    m_error.clear();
    const ServerAddress where = ParseServerAddress(address);
    try {
        m_server.open(where.host, where.port, QString::fromLatin1(qvx::TcpAppServer::ToolServerName));
    } catch (const qvx::AppServerError &e) {
        m_server.close();
        m_error = e.message();
        return false;
    }
    return m_server.isOpen();
}

void ToolLink::disconnect()
{
    m_server.close();
}

qvx::ResultSet ToolLink::select(const QString &sql)
{
    return m_server.select(sql);
}

void ToolLink::runStatement(const QString &sql)
{
    try {
        m_server.execute(QStringLiteral("commit"));
        m_server.execute(sql);
        m_server.execute(QStringLiteral("commit"));
    } catch (const qvx::AppServerError &) {
        if (m_server.isOpen()) {
            try {
                m_server.execute(QStringLiteral("rollback"));
            } catch (const qvx::AppServerError &) {
                // the statement's own failure is the one to report
            }
        }
        throw;
    }
}

} // namespace tool
