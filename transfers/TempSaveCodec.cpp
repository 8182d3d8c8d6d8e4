#include "transfers/TempSaveCodec.h"

#include "core/TextUtils.h"
#include "transfers/TransferRules.h"
#include "platform/Cp949.h"

namespace {

const TempSaveField Fields[TempSaveFieldCount] = {
    {tcMoBankName, 0, 12},   {tcMoBankNo, 12, 15},  {tcPassWd, 27, 8},    {tcBoki, 35, 6},
    {tcWorkDiv, 41, 4},      {tcTransDiv, 45, 4},   {tcMoney, 49, 13},    {tcBankName, 62, 12},
    {tcBankNo, 74, 15},      {tcName, 89, 16},      {tcSendId, 105, 10},  {tcRecvId, 115, 10},
    {tcFirmId, 125, 8},      {tcUserId, 133, 10},   {tcInfo, 143, 40},    {tcSendFlag, 183, 2},
    {tcGubun, 185, 2},       {tcMsgType, 187, 7},   {tcMoBankId, 194, 2}, {tcBankId, 196, 2},
    {tcRealNameNo, 198, 13},
};

// The value a field stores.
QString savedValue(const TransferRow &row, TransferColumn col)
{
    switch (col) {
    case tcMoBankNo: return row.plainMoBankNo();
    case tcBankNo: return row.plainBankNo();
    case tcMoney: return row.plainMoney();
    case tcRealNameNo: return DelChar(row.realNameNo, QLatin1Char('-'));
    default: return row.value(col);
    }
}

} // namespace

bool AppendTempSaveField(QByteArray &line, const QString &value, int width, QString *badCharacter)
{
    bool ok = true;
    const QByteArray bytes = qvx::Cp949::encode(value, &ok);
    if (!ok) {
        *badCharacter = qvx::Cp949::firstUnencodable(value);
        return false;
    }
    if (bytes.size() > width)
        return false;
    line += bytes;
    line += QByteArray(width - bytes.size(), ' ');
    return true;
}

TempSaveEncoded EncodeTempSaveLine(const TransferRow &row)
{
    return EncodeTempSaveFields(Fields, TempSaveLineBytes, [&row](TransferColumn col) { return savedValue(row, col); });
}

QString TempSaveRefusalText(int gridRow, const QString &fieldTitle, int width, const QString &badCharacter)
{
    if (badCharacter.isEmpty())
        return QStringLiteral("%1번째 자료의 '%2' 값이 저장 길이(%3바이트)를 초과합니다.\r\n"
                              "값을 수정한 후 다시 저장하시기 바랍니다.")
            .arg(gridRow)
            .arg(fieldTitle)
            .arg(width);
    return QStringLiteral("%1번째 자료의 '%2' 값의 문자 %3는 CP949로 저장할 수 없습니다.\r\n"
                          "값을 수정한 후 다시 저장하시기 바랍니다.")
        .arg(gridRow)
        .arg(fieldTitle, qvx::Cp949::characterName(badCharacter));
}

QString TempSaveTooLongMessage(int gridRow, TransferColumn column, int width)
{
    return TempSaveRefusalText(gridRow, TransferColumnTitle(column), width, QString());
}

QString TempSaveRefusalMessage(int gridRow, const TempSaveEncoded &line)
{
    return TempSaveRefusalText(gridRow, TransferColumnTitle(line.badColumn), line.badWidth, line.badCharacter);
}

TempSaveDecoded DecodeTempSaveLine(const QByteArray &line)
{
    TempSaveDecoded out;
    if (line.size() > TempSaveLineBytes) {
        out.fault = TempSaveDecodeFault::TooLong;
        return out;
    }
    TransferRow &row = out.row;
    for (const TempSaveField &f : Fields)
        row.setValue(f.column, qvx::Cp949::decode(line.mid(f.start, f.width)).trimmed());
    const AmountCheck amount = CheckTransferAmount(row.money);
    if (amount.fault != AmountFault::None) {
        out.fault = TempSaveDecodeFault::BadAmount;
        return out;
    }
    out.amount = amount.value;
    row.money = FormatMoney(QString::number(amount.value));
    row.moBankNo = FormatAcctNo(row.moBankId, row.moBankNo);
    row.bankNo = FormatAcctNo(row.bankId, row.bankNo);
    return out;
}
