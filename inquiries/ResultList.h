#pragma once
// The list of the transfer result screens (the result inquiry and the status
// view show the same columns): its column table, filled from the result
// statements of ResultInquirySql, and the fixed-width record the text save
// writes for a listed row.

#include "core/ListColumns.h"
#include "core/RequestRows.h"

class Session;

#include <functional>

namespace ResultList {

enum Col {
    cNo, cSendDate, cSeqNo, cMoBank, cMoBankNo, cKind, cPrice, cTransBank, cBankNo, cName, cState, cResult,
    cRecvDate, cRecvTime, cFee, cSubSeq, cTaProcNo, cTaErrFee, cTaErrPrice, cTaErrMoney, cDummy,
    // beyond the visible columns
    cRawDate, cBankId, cGubun, cTransBankId, cSrFlag, cErrCode, cSendId, cRecvId, cFirmId, cBankId2, cCfmId
};

// Row number with a check box, the transfer and the bank's answer (21 shown
// columns), then the raw values the requests and the save read back.
const ListColumns &Columns();

// The re-processing record of a listed row: fields cut from its cells
// (`cell(col)`), widths in CP949 bytes, a longer value kept whole.
QString SaveRecord(const std::function<QString(int col)> &cell);

// The result-inquiry request of a listed row (icheresult, its SeqNo set by
// the request sender).
IcheResultRow RequestRow(const Session &session, const std::function<QString(int col)> &cell);

} // namespace ResultList
