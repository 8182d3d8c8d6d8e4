#pragma once
// The statements of the liquor-trade result screens: the result inquiry
// ("이체결과조회[주류]", the user's own transfers) and the status view
// ("이체 현황 보기[주류]", every user's). One base select per request table
// (cmsjiche102 collections, cmsjiche103 payments) gives both screens the same
// field names, so one column table fills either list.

#include <QString>

namespace LiquorResultSql {

enum class Table { Collection, Payment };
QString TableName(Table table); // "cmsjiche102" / "cmsjiche103"

// The base select of one table; the status view also reads the mother
// account's owner name (ACTOWNER).
QString Base(Table table, bool withOwner = false);

enum class Refusal {
    None,
    NoStateOption,     // "정상처리 / 비정상처리 옵션이 선택되지 않았습니다."
    SeqRangeReversed   // "전문범위가 올바르지 않습니다."
};

// The result inquiry's filters.
struct InquiryFilter
{
    QString userId;
    bool collection = true;   // "수 납" selected (else "지 급")
    bool right = true;        // 정 상 처 리(수신)
    bool wrong = true;        // 비정상 처리(수신)
    bool errSend = true;      // 미송신 자료(대기/완료)
    QString dateFrom{};       // yyyymmdd
    QString dateTo{};
    qint64 seqFrom = 0;       // both above 0: a message-number condition
    qint64 seqTo = 0;
    QString bankCode{};       // "" for every account
    QString sendName{};       // part of the wholesaler name ("" or blanks: none)
};

// Today's rows of both tables in one message-number range, the user's own.
QString InquiryByRange(qint64 from, qint64 to, const QString &userId, const QString &today);
// The chosen table by the filters; empty with *refusal set when none is built.
QString InquiryByFilter(const InquiryFilter &filter, Refusal *refusal);

// The status view's filters.
struct ViewFilter
{
    enum class State { Entire, Received, NotSent };
    bool collection = true;
    State state = State::Entire;
    bool right = true;        // 정상처리
    bool wrong = true;        // 비정상처리
    QString dateFrom;
    QString dateTo;
    QString bankCode;         // "" for every account
    QString accountNo;        // the chosen mother account (with bankCode)
};
QString View(const ViewFilter &filter, Refusal *refusal);

} // namespace LiquorResultSql
