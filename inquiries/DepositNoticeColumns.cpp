#include "inquiries/DepositNoticeColumns.h"

#include "core/DataColumns.h"
#include "inquiries/DepositNotices.h"
#include "platform/ResultSet.h"

namespace {

// The balance with its sign ("" shows "0").
QString RemainText(const qvx::ResultSet &rs, int row)
{
    return RemainMoneyText(rs.value(row, QStringLiteral("remain")), rs.value(row, QStringLiteral("sign")));
}

// Columns 0-12, the same in both lists; `widths` are the design widths.
ListColumns Head(const int (&widths)[13])
{
    return {
        {QStringLiteral("순번"), widths[0], AlignCenter, "", CellFormat::RowNo},
        {QStringLiteral("통지번호"), widths[1], AlignCenter, "org_seqno"},
        {QStringLiteral("수신일자"), widths[2], AlignCenter, "receivedate", CellFormat::Date},
        {QStringLiteral("통지전송일"), widths[3], AlignCenter, "deposit_senddate", CellFormat::Date},
        {QStringLiteral("모은행"), widths[4], AlignCenter, "mobankname"},
        {QStringLiteral("모계좌번호"), widths[5], AlignCenter, "mobankno", CellFormat::Account, "bankid"},
        {QStringLiteral("결과코드"), widths[6], AlignCenter, "errcontents"},
        {QStringLiteral("거래은행"), widths[7], AlignCenter, "transbankname"},
        {QStringLiteral("거래구분"), widths[8], AlignCenter, "transdivcontents"},
        {QStringLiteral("이체금액"), widths[9], AlignRight, "price", CellFormat::Money},
        // Made from two fields (the balance and its sign): no field named, so
        // the text is made row by row, never kept from a row with the same balance.
        {QStringLiteral("잔액"), widths[10], AlignRight, "", CellFormat::Computed, nullptr, nullptr, false,
         RemainText},
        {QStringLiteral("입금점코드"), widths[11], AlignCenter, "brcode"},
        {QStringLiteral("입금인"), widths[12], AlignCenter, "name", CellFormat::Trimmed},
    };
}

ListColumn Constant(const QString &text)
{
    ListColumn c = ListColumn::data("");
    c.format = CellFormat::Computed;
    c.compute = [text](const qvx::ResultSet &, int) { return text; };
    return c;
}

// The fields both lists carry behind their shown columns.
ListColumns Carried()
{
    return DataColumns({"sendid", "recvid", "firmid", "bankid", "sendflag", "errcode", "deposit_senddate"});
}

} // namespace

const ListColumns &DepositNoticeColumns()
{
    static const ListColumns columns = [] {
        ListColumns c = Head({45, 55, 69, 71, 61, 113, 61, 64, 114, 115, 88, 94, 73});
        c << ListColumn{QStringLiteral("어음/수표번호"), 91, AlignCenter, "noteno"}
          << ListColumn{QStringLiteral("거래코드"), 68, AlignCenter, "incode"}
          << ListColumn{QStringLiteral("거래일자"), 64, AlignCenter, "indate", CellFormat::Date}
          << ListColumn{QStringLiteral("거래시각"), 56, AlignCenter, "intime", CellFormat::Time}
          << ListColumn{QStringLiteral("비고"), 118, AlignLeft, "common_dummy"}
          << Constant(QStringLiteral("DY2"));
        return c + Carried();
    }();
    return columns;
}

const ListColumns &VirtualDepositNoticeColumns()
{
    static const ListColumns columns = [] {
        ListColumns c = Head({45, 60, 69, 71, 74, 113, 78, 69, 88, 100, 101, 82, 73});
        c << ListColumn{QStringLiteral("수표(자기앞)"), 91, AlignCenter, "jagi"}
          << ListColumn{QStringLiteral("수표(가계)"), 81, AlignCenter, "gagae"}
          << ListColumn{QStringLiteral("가상계좌번호"), 103, AlignCenter, "v_bankno"}
          << ListColumn{QStringLiteral("주민등록번호"), 80, AlignCenter, "juminno"}
          << ListColumn{QStringLiteral("거래시각"), 68, AlignCenter, "intime", CellFormat::Time}
          << ListColumn{QStringLiteral("원거래일자"), 73, AlignCenter, "org_date", CellFormat::Date}
          << ListColumn{QStringLiteral("원거래번호"), 69, AlignCenter, "org_no"};
        return c + Carried();
    }();
    return columns;
}
