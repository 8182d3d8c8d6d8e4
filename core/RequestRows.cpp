#include "core/RequestRows.h"

#include "core/Session.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "platform/SqlText.h"

#include <type_traits>

namespace {
constexpr int NameBytes = 12;

// The header columns (the transfer tables with CFMID before SendFlag), then
// the table's own columns.
template <class Row>
RequestColumns<Row> HeaderThen(std::initializer_list<std::pair<const char *, QString Row::*>> own)
{
    static const char *const Names[] = {"SendDate", "SendTime", "Service", "SeqNo", "SendID",
                                        "RecvID",   "FirmID",   "BankID",  "USERID", "SendFlag"};
    static QString RequestRowHeader::*const Fields[] = {
        &RequestRowHeader::SendDate, &RequestRowHeader::SendTime, &RequestRowHeader::Service,
        &RequestRowHeader::SeqNo,    &RequestRowHeader::SendID,   &RequestRowHeader::RecvID,
        &RequestRowHeader::FirmID,   &RequestRowHeader::BankID,   &RequestRowHeader::USERID,
        &RequestRowHeader::SendFlag};
    RequestColumns<Row> columns;
    for (int i = 0; i < 10; ++i) {
        if constexpr (std::is_base_of_v<TransferRequestHeader, Row>) {
            if (i == 9)
                columns.push_back({"CFMID", &Row::CFMID});
        }
        columns.push_back({Names[i], static_cast<QString Row::*>(Fields[i])});
    }
    columns.insert(columns.end(), own.begin(), own.end());
    return columns;
}
} // namespace

namespace request_rows_detail {

bool sameName(const char *a, const char *b)
{
    return qstricmp(a, b) == 0;
}

QString buildInsert(const char *table, const std::vector<ColumnValue> &values, bool cutsName)
{
    QString names;
    QString written;
    for (const ColumnValue &c : values) {
        if (!names.isEmpty()) {
            names += QLatin1Char(',');
            written += QLatin1Char(',');
        }
        names += QLatin1String(c.name);
        if (sameName(c.name, "SeqNo") || sameName(c.name, "TranSeqNo")) {
            written += qvx::sqlInt(c.value->trimmed());
        } else if (cutsName && sameName(c.name, "Name")) {
            // Payee name of the transfer tables: at most 12 bytes, never half a character.
            const QString &name = *c.value;
            written += qvx::sqlQuote(GetDbcsSafeLen(name, NameBytes) == -1 ? name : LeftBytes(name, NameBytes));
        } else {
            written += qvx::sqlQuote(*c.value);
        }
    }
    return QStringLiteral("insert into ") + QLatin1String(table) + QLatin1Char('(') + names
           + QStringLiteral(") values(") + written + QLatin1Char(')');
}

} // namespace request_rows_detail

RequestHeader RequestHeader::of(const Session &session)
{
    RequestHeader h;
    const QDateTime now = qvx::Clock::now();
    h.SendDate = now.toString(QStringLiteral("yyyyMMdd"));
    h.SendTime = now.toString(QStringLiteral("hhmmss"));
    h.Service = session.ServiceDiv;
    h.SendID = session.NetworkId;
    h.USERID = session.LoginUserId;
    return h;
}

const RequestColumns<TrsumRow> &TrsumRow::columns()
{
    static const RequestColumns<TrsumRow> c = HeaderThen<TrsumRow>({
        {"ERRCODE", &TrsumRow::ERRCODE}, {"MoBankNo", &TrsumRow::MoBankNo}, {"TotalCnt", &TrsumRow::TotalCnt},
        {"TotalGum", &TrsumRow::TotalGum}, {"InOkCnt", &TrsumRow::InOkCnt}, {"InOkGum", &TrsumRow::InOkGum},
        {"InErrCnt", &TrsumRow::InErrCnt}, {"InErrGum", &TrsumRow::InErrGum}, {"TaOkCnt", &TrsumRow::TaOkCnt},
        {"TaOkGum", &TrsumRow::TaOkGum}, {"TaErrCnt", &TrsumRow::TaErrCnt}, {"TaErrGum", &TrsumRow::TaErrGum},
        {"Fee", &TrsumRow::Fee}, {"InSuCnt", &TrsumRow::InSuCnt}, {"InSuGum", &TrsumRow::InSuGum},
        {"InSuErrCnt", &TrsumRow::InSuErrCnt}, {"InSuErrGum", &TrsumRow::InSuErrGum}, {"TrGubun", &TrsumRow::TrGubun},
        {"SelectArea1", &TrsumRow::SelectArea1}, {"Dummy", &TrsumRow::Dummy}, {"sr_flag", &TrsumRow::sr_flag},
        {"COMMON_DUMMY", &TrsumRow::COMMON_DUMMY}, {"up_gubuncode", &TrsumRow::up_gubuncode},
    });
    return c;
}

const RequestColumns<GicheRow> &GicheRow::columns()
{
    static const RequestColumns<GicheRow> c = HeaderThen<GicheRow>({
        {"MoBankNo", &GicheRow::MoBankNo}, {"PassWd", &GicheRow::PassWd}, {"Boki", &GicheRow::Boki},
        {"Gubun", &GicheRow::Gubun}, {"Price", &GicheRow::Price}, {"Sign", &GicheRow::Sign},
        {"Remain", &GicheRow::Remain}, {"TRANS_BankID", &GicheRow::TRANS_BankID}, {"BankNo", &GicheRow::BankNo},
        {"Fee", &GicheRow::Fee}, {"CmsCode", &GicheRow::CmsCode}, {"Name", &GicheRow::Name},
        {"TaProcNo", &GicheRow::TaProcNo}, {"TaErrFee", &GicheRow::TaErrFee}, {"TaErrPrice", &GicheRow::TaErrPrice},
        {"TaErrMoney", &GicheRow::TaErrMoney}, {"Dummy", &GicheRow::Dummy}, {"sr_flag", &GicheRow::sr_flag},
        {"up_gubuncode", &GicheRow::up_gubuncode}, {"COMMON_DUMMY", &GicheRow::COMMON_DUMMY},
    });
    return c;
}

const RequestColumns<Jiche102Row> &Jiche102Row::columns()
{
    static const RequestColumns<Jiche102Row> c = HeaderThen<Jiche102Row>({
        {"bankNo", &Jiche102Row::bankNo}, {"PassWd", &Jiche102Row::PassWd}, {"Boki", &Jiche102Row::Boki},
        {"Gubun", &Jiche102Row::Gubun}, {"Price", &Jiche102Row::Price}, {"Sign", &Jiche102Row::Sign},
        {"Remain", &Jiche102Row::Remain}, {"TRANS_BankID", &Jiche102Row::TRANS_BankID},
        {"MoBankNo", &Jiche102Row::MoBankNo}, {"Fee", &Jiche102Row::Fee}, {"CmsCode", &Jiche102Row::CmsCode},
        {"Name", &Jiche102Row::Name}, {"TaProcNo", &Jiche102Row::TaProcNo}, {"JuminNo", &Jiche102Row::JuminNo},
        {"JuFlag", &Jiche102Row::JuFlag}, {"JuMoney", &Jiche102Row::JuMoney},
        {"nonJuMoney", &Jiche102Row::nonJuMoney}, {"Dummy", &Jiche102Row::Dummy}, {"sr_flag", &Jiche102Row::sr_flag},
        {"up_gubuncode", &Jiche102Row::up_gubuncode}, {"COMMON_DUMMY", &Jiche102Row::COMMON_DUMMY},
    });
    return c;
}

const RequestColumns<Jiche103Row> &Jiche103Row::columns()
{
    static const RequestColumns<Jiche103Row> c = HeaderThen<Jiche103Row>({
        {"MoBankNo", &Jiche103Row::MoBankNo}, {"PassWd", &Jiche103Row::PassWd}, {"Boki", &Jiche103Row::Boki},
        {"Gubun", &Jiche103Row::Gubun}, {"Price", &Jiche103Row::Price}, {"Sign", &Jiche103Row::Sign},
        {"Remain", &Jiche103Row::Remain}, {"TRANS_BankID", &Jiche103Row::TRANS_BankID},
        {"BankNo", &Jiche103Row::BankNo}, {"Fee", &Jiche103Row::Fee}, {"CmsCode", &Jiche103Row::CmsCode},
        {"Name", &Jiche103Row::Name}, {"TaProcNo", &Jiche103Row::TaProcNo}, {"JuminNo", &Jiche103Row::JuminNo},
        {"JuFlag", &Jiche103Row::JuFlag}, {"JuMoney", &Jiche103Row::JuMoney},
        {"nonJuMoney", &Jiche103Row::nonJuMoney}, {"Dummy", &Jiche103Row::Dummy}, {"sr_flag", &Jiche103Row::sr_flag},
        {"up_gubuncode", &Jiche103Row::up_gubuncode}, {"COMMON_DUMMY", &Jiche103Row::COMMON_DUMMY},
    });
    return c;
}

const RequestColumns<IcheResultRow> &IcheResultRow::columns()
{
    static const RequestColumns<IcheResultRow> c = HeaderThen<IcheResultRow>({
        {"ICHE_SendDate", &IcheResultRow::ICHE_SendDate}, {"org_seqno", &IcheResultRow::org_seqno},
        {"MoBankNo", &IcheResultRow::MoBankNo}, {"TRANS_BankID", &IcheResultRow::TRANS_BankID},
        {"BankNo", &IcheResultRow::BankNo}, {"Gubun", &IcheResultRow::Gubun}, {"Price", &IcheResultRow::Price},
        {"ProcTime", &IcheResultRow::ProcTime}, {"Fee", &IcheResultRow::Fee}, {"CmsCode", &IcheResultRow::CmsCode},
        {"Name", &IcheResultRow::Name}, {"SubSeq", &IcheResultRow::SubSeq},
        {"ProcResult", &IcheResultRow::ProcResult}, {"TaProcNo", &IcheResultRow::TaProcNo},
        {"Dummy", &IcheResultRow::Dummy}, {"sr_flag", &IcheResultRow::sr_flag},
        {"COMMON_DUMMY", &IcheResultRow::COMMON_DUMMY}, {"up_gubuncode", &IcheResultRow::up_gubuncode},
    });
    return c;
}

template <LiquorResultTable Kind>
const RequestColumns<LiquorIcheResultRow<Kind>> &LiquorIcheResultRow<Kind>::columns()
{
    static const RequestColumns<LiquorIcheResultRow<Kind>> c = HeaderThen<LiquorIcheResultRow<Kind>>({
        {"ERRCODE", &LiquorIcheResultRow::ERRCODE}, {"ICHE_SendDate", &LiquorIcheResultRow::ICHE_SendDate},
        {"ORG_SEQNO", &LiquorIcheResultRow::ORG_SEQNO}, {"BankNo", &LiquorIcheResultRow::BankNo},
        {"TRANS_BankID", &LiquorIcheResultRow::TRANS_BankID}, {"MoBankNo", &LiquorIcheResultRow::MoBankNo},
        {"Dummy1", &LiquorIcheResultRow::Dummy1}, {"Price", &LiquorIcheResultRow::Price},
        {"ProcTime", &LiquorIcheResultRow::ProcTime}, {"Fee", &LiquorIcheResultRow::Fee},
        {"CmsCode", &LiquorIcheResultRow::CmsCode}, {"Name", &LiquorIcheResultRow::Name},
        {"SubSeq", &LiquorIcheResultRow::SubSeq}, {"ProcResult", &LiquorIcheResultRow::ProcResult},
        {"TaProcNo", &LiquorIcheResultRow::TaProcNo}, {"JuminNo", &LiquorIcheResultRow::JuminNo},
        {"JuFlag", &LiquorIcheResultRow::JuFlag}, {"JuMoney", &LiquorIcheResultRow::JuMoney},
        {"nonJuMoney", &LiquorIcheResultRow::nonJuMoney}, {"Dummy2", &LiquorIcheResultRow::Dummy2},
        {"up_gubuncode", &LiquorIcheResultRow::up_gubuncode}, {"sr_flag", &LiquorIcheResultRow::sr_flag},
        {"COMMON_DUMMY", &LiquorIcheResultRow::COMMON_DUMMY},
    });
    return c;
}


const RequestColumns<AmtSearchRow> &AmtSearchRow::columns()
{
    static const RequestColumns<AmtSearchRow> c = HeaderThen<AmtSearchRow>({
        {"BankNo", &AmtSearchRow::BankNo}, {"Sign", &AmtSearchRow::Sign}, {"JanWon", &AmtSearchRow::JanWon},
        {"Param1", &AmtSearchRow::Param1}, {"Param2", &AmtSearchRow::Param2}, {"Param3", &AmtSearchRow::Param3},
        {"AbleWon", &AmtSearchRow::AbleWon}, {"Dummy", &AmtSearchRow::Dummy}, {"sr_flag", &AmtSearchRow::sr_flag},
        {"COMMON_DUMMY", &AmtSearchRow::COMMON_DUMMY}, {"up_gubuncode", &AmtSearchRow::up_gubuncode},
    });
    return c;
}

const RequestColumns<TCountSearchRow> &TCountSearchRow::columns()
{
    static const RequestColumns<TCountSearchRow> c = HeaderThen<TCountSearchRow>({
        {"searchDate", &TCountSearchRow::searchDate}, {"sr_flag", &TCountSearchRow::sr_flag},
        {"COMMON_DUMMY", &TCountSearchRow::COMMON_DUMMY}, {"up_gubuncode", &TCountSearchRow::up_gubuncode},
    });
    return c;
}

const RequestColumns<TaNameSearchRow> &TaNameSearchRow::columns()
{
    static const RequestColumns<TaNameSearchRow> c = HeaderThen<TaNameSearchRow>({
        {"MoBankNo", &TaNameSearchRow::MoBankNo}, {"MoPassWd", &TaNameSearchRow::MoPassWd},
        {"MoBoki", &TaNameSearchRow::MoBoki}, {"NotUse1", &TaNameSearchRow::NotUse1},
        {"Price", &TaNameSearchRow::Price}, {"NotUse2", &TaNameSearchRow::NotUse2},
        {"NotUse3", &TaNameSearchRow::NotUse3}, {"TRANS_BankID", &TaNameSearchRow::TRANS_BankID},
        {"BankNo", &TaNameSearchRow::BankNo}, {"Fee", &TaNameSearchRow::Fee}, {"NotUse4", &TaNameSearchRow::NotUse4},
        {"Name", &TaNameSearchRow::Name}, {"NotUse5", &TaNameSearchRow::NotUse5},
        {"RRNoCheck", &TaNameSearchRow::RRNoCheck}, {"Dummy", &TaNameSearchRow::Dummy},
        {"sr_flag", &TaNameSearchRow::sr_flag}, {"COMMON_DUMMY", &TaNameSearchRow::COMMON_DUMMY},
        {"up_gubuncode", &TaNameSearchRow::up_gubuncode}, {"RECEIVEDATE", &TaNameSearchRow::RECEIVEDATE},
        {"RECEIVETIME", &TaNameSearchRow::RECEIVETIME},
    });
    return c;
}

const RequestColumns<DepositOrderRow> &DepositOrderRow::columns()
{
    static const RequestColumns<DepositOrderRow> c = HeaderThen<DepositOrderRow>({
        {"DEPOSIT_SendDate", &DepositOrderRow::DEPOSIT_SendDate}, {"ORG_SEQNO", &DepositOrderRow::ORG_SEQNO},
        {"MOBANKNO", &DepositOrderRow::MOBANKNO}, {"Gubun", &DepositOrderRow::Gubun},
        {"InBankID", &DepositOrderRow::InBankID}, {"Price", &DepositOrderRow::Price},
        {"Sign", &DepositOrderRow::Sign}, {"Remain", &DepositOrderRow::Remain}, {"BrCode", &DepositOrderRow::BrCode},
        {"Name", &DepositOrderRow::Name}, {"NoteNo", &DepositOrderRow::NoteNo}, {"Param1", &DepositOrderRow::Param1},
        {"Param2", &DepositOrderRow::Param2}, {"Param3", &DepositOrderRow::Param3},
        {"InCode", &DepositOrderRow::InCode}, {"InTime", &DepositOrderRow::InTime},
        {"InDate", &DepositOrderRow::InDate}, {"Dummy", &DepositOrderRow::Dummy},
        {"sr_flag", &DepositOrderRow::sr_flag}, {"COMMON_DUMMY", &DepositOrderRow::COMMON_DUMMY},
        {"up_gubuncode", &DepositOrderRow::up_gubuncode}, {"RECEIVEDATE", &DepositOrderRow::RECEIVEDATE},
        {"RECEIVETIME", &DepositOrderRow::RECEIVETIME},
    });
    return c;
}

const RequestColumns<VDepositOrderRow> &VDepositOrderRow::columns()
{
    static const RequestColumns<VDepositOrderRow> c = {
        {"SENDDATE", &VDepositOrderRow::SENDDATE}, {"SENDTIME", &VDepositOrderRow::SENDTIME},
        {"SERVICE", &VDepositOrderRow::SERVICE}, {"SEQNO", &VDepositOrderRow::SEQNO},
        {"SENDID", &VDepositOrderRow::SENDID}, {"RECVID", &VDepositOrderRow::RECVID},
        {"FIRMID", &VDepositOrderRow::FIRMID}, {"BANKID", &VDepositOrderRow::BANKID},
        {"USERID", &VDepositOrderRow::USERID}, {"SENDFLAG", &VDepositOrderRow::SENDFLAG},
        {"ERRCODE", &VDepositOrderRow::ERRCODE}, {"DEPOSIT_SENDDATE", &VDepositOrderRow::DEPOSIT_SENDDATE},
        {"ORG_SEQNO", &VDepositOrderRow::ORG_SEQNO}, {"MOBANKNO", &VDepositOrderRow::MOBANKNO},
        {"GUBUN", &VDepositOrderRow::GUBUN}, {"INBANKID", &VDepositOrderRow::INBANKID},
        {"PRICE", &VDepositOrderRow::PRICE}, {"SIGN", &VDepositOrderRow::SIGN}, {"REMAIN", &VDepositOrderRow::REMAIN},
        {"BRCODE", &VDepositOrderRow::BRCODE}, {"NAME", &VDepositOrderRow::NAME}, {"JAGI", &VDepositOrderRow::JAGI},
        {"GAGAE", &VDepositOrderRow::GAGAE}, {"V_BANKNO", &VDepositOrderRow::V_BANKNO},
        {"JUMINNO", &VDepositOrderRow::JUMINNO}, {"INTIME", &VDepositOrderRow::INTIME},
        {"ORG_DATE", &VDepositOrderRow::ORG_DATE}, {"ORG_NO", &VDepositOrderRow::ORG_NO},
        {"DUMMY", &VDepositOrderRow::DUMMY}, {"RECEIVETIME", &VDepositOrderRow::RECEIVETIME},
        {"RECEIVEDATE", &VDepositOrderRow::RECEIVEDATE}, {"COMMON_DUMMY", &VDepositOrderRow::COMMON_DUMMY},
        {"up_gubuncode", &VDepositOrderRow::up_gubuncode}, {"SR_FLAG", &VDepositOrderRow::SR_FLAG},
    };
    return c;
}

const RequestColumns<TaIcheOrderRow> &TaIcheOrderRow::columns()
{
    static const RequestColumns<TaIcheOrderRow> c = HeaderThen<TaIcheOrderRow>({
        {"errcode", &TaIcheOrderRow::errcode}, {"TA_ICHE_SendDate", &TaIcheOrderRow::TA_ICHE_SendDate},
        {"ORG_SEQNO", &TaIcheOrderRow::ORG_SEQNO}, {"BANK_SEQNO", &TaIcheOrderRow::BANK_SEQNO},
        {"MoBankNo", &TaIcheOrderRow::MoBankNo}, {"TRANS_BankID", &TaIcheOrderRow::TRANS_BankID},
        {"BankNo", &TaIcheOrderRow::BankNo}, {"Gubun", &TaIcheOrderRow::Gubun}, {"Price", &TaIcheOrderRow::Price},
        {"ProcTime", &TaIcheOrderRow::ProcTime}, {"Fee", &TaIcheOrderRow::Fee}, {"CmsCode", &TaIcheOrderRow::CmsCode},
        {"Name", &TaIcheOrderRow::Name}, {"SubSeq", &TaIcheOrderRow::SubSeq},
        {"ProcResult", &TaIcheOrderRow::ProcResult}, {"TaProcNo", &TaIcheOrderRow::TaProcNo},
        {"Dummy", &TaIcheOrderRow::Dummy}, {"sr_flag", &TaIcheOrderRow::sr_flag},
        {"COMMON_DUMMY", &TaIcheOrderRow::COMMON_DUMMY}, {"up_gubuncode", &TaIcheOrderRow::up_gubuncode},
        {"receivedate", &TaIcheOrderRow::receivedate}, {"receivetime", &TaIcheOrderRow::receivetime},
    });
    return c;
}

const RequestColumns<DraftOrderRow> &DraftOrderRow::columns()
{
    static const RequestColumns<DraftOrderRow> c = HeaderThen<DraftOrderRow>({
        {"DRAFT_SENDDATE", &DraftOrderRow::DRAFT_SENDDATE}, {"ORG_SEQNO", &DraftOrderRow::ORG_SEQNO},
        {"GUBUN", &DraftOrderRow::GUBUN}, {"BANKNO", &DraftOrderRow::BANKNO},
        {"IBGUMCODE", &DraftOrderRow::IBGUMCODE}, {"DRAFTNO", &DraftOrderRow::DRAFTNO},
        {"DRAFTKIND", &DraftOrderRow::DRAFTKIND}, {"DRAFTMONEY", &DraftOrderRow::DRAFTMONEY},
        {"PUB_NAME", &DraftOrderRow::PUB_NAME}, {"DEP_NAME", &DraftOrderRow::DEP_NAME},
        {"SUTAK_DATE", &DraftOrderRow::SUTAK_DATE}, {"MANKI_DATE", &DraftOrderRow::MANKI_DATE},
        {"PAY_BANKNAME", &DraftOrderRow::PAY_BANKNAME}, {"PAY_DEPARTNAME", &DraftOrderRow::PAY_DEPARTNAME},
        {"DangTa_gubun", &DraftOrderRow::DangTa_gubun}, {"GYULJE_BANKNO", &DraftOrderRow::GYULJE_BANKNO},
        {"TRANS_DEPART", &DraftOrderRow::TRANS_DEPART}, {"SELECTAREA1", &DraftOrderRow::SELECTAREA1},
        {"SELECTAREA2", &DraftOrderRow::SELECTAREA2}, {"DUMMY", &DraftOrderRow::DUMMY},
        {"sr_flag", &DraftOrderRow::sr_flag}, {"COMMON_DUMMY", &DraftOrderRow::COMMON_DUMMY},
        {"up_gubuncode", &DraftOrderRow::up_gubuncode}, {"RECEIVEDATE", &DraftOrderRow::RECEIVEDATE},
        {"RECEIVETIME", &DraftOrderRow::RECEIVETIME},
    });
    return c;
}

const RequestColumns<VasTrsumRow> &VasTrsumRow::columns()
{
    static const RequestColumns<VasTrsumRow> c = HeaderThen<VasTrsumRow>({
        {"ERRCODE", &VasTrsumRow::ERRCODE}, {"TransDate", &VasTrsumRow::TransDate},
        {"GiKwanCode", &VasTrsumRow::GiKwanCode}, {"Ibgum_tot_gun", &VasTrsumRow::Ibgum_tot_gun},
        {"Ibgum_tot_money", &VasTrsumRow::Ibgum_tot_money}, {"Ibgum_cnl_gun", &VasTrsumRow::Ibgum_cnl_gun},
        {"Ibgum_cnl_Money", &VasTrsumRow::Ibgum_cnl_Money}, {"Chul_tot_gun", &VasTrsumRow::Chul_tot_gun},
        {"Chul_tot_money", &VasTrsumRow::Chul_tot_money}, {"Chul_cnl_gun", &VasTrsumRow::Chul_cnl_gun},
        {"Chul_cnl_money", &VasTrsumRow::Chul_cnl_money}, {"Fee_gun", &VasTrsumRow::Fee_gun},
        {"Fee_Money", &VasTrsumRow::Fee_Money}, {"Dummy", &VasTrsumRow::Dummy}, {"sr_flag", &VasTrsumRow::sr_flag},
        {"COMMON_DUMMY", &VasTrsumRow::COMMON_DUMMY}, {"up_gubuncode", &VasTrsumRow::up_gubuncode},
    });
    return c;
}

const RequestColumns<SmsTransRow> &SmsTransRow::columns()
{
    static const RequestColumns<SmsTransRow> c = {
        {"SendDate", &SmsTransRow::SendDate}, {"SendTime", &SmsTransRow::SendTime},
        {"Service", &SmsTransRow::Service}, {"SeqNo", &SmsTransRow::SeqNo}, {"SendID", &SmsTransRow::SendID},
        {"RecvID", &SmsTransRow::RecvID}, {"BankID", &SmsTransRow::BankID}, {"USERID", &SmsTransRow::USERID},
        {"SendFlag", &SmsTransRow::SendFlag}, {"TranSeqNo", &SmsTransRow::TranSeqNo},
        {"RecvName", &SmsTransRow::RecvName}, {"RecvTelNo", &SmsTransRow::RecvTelNo},
        {"SendTelNo", &SmsTransRow::SendTelNo}, {"ReserveDate", &SmsTransRow::ReserveDate},
        {"Message", &SmsTransRow::Message}, {"Dummy", &SmsTransRow::Dummy}, {"sr_flag", &SmsTransRow::sr_flag},
        {"up_gubuncode", &SmsTransRow::up_gubuncode}, {"COMMON_DUMMY", &SmsTransRow::COMMON_DUMMY},
    };
    return c;
}

template struct LiquorIcheResultRow<LiquorResultTable::Collections>;
template struct LiquorIcheResultRow<LiquorResultTable::Payments>;
