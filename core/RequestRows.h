#pragma once
// Typed request rows: one struct per request table, its fields named as the
// table's columns, and one builder that writes any of them as the INSERT
// statement of its table.
//
//   AmtSearchRow row;
//   ApplyRequestHeader(row, RequestHeader::of(session));
//   row.RecvID = ...; row.BankNo = ...;
//   sender.sendRows(batch, QList<AmtSearchRow>{row});   // SeqNo set by the sender
//   MakeInsertSql(row);  // "insert into amt_search(SendDate,...) values('...',...)"
//
// Every value is quoted (quotes doubled); SeqNo and TranSeqNo are written bare
// and must be 64-bit integers, or MakeInsertSql throws qvx::SqlValueError. The
// transfer tables (CutsName) cut Name to 12 CP949 bytes, never splitting a
// double-byte character. SendFlag and sr_flag start as "1", up_gubuncode as
// the table's service code; the fixed values of Vas_Trsum and SMS_Trans are
// the rows' defaults.

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class Session;

template <class Row>
using RequestColumns = std::vector<std::pair<const char *, QString Row::*>>;

// The header values of a request made now in the session: every request
// table starts with these columns (V_DEPOSIT_ORDER spells them in capitals;
// they are matched without regard to case).
struct RequestHeader
{
    QString SendDate;   // today as yyyymmdd
    QString SendTime;   // now as hhnnss
    QString Service;    // the session's ServiceDiv
    QString SendID;     // the session's NetworkId
    QString RecvID;
    QString FirmID;
    QString BankID;
    QString USERID;     // the session's LoginUserId
    QString SendFlag = QStringLiteral("1");

    // Date, time, service, sender and user of a request made now in the session.
    static RequestHeader of(const Session &session);
};

// The ten columns a request row starts with: the header and the message
// number (set by the sender).
struct RequestRowHeader : RequestHeader
{
    QString SeqNo;
};

// The transfer tables add the approving user before SendFlag.
struct TransferRequestHeader : RequestRowHeader
{
    QString CFMID;
};

namespace request_rows_detail {
struct ColumnValue
{
    const char *name;
    const QString *value;
};
QString buildInsert(const char *table, const std::vector<ColumnValue> &values, bool cutsName);
bool sameName(const char *a, const char *b);
} // namespace request_rows_detail

// The INSERT statement of the row's table.
template <class Row>
QString MakeInsertSql(const Row &row)
{
    std::vector<request_rows_detail::ColumnValue> values;
    values.reserve(Row::columns().size());
    for (const auto &[name, field] : Row::columns())
        values.push_back({name, &(row.*field)});
    return request_rows_detail::buildInsert(Row::Table, values, Row::CutsName);
}

// The field of the column of that name (without regard to case); nullptr
// when the table has no such column.
template <class Row>
QString *RequestField(Row &row, const char *column)
{
    for (const auto &[name, field] : Row::columns())
        if (request_rows_detail::sameName(name, column))
            return &(row.*field);
    return nullptr;
}

// Sets the header columns the row has.
template <class Row>
void ApplyRequestHeader(Row &row, const RequestHeader &header)
{
    const std::pair<const char *, const QString *> parts[] = {
        {"SendDate", &header.SendDate}, {"SendTime", &header.SendTime}, {"Service", &header.Service},
        {"SendID", &header.SendID},     {"RecvID", &header.RecvID},     {"FirmID", &header.FirmID},
        {"BankID", &header.BankID},     {"USERID", &header.USERID},     {"SendFlag", &header.SendFlag}};
    for (const auto &[column, value] : parts)
        if (QString *field = RequestField(row, column))
            *field = *value;
}

// The message number of the row (SeqNo, and TranSeqNo where the table has it).
template <class Row>
void SetRequestSeqNo(Row &row, qint64 seqNo)
{
    const QString text = QString::number(seqNo);
    for (const char *column : {"SeqNo", "TranSeqNo"})
        if (QString *field = RequestField(row, column))
            *field = text;
}

// A row from its values in column order (missing values stay empty). For the
// positional builders.
template <class Row>
Row RequestRowFromValues(const QStringList &values)
{
    Row row;
    const auto &columns = Row::columns();
    for (size_t i = 0; i < columns.size(); ++i)
        row.*(columns[i].second) = qsizetype(i) < values.size() ? values[qsizetype(i)] : QString();
    return row;
}

// Trsum
struct TrsumRow : RequestRowHeader
{
    static constexpr const char *Table = "Trsum";
    static constexpr const char *ServiceCode = "0700100";
    static constexpr bool CutsName = false;
    QString ERRCODE;
    QString MoBankNo;
    QString TotalCnt;
    QString TotalGum;
    QString InOkCnt;
    QString InOkGum;
    QString InErrCnt;
    QString InErrGum;
    QString TaOkCnt;
    QString TaOkGum;
    QString TaErrCnt;
    QString TaErrGum;
    QString Fee;
    QString InSuCnt;
    QString InSuGum;
    QString InSuErrCnt;
    QString InSuErrGum;
    QString TrGubun;
    QString SelectArea1;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString COMMON_DUMMY;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    static const RequestColumns<TrsumRow> &columns();
};

// giche
struct GicheRow : TransferRequestHeader
{
    static constexpr const char *Table = "giche";
    static constexpr const char *ServiceCode = "0100100";
    static constexpr bool CutsName = true;
    QString MoBankNo;
    QString PassWd;
    QString Boki;
    QString Gubun;
    QString Price;
    QString Sign;
    QString Remain;
    QString TRANS_BankID;
    QString BankNo;
    QString Fee;
    QString CmsCode;
    QString Name;
    QString TaProcNo;
    QString TaErrFee;
    QString TaErrPrice;
    QString TaErrMoney;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    QString COMMON_DUMMY;
    static const RequestColumns<GicheRow> &columns();
};

// cmsjiche102
struct Jiche102Row : TransferRequestHeader
{
    static constexpr const char *Table = "cmsjiche102";
    static constexpr const char *ServiceCode = "0102100";
    static constexpr bool CutsName = true;
    QString bankNo;
    QString PassWd;
    QString Boki;
    QString Gubun;
    QString Price;
    QString Sign;
    QString Remain;
    QString TRANS_BankID;
    QString MoBankNo;
    QString Fee;
    QString CmsCode;
    QString Name;
    QString TaProcNo;
    QString JuminNo;
    QString JuFlag;
    QString JuMoney;
    QString nonJuMoney;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    QString COMMON_DUMMY;
    static const RequestColumns<Jiche102Row> &columns();
};

// CMSJICHE103
struct Jiche103Row : TransferRequestHeader
{
    static constexpr const char *Table = "CMSJICHE103";
    static constexpr const char *ServiceCode = "0103100";
    static constexpr bool CutsName = true;
    QString MoBankNo;
    QString PassWd;
    QString Boki;
    QString Gubun;
    QString Price;
    QString Sign;
    QString Remain;
    QString TRANS_BankID;
    QString BankNo;
    QString Fee;
    QString CmsCode;
    QString Name;
    QString TaProcNo;
    QString JuminNo;
    QString JuFlag;
    QString JuMoney;
    QString nonJuMoney;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    QString COMMON_DUMMY;
    static const RequestColumns<Jiche103Row> &columns();
};

// Icheresult
struct IcheResultRow : RequestRowHeader
{
    static constexpr const char *Table = "Icheresult";
    static constexpr const char *ServiceCode = "0600100";
    static constexpr bool CutsName = false;
    QString ICHE_SendDate;
    QString org_seqno;
    QString MoBankNo;
    QString TRANS_BankID;
    QString BankNo;
    QString Gubun;
    QString Price;
    QString ProcTime;
    QString Fee;
    QString CmsCode;
    QString Name;
    QString SubSeq;
    QString ProcResult;
    QString TaProcNo;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString COMMON_DUMMY;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    static const RequestColumns<IcheResultRow> &columns();
};

// icheresult_102 (collections) and icheresult_103 (payments): the same
// columns, the table and service code given by the kind.
enum class LiquorResultTable { Collections, Payments };

template <LiquorResultTable Kind>
struct LiquorIcheResultRow : RequestRowHeader
{
    static constexpr const char *Table = Kind == LiquorResultTable::Collections ? "icheresult_102" : "icheresult_103";
    static constexpr const char *ServiceCode = Kind == LiquorResultTable::Collections ? "0601100" : "0602100";
    static constexpr bool CutsName = false;
    QString ERRCODE;
    QString ICHE_SendDate;
    QString ORG_SEQNO;
    QString BankNo;
    QString TRANS_BankID;
    QString MoBankNo;
    QString Dummy1;
    QString Price;
    QString ProcTime;
    QString Fee;
    QString CmsCode;
    QString Name;
    QString SubSeq;
    QString ProcResult;
    QString TaProcNo;
    QString JuminNo;
    QString JuFlag;
    QString JuMoney;
    QString nonJuMoney;
    QString Dummy2;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    QString sr_flag = QStringLiteral("1");
    QString COMMON_DUMMY;
    static const RequestColumns<LiquorIcheResultRow> &columns();
};
using IcheResult102Row = LiquorIcheResultRow<LiquorResultTable::Collections>;
using IcheResult103Row = LiquorIcheResultRow<LiquorResultTable::Payments>;

// amt_search
struct AmtSearchRow : RequestRowHeader
{
    static constexpr const char *Table = "amt_search";
    static constexpr const char *ServiceCode = "0600300";
    static constexpr bool CutsName = false;
    QString BankNo;
    QString Sign;
    QString JanWon;
    QString Param1;
    QString Param2;
    QString Param3;
    QString AbleWon;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString COMMON_DUMMY;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    static const RequestColumns<AmtSearchRow> &columns();
};

// tcount_search
struct TCountSearchRow : RequestRowHeader
{
    static constexpr const char *Table = "tcount_search";
    static constexpr const char *ServiceCode = "9000990";
    static constexpr bool CutsName = false;
    QString searchDate;
    QString sr_flag = QStringLiteral("1");
    QString COMMON_DUMMY;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    static const RequestColumns<TCountSearchRow> &columns();
};

// TA_NAME_SEARCH
struct TaNameSearchRow : RequestRowHeader
{
    static constexpr const char *Table = "TA_NAME_SEARCH";
    static constexpr const char *ServiceCode = "0600600";
    static constexpr bool CutsName = false;
    QString MoBankNo;
    QString MoPassWd;
    QString MoBoki;
    QString NotUse1;
    QString Price;
    QString NotUse2;
    QString NotUse3;
    QString TRANS_BankID;
    QString BankNo;
    QString Fee;
    QString NotUse4;
    QString Name;
    QString NotUse5;
    QString RRNoCheck;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString COMMON_DUMMY;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    QString RECEIVEDATE;
    QString RECEIVETIME;
    static const RequestColumns<TaNameSearchRow> &columns();
};

// DEPOSIT_ORDER
struct DepositOrderRow : RequestRowHeader
{
    static constexpr const char *Table = "DEPOSIT_ORDER";
    static constexpr const char *ServiceCode = "0200640";
    static constexpr bool CutsName = false;
    QString DEPOSIT_SendDate;
    QString ORG_SEQNO;
    QString MOBANKNO;
    QString Gubun;
    QString InBankID;
    QString Price;
    QString Sign;
    QString Remain;
    QString BrCode;
    QString Name;
    QString NoteNo;
    QString Param1;
    QString Param2;
    QString Param3;
    QString InCode;
    QString InTime;
    QString InDate;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString COMMON_DUMMY;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    QString RECEIVEDATE;
    QString RECEIVETIME;
    static const RequestColumns<DepositOrderRow> &columns();
};

// V_DEPOSIT_ORDER: its header columns spelt in capitals, the fields as the
// columns.
struct VDepositOrderRow
{
    static constexpr const char *Table = "V_DEPOSIT_ORDER";
    static constexpr const char *ServiceCode = "0200970";
    static constexpr bool CutsName = false;
    QString SENDDATE;
    QString SENDTIME;
    QString SERVICE;
    QString SEQNO;
    QString SENDID;
    QString RECVID;
    QString FIRMID;
    QString BANKID;
    QString USERID;
    QString SENDFLAG = QStringLiteral("1");
    QString ERRCODE;
    QString DEPOSIT_SENDDATE;
    QString ORG_SEQNO;
    QString MOBANKNO;
    QString GUBUN;
    QString INBANKID;
    QString PRICE;
    QString SIGN;
    QString REMAIN;
    QString BRCODE;
    QString NAME;
    QString JAGI;
    QString GAGAE;
    QString V_BANKNO;
    QString JUMINNO;
    QString INTIME;
    QString ORG_DATE;
    QString ORG_NO;
    QString DUMMY;
    QString RECEIVETIME;
    QString RECEIVEDATE;
    QString COMMON_DUMMY;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    QString SR_FLAG = QStringLiteral("1");
    static const RequestColumns<VDepositOrderRow> &columns();
};

// TA_ICHE_ORDER
struct TaIcheOrderRow : RequestRowHeader
{
    static constexpr const char *Table = "TA_ICHE_ORDER";
    static constexpr const char *ServiceCode = "0400640";
    static constexpr bool CutsName = false;
    QString errcode;
    QString TA_ICHE_SendDate;
    QString ORG_SEQNO;
    QString BANK_SEQNO;
    QString MoBankNo;
    QString TRANS_BankID;
    QString BankNo;
    QString Gubun;
    QString Price;
    QString ProcTime;
    QString Fee;
    QString CmsCode;
    QString Name;
    QString SubSeq;
    QString ProcResult;
    QString TaProcNo;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString COMMON_DUMMY;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    QString receivedate;
    QString receivetime;
    static const RequestColumns<TaIcheOrderRow> &columns();
};

// DRAFT_ORDER
struct DraftOrderRow : RequestRowHeader
{
    static constexpr const char *Table = "DRAFT_ORDER";
    static constexpr const char *ServiceCode = "0200650";
    static constexpr bool CutsName = false;
    QString DRAFT_SENDDATE;
    QString ORG_SEQNO;
    QString GUBUN;
    QString BANKNO;
    QString IBGUMCODE;
    QString DRAFTNO;
    QString DRAFTKIND;
    QString DRAFTMONEY;
    QString PUB_NAME;
    QString DEP_NAME;
    QString SUTAK_DATE;
    QString MANKI_DATE;
    QString PAY_BANKNAME;
    QString PAY_DEPARTNAME;
    QString DangTa_gubun;
    QString GYULJE_BANKNO;
    QString TRANS_DEPART;
    QString SELECTAREA1;
    QString SELECTAREA2;
    QString DUMMY;
    QString sr_flag = QStringLiteral("1");
    QString COMMON_DUMMY;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    QString RECEIVEDATE;
    QString RECEIVETIME;
    static const RequestColumns<DraftOrderRow> &columns();
};

// Vas_Trsum
struct VasTrsumRow : RequestRowHeader
{
    static constexpr const char *Table = "Vas_Trsum";
    static constexpr const char *ServiceCode = "0300400";
    static constexpr bool CutsName = false;
    VasTrsumRow() { Service = QStringLiteral("VAS"); }
    QString ERRCODE;
    QString TransDate;
    QString GiKwanCode;
    QString Ibgum_tot_gun;
    QString Ibgum_tot_money;
    QString Ibgum_cnl_gun;
    QString Ibgum_cnl_Money;
    QString Chul_tot_gun;
    QString Chul_tot_money;
    QString Chul_cnl_gun;
    QString Chul_cnl_money;
    QString Fee_gun;
    QString Fee_Money;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString COMMON_DUMMY;
    QString up_gubuncode = QString::fromLatin1(ServiceCode);
    static const RequestColumns<VasTrsumRow> &columns();
};

// SMS_Trans
struct SmsTransRow
{
    static constexpr const char *Table = "SMS_Trans";
    static constexpr const char *ServiceCode = "0900900";
    static constexpr bool CutsName = false;
    QString SendDate;
    QString SendTime;
    QString Service = QStringLiteral("DY2");
    QString SeqNo;
    QString SendID;
    QString RecvID = QStringLiteral("HELP002");
    QString BankID = QStringLiteral("00");
    QString USERID;
    QString SendFlag = QStringLiteral("1");
    QString TranSeqNo;
    QString RecvName;
    QString RecvTelNo;
    QString SendTelNo;
    QString ReserveDate;
    QString Message;
    QString Dummy;
    QString sr_flag = QStringLiteral("1");
    QString up_gubuncode = QStringLiteral("0900900");
    QString COMMON_DUMMY;
    static const RequestColumns<SmsTransRow> &columns();
};
