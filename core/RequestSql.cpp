#include "core/RequestSql.h"

#include "core/RequestRows.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "platform/SqlText.h"

namespace {

const int FixedWidths[FixedRecordFieldCount] = {4, 20, 15, 13, 13, 13, 12, 20, 15, 6, 13, 14, 10, 10,
                                                8, 3,  2,  10, 2,  8,  9,  2,  1,  2, 2,  2,  8,  4};

} // namespace

int FixedRecordWidth(int field)
{
    return field >= 0 && field < FixedRecordFieldCount ? FixedWidths[field] : 0;
}

QString MakeTrsumSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &ERRCODE, const QString &MoBankNo,
    const QString &TotalCnt, const QString &TotalGum, const QString &InOkCnt, const QString &InOkGum,
    const QString &InErrCnt, const QString &InErrGum, const QString &TaOkCnt, const QString &TaOkGum,
    const QString &TaErrCnt, const QString &TaErrGum, const QString &Fee, const QString &InSuCnt,
    const QString &InSuGum, const QString &InSuErrCnt, const QString &InSuErrGum, const QString &TrGubun,
    const QString &SelectArea1, const QString &Dummy, const QString &sr_flag, const QString &COMMON_DUMMY,
    const QString &up_gubuncode)
{
    return MakeInsertSql(RequestRowFromValues<TrsumRow>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, ERRCODE,
        MoBankNo, TotalCnt, TotalGum, InOkCnt, InOkGum, InErrCnt, InErrGum, TaOkCnt, TaOkGum, TaErrCnt,
        TaErrGum, Fee, InSuCnt, InSuGum, InSuErrCnt, InSuErrGum, TrGubun, SelectArea1, Dummy, sr_flag,
        COMMON_DUMMY, up_gubuncode}));
}

QString MakeGicheSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &CFMID, const QString &SendFlag, const QString &MoBankNo,
    const QString &PassWd, const QString &Boki, const QString &Gubun, const QString &Price,
    const QString &Sign, const QString &Remain, const QString &TRANS_BankID, const QString &BankNo,
    const QString &Fee, const QString &CmsCode, const QString &Name, const QString &TaProcNo,
    const QString &TaErrFee, const QString &TaErrPrice, const QString &TaErrMoney, const QString &Dummy,
    const QString &sr_flag, const QString &up_gubuncode, const QString &COMMON_DUMMY)
{
    return MakeInsertSql(RequestRowFromValues<GicheRow>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, CFMID, SendFlag,
        MoBankNo, PassWd, Boki, Gubun, Price, Sign, Remain, TRANS_BankID, BankNo, Fee, CmsCode,
        Name, TaProcNo, TaErrFee, TaErrPrice, TaErrMoney, Dummy, sr_flag, up_gubuncode,
        COMMON_DUMMY}));
}

QString MakeJiche102Sql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &CFMID, const QString &SendFlag, const QString &bankNo,
    const QString &PassWd, const QString &Boki, const QString &Gubun, const QString &Price,
    const QString &Sign, const QString &Remain, const QString &TRANS_BankID, const QString &MoBankNo,
    const QString &Fee, const QString &CmsCode, const QString &Name, const QString &TaProcNo,
    const QString &JuminNo, const QString &JuFlag, const QString &JuMoney, const QString &nonJuMoney,
    const QString &Dummy, const QString &sr_flag, const QString &up_gubuncode, const QString &COMMON_DUMMY)
{
    return MakeInsertSql(RequestRowFromValues<Jiche102Row>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, CFMID, SendFlag, bankNo,
        PassWd, Boki, Gubun, Price, Sign, Remain, TRANS_BankID, MoBankNo, Fee, CmsCode, Name,
        TaProcNo, JuminNo, JuFlag, JuMoney, nonJuMoney, Dummy, sr_flag, up_gubuncode, COMMON_DUMMY}));
}

QString MakeJiche103Sql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &CFMID, const QString &SendFlag, const QString &MoBankNo,
    const QString &PassWd, const QString &Boki, const QString &Gubun, const QString &Price,
    const QString &Sign, const QString &Remain, const QString &TRANS_BankID, const QString &BankNo,
    const QString &Fee, const QString &CmsCode, const QString &Name, const QString &TaProcNo,
    const QString &JuminNo, const QString &JuFlag, const QString &JuMoney, const QString &nonJuMoney,
    const QString &Dummy, const QString &sr_flag, const QString &up_gubuncode, const QString &COMMON_DUMMY)
{
    return MakeInsertSql(RequestRowFromValues<Jiche103Row>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, CFMID, SendFlag,
        MoBankNo, PassWd, Boki, Gubun, Price, Sign, Remain, TRANS_BankID, BankNo, Fee, CmsCode,
        Name, TaProcNo, JuminNo, JuFlag, JuMoney, nonJuMoney, Dummy, sr_flag, up_gubuncode,
        COMMON_DUMMY}));
}

QString MakeIcheResultSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &ICHE_SendDate, const QString &org_seqno,
    const QString &MoBankNo, const QString &TRANS_BankID, const QString &BankNo, const QString &Gubun,
    const QString &Price, const QString &ProcTime, const QString &Fee, const QString &CmsCode,
    const QString &Name, const QString &SubSeq, const QString &ProcResult, const QString &TaProcNo,
    const QString &Dummy, const QString &sr_flag, const QString &COMMON_DUMMY, const QString &up_gubuncode)
{
    return MakeInsertSql(RequestRowFromValues<IcheResultRow>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, ICHE_SendDate,
        org_seqno, MoBankNo, TRANS_BankID, BankNo, Gubun, Price, ProcTime, Fee, CmsCode, Name, SubSeq,
        ProcResult, TaProcNo, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode}));
}

QString MakeIcheResult102Sql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &ERRCODE, const QString &ICHE_SendDate,
    const QString &ORG_SEQNO, const QString &BankNo, const QString &TRANS_BankID, const QString &MoBankNo,
    const QString &Dummy1, const QString &Price, const QString &ProcTime, const QString &Fee,
    const QString &CmsCode, const QString &Name, const QString &SubSeq, const QString &ProcResult,
    const QString &TaProcNo, const QString &JuminNo, const QString &JuFlag, const QString &JuMoney,
    const QString &nonJuMoney, const QString &Dummy2, const QString &up_gubuncode, const QString &sr_flag,
    const QString &COMMON_DUMMY)
{
    return MakeInsertSql(RequestRowFromValues<IcheResult102Row>(
                       {SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, ERRCODE,
        ICHE_SendDate, ORG_SEQNO, BankNo, TRANS_BankID, MoBankNo, Dummy1, Price, ProcTime, Fee, CmsCode,
        Name, SubSeq, ProcResult, TaProcNo, JuminNo, JuFlag, JuMoney, nonJuMoney, Dummy2, up_gubuncode,
        sr_flag, COMMON_DUMMY}));
}

QString MakeIcheResult103Sql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &ERRCODE, const QString &ICHE_SendDate,
    const QString &ORG_SEQNO, const QString &BankNo, const QString &TRANS_BankID, const QString &MoBankNo,
    const QString &Dummy1, const QString &Price, const QString &ProcTime, const QString &Fee,
    const QString &CmsCode, const QString &Name, const QString &SubSeq, const QString &ProcResult,
    const QString &TaProcNo, const QString &JuminNo, const QString &JuFlag, const QString &JuMoney,
    const QString &nonJuMoney, const QString &Dummy2, const QString &up_gubuncode, const QString &sr_flag,
    const QString &COMMON_DUMMY)
{
    return MakeInsertSql(RequestRowFromValues<IcheResult103Row>(
                       {SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, ERRCODE,
        ICHE_SendDate, ORG_SEQNO, BankNo, TRANS_BankID, MoBankNo, Dummy1, Price, ProcTime, Fee, CmsCode,
        Name, SubSeq, ProcResult, TaProcNo, JuminNo, JuFlag, JuMoney, nonJuMoney, Dummy2, up_gubuncode,
        sr_flag, COMMON_DUMMY}));
}

QString MakeAmtSearchSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &BankNo, const QString &Sign,
    const QString &JanWon, const QString &Param1, const QString &Param2, const QString &Param3,
    const QString &AbleWon, const QString &Dummy, const QString &sr_flag, const QString &COMMON_DUMMY,
    const QString &up_gubuncode)
{
    return MakeInsertSql(RequestRowFromValues<AmtSearchRow>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, BankNo, Sign,
        JanWon, Param1, Param2, Param3, AbleWon, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode}));
}

QString MakeTCountSearchSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &searchDate, const QString &sr_flag,
    const QString &COMMON_DUMMY, const QString &up_gubuncode)
{
    return MakeInsertSql(RequestRowFromValues<TCountSearchRow>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, searchDate,
        sr_flag, COMMON_DUMMY, up_gubuncode}));
}

QString MakeTaNameSearchSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &MoBankNo, const QString &MoPassWd,
    const QString &MoBoki, const QString &NotUse1, const QString &Price, const QString &NotUse2,
    const QString &NotUse3, const QString &TRANS_BankID, const QString &BankNo, const QString &Fee,
    const QString &NotUse4, const QString &Name, const QString &NotUse5, const QString &RRNoCheck,
    const QString &Dummy, const QString &sr_flag, const QString &COMMON_DUMMY, const QString &up_gubuncode,
    const QString &RECEIVEDATE, const QString &RECEIVETIME)
{
    return MakeInsertSql(RequestRowFromValues<TaNameSearchRow>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, MoBankNo,
        MoPassWd, MoBoki, NotUse1, Price, NotUse2, NotUse3, TRANS_BankID, BankNo, Fee, NotUse4, Name,
        NotUse5, RRNoCheck, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode, RECEIVEDATE, RECEIVETIME}));
}

QString MakeDepositOrderSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &DEPOSIT_SendDate,
    const QString &ORG_SEQNO, const QString &MOBANKNO, const QString &Gubun, const QString &InBankID,
    const QString &Price, const QString &Sign, const QString &Remain, const QString &BrCode,
    const QString &Name, const QString &NoteNo, const QString &Param1, const QString &Param2,
    const QString &Param3, const QString &InCode, const QString &InTime, const QString &InDate,
    const QString &Dummy, const QString &sr_flag, const QString &COMMON_DUMMY, const QString &up_gubuncode,
    const QString &RECEIVEDATE, const QString &RECEIVETIME)
{
    return MakeInsertSql(RequestRowFromValues<DepositOrderRow>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag,
        DEPOSIT_SendDate, ORG_SEQNO, MOBANKNO, Gubun, InBankID, Price, Sign, Remain, BrCode, Name, NoteNo,
        Param1, Param2, Param3, InCode, InTime, InDate, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode,
        RECEIVEDATE, RECEIVETIME}));
}

QString MakeVDepositOrderSql(
    const QString &SENDDATE, const QString &SENDTIME, const QString &SERVICE, const QString &SEQNO,
    const QString &SENDID, const QString &RECVID, const QString &FIRMID, const QString &BANKID,
    const QString &USERID, const QString &SENDFLAG, const QString &ERRCODE, const QString &DEPOSIT_SENDDATE,
    const QString &ORG_SEQNO, const QString &MOBANKNO, const QString &GUBUN, const QString &INBANKID,
    const QString &PRICE, const QString &SIGN, const QString &REMAIN, const QString &BRCODE,
    const QString &NAME, const QString &JAGI, const QString &GAGAE, const QString &V_BANKNO,
    const QString &JUMINNO, const QString &INTIME, const QString &ORG_DATE, const QString &ORG_NO,
    const QString &DUMMY, const QString &RECEIVETIME, const QString &RECEIVEDATE,
    const QString &COMMON_DUMMY, const QString &up_gubuncode, const QString &SR_FLAG)
{
    return MakeInsertSql(RequestRowFromValues<VDepositOrderRow>({SENDDATE, SENDTIME, SERVICE, SEQNO, SENDID, RECVID, FIRMID, BANKID, USERID, SENDFLAG, ERRCODE,
        DEPOSIT_SENDDATE, ORG_SEQNO, MOBANKNO, GUBUN, INBANKID, PRICE, SIGN, REMAIN, BRCODE, NAME, JAGI,
        GAGAE, V_BANKNO, JUMINNO, INTIME, ORG_DATE, ORG_NO, DUMMY, RECEIVETIME, RECEIVEDATE, COMMON_DUMMY,
        up_gubuncode, SR_FLAG}));
}

QString MakeTaIcheOrderSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &errcode, const QString &TA_ICHE_SendDate,
    const QString &ORG_SEQNO, const QString &BANK_SEQNO, const QString &MoBankNo,
    const QString &TRANS_BankID, const QString &BankNo, const QString &Gubun, const QString &Price,
    const QString &ProcTime, const QString &Fee, const QString &CmsCode, const QString &Name,
    const QString &SubSeq, const QString &ProcResult, const QString &TaProcNo, const QString &Dummy,
    const QString &sr_flag, const QString &COMMON_DUMMY, const QString &up_gubuncode,
    const QString &receivedate, const QString &receivetime)
{
    return MakeInsertSql(RequestRowFromValues<TaIcheOrderRow>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, errcode,
        TA_ICHE_SendDate, ORG_SEQNO, BANK_SEQNO, MoBankNo, TRANS_BankID, BankNo, Gubun, Price, ProcTime, Fee,
        CmsCode, Name, SubSeq, ProcResult, TaProcNo, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode, receivedate,
        receivetime}));
}

QString MakeDraftOrderSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &DRAFT_SENDDATE, const QString &ORG_SEQNO,
    const QString &GUBUN, const QString &BANKNO, const QString &IBGUMCODE, const QString &DRAFTNO,
    const QString &DRAFTKIND, const QString &DRAFTMONEY, const QString &PUB_NAME, const QString &DEP_NAME,
    const QString &SUTAK_DATE, const QString &MANKI_DATE, const QString &PAY_BANKNAME,
    const QString &PAY_DEPARTNAME, const QString &DangTa_gubun, const QString &GYULJE_BANKNO,
    const QString &TRANS_DEPART, const QString &SELECTAREA1, const QString &SELECTAREA2,
    const QString &DUMMY, const QString &sr_flag, const QString &COMMON_DUMMY, const QString &up_gubuncode,
    const QString &RECEIVEDATE, const QString &RECEIVETIME)
{
    return MakeInsertSql(RequestRowFromValues<DraftOrderRow>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, DRAFT_SENDDATE,
        ORG_SEQNO, GUBUN, BANKNO, IBGUMCODE, DRAFTNO, DRAFTKIND, DRAFTMONEY, PUB_NAME, DEP_NAME, SUTAK_DATE,
        MANKI_DATE, PAY_BANKNAME, PAY_DEPARTNAME, DangTa_gubun, GYULJE_BANKNO, TRANS_DEPART, SELECTAREA1,
        SELECTAREA2, DUMMY, sr_flag, COMMON_DUMMY, up_gubuncode, RECEIVEDATE, RECEIVETIME}));
}

QString MakeVasTrsumSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &ERRCODE, const QString &TransDate,
    const QString &GiKwanCode, const QString &Ibgum_tot_gun, const QString &Ibgum_tot_money,
    const QString &Ibgum_cnl_gun, const QString &Ibgum_cnl_Money, const QString &Chul_tot_gun,
    const QString &Chul_tot_money, const QString &Chul_cnl_gun, const QString &Chul_cnl_money,
    const QString &Fee_gun, const QString &Fee_Money, const QString &Dummy, const QString &COMMON_DUMMY)
{
    return MakeInsertSql(RequestRowFromValues<VasTrsumRow>({SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, ERRCODE,
        TransDate, GiKwanCode, Ibgum_tot_gun, Ibgum_tot_money, Ibgum_cnl_gun, Ibgum_cnl_Money, Chul_tot_gun,
        Chul_tot_money, Chul_cnl_gun, Chul_cnl_money, Fee_gun, Fee_Money, Dummy, QStringLiteral("1"),
        COMMON_DUMMY, QStringLiteral("0300400")}));
}

QString MakeSmsTransSql(const Session &session, const QString &SeqNo, const QString &USERID, const QString &RecvName,
                        const QString &RecvTelNo, const QString &SendTelNo, const QString &ReserveDate,
                        const QString &Message, const QString &Dummy, const QString &COMMON_DUMMY)
{
    const QDateTime now = qvx::Clock::now();
    return MakeInsertSql(RequestRowFromValues<SmsTransRow>({now.toString(QStringLiteral("yyyyMMdd")), now.toString(QStringLiteral("hhmmss")),
                        QStringLiteral("DY2"), SeqNo, session.NetworkId, QStringLiteral("HELP002"), QStringLiteral("00"),
                        USERID, QStringLiteral("1"), SeqNo, RecvName, RecvTelNo, SendTelNo, ReserveDate, Message,
                        Dummy, QStringLiteral("1"), QStringLiteral("0900900"), COMMON_DUMMY}));
}

QString MakeFixedRecord(const QStringList &fields)
{
    QString line;
    for (int i = 0; i < FixedRecordFieldCount; ++i) {
        const QString field = i < fields.size() ? fields[i] : QString();
        const int pad = FixedWidths[i] - Cp949Length(field);
        line += field;
        if (pad > 0)
            line += QString(pad, QLatin1Char(' '));
    }
    return line;
}
