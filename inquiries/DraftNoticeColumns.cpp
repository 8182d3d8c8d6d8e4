#include "inquiries/DraftNoticeColumns.h"

#include "core/DataColumns.h"

const ListColumns &DraftNoticeColumns()
{
    static const ListColumns columns = [] {
        ListColumns c = {
            {QStringLiteral("전문번호"), 62, AlignCenter, "", CellFormat::RowNo},
            {QStringLiteral("은행명"), 70, AlignCenter, "mobankname", CellFormat::Trimmed},
            {QStringLiteral("통지전송일"), 90, AlignCenter, "draft_senddate", CellFormat::Date},
            {QStringLiteral("통지번호"), 58, AlignCenter, "org_seqno"},
            {QStringLiteral("구분"), 76, AlignCenter, "transdivcontents"},
            {QStringLiteral("어음수탁계좌"), 103, AlignCenter, "bankno", CellFormat::Account, "bankid"},
            {QStringLiteral("입금인코드"), 74, AlignCenter, "ibgumcode"},
            {QStringLiteral("어음종류"), 69, AlignCenter, "draftkindcontents", CellFormat::Trimmed},
            {QStringLiteral("어음번호"), 97, AlignCenter, "draftno"},
            {QStringLiteral("금액"), 85, AlignRight, "draftmoney", CellFormat::Money},
            {QStringLiteral("발행인"), 69, AlignCenter, "pub_name", CellFormat::Trimmed},
            {QStringLiteral("의뢰인"), 58, AlignCenter, "dep_name", CellFormat::Trimmed},
            {QStringLiteral("수탁일"), 83, AlignCenter, "sutak_date", CellFormat::Date},
            {QStringLiteral("만기일"), 90, AlignCenter, "manki_date", CellFormat::Date},
            {QStringLiteral("지급은행"), 65, AlignCenter, "pay_bankname", CellFormat::Trimmed},
            {QStringLiteral("지급점"), 77, AlignCenter, "pay_departname", CellFormat::Trimmed},
            {QStringLiteral("당/타행 구분"), 76, AlignCenter, "dangtacontents", CellFormat::Trimmed},
            {QStringLiteral("결제계좌"), 112, AlignCenter, "gyulje_bankno", CellFormat::Trimmed},
            {QStringLiteral("거래점"), 75, AlignCenter, "trans_depart", CellFormat::Trimmed},
            {QStringLiteral("서비스"), 53, AlignCenter, "service", CellFormat::Trimmed},
            {QStringLiteral("송신ID"), 74, AlignCenter, "sendid", CellFormat::Trimmed},
            {QStringLiteral("수신ID"), 79, AlignCenter, "recvid", CellFormat::Trimmed},
            {QStringLiteral("업체코드"), 81, AlignCenter, "firmid", CellFormat::Trimmed},
        };
        return c + DataColumns({"bankid", "sendflag"}, CellFormat::Trimmed);
    }();
    return columns;
}
