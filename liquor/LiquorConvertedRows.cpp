#include "liquor/LiquorConvertedRows.h"

#include "core/Session.h"
#include "core/TextUtils.h"
#include "liquor/LiquorRules.h"

namespace {

const QString PayKind = QStringLiteral("주류");
const QString One = QStringLiteral("1");

} // namespace

LiquorConvertedRows::LiquorConvertedRows(const Session &session, const QVector<MotherAccount> &banks)
    : m_banks(banks),
      m_transDiv(LiquorModeWord(session.PaymentMode)),
      m_sendId(session.NetworkId),
      m_service(session.ServiceDiv),
      m_userId(session.LoginUserId),
      m_sendFlag(session.SendFlagInit),
      m_gubun(LiquorGubun(session.PaymentMode))
{
    m_moBankNos.reserve(banks.size());
    for (const MotherAccount &a : banks)
        m_moBankNos.append(FormatAcctNo(a.bankid, a.mobankno));
}

void LiquorConvertedRows::reserve(int rows, qsizetype chars)
{
    m_rows.reserve(rows);
    m_text.reserve(chars);
}

void LiquorConvertedRows::append(int mother, qint64 money, const LiquorOwnTexts &texts)
{
    append(mother, money, stage(texts));
}

LiquorConvertedRows::Staged LiquorConvertedRows::stage(const LiquorOwnTexts &t)
{
    Staged staged;
    staged.text = m_text.append({t.juMoney, t.nonJuMoney, t.money, t.name, t.bankNo, t.realNameNo, t.info, t.boki,
                                  t.bankId},
                                 staged.ends.data());
    return staged;
}

LiquorOwnTexts LiquorConvertedRows::staged(const Staged &staged) const
{
    auto text = [&](Own o) { return own(staged.text, staged.ends, o); };
    return {text(oJuMoney), text(oNonJuMoney), text(oMoney), text(oName), text(oBankNo), text(oRealNameNo),
            text(oInfo), text(oBoki), text(oBankId)};
}

void LiquorConvertedRows::append(int mother, qint64 money, const Staged &staged)
{
    m_rows.append(Row{money, staged.text, mother, staged.ends});
}

QStringView LiquorConvertedRows::own(const QChar *text, const std::array<int, OwnCount> &ends, Own o)
{
    const int from = o == 0 ? 0 : ends[o - 1];
    return QStringView(text + from, ends[o] - from);
}

void LiquorConvertedRows::adoptStaged(LiquorConvertedRows &&other)
{
    m_text.adopt(std::move(other.m_text));
}

LiquorConvertedRows::Owner LiquorConvertedRows::ownerOf(LiquorColumn col)
{
    switch (col) {
    case lcMoBankName:
    case lcMoBankNo:
    case lcBankName:
    case lcRecvId:
    case lcFirmId:
    case lcMoBankId:
    case lcPassWd: return Owner::Mother;
    case lcTransDiv:
    case lcPayKind:
    case lcSendId:
    case lcService:
    case lcUserId:
    case lcSendFlag:
    case lcGubun:
    case lcJuFlag:
    case lcFlag25: return Owner::Run;
    default: return Owner::Row;
    }
}

int LiquorConvertedRows::keyOf(int i, Owner owner) const
{
    return owner == Owner::Mother ? m_rows[i].mother : 0;
}

int LiquorConvertedRows::keyCount(Owner owner) const
{
    switch (owner) {
    case Owner::Mother: return int(m_banks.size());
    case Owner::Run: return 1;
    case Owner::Row: break;
    }
    return 0;
}

QStringView LiquorConvertedRows::sharedCell(LiquorColumn col, int key) const
{
    switch (col) {
    case lcTransDiv: return m_transDiv;
    case lcMoBankName: return m_banks[key].bankname;
    case lcMoBankNo: return m_moBankNos[key];
    case lcBankName: return m_banks[key].bankname;
    case lcPayKind: return PayKind;
    case lcSendId: return m_sendId;
    case lcRecvId: return m_banks[key].recvid;
    case lcFirmId: return m_banks[key].firmid;
    case lcService: return m_service;
    case lcMoBankId: return m_banks[key].bankid;
    case lcUserId: return m_userId;
    case lcSendFlag: return m_sendFlag;
    case lcPassWd: return m_banks[key].passwd;
    case lcGubun: return m_gubun;
    case lcJuFlag:
    case lcFlag25: return One;
    default: return {};
    }
}

QStringView LiquorConvertedRows::cell(int i, LiquorColumn col) const
{
    const Row &r = m_rows[i];
    switch (col) {
    case lcNo: return {};
    case lcJuMoney: return own(r.text, r.end, oJuMoney);
    case lcNonJuMoney: return own(r.text, r.end, oNonJuMoney);
    case lcMoney: return own(r.text, r.end, oMoney);
    case lcName: return own(r.text, r.end, oName);
    case lcBankNo: return own(r.text, r.end, oBankNo);
    case lcRealNameNo: return own(r.text, r.end, oRealNameNo);
    case lcInfo: return own(r.text, r.end, oInfo);
    case lcBoki: return own(r.text, r.end, oBoki);
    case lcBankId:
    case lcBankId2: return own(r.text, r.end, oBankId);
    case LiquorColumnCount: return {};
    default: break;
    }
    const Owner owner = ownerOf(col);
    return sharedCell(col, keyOf(i, owner));
}

LiquorRow LiquorConvertedRows::row(int i) const
{
    LiquorRow row;
    for (int c = lcTransDiv; c < LiquorColumnCount; ++c)
        row.setValue(LiquorColumn(c), cell(i, LiquorColumn(c)).toString());
    return row;
}
