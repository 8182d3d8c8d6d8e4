#include "liquor/LiquorRules.h"

#include "core/Session.h"
#include "core/TextUtils.h"
#include "platform/AmountText.h"
#include "platform/Clock.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"

#include <array>

namespace {

enum class AmountRead { Ok, TooLong, Missing, NotWhole };

// An amount that reads as zero: a liquor or non-liquor part of at most 13
// characters is 0, a transfer amount is missing.
AmountRead readZero(qsizetype size, bool isPart, qint64 *value)
{
    if (!isPart)
        return AmountRead::Missing;
    if (size > LiquorAmountMaxChars)
        return AmountRead::TooLong;
    *value = 0;
    return AmountRead::Ok;
}

// One amount field read by the amount rule; an empty liquor or non-liquor
// field is 0.
AmountRead readAmount(QStringView text, bool isPart, qint64 *value)
{
    const qvx::WholeAmount read = qvx::ReadWholeAmount(text);
    if (read.shape == qvx::AmountShape::Empty)
        return readZero(0, isPart, value);
    if (!read.isWhole() || read.negative)
        return AmountRead::NotWhole;
    if (read.significantDigits > LiquorAmountMaxChars)
        return AmountRead::TooLong;
    // The general rule refuses 0; a liquor or non-liquor part may be 0.
    if (read.value == 0)
        return readZero(read.digits, isPart, value);
    *value = read.value;
    return AmountRead::Ok;
}

const QString &amountMessage(LiquorAmountField field, AmountRead read)
{
    switch (read) {
    case AmountRead::TooLong: return LiquorAmountTooLongMessage;
    case AmountRead::Missing: return LiquorAmountMissingMessage;
    default: return LiquorAmountNotWholeMessage(field);
    }
}

// The liquor, non-liquor and transfer amounts in that order, each through
// read; the first that fails names its field.
template <typename Text, typename Read>
LiquorAmounts readAmounts(const Text &liquor, const Text &nonLiquor, const Text &transfer, Read read)
{
    LiquorAmounts out;
    const struct
    {
        const Text &text;
        LiquorAmountField field;
        qint64 *value;
    } fields[] = {{liquor, LiquorAmountField::Liquor, &out.liquor},
                  {nonLiquor, LiquorAmountField::NonLiquor, &out.nonLiquor},
                  {transfer, LiquorAmountField::Transfer, &out.transfer}};
    for (const auto &f : fields) {
        const AmountRead r = read(f.text, f.field != LiquorAmountField::Transfer, f.value);
        if (r != AmountRead::Ok) {
            out.faultField = f.field;
            out.message = amountMessage(f.field, r);
            return out;
        }
    }
    return out;
}

} // namespace

bool LiquorSameBank(const QString &moBankId, const QString &bankId)
{
    return SameBankWord(moBankId, bankId) == u"당행";
}

bool LiquorAmountTextTooLong(const QString &text)
{
    return text.size() - text.count(QLatin1Char(',')) > LiquorAmountMaxChars;
}

QString LiquorAmountFieldName(LiquorAmountField field)
{
    switch (field) {
    case LiquorAmountField::Liquor: return QStringLiteral("주류금액");
    case LiquorAmountField::NonLiquor: return QStringLiteral("비주류금액");
    case LiquorAmountField::Transfer: return QStringLiteral("이체금액");
    case LiquorAmountField::None: break;
    }
    return QString();
}

const QString &LiquorAmountNotWholeMessage(LiquorAmountField field)
{
    // Made once: a long file may refuse many lines for the same field.
    static const std::array<QString, 4> messages = [] {
        std::array<QString, 4> out;
        for (LiquorAmountField f : {LiquorAmountField::Liquor, LiquorAmountField::NonLiquor, LiquorAmountField::Transfer})
            out[size_t(f)] = LiquorAmountFieldName(f) + QStringLiteral("을 원 단위 숫자로 입력하시기 바랍니다.");
        return out;
    }();
    return messages[size_t(field)];
}

LiquorAmounts CheckLiquorAmounts(const QString &liquor, const QString &nonLiquor, const QString &transfer)
{
    return CheckLiquorAmounts(QStringView(liquor), QStringView(nonLiquor), QStringView(transfer));
}

LiquorAmounts CheckLiquorAmounts(QStringView liquor, QStringView nonLiquor, QStringView transfer)
{
    return readAmounts(liquor, nonLiquor, transfer, readAmount);
}

bool SumLiquorParts(const QString &liquor, const QString &nonLiquor, qint64 *sum)
{
    const LiquorAmounts parts = CheckLiquorAmounts(liquor, nonLiquor, QStringLiteral("1"));
    if (parts.faultField == LiquorAmountField::Liquor || parts.faultField == LiquorAmountField::NonLiquor)
        return false;
    *sum = parts.liquor + parts.nonLiquor;
    return true;
}

LiquorEntryCheck CheckLiquorEntry(const LiquorEntryInput &input)
{
    LiquorEntryCheck check;
    if (!input.hasMotherAccount) {
        check.focus = LiquorEntryFocus::MotherAccount;
        check.message = LiquorNoMotherAccountMessage;
        return check;
    }
    if (input.payeeIndex <= 0 && input.sendName.isEmpty()) {
        check.focus = input.payeeComboEnabled ? LiquorEntryFocus::PayeeCombo : LiquorEntryFocus::SendName;
        check.message = QStringLiteral("송금인 또는 수금인을 등록하시기 바랍니다.");
        return check;
    }
    check.amounts = CheckLiquorAmounts(input.liquorText, input.nonLiquorText, input.transferText);
    if (!check.amounts.ok()) {
        check.message = check.amounts.message;
        switch (check.amounts.faultField) {
        case LiquorAmountField::NonLiquor: check.focus = LiquorEntryFocus::NonLiquor; break;
        case LiquorAmountField::Transfer:
            // A missing transfer amount is entered through the liquor amount.
            check.focus = check.amounts.message == LiquorAmountMissingMessage ? LiquorEntryFocus::Liquor
                                                                              : LiquorEntryFocus::Transfer;
            break;
        default: check.focus = LiquorEntryFocus::Liquor; break;
        }
        return check;
    }
    if (ResidentNoRefused(input.moBankId, input.realNameNo, input.today)) {
        check.focus = LiquorEntryFocus::RealNameNo;
        check.message = LiquorResidentNoMessage;
        return check;
    }
    if (!LiquorSameBank(input.moBankId, input.bankId)) {
        check.focus = LiquorEntryFocus::SendName;
        check.message = LiquorOtherBankMessage;
        return check;
    }
    if (!StoredAccountNo(input.bankNo)) {
        check.focus = LiquorEntryFocus::BankNo;
        check.message = AccountRefusedMessage;
    }
    return check;
}

QString LiquorModeWord(int paymentMode)
{
    return paymentMode == 1 ? QStringLiteral("지급") : QStringLiteral("수납");
}

QString LiquorGubun(int paymentMode)
{
    return paymentMode == 1 ? QStringLiteral("30") : QStringLiteral("20");
}

LiquorRow MakeLiquorEntryRow(const Session &session, const MotherAccount &account, const LiquorEntry &entry)
{
    return MakeLiquorEntryRow(session, account, entry,
                              {FormatAcctNo(account.bankid, account.mobankno), CurrToMoneyStr(entry.amounts.transfer),
                               DelChar(entry.bankNo, QLatin1Char('-')).trimmed()});
}

LiquorRow MakeLiquorEntryRow(const Session &session, const MotherAccount &account, const LiquorEntry &entry,
                             const LiquorRowParts &parts)
{
    // An amount equal to the transfer shares its grouped text.
    auto grouped = [&](Currency value) {
        return value == entry.amounts.transfer ? parts.groupedMoney : CurrToMoneyStr(value);
    };
    LiquorRow row;
    row.transDiv = LiquorModeWord(session.PaymentMode);
    row.moBankName = account.bankname;
    row.moBankNo = parts.moBankNo;
    row.juMoney = grouped(entry.amounts.liquor);
    row.nonJuMoney = grouped(entry.amounts.nonLiquor);
    row.money = parts.groupedMoney;
    row.name = entry.name;
    row.bankName = entry.bankName;
    row.bankNo = FormatAcctNo(entry.bankId, parts.plainBankNo);
    row.payKind = QStringLiteral("주류");
    row.realNameNo = entry.realNameNo;
    row.info = entry.info;
    row.sendId = session.NetworkId;
    row.recvId = account.recvid;
    row.firmId = account.firmid;
    row.service = session.ServiceDiv;
    row.moBankId = account.bankid;
    row.userId = session.LoginUserId;
    row.sendFlag = session.SendFlagInit;
    row.passWd = account.passwd;
    row.gubun = LiquorGubun(session.PaymentMode);
    row.juFlag = QStringLiteral("1");
    row.bankId = entry.bankId;
    row.flag25 = QStringLiteral("1");
    row.bankId2 = entry.bankId;
    return row;
}

QString LiquorCheckCode(const LiquorRow &row, const QString &seqNo, const QString &time, qvx::AppServer *server)
{
    return TransferCheckCode(row.moBankId, row.moBankNo, row.bankId, row.bankNo, row.money, row.gubun, seqNo, time,
                             server);
}

QString LiquorEntryCheckCode(const LiquorRow &row, qvx::AppServer *server)
{
    return LiquorEntryCheckCode(row, qvx::Clock::date(), server);
}

QString LiquorEntryCheckCode(const LiquorRow &row, const QDate &today, qvx::AppServer *server)
{
    return EntryCheckCode(row.moBankId, row.plainMoBankNo(), row.bankId, row.plainBankNo(),
                          FixLenZero(row.plainMoney().trimmed(), 13, false), row.gubun, today, server);
}

QString LiquorSendCheckCode(const LiquorRow &row, qint64 seqNo, const QString &batchTime, qvx::AppServer *server)
{
    if (row.moBankId == u"23")
        return LiquorCheckCode(row, QString::number(seqNo), batchTime, server);
    return LiquorCheckCode(row, QString(), QStringLiteral("999999"), server);
}

bool IsDuplicateLiquorTransfer(const std::function<QString(int col, int row)> &cell, int rowCount,
                               const QString &name, const QString &groupedAmount, const QString &info,
                               bool compareInfo)
{
    return IsDuplicateTransfer(cell, rowCount, name, groupedAmount, info, compareInfo,
                               DuplicateColumns{lcName, lcMoney, lcInfo});
}

QString LiquorDuplicateLogLine(const QString &name, const QString &groupedAmount)
{
    return QStringLiteral("중복이체건 추가 -> ") + DuplicateLogTail(name, groupedAmount) + QStringLiteral("\r");
}

LiquorRow ApplyLiquorRowEdit(const LiquorRow &row, const LiquorRowEdit &edit)
{
    LiquorRow out = row;
    out.name = edit.name;
    // No bank chosen in the dialog: the row keeps its own.
    if (!edit.bankId.isEmpty()) {
        out.bankId = edit.bankId;
        out.bankId2 = edit.bankId;
        out.bankName = edit.bankName;
    }
    out.bankNo = edit.bankNo;
    out.juMoney = FormatMoney(QString::number(edit.amounts.liquor));
    out.nonJuMoney = FormatMoney(QString::number(edit.amounts.nonLiquor));
    out.money = FormatMoney(QString::number(edit.amounts.transfer));
    out.realNameNo = edit.realNameNo;
    return out;
}
