#include "liquor/LiquorTempSave.h"

#include "core/TextUtils.h"
#include "liquor/LiquorRules.h"
#include "transfers/TempSaveCodec.h"
#include "platform/Cp949.h"

namespace {

const LiquorTempSaveField Fields[LiquorTempSaveFieldCount] = {
    {lcTransDiv, 0, 4},     {lcMoBankName, 4, 20},  {lcMoBankNo, 24, 15}, {lcJuMoney, 39, 13},
    {lcNonJuMoney, 52, 13}, {lcMoney, 65, 13},      {lcName, 78, 12},     {lcBankName, 90, 20},
    {lcBankNo, 110, 15},    {lcPayKind, 125, 6},    {lcRealNameNo, 131, 13}, {lcInfo, 144, 14},
    {lcSendId, 158, 10},    {lcRecvId, 168, 10},    {lcFirmId, 178, 8},   {lcService, 186, 3},
    {lcMoBankId, 189, 2},   {lcUserId, 191, 10},    {lcSendFlag, 201, 2}, {lcPassWd, 203, 8},
    {lcBoki, 211, 9},       {lcGubun, 220, 2},      {lcJuFlag, 222, 1},   {lcBankId, 223, 2},
    {lcFlag25, 225, 2},     {lcBankId2, 227, 2},
};

// The value a field stores.
QString savedValue(const LiquorRow &row, LiquorColumn col)
{
    switch (col) {
    case lcMoBankNo: return row.plainMoBankNo();
    case lcBankNo: return row.plainBankNo();
    case lcJuMoney: return row.plainJuMoney();
    case lcNonJuMoney: return row.plainNonJuMoney();
    case lcMoney: return row.plainMoney();
    case lcRealNameNo: return DelChar(row.realNameNo, QLatin1Char('-'));
    case lcName: return LiquorSavedName(row.name);
    default: return row.value(col);
    }
}

bool isBankCode(const QString &code)
{
    return code.size() == 2 && code[0].isDigit() && code[1].isDigit() && code[0].unicode() < 128
           && code[1].unicode() < 128;
}

} // namespace

QString LiquorSavedName(const QString &name)
{
    return LeftBytes(name, LiquorNameBytes);
}

LiquorTempSaveEncoded EncodeLiquorTempSaveLine(const LiquorRow &row)
{
    return EncodeTempSaveFields(Fields, LiquorTempSaveLineBytes,
                                [&row](LiquorColumn col) { return savedValue(row, col); });
}

QString LiquorTempSaveTooLongMessage(int gridRow, LiquorColumn column, int width)
{
    return TempSaveRefusalText(gridRow, LiquorColumnName(column), width, QString());
}

QString LiquorTempSaveRefusalMessage(int gridRow, const LiquorTempSaveEncoded &line)
{
    return TempSaveRefusalText(gridRow, LiquorColumnName(line.badColumn), line.badWidth, line.badCharacter);
}

QString LiquorOtherModeMessage(int paymentMode)
{
    return LiquorModeWord(paymentMode) + QStringLiteral("이체 자료가 아닙니다. 파일 확인후 재시도 하세요");
}

LiquorTempSaveDecoded DecodeLiquorTempSaveLine(const QByteArray &line, int paymentMode)
{
    LiquorTempSaveDecoded out;
    if (line.size() < LiquorTempSaveLineBytes || line.size() > LiquorReprocessLineBytes) {
        out.fault = LiquorTempSaveFault::Implausible;
        return out;
    }
    LiquorRow &row = out.row;
    for (const LiquorTempSaveField &f : Fields)
        row.setValue(f.column, qvx::Cp949::decode(line.mid(f.start, f.width)).trimmed());

    if (row.transDiv != u"수납" && row.transDiv != u"지급") {
        out.fault = LiquorTempSaveFault::Implausible;
        return out;
    }
    if (row.transDiv != LiquorModeWord(paymentMode)) {
        out.fault = LiquorTempSaveFault::OtherMode;
        return out;
    }
    const LiquorAmounts amounts = CheckLiquorAmounts(row.juMoney, row.nonJuMoney, row.money);
    if (!isBankCode(row.moBankId) || !isBankCode(row.bankId) || !isBankCode(row.bankId2)
        || row.gubun != LiquorGubun(paymentMode) || !amounts.ok()) {
        out.fault = LiquorTempSaveFault::Implausible;
        return out;
    }
    row.juMoney = FormatMoney(QString::number(amounts.liquor));
    row.nonJuMoney = FormatMoney(QString::number(amounts.nonLiquor));
    row.money = FormatMoney(QString::number(amounts.transfer));
    row.moBankNo = FormatAcctNo(row.moBankId, row.moBankNo);
    row.bankNo = FormatAcctNo(row.bankId, row.bankNo);
    return out;
}
