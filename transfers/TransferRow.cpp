#include "transfers/TransferRow.h"

#include "core/TextUtils.h"

namespace {

const char *const Titles[TransferColumnCount] = {
    "순번", "모은행", "모계좌", "암호", "복기", "업무구분", "거래구분", "이체금액", "거래은행", "거래계좌", "업체",
    "송신ID", "수신ID", "업체코드", "UserID", "업체정보", "송신구분", "이체종류", "전문종류", "모은행코드",
    "거래은행코드", "실명번호",
};

} // namespace

const RowMembers<TransferRow, TransferColumnCount> TransferRow::Members = {
    &TransferRow::no,       &TransferRow::moBankName, &TransferRow::moBankNo, &TransferRow::passWd,
    &TransferRow::boki,     &TransferRow::workDiv,    &TransferRow::transDiv, &TransferRow::money,
    &TransferRow::bankName, &TransferRow::bankNo,     &TransferRow::name,     &TransferRow::sendId,
    &TransferRow::recvId,   &TransferRow::firmId,     &TransferRow::userId,   &TransferRow::info,
    &TransferRow::sendFlag, &TransferRow::gubun,      &TransferRow::msgType,  &TransferRow::moBankId,
    &TransferRow::bankId,   &TransferRow::realNameNo,
};

QString &TransferRow::at(TransferColumn col)
{
    Q_ASSERT(col >= 0 && col < TransferColumnCount);
    return this->*Members[col];
}

QString TransferColumnTitle(TransferColumn col)
{
    return (col >= 0 && col < TransferColumnCount) ? QString::fromUtf8(Titles[col]) : QString();
}
