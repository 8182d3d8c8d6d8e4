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

#include <initializer_list>
#include <type_traits>
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
    static constexpr bool CutsName = false;
};

// The transfer tables add the approving user before SendFlag, and cut Name.
struct TransferRequestHeader : RequestRowHeader
{
    QString CFMID;
    static constexpr bool CutsName = true;
};

namespace request_rows_detail {
struct ColumnValue
{
    const char *name;
    const QString *value;
};
QString buildInsert(const char *table, const std::vector<ColumnValue> &values, bool cutsName);
bool sameName(const char *a, const char *b);

// The header columns the row inherits (the transfer tables with CFMID before
// SendFlag), then the table's own columns.
template <class Row>
RequestColumns<Row> HeaderThen(std::initializer_list<std::pair<const char *, QString Row::*>> own)
{
    RequestColumns<Row> columns;
    if constexpr (std::is_base_of_v<RequestRowHeader, Row>) {
        static const char *const Names[] = {"SendDate", "SendTime", "Service", "SeqNo", "SendID",
                                            "RecvID",   "FirmID",   "BankID",  "USERID", "SendFlag"};
        static QString RequestRowHeader::*const Fields[] = {
            &RequestRowHeader::SendDate, &RequestRowHeader::SendTime, &RequestRowHeader::Service,
            &RequestRowHeader::SeqNo,    &RequestRowHeader::SendID,   &RequestRowHeader::RecvID,
            &RequestRowHeader::FirmID,   &RequestRowHeader::BankID,   &RequestRowHeader::USERID,
            &RequestRowHeader::SendFlag};
        for (int i = 0; i < 10; ++i) {
            if constexpr (std::is_base_of_v<TransferRequestHeader, Row>) {
                if (i == 9)
                    columns.push_back({"CFMID", &Row::CFMID});
            }
            columns.push_back({Names[i], static_cast<QString Row::*>(Fields[i])});
        }
    }
    columns.insert(columns.end(), own.begin(), own.end());
    return columns;
}
} // namespace request_rows_detail

// A table's own columns in the table's order are listed once, as F(column)
// for a field that starts empty and D(column, value) for one that starts with
// a value. QVX_REQUEST_TABLE(Row, table, service code, LIST) declares the
// row's Table and ServiceCode, the fields of the list and columns(): the
// header columns the row inherits, then the list's.
#define QVX_REQUEST_FIELD(column) QString column;
#define QVX_REQUEST_FIELD_WITH(column, value) QString column = value;
#define QVX_REQUEST_COLUMN(column) {#column, &Self::column},
#define QVX_REQUEST_COLUMN_WITH(column, value) QVX_REQUEST_COLUMN(column)
#define QVX_REQUEST_TABLE(Row, table, serviceCode, LIST)                                                               \
    static constexpr const char *Table = table;                                                                        \
    static constexpr const char *ServiceCode = serviceCode;                                                            \
    LIST(QVX_REQUEST_FIELD, QVX_REQUEST_FIELD_WITH)                                                                    \
    static const RequestColumns<Row> &columns()                                                                        \
    {                                                                                                                  \
        using Self = Row;                                                                                              \
        static const RequestColumns<Row> c =                                                                           \
            request_rows_detail::HeaderThen<Row>({LIST(QVX_REQUEST_COLUMN, QVX_REQUEST_COLUMN_WITH)});                 \
        return c;                                                                                                      \
    }

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
#define QVX_TRSUM_COLUMNS(F, D) F(ERRCODE) F(MoBankNo) F(TotalCnt) F(TotalGum) F(InOkCnt) F(InOkGum) F(InErrCnt) \
    F(InErrGum) F(TaOkCnt) F(TaOkGum) F(TaErrCnt) F(TaErrGum) F(Fee) F(InSuCnt) F(InSuGum) F(InSuErrCnt) F(InSuErrGum) \
    F(TrGubun) F(SelectArea1) F(Dummy) D(sr_flag, QStringLiteral("1")) F(COMMON_DUMMY) \
    D(up_gubuncode, QString::fromLatin1(ServiceCode))
struct TrsumRow : RequestRowHeader
{
    QVX_REQUEST_TABLE(TrsumRow, "Trsum", "0700100", QVX_TRSUM_COLUMNS)
};

// giche
#define QVX_GICHE_COLUMNS(F, D) F(MoBankNo) F(PassWd) F(Boki) F(Gubun) F(Price) F(Sign) F(Remain) F(TRANS_BankID) \
    F(BankNo) F(Fee) F(CmsCode) F(Name) F(TaProcNo) F(TaErrFee) F(TaErrPrice) F(TaErrMoney) F(Dummy) \
    D(sr_flag, QStringLiteral("1")) D(up_gubuncode, QString::fromLatin1(ServiceCode)) F(COMMON_DUMMY)
struct GicheRow : TransferRequestHeader
{
    QVX_REQUEST_TABLE(GicheRow, "giche", "0100100", QVX_GICHE_COLUMNS)
};

// cmsjiche102 and CMSJICHE103: the same columns, but for the two account
// columns (the first and the ninth), which stand in the other order.
#define QVX_CMS_JICHE_COLUMNS(F, D, First, Ninth) F(First) F(PassWd) F(Boki) F(Gubun) F(Price) F(Sign) F(Remain) \
    F(TRANS_BankID) F(Ninth) F(Fee) F(CmsCode) F(Name) F(TaProcNo) F(JuminNo) F(JuFlag) F(JuMoney) F(nonJuMoney) \
    F(Dummy) D(sr_flag, QStringLiteral("1")) D(up_gubuncode, QString::fromLatin1(ServiceCode)) F(COMMON_DUMMY)
#define QVX_JICHE102_COLUMNS(F, D) QVX_CMS_JICHE_COLUMNS(F, D, bankNo, MoBankNo)
#define QVX_JICHE103_COLUMNS(F, D) QVX_CMS_JICHE_COLUMNS(F, D, MoBankNo, BankNo)

struct Jiche102Row : TransferRequestHeader
{
    QVX_REQUEST_TABLE(Jiche102Row, "cmsjiche102", "0102100", QVX_JICHE102_COLUMNS)
};

struct Jiche103Row : TransferRequestHeader
{
    QVX_REQUEST_TABLE(Jiche103Row, "CMSJICHE103", "0103100", QVX_JICHE103_COLUMNS)
};

// Icheresult
#define QVX_ICHE_RESULT_COLUMNS(F, D) F(ICHE_SendDate) F(org_seqno) F(MoBankNo) F(TRANS_BankID) F(BankNo) F(Gubun) \
    F(Price) F(ProcTime) F(Fee) F(CmsCode) F(Name) F(SubSeq) F(ProcResult) F(TaProcNo) F(Dummy) \
    D(sr_flag, QStringLiteral("1")) F(COMMON_DUMMY) D(up_gubuncode, QString::fromLatin1(ServiceCode))
struct IcheResultRow : RequestRowHeader
{
    QVX_REQUEST_TABLE(IcheResultRow, "Icheresult", "0600100", QVX_ICHE_RESULT_COLUMNS)
};

// icheresult_102 (collections) and icheresult_103 (payments): the same
// columns, the table and service code given by the kind.
enum class LiquorResultTable { Collections, Payments };

#define QVX_LIQUOR_ICHE_RESULT_COLUMNS(F, D) F(ERRCODE) F(ICHE_SendDate) F(ORG_SEQNO) F(BankNo) F(TRANS_BankID) \
    F(MoBankNo) F(Dummy1) F(Price) F(ProcTime) F(Fee) F(CmsCode) F(Name) F(SubSeq) F(ProcResult) F(TaProcNo) \
    F(JuminNo) F(JuFlag) F(JuMoney) F(nonJuMoney) F(Dummy2) D(up_gubuncode, QString::fromLatin1(ServiceCode)) \
    D(sr_flag, QStringLiteral("1")) F(COMMON_DUMMY)
template <LiquorResultTable Kind>
struct LiquorIcheResultRow : RequestRowHeader
{
    QVX_REQUEST_TABLE(LiquorIcheResultRow, Kind == LiquorResultTable::Collections ? "icheresult_102" : "icheresult_103",
                      Kind == LiquorResultTable::Collections ? "0601100" : "0602100", QVX_LIQUOR_ICHE_RESULT_COLUMNS)
};
using IcheResult102Row = LiquorIcheResultRow<LiquorResultTable::Collections>;
using IcheResult103Row = LiquorIcheResultRow<LiquorResultTable::Payments>;

// amt_search
#define QVX_AMT_SEARCH_COLUMNS(F, D) F(BankNo) F(Sign) F(JanWon) F(Param1) F(Param2) F(Param3) F(AbleWon) F(Dummy) \
    D(sr_flag, QStringLiteral("1")) F(COMMON_DUMMY) D(up_gubuncode, QString::fromLatin1(ServiceCode))
struct AmtSearchRow : RequestRowHeader
{
    QVX_REQUEST_TABLE(AmtSearchRow, "amt_search", "0600300", QVX_AMT_SEARCH_COLUMNS)
};

// tcount_search
#define QVX_TCOUNT_SEARCH_COLUMNS(F, D) F(searchDate) D(sr_flag, QStringLiteral("1")) F(COMMON_DUMMY) \
    D(up_gubuncode, QString::fromLatin1(ServiceCode))
struct TCountSearchRow : RequestRowHeader
{
    QVX_REQUEST_TABLE(TCountSearchRow, "tcount_search", "9000990", QVX_TCOUNT_SEARCH_COLUMNS)
};

// TA_NAME_SEARCH
#define QVX_TA_NAME_SEARCH_COLUMNS(F, D) F(MoBankNo) F(MoPassWd) F(MoBoki) F(NotUse1) F(Price) F(NotUse2) F(NotUse3) \
    F(TRANS_BankID) F(BankNo) F(Fee) F(NotUse4) F(Name) F(NotUse5) F(RRNoCheck) F(Dummy) \
    D(sr_flag, QStringLiteral("1")) F(COMMON_DUMMY) D(up_gubuncode, QString::fromLatin1(ServiceCode)) F(RECEIVEDATE) \
    F(RECEIVETIME)
struct TaNameSearchRow : RequestRowHeader
{
    QVX_REQUEST_TABLE(TaNameSearchRow, "TA_NAME_SEARCH", "0600600", QVX_TA_NAME_SEARCH_COLUMNS)
};

// DEPOSIT_ORDER
#define QVX_DEPOSIT_ORDER_COLUMNS(F, D) F(DEPOSIT_SendDate) F(ORG_SEQNO) F(MOBANKNO) F(Gubun) F(InBankID) F(Price) \
    F(Sign) F(Remain) F(BrCode) F(Name) F(NoteNo) F(Param1) F(Param2) F(Param3) F(InCode) F(InTime) F(InDate) F(Dummy) \
    D(sr_flag, QStringLiteral("1")) F(COMMON_DUMMY) D(up_gubuncode, QString::fromLatin1(ServiceCode)) F(RECEIVEDATE) \
    F(RECEIVETIME)
struct DepositOrderRow : RequestRowHeader
{
    QVX_REQUEST_TABLE(DepositOrderRow, "DEPOSIT_ORDER", "0200640", QVX_DEPOSIT_ORDER_COLUMNS)
};

// V_DEPOSIT_ORDER: its header columns spelt in capitals, the fields as the
// columns.
#define QVX_VDEPOSIT_ORDER_COLUMNS(F, D) F(SENDDATE) F(SENDTIME) F(SERVICE) F(SEQNO) F(SENDID) F(RECVID) F(FIRMID) \
    F(BANKID) F(USERID) D(SENDFLAG, QStringLiteral("1")) F(ERRCODE) F(DEPOSIT_SENDDATE) F(ORG_SEQNO) F(MOBANKNO) \
    F(GUBUN) F(INBANKID) F(PRICE) F(SIGN) F(REMAIN) F(BRCODE) F(NAME) F(JAGI) F(GAGAE) F(V_BANKNO) F(JUMINNO) \
    F(INTIME) F(ORG_DATE) F(ORG_NO) F(DUMMY) F(RECEIVETIME) F(RECEIVEDATE) F(COMMON_DUMMY) \
    D(up_gubuncode, QString::fromLatin1(ServiceCode)) D(SR_FLAG, QStringLiteral("1"))
struct VDepositOrderRow
{
    QVX_REQUEST_TABLE(VDepositOrderRow, "V_DEPOSIT_ORDER", "0200970", QVX_VDEPOSIT_ORDER_COLUMNS)
    static constexpr bool CutsName = false;
};

// TA_ICHE_ORDER
#define QVX_TA_ICHE_ORDER_COLUMNS(F, D) F(errcode) F(TA_ICHE_SendDate) F(ORG_SEQNO) F(BANK_SEQNO) F(MoBankNo) \
    F(TRANS_BankID) F(BankNo) F(Gubun) F(Price) F(ProcTime) F(Fee) F(CmsCode) F(Name) F(SubSeq) F(ProcResult) \
    F(TaProcNo) F(Dummy) D(sr_flag, QStringLiteral("1")) F(COMMON_DUMMY) \
    D(up_gubuncode, QString::fromLatin1(ServiceCode)) F(receivedate) F(receivetime)
struct TaIcheOrderRow : RequestRowHeader
{
    QVX_REQUEST_TABLE(TaIcheOrderRow, "TA_ICHE_ORDER", "0400640", QVX_TA_ICHE_ORDER_COLUMNS)
};

// DRAFT_ORDER
#define QVX_DRAFT_ORDER_COLUMNS(F, D) F(DRAFT_SENDDATE) F(ORG_SEQNO) F(GUBUN) F(BANKNO) F(IBGUMCODE) F(DRAFTNO) \
    F(DRAFTKIND) F(DRAFTMONEY) F(PUB_NAME) F(DEP_NAME) F(SUTAK_DATE) F(MANKI_DATE) F(PAY_BANKNAME) F(PAY_DEPARTNAME) \
    F(DangTa_gubun) F(GYULJE_BANKNO) F(TRANS_DEPART) F(SELECTAREA1) F(SELECTAREA2) F(DUMMY) \
    D(sr_flag, QStringLiteral("1")) F(COMMON_DUMMY) D(up_gubuncode, QString::fromLatin1(ServiceCode)) F(RECEIVEDATE) \
    F(RECEIVETIME)
struct DraftOrderRow : RequestRowHeader
{
    QVX_REQUEST_TABLE(DraftOrderRow, "DRAFT_ORDER", "0200650", QVX_DRAFT_ORDER_COLUMNS)
};

// Vas_Trsum
#define QVX_VAS_TRSUM_COLUMNS(F, D) F(ERRCODE) F(TransDate) F(GiKwanCode) F(Ibgum_tot_gun) F(Ibgum_tot_money) \
    F(Ibgum_cnl_gun) F(Ibgum_cnl_Money) F(Chul_tot_gun) F(Chul_tot_money) F(Chul_cnl_gun) F(Chul_cnl_money) F(Fee_gun) \
    F(Fee_Money) F(Dummy) D(sr_flag, QStringLiteral("1")) F(COMMON_DUMMY) \
    D(up_gubuncode, QString::fromLatin1(ServiceCode))
struct VasTrsumRow : RequestRowHeader
{
    QVX_REQUEST_TABLE(VasTrsumRow, "Vas_Trsum", "0300400", QVX_VAS_TRSUM_COLUMNS)
    VasTrsumRow() { Service = QStringLiteral("VAS"); }
};

// SMS_Trans
#define QVX_SMS_TRANS_COLUMNS(F, D) F(SendDate) F(SendTime) D(Service, QStringLiteral("DY2")) F(SeqNo) F(SendID) \
    D(RecvID, QStringLiteral("HELP002")) D(BankID, QStringLiteral("00")) F(USERID) D(SendFlag, QStringLiteral("1")) \
    F(TranSeqNo) F(RecvName) F(RecvTelNo) F(SendTelNo) F(ReserveDate) F(Message) F(Dummy) \
    D(sr_flag, QStringLiteral("1")) D(up_gubuncode, QStringLiteral("0900900")) F(COMMON_DUMMY)
struct SmsTransRow
{
    QVX_REQUEST_TABLE(SmsTransRow, "SMS_Trans", "0900900", QVX_SMS_TRANS_COLUMNS)
    static constexpr bool CutsName = false;
};
