#pragma once
// The client's link with hooks for the screen tests: a statement can be
// refused and the registration's answer chosen; everything else reaches the
// real server.
//
//   HookedLink hooked(*client.dm()->scktconnect);
//   hooked.refuse = [](const QString &sql) { return sql.contains("icheresult"); };
//   client.dm()->setAppServer(&hooked);

#include "platform/AppServer.h"
#include "platform/ResultSet.h"

#include <functional>

// The client's link with hooks: a statement can be refused and the
// registration's answer chosen; everything else reaches the server.
class HookedLink : public qvx::AppServer
{
public:
    explicit HookedLink(qvx::AppServer &link) : m_link(link) {}
    std::function<bool(const QString &sql)> refuse;   // true: the statement fails
    std::function<int()> sendDescAnswer;              // unset: the server's answer

    qvx::ResultSet select(const QString &sql) override { return m_link.select(sql); }
    qvx::ResultSet select2(const QString &sql) override { return m_link.select2(sql); }
    void execute(const QString &sql) override
    {
        if (refuse && refuse(sql))
            throw qvx::AppServerError(qvx::AppServerError::Kind::Server, QStringLiteral("refused"));
        m_link.execute(sql);
    }
    int maxSeqNo(int n) override { return m_link.maxSeqNo(n); }
    int sendDesc(const QString &a, const QString &b, const QString &c, const QString &d, const QString &e) override
    {
        return sendDescAnswer ? sendDescAnswer() : m_link.sendDesc(a, b, c, d, e);
    }
    QString serverTime() override { return m_link.serverTime(); }
    QString commMsg(int kind) override { return m_link.commMsg(kind); }
    QString bankState(const QString &a, const QString &b, const QString &c) override { return m_link.bankState(a, b, c); }
    bool isOpen() const override { return m_link.isOpen(); }

private:
    qvx::AppServer &m_link;
};

