#include "inquiries/FailedTransferColumns.h"

#include "core/DataColumns.h"

#include "platform/ResultSet.h"

static QString KindText(const qvx::ResultSet &rs, int row)
{
    return rs.value(row, QStringLiteral("gubun")).trimmed() == QLatin1String("20") ? QStringLiteral("수납")
                                                                                   : QStringLiteral("이체");
}

const ListColumns &FailedTransferColumns()
{
    static const ListColumns columns = ListColumns{
        {QStringLiteral("번호"), 50, AlignCenter, "", CellFormat::RowNo},
        {QStringLiteral("통지번호"), 59, AlignCenter, "bank_seqno"},
        {QStringLiteral("통지일자"), 72, AlignCenter, "err_senddate", CellFormat::Date},
        {QStringLiteral("모은행"), 64, AlignCenter, "mobankname"},
        {QStringLiteral("모계좌번호"), 101, AlignCenter, "mobankno", CellFormat::Account, "bankid"},
        {QStringLiteral("거래은행"), 63, AlignCenter, "transbankname"},
        {QStringLiteral("거래계좌"), 116, AlignCenter, "bankno"},
        {QStringLiteral("송금인"), 55, AlignCenter, "name"},
        {QStringLiteral("이체금액"), 88, AlignRight, "price", CellFormat::Money},
        {QStringLiteral("결과코드"), 90, AlignCenter, "errcontents"},
        {QStringLiteral("구분"), 65, AlignCenter, "gubun", CellFormat::Computed, nullptr, nullptr, false, KindText},
        {QStringLiteral("처리시각"), 88, AlignCenter, "proctime", CellFormat::Time},
        {QStringLiteral("수수료"), 105, AlignCenter, "fee"},
        {QStringLiteral("CMS코드"), 96, AlignCenter, "cmscode"},
        {QStringLiteral("처리결과"), 100, AlignCenter, "procresult"},
        {QStringLiteral("처리번호"), 137, AlignCenter, "taprocno"},
        {QStringLiteral("비고"), 77, AlignCenter, "common_dummy"},
    } + DataColumns({"org_seqno", "subseq", "service", "sendid", "recvid", "firmid", "bankid", "sendflag", "errcode"});
    return columns;
}
