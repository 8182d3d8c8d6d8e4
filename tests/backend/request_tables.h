#pragma once
// The request tables with the column lists the client writes, and the INSERT
// text the client's builders make of them (SeqNo and TranSeqNo bare).

#include "platform/SqlText.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <iterator>

namespace qvx::testing {

// "insert into T(c1,c2,...) values('v1',...)" with SeqNo (and TranSeqNo) bare,
// as the client's request builders write it.
inline QString insertSql(const QString &table, const QString &columns, const QStringList &values)
{
    const QStringList cols = columns.split(QLatin1Char(','), Qt::SkipEmptyParts);
    QStringList vals;
    for (int i = 0; i < cols.size(); ++i) {
        const QString col = cols[i].trimmed().toLower();
        const QString v = i < values.size() ? values[i] : QString();
        if (col == QLatin1String("seqno") || col == QLatin1String("transeqno"))
            vals << v;
        else
            vals << qvx::sqlQuote(v);
    }
    return QStringLiteral("insert into %1(%2) values(%3)").arg(table, columns, vals.join(QLatin1Char(',')));
}

struct RequestTable
{
    const char *table;
    const char *columns;
    int count;
};

// The sixteen request tables with the column lists the client writes.
inline const RequestTable kRequestTables[] = {
    {"Trsum", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,ERRCODE,MoBankNo,TotalCnt,TotalGum,InOkCnt,InOkGum,InErrCnt,InErrGum,TaOkCnt,TaOkGum,TaErrCnt,TaErrGum,Fee,InSuCnt,InSuGum,InSuErrCnt,InSuErrGum,TrGubun,SelectArea1,Dummy,sr_flag,COMMON_DUMMY,up_gubuncode", 33},
    {"Vas_Trsum", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,ERRCODE,TransDate,GiKwanCode,Ibgum_tot_gun,Ibgum_tot_money,Ibgum_cnl_gun,Ibgum_cnl_Money,Chul_tot_gun,Chul_tot_money,Chul_cnl_gun,Chul_cnl_money,Fee_gun,Fee_Money,Dummy,sr_flag,COMMON_DUMMY,up_gubuncode", 27},
    {"giche", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,CFMID,SendFlag,MoBankNo,PassWd,Boki,Gubun,Price,Sign,Remain,TRANS_BankID,BankNo,Fee,CmsCode,Name,TaProcNo,TaErrFee,TaErrPrice,TaErrMoney,Dummy,sr_flag,up_gubuncode,COMMON_DUMMY", 31},
    {"cmsjiche102", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,CFMID,SendFlag,bankNo,PassWd,Boki,Gubun,Price,Sign,Remain,TRANS_BankID,MoBankNo,Fee,CmsCode,Name,TaProcNo,JuminNo,JuFlag,JuMoney,nonJuMoney,Dummy,sr_flag,up_gubuncode,COMMON_DUMMY", 32},
    {"CMSJICHE103", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,CFMID,SendFlag,MoBankNo,PassWd,Boki,Gubun,Price,Sign,Remain,TRANS_BankID,BankNo,Fee,CmsCode,Name,TaProcNo,JuminNo,JuFlag,JuMoney,nonJuMoney,Dummy,sr_flag,up_gubuncode,COMMON_DUMMY", 32},
    {"Icheresult", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,ICHE_SendDate,org_seqno,MoBankNo,TRANS_BankID,BankNo,Gubun,Price,ProcTime,Fee,CmsCode,Name,SubSeq,ProcResult,TaProcNo,Dummy,sr_flag,COMMON_DUMMY,up_gubuncode", 28},
    {"icheresult_102", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,ERRCODE,ICHE_SendDate,ORG_SEQNO,BankNo,TRANS_BankID,MoBankNo,Dummy1,Price,ProcTime,Fee,CmsCode,Name,SubSeq,ProcResult,TaProcNo,JuminNo,JuFlag,JuMoney,nonJuMoney,Dummy2,up_gubuncode,sr_flag,COMMON_DUMMY", 33},
    {"icheresult_103", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,ERRCODE,ICHE_SendDate,ORG_SEQNO,BankNo,TRANS_BankID,MoBankNo,Dummy1,Price,ProcTime,Fee,CmsCode,Name,SubSeq,ProcResult,TaProcNo,JuminNo,JuFlag,JuMoney,nonJuMoney,Dummy2,up_gubuncode,sr_flag,COMMON_DUMMY", 33},
    {"amt_search", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,BankNo,Sign,JanWon,Param1,Param2,Param3,AbleWon,Dummy,sr_flag,COMMON_DUMMY,up_gubuncode", 21},
    {"tcount_search", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,searchDate,sr_flag,COMMON_DUMMY,up_gubuncode", 14},
    {"SMS_Trans", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,BankID,USERID,SendFlag,TranSeqNo,RecvName,RecvTelNo,SendTelNo,ReserveDate,Message,Dummy,sr_flag,up_gubuncode,COMMON_DUMMY", 19},
    {"TA_NAME_SEARCH", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,MoBankNo,MoPassWd,MoBoki,NotUse1,Price,NotUse2,NotUse3,TRANS_BankID,BankNo,Fee,NotUse4,Name,NotUse5,RRNoCheck,Dummy,sr_flag,COMMON_DUMMY,up_gubuncode,RECEIVEDATE,RECEIVETIME", 30},
    {"DEPOSIT_ORDER", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,DEPOSIT_SendDate,ORG_SEQNO,MOBANKNO,Gubun,InBankID,Price,Sign,Remain,BrCode,Name,NoteNo,Param1,Param2,Param3,InCode,InTime,InDate,Dummy,sr_flag,COMMON_DUMMY,up_gubuncode,RECEIVEDATE,RECEIVETIME", 33},
    {"V_DEPOSIT_ORDER", "SENDDATE,SENDTIME,SERVICE,SEQNO,SENDID,RECVID,FIRMID,BANKID,USERID,SENDFLAG,ERRCODE,DEPOSIT_SENDDATE,ORG_SEQNO,MOBANKNO,GUBUN,INBANKID,PRICE,SIGN,REMAIN,BRCODE,NAME,JAGI,GAGAE,V_BANKNO,JUMINNO,INTIME,ORG_DATE,ORG_NO,DUMMY,RECEIVETIME,RECEIVEDATE,COMMON_DUMMY,up_gubuncode,SR_FLAG", 34},
    {"TA_ICHE_ORDER", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,errcode,TA_ICHE_SendDate,ORG_SEQNO,BANK_SEQNO,MoBankNo,TRANS_BankID,BankNo,Gubun,Price,ProcTime,Fee,CmsCode,Name,SubSeq,ProcResult,TaProcNo,Dummy,sr_flag,COMMON_DUMMY,up_gubuncode,receivedate,receivetime", 32},
    {"DRAFT_ORDER", "SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,SendFlag,DRAFT_SENDDATE,ORG_SEQNO,GUBUN,BANKNO,IBGUMCODE,DRAFTNO,DRAFTKIND,DRAFTMONEY,PUB_NAME,DEP_NAME,SUTAK_DATE,MANKI_DATE,PAY_BANKNAME,PAY_DEPARTNAME,DangTa_gubun,GYULJE_BANKNO,TRANS_DEPART,SELECTAREA1,SELECTAREA2,DUMMY,sr_flag,COMMON_DUMMY,up_gubuncode,RECEIVEDATE,RECEIVETIME", 35},
};

// Index of a table in kRequestTables (-1 when unknown).
inline int requestTableIndex(const QString &table)
{
    for (int i = 0; i < int(std::size(kRequestTables)); ++i)
        if (table.compare(QLatin1String(kRequestTables[i].table), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// The INSERT of one request row: the values by column name (others empty).
inline QString requestInsert(const QString &table, const QList<QPair<QString, QString>> &values)
{
    const RequestTable &t = kRequestTables[requestTableIndex(table)];
    const QStringList cols = QString::fromLatin1(t.columns).split(QLatin1Char(','));
    QStringList v;
    for (const QString &c : cols) {
        QString value;
        for (const auto &[name, text] : values)
            if (name.compare(c, Qt::CaseInsensitive) == 0)
                value = text;
        v << value;
    }
    return insertSql(QLatin1String(t.table), QLatin1String(t.columns), v);
}

} // namespace qvx::testing
