#include "inquiries/StatusViewSql.h"

#include "inquiries/ResultInquirySql.h"
#include "platform/SqlText.h"

using qvx::sqlQuote;

namespace StatusViewSql {

QString head()
{
    return ResultInquirySql::gicheColumns()
        + QStringLiteral("bank.BANKNAME AS MOBANKNAME,     bank.SENDNAME AS MOBANKOWNER,     "
        "allbank.BANKNAME AS TRANSBANKNAME,  if(giche.errcode=error.errcode, error.errcontents, giche.errcode) as "
        "errcontents from      allbank,  bank,     giche     left join error on  giche.BANKID  = error.BANKID AND  "
        "giche.ERRCODE = error.ERRCODE WHERE       giche.BANKID = bank.BANKID  and  giche.mobankno     = "
        "bank.mobankno  AND  giche.TRANS_BANKID = allbank.BANKID");
}

static QString stateClause(StatusFilter::State state)
{
    switch (state) {
    case StatusFilter::State::Entire:
        return QStringLiteral(" and giche.sr_flag > '0' ");
    case StatusFilter::State::Received:
        return QStringLiteral(" and giche.sr_flag = '4' ");
    case StatusFilter::State::NotSent:
        return QStringLiteral(" and giche.sr_flag > '0' and giche.sr_flag < '4'");
    }
    return QString();
}

QString byFilter(const StatusFilter &f, Refusal *refusal)
{
    *refusal = Refusal::None;
    if (!f.right && !f.wrong) {
        *refusal = Refusal::NoOutcomeOption;
        return QString();
    }
    QString sql = head();
    if (!f.bankCode.isEmpty())
        sql += QStringLiteral(" and giche.bankid = ") + sqlQuote(f.bankCode) + QStringLiteral(" ");
    sql += stateClause(f.state);
    sql += f.collection ? QStringLiteral(" and giche.gubun = '20' ") : QStringLiteral(" and giche.gubun = '30' ");
    if (f.right && !f.wrong)
        sql += QStringLiteral("  and giche.errcode = '0000' ");
    else if (f.wrong && !f.right)
        sql += QStringLiteral(" and giche.errcode <> '0000' ");
    sql += QStringLiteral(" and giche.senddate >= ") + sqlQuote(f.dateFrom)
           + QStringLiteral(" and giche.senddate <= ") + sqlQuote(f.dateTo) + QStringLiteral(" ");
    return sql + QStringLiteral(" order by giche.senddate, giche.seqno ");
}

} // namespace StatusViewSql
