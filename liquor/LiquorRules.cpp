#include "liquor/LiquorRules.h"

#include "core/Session.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"

namespace {

// One amount field read by the amount rule; an empty liquor or non-liquor
// field is 0.
bool readAmount(const QString &text, bool emptyIsZero, bool mustBePositive, qint64 *value, QString *message)
{
    // The general amount rule: plain digits or correct thousands grouping;
    // any other comma makes the text no amount.
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() && emptyIsZero) {
        *value = 0;
        return true;
    }
    const AmountCheck check = CheckTransferAmount(trimmed);
    if (check.fault == AmountFault::TooLarge) {
        *message = LiquorAmountTooLongMessage;
        return false;
    }
    if (check.fault == AmountFault::None) {
        *value = check.value;
        return true;
    }
    // The general rule refuses 0; a liquor or non-liquor part may be 0.
    const QString plain = IsThousandsGrouped(trimmed) ? DelComma(trimmed) : trimmed;
    const bool zero = !plain.isEmpty() && plain.size() <= LiquorAmountMaxChars
                      && plain.count(QLatin1Char('0')) == plain.size();
    if (zero && !mustBePositive) {
        *value = 0;
        return true;
    }
    *message = LiquorAmountMissingMessage;
    return false;
}

bool plainDigits(QStringView text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// readAmount for a text that is empty or ASCII digits only, without making a
// string: the same outcome, read in place.
bool readPlainAmount(QStringView plain, bool emptyIsZero, bool mustBePositive, qint64 *value, QString *message)
{
    if (plain.isEmpty()) {
        if (emptyIsZero) {
            *value = 0;
            return true;
        }
        *message = LiquorAmountMissingMessage;
        return false;
    }
    qsizetype first = 0;
    while (first < plain.size() - 1 && plain[first] == QLatin1Char('0'))
        ++first;
    if (plain.size() - first > LiquorAmountMaxChars) {
        *message = LiquorAmountTooLongMessage;
        return false;
    }
    qint64 v = 0;
    for (qsizetype i = first; i < plain.size(); ++i)
        v = v * 10 + (plain[i].unicode() - u'0');
    if (v > 0 || (!mustBePositive && plain.size() <= LiquorAmountMaxChars)) {
        *value = v;
        return true;
    }
    *message = LiquorAmountMissingMessage;
    return false;
}

// The liquor, non-liquor and transfer amounts in that order, each through
// read; the first that fails names its field.
template <typename Text, typename Read>
LiquorAmounts readAmounts(const Text &liquor, const Text &nonLiquor, const Text &transfer, Read read)
{
    LiquorAmounts out;
    if (!read(liquor, true, false, &out.liquor, &out.message)) {
        out.faultField = LiquorAmountField::Liquor;
        return out;
    }
    if (!read(nonLiquor, true, false, &out.nonLiquor, &out.message)) {
        out.faultField = LiquorAmountField::NonLiquor;
        return out;
    }
    if (!read(transfer, false, true, &out.transfer, &out.message))
        out.faultField = LiquorAmountField::Transfer;
    return out;
}

} // namespace

bool LiquorSameBank(const QString &moBankId, const QString &bankId)
{
    return SameBankWord(moBankId, bankId) == u"당행";
}

bool LiquorAmountTextTooLong(const QString &text)
{
    return text.size() > LiquorAmountMaxChars;
}

LiquorAmounts CheckLiquorAmounts(const QString &liquor, const QString &nonLiquor, const QString &transfer)
{
    return readAmounts(liquor, nonLiquor, transfer, readAmount);
}

LiquorAmounts CheckLiquorAmounts(QStringView liquor, QStringView nonLiquor, QStringView transfer)
{
    if (!plainDigits(liquor) || !plainDigits(nonLiquor) || !plainDigits(transfer))
        return CheckLiquorAmounts(liquor.toString(), nonLiquor.toString(), transfer.toString());
    return readAmounts(liquor, nonLiquor, transfer, readPlainAmount);
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
