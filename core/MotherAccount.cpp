#include "core/MotherAccount.h"

#include "core/TextUtils.h"

MotherAccount MotherAccount::FromRow(const qvx::ResultSet &rs, int row)
{
    auto v = [&rs, row](const char *name) {
        const QString column = QString::fromLatin1(name);
        return rs.hasColumn(column) ? rs.value(row, column) : QString();
    };
    return {v("bankid"), v("mobankno"), v("bankname"), v("firmid"), v("sendname"),
            v("tr_gubuncode"), v("recvid"), v("passwd"), v("dblpasswd")};
}

QString ReportAccountText(const MotherAccount *chosen, const QString &otherChoice)
{
    if (chosen)
        return FormatAcctNo(chosen->bankid, chosen->mobankno);
    return otherChoice.isEmpty() ? QStringLiteral("모든 계좌") : otherChoice;
}
