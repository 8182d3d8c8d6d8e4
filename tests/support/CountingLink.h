#pragma once

#include "platform/AppServer.h"
#include "platform/ResultSet.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace qvx::test {

// Passes every call on to the real link, counting the registration answers;
// answers queued in `forced` are given instead of asking the server.
class CountingLink : public qvx::AppServer
{
public:
    explicit CountingLink(qvx::AppServer &inner) : m_inner(inner) {}

    qvx::ResultSet select(const QString &sql) override
    {
        selects.push_back(sql);
        return m_inner.select(sql);
    }
    qvx::ResultSet select2(const QString &sql) override
    {
        selects.push_back(sql);
        return m_inner.select2(sql);
    }
    void execute(const QString &sql) override
    {
        ++executes;
        statements.push_back(sql);
        m_inner.execute(sql);
    }
    int maxSeqNo(int n) override
    {
        ++seqCalls;
        return m_inner.maxSeqNo(n);
    }
    int sendDesc(const QString &a, const QString &b, const QString &c, const QString &d, const QString &e) override
    {
        int answer;
        if (!forced.empty()) {
            answer = forced.front();
            forced.pop_front();
        } else {
            answer = m_inner.sendDesc(a, b, c, d, e);
        }
        answers.push_back(answer);
        return answer;
    }
    QString serverTime() override { return m_inner.serverTime(); }
    QString commMsg(int kind) override { return m_inner.commMsg(kind); }
    QString bankState(const QString &a, const QString &b, const QString &c) override
    {
        return m_inner.bankState(a, b, c);
    }
    bool isOpen() const override { return m_inner.isOpen(); }

    int count(int answer) const { return int(std::count(answers.begin(), answers.end(), answer)); }

    int seqCalls = 0;
    int executes = 0;
    std::vector<QString> statements; // what execute() was given, in order
    std::vector<QString> selects;    // what select() and select2() were given, in order
    std::vector<int> answers;
    std::deque<int> forced;

private:
    qvx::AppServer &m_inner;
};

} // namespace qvx::test
