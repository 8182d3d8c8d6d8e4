#include "transfers/TransferRow.h"

#include "core/TextUtils.h"

namespace {

// Member of each column, in column order.
QString TransferRow::*const Members[TransferColumnCount] = {
    &TransferRow::no,       &TransferRow::moBankName, &TransferRow::moBankNo, &TransferRow::passWd,
    &TransferRow::boki,     &TransferRow::workDiv,    &TransferRow::transDiv, &TransferRow::money,
    &TransferRow::bankName, &TransferRow::bankNo,     &TransferRow::name,     &TransferRow::sendId,
    &TransferRow::recvId,   &TransferRow::firmId,     &TransferRow::userId,   &TransferRow::info,
    &TransferRow::sendFlag, &TransferRow::gubun,      &TransferRow::msgType,  &TransferRow::moBankId,
    &TransferRow::bankId,   &TransferRow::realNameNo,
};

const char *const Titles[TransferColumnCount] = {
    "순번", "모은행", "모계좌", "암호", "복기", "업무구분", "거래구분", "이체금액", "거래은행", "거래계좌", "업체",
    "송신ID", "수신ID", "업체코드", "UserID", "업체정보", "송신구분", "이체종류", "전문종류", "모은행코드",
    "거래은행코드", "실명번호",
};

} // namespace

QString TransferRow::value(TransferColumn col) const
{
    return (col >= 0 && col < TransferColumnCount) ? this->*Members[col] : QString();
}

QString &TransferRow::at(TransferColumn col)
{
    Q_ASSERT(col >= 0 && col < TransferColumnCount);
    return this->*Members[col];
}

void TransferRow::setValue(TransferColumn col, const QString &text)
{
    if (col >= 0 && col < TransferColumnCount)
        this->*Members[col] = text;
}

QStringList TransferRow::cells() const
{
    QStringList out;
    out.reserve(TransferColumnCount);
    for (int c = 0; c < TransferColumnCount; ++c)
        out.append(this->*Members[c]);
    return out;
}

TransferRow TransferRow::fromCells(const QStringList &cells)
{
    TransferRow row;
    for (int c = 0; c < TransferColumnCount && c < cells.size(); ++c)
        row.*Members[c] = cells[c];
    return row;
}

QString TransferRow::plainMoney() const { return DelComma(money); }
QString TransferRow::plainMoBankNo() const { return DelChar(moBankNo, QLatin1Char('-')); }
QString TransferRow::plainBankNo() const { return DelChar(bankNo, QLatin1Char('-')); }

qint64 TransferRow::amount() const
{
    bool ok = false;
    const qint64 v = plainMoney().trimmed().toLongLong(&ok);
    return ok ? v : 0;
}

QString TransferColumnTitle(TransferColumn col)
{
    return (col >= 0 && col < TransferColumnCount) ? QString::fromUtf8(Titles[col]) : QString();
}
