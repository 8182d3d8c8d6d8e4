#include "inquiries/HolderNameInquiry.h"

#include "core/TextUtils.h"
#include "platform/ResultSet.h"

HolderNameRefusal CheckHolderNameRequest(const HolderNameRequest &request)
{
    return request.accountNo.isEmpty() ? HolderNameRefusal::NoAccountNo : HolderNameRefusal::None;
}

TaNameSearchRow HolderNameRequestRow(const RequestHeader &header, const HolderNameRequest &r)
{
    TaNameSearchRow row;
    ApplyRequestHeader(row, header);
    row.RecvID = r.parent.recvid;
    row.FirmID = r.parent.firmid;
    row.BankID = r.parent.bankid;
    row.MoBankNo = r.parent.mobankno;
    row.MoPassWd = r.parent.passwd;
    row.MoBoki = r.parent.dblpasswd;
    row.Price = QStringLiteral("0000000000001");
    row.TRANS_BankID = r.payeeBankId;
    row.BankNo = DelChar(r.accountNo, u'-');
    row.RRNoCheck = r.residentNo;
    return row;
}

HolderNameAnswer HolderNameAnswer::FromRow(const qvx::ResultSet &rs, int i)
{
    auto v = [&rs, i](const char *name) { return rs.value(i, QString::fromLatin1(name)); };
    return {v("mobankname"), v("bankid"), v("mobankno"),  v("price"),       v("bankname"),   v("fee"),
            v("name"),       v("rrnocheck"), v("common_dummy"), v("errcode").trimmed(), v("errcontents").trimmed()};
}

QString HolderNameAnswer::remark() const
{
    if (errCode.isEmpty() || errCode == QLatin1String("0000"))
        return commonDummy;
    const QString reason = errContents.isEmpty() ? errCode : errContents;
    return commonDummy.trimmed().isEmpty() ? reason : reason + u' ' + commonDummy.trimmed();
}

QString HolderNameAnswer::accountText() const
{
    return FormatAcctNo(bankId, moBankNo);
}
