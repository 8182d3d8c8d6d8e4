#pragma once
// The list columns of the failed inter-bank transfer notices (table
// ta_iche_err), shared by the notice screen "타행이체 불능통지" and the
// read-only error view: 17 shown columns, then the notice's ids kept in
// hidden cells. Every piece of those screens names a column by FailedCol.

#include "core/ListColumns.h"

namespace FailedCol {
enum : int {
    No, BankSeqNo, SendDate, MoBankName, MoBankNo, TransBankName, BankNo, Name, Price, ErrContents, Kind,
    ProcTime, Fee, CmsCode, ProcResult, TaProcNo, CommonDummy,
    // hidden
    OrgSeqNo, SubSeq, Service, SendId, RecvId, FirmId, BankId, SendFlag, ErrCode,
    Count
};
} // namespace FailedCol

const ListColumns &FailedTransferColumns();
