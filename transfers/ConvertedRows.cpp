#include "transfers/ConvertedRows.h"

#include "core/TextUtils.h"
#include "platform/AcctNo.h"

namespace {

const QString SameBank = QStringLiteral("당행");
const QString OtherBank = QStringLiteral("타행");
// The message types of a transfer within one bank and to another.
const QString SameBankMessage = QStringLiteral("0100100");
const QString OtherBankMessage = QStringLiteral("0101100");

// Characters a row's made texts take at most in the usual case: an amount
// of 13 digits grouped, an account with its hyphens, a check code.
constexpr qsizetype TextPerRow = 17 + 20 + 12;

} // namespace

void ConvertedRows::begin(const ConvertContext &context, const MotherFinder &mothers,
                          const QVector<LineScreen::Bank> &banks, qsizetype lines)
{
    m_rows.clear();
    m_rows.reserve(size_t(lines));
    m_text.clear();
    m_text.reserve(lines * TextPerRow);
    m_mothers.clear();
    for (int i = 0; i < context.banks.size(); ++i) {
        const MotherAccount &m = mothers.account(i);
        m_mothers.append({m.bankname, mothers.shownAccount(i), m.passwd, m.recvid, m.firmid, m.bankid});
    }
    m_banks = banks;
    m_transDiv = context.transDiv;
    m_sendId = context.networkId;
    m_userId = context.userId;
    m_sendFlag = context.sendFlagInit;
    m_gubun = context.kind();
}

ConvertedRows::Span ConvertedRows::appendText(QStringView text)
{
    const Span span{qint32(m_text.size()), qint32(text.size())};
    m_text.append(text);
    return span;
}

int ConvertedRows::append(const ScreenedLine &line, int mother)
{
    Row row;
    row.mother = mother;
    row.bank = line.bank;
    // Same bank only for the same code: files know no bank groups.
    row.sameBank = m_mothers[mother].bankId == line.bankId;
    row.money.start = qint32(m_text.size());
    AppendMoneyStr(m_text, line.amount);
    row.money.size = qint32(m_text.size()) - row.money.start;
    // The screened account has no '-' left to strip.
    row.bankNo.start = qint32(m_text.size());
    qvx::AcctNo::appendHyphenated(m_text, line.bankId, line.bankNo());
    row.bankNo.size = qint32(m_text.size()) - row.bankNo.start;
    row.name = line.sName;
    row.info = line.cInfo;
    m_rows.push_back(row);
    return int(m_rows.size()) - 1;
}

void ConvertedRows::setCheckCode(int i, QStringView code)
{
    m_rows[size_t(i)].boki = appendText(code);
}

void ConvertedRows::appendRows(const ConvertedRows &part)
{
    const qint32 shift = qint32(m_text.size());
    m_text.append(part.m_text);
    m_rows.reserve(m_rows.size() + part.m_rows.size());
    for (Row row : part.m_rows) {
        row.money.start += shift;
        row.bankNo.start += shift;
        row.boki.start += shift;
        m_rows.push_back(row);
    }
}

void ConvertedRows::retain(const std::vector<int> &kept)
{
    size_t to = 0;
    for (const int from : kept)
        m_rows[to++] = m_rows[size_t(from)];
    m_rows.resize(to);
}

ConvertedRows::Owner ConvertedRows::ownerOf(TransferColumn col)
{
    switch (col) {
    case tcMoBankName:
    case tcMoBankNo:
    case tcPassWd:
    case tcRecvId:
    case tcFirmId:
    case tcMoBankId: return Owner::Mother;
    case tcBankName:
    case tcBankId: return Owner::Bank;
    case tcWorkDiv:
    case tcMsgType: return Owner::SameBank;
    case tcTransDiv:
    case tcSendId:
    case tcUserId:
    case tcSendFlag:
    case tcGubun: return Owner::Run;
    default: return Owner::Row;
    }
}

int ConvertedRows::keyOf(int i, Owner owner) const
{
    const Row &r = m_rows[size_t(i)];
    switch (owner) {
    case Owner::Mother: return r.mother;
    case Owner::Bank: return r.bank;
    case Owner::SameBank: return r.sameBank ? 1 : 0;
    case Owner::Row:
    case Owner::Run: break;
    }
    return 0;
}

int ConvertedRows::keyCount(Owner owner) const
{
    switch (owner) {
    case Owner::Mother: return int(m_mothers.size());
    case Owner::Bank: return int(m_banks.size());
    case Owner::SameBank: return 2;
    case Owner::Run: return 1;
    case Owner::Row: break;
    }
    return 0;
}

QStringView ConvertedRows::sharedCell(TransferColumn col, int key) const
{
    switch (col) {
    case tcMoBankName: return m_mothers[key].bankName;
    case tcMoBankNo: return m_mothers[key].shownAccount;
    case tcPassWd: return m_mothers[key].passWd;
    case tcRecvId: return m_mothers[key].recvId;
    case tcFirmId: return m_mothers[key].firmId;
    case tcMoBankId: return m_mothers[key].bankId;
    case tcBankName: return m_banks[key].name;
    case tcBankId: return m_banks[key].id;
    case tcWorkDiv: return key ? SameBank : OtherBank;
    case tcMsgType: return key ? SameBankMessage : OtherBankMessage;
    case tcTransDiv: return m_transDiv;
    case tcSendId: return m_sendId;
    case tcUserId: return m_userId;
    case tcSendFlag: return m_sendFlag;
    case tcGubun: return m_gubun;
    default: return {};
    }
}

QStringView ConvertedRows::cell(int i, TransferColumn col) const
{
    const Row &r = m_rows[size_t(i)];
    switch (col) {
    case tcBoki: return text(r.boki);
    case tcMoney: return text(r.money);
    case tcBankNo: return text(r.bankNo);
    case tcName: return r.name;
    case tcInfo: return r.info;
    case tcNo:
    case tcRealNameNo:
    case TransferColumnCount: return {};
    default: break;
    }
    const Owner owner = ownerOf(col);
    return sharedCell(col, keyOf(i, owner));
}

TransferRow ConvertedRows::row(int i) const
{
    TransferRow out;
    for (int col = 0; col < TransferColumnCount; ++col) {
        const QStringView text = cell(i, TransferColumn(col));
        if (!text.isNull())
            out.at(TransferColumn(col)) = text.toString();
    }
    return out;
}
