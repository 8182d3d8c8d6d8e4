#pragma once
// INSERT statements of the request tables, one builder per table.
//
// Each builder takes the values of its table's columns in statement order, as
// texts, and returns "insert into <table>(<columns>) values(<values>)". Every
// value goes through qvx::sqlQuote (quotes doubled); SeqNo (and TranSeqNo of
// SMS_Trans) are written bare and must be integers: anything else throws
// qvx::SqlValueError before a statement exists.
//
// MakeGicheSql, MakeJiche102Sql and MakeJiche103Sql cut Name to 12 CP949 bytes
// (11 when the 12th byte begins a double-byte character); the others write
// every value as given.

#include <QString>
#include <QStringList>

QString MakeTrsumSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &ERRCODE, const QString &MoBankNo,
    const QString &TotalCnt, const QString &TotalGum, const QString &InOkCnt, const QString &InOkGum,
    const QString &InErrCnt, const QString &InErrGum, const QString &TaOkCnt, const QString &TaOkGum,
    const QString &TaErrCnt, const QString &TaErrGum, const QString &Fee, const QString &InSuCnt,
    const QString &InSuGum, const QString &InSuErrCnt, const QString &InSuErrGum, const QString &TrGubun,
    const QString &SelectArea1, const QString &Dummy, const QString &sr_flag, const QString &COMMON_DUMMY,
    const QString &up_gubuncode);

QString MakeGicheSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &CFMID, const QString &SendFlag, const QString &MoBankNo,
    const QString &PassWd, const QString &Boki, const QString &Gubun, const QString &Price,
    const QString &Sign, const QString &Remain, const QString &TRANS_BankID, const QString &BankNo,
    const QString &Fee, const QString &CmsCode, const QString &Name, const QString &TaProcNo,
    const QString &TaErrFee, const QString &TaErrPrice, const QString &TaErrMoney, const QString &Dummy,
    const QString &sr_flag, const QString &up_gubuncode, const QString &COMMON_DUMMY);

QString MakeJiche102Sql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &CFMID, const QString &SendFlag, const QString &bankNo,
    const QString &PassWd, const QString &Boki, const QString &Gubun, const QString &Price,
    const QString &Sign, const QString &Remain, const QString &TRANS_BankID, const QString &MoBankNo,
    const QString &Fee, const QString &CmsCode, const QString &Name, const QString &TaProcNo,
    const QString &JuminNo, const QString &JuFlag, const QString &JuMoney, const QString &nonJuMoney,
    const QString &Dummy, const QString &sr_flag, const QString &up_gubuncode, const QString &COMMON_DUMMY);

QString MakeJiche103Sql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &CFMID, const QString &SendFlag, const QString &MoBankNo,
    const QString &PassWd, const QString &Boki, const QString &Gubun, const QString &Price,
    const QString &Sign, const QString &Remain, const QString &TRANS_BankID, const QString &BankNo,
    const QString &Fee, const QString &CmsCode, const QString &Name, const QString &TaProcNo,
    const QString &JuminNo, const QString &JuFlag, const QString &JuMoney, const QString &nonJuMoney,
    const QString &Dummy, const QString &sr_flag, const QString &up_gubuncode, const QString &COMMON_DUMMY);

QString MakeIcheResultSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &ICHE_SendDate, const QString &org_seqno,
    const QString &MoBankNo, const QString &TRANS_BankID, const QString &BankNo, const QString &Gubun,
    const QString &Price, const QString &ProcTime, const QString &Fee, const QString &CmsCode,
    const QString &Name, const QString &SubSeq, const QString &ProcResult, const QString &TaProcNo,
    const QString &Dummy, const QString &sr_flag, const QString &COMMON_DUMMY, const QString &up_gubuncode);

QString MakeIcheResult102Sql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &ERRCODE, const QString &ICHE_SendDate,
    const QString &ORG_SEQNO, const QString &BankNo, const QString &TRANS_BankID, const QString &MoBankNo,
    const QString &Dummy1, const QString &Price, const QString &ProcTime, const QString &Fee,
    const QString &CmsCode, const QString &Name, const QString &SubSeq, const QString &ProcResult,
    const QString &TaProcNo, const QString &JuminNo, const QString &JuFlag, const QString &JuMoney,
    const QString &nonJuMoney, const QString &Dummy2, const QString &up_gubuncode, const QString &sr_flag,
    const QString &COMMON_DUMMY);

QString MakeIcheResult103Sql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &ERRCODE, const QString &ICHE_SendDate,
    const QString &ORG_SEQNO, const QString &BankNo, const QString &TRANS_BankID, const QString &MoBankNo,
    const QString &Dummy1, const QString &Price, const QString &ProcTime, const QString &Fee,
    const QString &CmsCode, const QString &Name, const QString &SubSeq, const QString &ProcResult,
    const QString &TaProcNo, const QString &JuminNo, const QString &JuFlag, const QString &JuMoney,
    const QString &nonJuMoney, const QString &Dummy2, const QString &up_gubuncode, const QString &sr_flag,
    const QString &COMMON_DUMMY);

QString MakeAmtSearchSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &BankNo, const QString &Sign,
    const QString &JanWon, const QString &Param1, const QString &Param2, const QString &Param3,
    const QString &AbleWon, const QString &Dummy, const QString &sr_flag, const QString &COMMON_DUMMY,
    const QString &up_gubuncode);

QString MakeTCountSearchSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &searchDate, const QString &sr_flag,
    const QString &COMMON_DUMMY, const QString &up_gubuncode);

QString MakeTaNameSearchSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &MoBankNo, const QString &MoPassWd,
    const QString &MoBoki, const QString &NotUse1, const QString &Price, const QString &NotUse2,
    const QString &NotUse3, const QString &TRANS_BankID, const QString &BankNo, const QString &Fee,
    const QString &NotUse4, const QString &Name, const QString &NotUse5, const QString &RRNoCheck,
    const QString &Dummy, const QString &sr_flag, const QString &COMMON_DUMMY, const QString &up_gubuncode,
    const QString &RECEIVEDATE, const QString &RECEIVETIME);

QString MakeDepositOrderSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &DEPOSIT_SendDate,
    const QString &ORG_SEQNO, const QString &MOBANKNO, const QString &Gubun, const QString &InBankID,
    const QString &Price, const QString &Sign, const QString &Remain, const QString &BrCode,
    const QString &Name, const QString &NoteNo, const QString &Param1, const QString &Param2,
    const QString &Param3, const QString &InCode, const QString &InTime, const QString &InDate,
    const QString &Dummy, const QString &sr_flag, const QString &COMMON_DUMMY, const QString &up_gubuncode,
    const QString &RECEIVEDATE, const QString &RECEIVETIME);

QString MakeVDepositOrderSql(
    const QString &SENDDATE, const QString &SENDTIME, const QString &SERVICE, const QString &SEQNO,
    const QString &SENDID, const QString &RECVID, const QString &FIRMID, const QString &BANKID,
    const QString &USERID, const QString &SENDFLAG, const QString &ERRCODE, const QString &DEPOSIT_SENDDATE,
    const QString &ORG_SEQNO, const QString &MOBANKNO, const QString &GUBUN, const QString &INBANKID,
    const QString &PRICE, const QString &SIGN, const QString &REMAIN, const QString &BRCODE,
    const QString &NAME, const QString &JAGI, const QString &GAGAE, const QString &V_BANKNO,
    const QString &JUMINNO, const QString &INTIME, const QString &ORG_DATE, const QString &ORG_NO,
    const QString &DUMMY, const QString &RECEIVETIME, const QString &RECEIVEDATE,
    const QString &COMMON_DUMMY, const QString &up_gubuncode, const QString &SR_FLAG);

QString MakeTaIcheOrderSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &errcode, const QString &TA_ICHE_SendDate,
    const QString &ORG_SEQNO, const QString &BANK_SEQNO, const QString &MoBankNo,
    const QString &TRANS_BankID, const QString &BankNo, const QString &Gubun, const QString &Price,
    const QString &ProcTime, const QString &Fee, const QString &CmsCode, const QString &Name,
    const QString &SubSeq, const QString &ProcResult, const QString &TaProcNo, const QString &Dummy,
    const QString &sr_flag, const QString &COMMON_DUMMY, const QString &up_gubuncode,
    const QString &receivedate, const QString &receivetime);

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
    const QString &RECEIVEDATE, const QString &RECEIVETIME);

// sr_flag '1' and up_gubuncode '0300400' are written by the builder.
QString MakeVasTrsumSql(
    const QString &SendDate, const QString &SendTime, const QString &Service, const QString &SeqNo,
    const QString &SendID, const QString &RecvID, const QString &FirmID, const QString &BankID,
    const QString &USERID, const QString &SendFlag, const QString &ERRCODE, const QString &TransDate,
    const QString &GiKwanCode, const QString &Ibgum_tot_gun, const QString &Ibgum_tot_money,
    const QString &Ibgum_cnl_gun, const QString &Ibgum_cnl_Money, const QString &Chul_tot_gun,
    const QString &Chul_tot_money, const QString &Chul_cnl_gun, const QString &Chul_cnl_money,
    const QString &Fee_gun, const QString &Fee_Money, const QString &Dummy, const QString &COMMON_DUMMY);

// SendDate, SendTime (now), Service 'DY2', SeqNo and TranSeqNo (the message
// number, bare), SendID (NetworkId), RecvID 'HELP002', BankID '00', SendFlag,
// sr_flag '1' and up_gubuncode '0900900' are filled by the builder.
class Session;
QString MakeSmsTransSql(const Session &session, const QString &SeqNo, const QString &USERID, const QString &RecvName,
                        const QString &RecvTelNo, const QString &SendTelNo, const QString &ReserveDate,
                        const QString &Message, const QString &Dummy, const QString &COMMON_DUMMY);

// The 28 fields of the re-processing line of the liquor result screens, each
// padded on the right with spaces to its width (CP949 bytes) and joined; a
// longer field is written whole. 241 bytes when nothing is too long; missing
// fields count as empty.
QString MakeFixedRecord(const QStringList &fields);
constexpr int FixedRecordFieldCount = 28;
// The width in bytes of field `field` (0-based) of that line.
int FixedRecordWidth(int field);
