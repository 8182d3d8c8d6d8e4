#pragma once
// The list columns of the deposit notices ("예금거래명세통지") and of their
// virtual-account twin ("가상계좌통지"), named by DepositCol and VDepositCol.
// The deposit list's bank names (columns 4 and 7) come from the bank codes
// in the click search and from the joined names in the Enter search: the
// table leaves them to the screen's row hook.

#include "core/ListColumns.h"

namespace DepositCol {
enum : int {
    No, OrgSeqNo, ReceiveDate, SendDate, MoBankName, MoBankNo, ErrContents, TransBankName, TransDiv, Price, Remain,
    BrCode, Name, NoteNo, InCode, InDate, InTime, CommonDummy,
    // hidden
    Service, SendId, RecvId, FirmId, BankId, SendFlag, ErrCode, RawSendDate,
    Count
};
} // namespace DepositCol

namespace VDepositCol {
enum : int {
    No, OrgSeqNo, ReceiveDate, SendDate, MoBankName, MoBankNo, ErrContents, TransBankName, TransDiv, Price, Remain,
    BrCode, Name, Jagi, Gagae, VBankNo, JuminNo, InTime, OrgDate, OrgNo,
    // hidden
    SendId, RecvId, FirmId, BankId, SendFlag, ErrCode, RawSendDate,
    Count
};
} // namespace VDepositCol

const ListColumns &DepositNoticeColumns();
const ListColumns &VirtualDepositNoticeColumns();
