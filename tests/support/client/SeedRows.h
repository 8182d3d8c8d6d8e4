#pragma once
// Rows the screen tests write straight into the database.

#include "core/RequestSql.h"

#include <QString>

// One waiting giche row of a batch, written straight into the database.
struct SeedRow
{
    QString userid = QStringLiteral("MAKER");
    QString cfmid = QStringLiteral("APPR1");
    QString senddate{};
    QString sendtime = QStringLiteral("101500");
    qint64 seqno = 1;
    qint64 price = 1000;
    QString name = QStringLiteral("거래처");
    QString gubun = QStringLiteral("30");
    QString upGubun = QStringLiteral("0100100");
    QString transBankId = QStringLiteral("20");
};

inline QString SeedSql(const SeedRow &r)
{
    const QString e;
    return MakeGicheSql(r.senddate, r.sendtime, QStringLiteral("DY1"), QString::number(r.seqno),
                        QStringLiteral("QVX0000001"), QStringLiteral("WRB2000"), QStringLiteral("HB2001"),
                        QStringLiteral("20"), r.userid, r.cfmid, QStringLiteral("1"), QStringLiteral("1005123456789"),
                        QStringLiteral("3456"), e, r.gubun, QString::number(r.price), e, e, r.transBankId,
                        QStringLiteral("1002345678901"), e, e, r.name, e, e, e, e, e, QStringLiteral("0"), r.upGubun,
                        e);
}

