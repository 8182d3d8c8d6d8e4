#pragma once
// The statement of the transfer status view ("이체자료 현황 보기"): the general
// transfers of every user of the client by bank, period, kind, send state and
// outcome. Rows count in the totals as in the result inquiry
// (ResultInquirySql::totalsCodes).

#include <QString>

struct StatusFilter
{
    // rd_entire, rd_recv, rd_notsend: written rows (state 0) are never listed.
    enum class State { Entire, Received, NotSent };

    QString bankCode;          // "" for every account
    State state = State::Entire;
    bool collection = true;    // chk_sunab (gubun '20'), else payment ('30')
    bool right = true;         // chk_right: 정상처리
    bool wrong = true;         // chk_wrong: 비정상처리
    QString dateFrom;          // yyyymmdd
    QString dateTo;            // yyyymmdd
};

namespace StatusViewSql {

enum class Refusal { None, NoOutcomeOption };

// giche with its mother account (and its owner) and the payee bank; the
// result text from `error` where bank and code match, else the raw code.
QString head();
// The list by the filters; empty with *refusal set when no statement is built.
QString byFilter(const StatusFilter &filter, Refusal *refusal);

} // namespace StatusViewSql
