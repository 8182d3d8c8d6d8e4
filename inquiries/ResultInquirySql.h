#pragma once
// The statements of the transfer result inquiry ("이체처리 결과 조회"): the
// list of the user's general transfers by the screen's filters, or of one
// message-number range.

#include <QString>

struct ResultFilter
{
    QString userId;
    QString bankCode;          // "" for every account
    bool collection = false;   // chk_sunab (gubun '20'), else payment ('30')
    bool right = true;         // chk_right: 정상 처리(수신)
    bool wrong = true;         // chk_wrong: 비정상 처리(수신)
    bool errSend = true;       // chk_ErrSend: 미송신 자료(대기/완료)
    QString dateFrom;          // yyyymmdd
    QString dateTo;            // yyyymmdd
    qint64 seqFrom = 0;        // 0: no message-number condition
    qint64 seqTo = 0;
    QString sendName;          // company-name substring ("" for none)
};

namespace ResultInquirySql {

enum class Refusal { None, NoStateOption, SeqRangeReversed };
// What the screen says for a refusal.
QString refusalMessage(Refusal refusal);

// "SELECT" and the columns of giche both result lists read, up to and with
// COMMON_DUMMY. Among them the bank's unprocessed fee, amount and running
// amount of other-bank transfers (TAERRFEE, TAERRPRICE, TAERRMONEY): until
// the bank answers, a request row carries the payee's real-name number
// there, so only an answered row (sr_flag '4') gives figures, the others "".
QString gicheColumns();

// The common head: giche joined with its mother account and the payee bank,
// the result text from `error` where bank and code match, else the raw code.
QString head();

// The list by the filters; *refusal tells why no statement was built.
QString byFilter(const ResultFilter &filter, Refusal *refusal);
// The rows of one message-number range of today, whoever made them.
QString byRange(qint64 from, qint64 to, const QString &today);

} // namespace ResultInquirySql
