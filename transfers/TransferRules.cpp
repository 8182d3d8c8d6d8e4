#include "transfers/TransferRules.h"

#include "core/BankCheckCode.h"
#include "core/TextUtils.h"
#include "platform/AmountText.h"
#include "platform/Clock.h"
#include "platform/SqlText.h"

#include <algorithm>

const QString AmountMissingMessage = QStringLiteral("이체금액을 등록하시기 바랍니다.");
const QString AmountNotWholeMessage = QStringLiteral("이체금액을 원 단위 숫자로 입력하시기 바랍니다.");
const QString AmountTooLargeMessage =
    QStringLiteral("이체금액이 한도를 초과하였습니다. 10조(13자리) 이상은 금액은 이체되지 않습니다.");

namespace {

constexpr int MaxAmountDigits = 13;

bool inSameBankGroup(const QString &code)
{
    return code == u"21" || code == u"26" || code == u"88";
}

} // namespace

QString AmountCheck::message() const
{
    switch (fault) {
    case AmountFault::Missing: return AmountMissingMessage;
    case AmountFault::TooLarge: return AmountTooLargeMessage;
    case AmountFault::NotWhole: return AmountNotWholeMessage;
    case AmountFault::None: break;
    }
    return QString();
}

AmountCheck CheckTransferAmount(QStringView text)
{
    AmountCheck check;
    const qvx::WholeAmount read = qvx::ReadWholeAmount(text);
    if (read.shape == qvx::AmountShape::Empty) {
        check.fault = AmountFault::Missing;
        return check;
    }
    // A stray comma ("1,0,0", ",5", a field cut one byte off "1,000,00"), a
    // fraction or a sign is no amount of whole won, however many digits it holds.
    if (!read.isWhole() || read.negative) {
        check.fault = AmountFault::NotWhole;
        return check;
    }
    if (read.significantDigits > MaxAmountDigits) {
        check.fault = AmountFault::TooLarge;
        return check;
    }
    check.value = read.value;
    if (check.value <= 0)
        check.fault = AmountFault::Missing;
    return check;
}

QString SameBankWord(const QString &moBankId, const QString &bankId)
{
    if (moBankId == bankId)
        return QStringLiteral("당행");
    if (inSameBankGroup(bankId) && inSameBankGroup(moBankId))
        return QStringLiteral("당행");
    return QStringLiteral("타행");
}

QString TransferMessageType(const QString &moBankId, const QString &bankId)
{
    return moBankId == bankId ? QStringLiteral("0100100") : QStringLiteral("0101100");
}

QString TransferKindCode(const QString &transDiv)
{
    return transDiv == u"수납" ? QStringLiteral("20") : QStringLiteral("30");
}

QString TransferCheckCode(const QString &moBankId, const QString &moBankNo, const QString &bankId,
                          const QString &bankNo, const QString &plainAmount, const QString &gubun,
                          const QString &seqNo, const QString &code, qvx::AppServer *server)
{
    return MakeBankCheckCode(moBankId, DelChar(moBankNo, QLatin1Char('-')), bankId, DelChar(bankNo, QLatin1Char('-')),
                             FixLenZero(DelComma(plainAmount).trimmed(), 13, false), seqNo, gubun, code, server);
}

QString RowCheckCode(const TransferRow &row, const QString &seqNo, const QString &code, qvx::AppServer *server)
{
    return TransferCheckCode(row.moBankId, row.moBankNo, row.bankId, row.bankNo, row.money, row.gubun, seqNo, code,
                             server);
}

QString CheckCodeRefusedMessage()
{
    return QStringLiteral("복기(검증번호)를 만들 수 없습니다.\r\n모계좌, 거래계좌와 이체금액을 확인하시기 바랍니다.");
}

QString EntryCheckCode(const TransferRow &row, qvx::AppServer *server)
{
    return EntryCheckCode(row, qvx::Clock::date(), server);
}

QString EntryCheckCode(const TransferRow &row, const QDate &today, qvx::AppServer *server)
{
    return EntryCheckCode(row.moBankId, row.plainMoBankNo(), row.bankId, row.plainBankNo(),
                          FixLenZero(row.plainMoney().trimmed(), 13, false), row.gubun, today, server);
}

QString EntryCheckCode(const QString &moBankId, const QString &plainMoBankNo, const QString &bankId,
                       const QString &plainBankNo, const QString &amount13, const QString &gubun, const QDate &today,
                       qvx::AppServer *server)
{
    BankCheckCoder::Room room;
    return EntryCheckCoder(moBankId, gubun, today, server).make(plainMoBankNo, bankId, plainBankNo, amount13, room)
        .toString();
}

EntryCheckCoder::EntryCheckCoder(const QString &moBankId, const QString &gubun, const QDate &today,
                                 qvx::AppServer *server)
{
    // Bank 23's code needs the message number, which an entry has not yet.
    if (moBankId != QLatin1StringView("23"))
        m_coder.emplace(moBankId, gubun, today, server);
}

QStringView EntryCheckCoder::make(QStringView plainMoBankNo, QStringView bankId, QStringView plainBankNo,
                                  QStringView amount13, BankCheckCoder::Room &room)
{
    if (!m_coder)
        return {};
    return m_coder->make(plainMoBankNo, bankId, plainBankNo, amount13, QStringView(), u"999999", room);
}

QString AmountDigits(qint64 amount)
{
    return FixLenZero(QString::number(amount), AmountDigitCount, false);
}

QStringView AmountDigits(qint64 amount, QChar (&buffer)[AmountDigitCount])
{
    quint64 rest = quint64(amount);
    for (int i = AmountDigitCount - 1; i >= 0; --i, rest /= 10)
        buffer[i] = QChar(char16_t(u'0' + rest % 10));
    return QStringView(buffer, AmountDigitCount);
}

bool ResidentNoRefused(const QString &bankId, const QString &realNameNo, const QString &today)
{
    try {
        return IsResidentNoBanned(bankId, realNameNo, today);
    } catch (const ConvertError &) {
        return false;
    }
}

const QString RealNameNoTooLongMessage = QStringLiteral("실명번호는 13자리 이내로 입력하시기 바랍니다.");

TransferEntryCheck CheckTransferEntry(const TransferEntryInput &input)
{
    TransferEntryCheck check;
    if (input.moBankIndex <= 0) {
        check.focus = EntryFocus::MotherAccount;
        check.message = QStringLiteral("모은행 및 계좌를 선택하시기 바랍니다.");
        return check;
    }
    if (input.payeeIndex <= 0 && input.sendName.isEmpty()) {
        check.focus = input.payeeComboEnabled ? EntryFocus::PayeeCombo : EntryFocus::SendName;
        check.message = QStringLiteral("송금인 또는 수금인을 등록하시기 바랍니다.");
        return check;
    }
    // The request keeps 13 digits of the real-name number (a resident
    // registration number): a longer one would be sent cut.
    if (Cp949Length(PlainRealNameNo(input.residentNo)) > RealNameNoMaxBytes) {
        check.focus = EntryFocus::ResidentNo;
        check.message = RealNameNoTooLongMessage;
        return check;
    }
    // A bank code that is no number has no resident-number rule.
    bool banned = false;
    try {
        banned = IsResidentNoBanned(input.moBankId, DelChar(input.residentNo, QLatin1Char('-')), input.today);
    } catch (const ConvertError &) {
        banned = false;
    }
    if (banned) {
        check.focus = EntryFocus::ResidentNo;
        check.message = QStringLiteral("실명번호의 주민등록번호는 생년월일로 대체 되었습니다.\r\n확인 후 수정해 주시기 바랍니다.");
        return check;
    }
    const AmountCheck amount = CheckTransferAmount(input.amountText);
    if (amount.fault != AmountFault::None) {
        check.focus = EntryFocus::Amount;
        check.message = amount.message();
        return check;
    }
    if (!StoredAccountNo(input.bankNo)) {
        check.focus = EntryFocus::BankNo;
        check.message = AccountRefusedMessage;
        return check;
    }
    check.amount = amount.value;
    return check;
}

QString PlainRealNameNo(const QString &text)
{
    QString out;
    for (QChar c : text)
        if (c != QLatin1Char('-') && !c.isSpace())
            out += c;
    return out;
}

TransferRow ApplyTransferRowEdit(const TransferRow &row, const TransferRowEdit &edit)
{
    TransferRow out = row;
    out.name = edit.name;
    out.bankId = edit.bankId;
    out.bankName = edit.bankName;
    out.workDiv = SameBankWord(row.moBankId, edit.bankId);
    out.msgType = TransferMessageType(row.moBankId, edit.bankId);
    out.bankNo = FormatAcctNo(edit.bankId, DelChar(edit.bankNo, QLatin1Char('-')).trimmed());
    out.money = FormatMoney(QString::number(edit.amount));
    out.realNameNo = PlainRealNameNo(edit.realNameNo);
    return out;
}
