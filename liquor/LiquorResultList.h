#pragma once
// The list of the liquor-trade result screens (the result inquiry and the
// status view): its declared columns, and the two text exports of a list row
// (the ';' line and the 241-byte re-processing record that the entry screen
// loads back). Rows are handed over as their cell texts, columns 0-31.

#include "core/ListColumns.h"
#include "core/ReportParams.h"

#include <QDateTime>
#include <QStringList>

enum LiquorResultColumn {
    lrNo = 0,       // 순번
    lrSendDate,     // 전송일자 yyyy-mm-dd
    lrSeqNo,        // 전문번호
    lrMoBankName,   // 모은행
    lrMoBankNo,     // 모계좌번호 (or the owner's name on the status view)
    lrKind,         // 거래구분 수납 / 지급
    lrSendFlag,     // 송수신
    lrResult,       // 처리결과
    lrName,         // 도매상명
    lrPrice,        // 이체금액
    lrRemain,       // 잔액
    lrTransBank,    // 거래은행
    lrTransBankNo,  // 거래계좌
    lrRecvDate,     // 수신일자
    lrRecvTime,     // 수신시각
    lrFee,          // 수수료
    lrResidentNo,   // 실명번호
    lrJuMoney,      // 주류금액
    lrNonJuMoney,   // 비주류금액
    lrDummy,        // 기타
    lrErrCode,      // 조회결과
    // carried, never shown
    lrBankId,
    lrGubun,
    lrTransBankId,
    lrSrFlag,
    lrSendId,
    lrRecvId,
    lrFirmId,
    lrBankId2,
    lrPassWd,
    lrBoki,
    lrMoAccount,    // the mother account, hyphenated, whatever column 4 shows
    LiquorResultColumnCount
};
constexpr int LiquorResultShownColumns = lrErrCode + 1;

// The columns of the list. `checkBox`: a box in column 0 (the inquiry);
// `ownerName`: column 4 shows the mother account's owner (the view's
// "모계좌명보기").
ListColumns LiquorResultColumns(bool checkBox, bool ownerName = false);

// The mother account of a result row: a payment row's own account is in
// MAINBANKNO, a collection row's in BANKNO.
QString LiquorMotherAccount(const qvx::ResultSet &rs, int row);

// The ';' line of a list row: columns 1 to 20, dates and accounts without
// '-', amounts without ',', the time without ':'.
QString LiquorSemicolonLine(const QStringList &cells);
// The 28 fields of the re-processing record of a list row.
QStringList LiquorReprocessFields(const QStringList &cells, const QString &userId, const QString &sendFlagInit);

struct LiquorReprocessLine
{
    QString line;           // 241 bytes of CP949 text when ok
    int badField = -1;      // the first field (0-based) that does not fit
    QString badCharacter;   // the character CP949 lacks, when that is why
    bool ok() const { return badField < 0; }
};
// The record of a list row: the wholesaler name is cut to its 12 bytes without
// splitting a double-byte character; any other value longer than its field, or
// any character CP949 lacks, gives no line and names the field.
LiquorReprocessLine EncodeLiquorReprocessRecord(const QStringList &cells, const QString &userId,
                                                const QString &sendFlagInit);
// The message that refuses a save for such a record; gridRow counts from 1.
QString LiquorReprocessRefusalMessage(int gridRow, const LiquorReprocessLine &line);

// The name the save dialog proposes: "수납_재처리" / "지급_재처리" + yymmdd-hhnnss.
QString LiquorSaveName(bool collection, const QDateTime &now);

// The printed reports of both screens: A4 portrait; the inquiry fills its
// last page (31 lines on the first page, 37 on the others), the view prints
// its rows only.
ReportParams LiquorReportParams(bool fillLastPage);
