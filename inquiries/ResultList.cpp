#include "inquiries/ResultList.h"

#include "core/DataColumns.h"
#include "core/FixedLine.h"
#include "core/RequestHeaders.h"
#include "core/Session.h"
#include "core/TextUtils.h"

namespace ResultList {

const ListColumns &Columns()
{
    using F = CellFormat;
    static const ListColumns columns = [] {
        return ListColumns{
            ListColumn{QStringLiteral("순번"), 50, AlignLeft, "", F::RowNo}.withCheckBox(),
            {QStringLiteral("전송일자"), 80, AlignCenter, "senddate", F::Date},
            {QStringLiteral("전문번호"), 60, AlignCenter, "seqno"},
            {QStringLiteral("모은행"), 70, AlignCenter, "mobankname"},
            {QStringLiteral("모계좌번호"), 120, AlignCenter, "mobankno", F::Account, "bankid"},
            TransferKindColumn(QStringLiteral("거래구분"), 60),
            {QStringLiteral("이체금액"), 90, AlignRight, "price", F::Money},
            {QStringLiteral("거래은행명"), 80, AlignCenter, "transbankname"},
            {QStringLiteral("은행계좌"), 120, AlignCenter, "bankno", F::Account, "trans_bankid"},
            {QStringLiteral("업체명"), 100, AlignCenter, "name"},
            {QStringLiteral("송수신상태"), 70, AlignCenter, "sr_flag", F::SendFlag},
            {QStringLiteral("처리결과"), 120, AlignCenter, "errcontents"},
            {QStringLiteral("수신일자"), 80, AlignCenter, "receivedate", F::Date},
            {QStringLiteral("수신시각"), 70, AlignCenter, "receivetime", F::Time},
            {QStringLiteral("수수료"), 60, AlignRight, "fee", F::Money},
            {QStringLiteral("SUB_SEQ"), 60, AlignCenter, ""},
            {QStringLiteral("타행처리번호"), 100, AlignCenter, "taprocno"},
            {QStringLiteral("타행미처리 수수료"), 100, AlignRight, "taerrfee", F::Money},
            {QStringLiteral("타행미처리 금액"), 100, AlignRight, "taerrprice", F::Money},
            {QStringLiteral("타행미처리 금액누계"), 110, AlignRight, "taerrmoney", F::Money},
            {QStringLiteral("대상자 정보"), 100, AlignLeft, "common_dummy"},
        } + DataColumns({"senddate", "bankid", "gubun", "trans_bankid", "sr_flag", "errcode", "sendid", "recvid",
                         "firmid", "bankid", "cfmid"});
    }();
    return columns;
}

static QString Record(const std::function<QString(int col)> &cell, bool joined)
{
    FixedLine line = joined ? FixedLine(FixedLine::Overflow::Keep, QStringLiteral(" ")) : FixedLine();
    line.left(DelChar(cell(cRecvDate), u'-'), 8)
        .left(DelChar(cell(cRecvTime), u':'), 6)
        .left(cell(cBankId2), 2)
        .left(cell(cSendId), 10)
        .left(cell(cRecvId), 10)
        .left(cell(cFirmId), 10)
        .left(DelChar(cell(cMoBankNo), u'-'), 15)
        .left(cell(cTransBank), 16)
        .left(DelComma(cell(cPrice)), 13)
        .left(cell(cTransBankId), 2)
        .left(joined ? cell(cBankNo) : DelChar(cell(cBankNo), u'-'), 15)
        .left(cell(cDummy), 4)
        .right(cell(cName), 30)
        .left(cell(cResult).trimmed(), 40)
        .left(cell(cTaProcNo), 20)
        .zeroLeft(cell(cSeqNo), 6);
    return line.text();
}

QString SaveRecord(const std::function<QString(int col)> &cell)
{
    return Record(cell, false);
}

QString JoinedSaveRecord(const std::function<QString(int col)> &cell)
{
    return Record(cell, true);
}

IcheResultRow RequestRow(const Session &session, const std::function<QString(int col)> &cell)
{
    IcheResultRow r;
    ApplyRequestHeader(r, AddressedHeader(RequestHeader::of(session), cell(cSendId), cell(cRecvId), cell(cFirmId),
                                          cell(cBankId2)));
    r.ICHE_SendDate = cell(cRawDate);
    r.org_seqno = cell(cSeqNo);
    return r;
}

} // namespace ResultList
