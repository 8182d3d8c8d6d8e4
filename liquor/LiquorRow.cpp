#include "liquor/LiquorRow.h"

#include "core/TextUtils.h"

namespace {

const char *const Names[LiquorColumnCount] = {
    "순번",     "거래구분", "모은행",   "모계좌번호", "주류금액",   "비주류금액", "이체금액",
    "거래처명", "거래은행", "거래은행계좌", "결제구분", "실명번호", "기타",       "송신ID",
    "수신ID",   "업체코드", "서비스구분", "모은행코드", "작성자ID", "송신구분",   "비밀번호",
    "복기",     "이체종류", "주류구분", "거래은행코드", "구분",     "거래은행코드",
};

} // namespace

const RowMembers<LiquorRow, LiquorColumnCount> LiquorRow::Members = {
    &LiquorRow::no,        &LiquorRow::transDiv, &LiquorRow::moBankName, &LiquorRow::moBankNo,
    &LiquorRow::juMoney,   &LiquorRow::nonJuMoney, &LiquorRow::money,    &LiquorRow::name,
    &LiquorRow::bankName,  &LiquorRow::bankNo,   &LiquorRow::payKind,    &LiquorRow::realNameNo,
    &LiquorRow::info,      &LiquorRow::sendId,   &LiquorRow::recvId,     &LiquorRow::firmId,
    &LiquorRow::service,   &LiquorRow::moBankId, &LiquorRow::userId,     &LiquorRow::sendFlag,
    &LiquorRow::passWd,    &LiquorRow::boki,     &LiquorRow::gubun,      &LiquorRow::juFlag,
    &LiquorRow::bankId,    &LiquorRow::flag25,   &LiquorRow::bankId2,
};

QString LiquorRow::plainJuMoney() const { return DelComma(juMoney); }
QString LiquorRow::plainNonJuMoney() const { return DelComma(nonJuMoney); }
qint64 LiquorRow::amountOf(const QString &groupedMoney) { return WholeWon(groupedMoney); }

QString LiquorColumnTitle(LiquorColumn col)
{
    return (col >= 0 && col < LiquorShownColumns) ? QString::fromUtf8(Names[col]) : QString();
}

QString LiquorColumnName(LiquorColumn col)
{
    return (col >= 0 && col < LiquorColumnCount) ? QString::fromUtf8(Names[col]) : QString();
}
