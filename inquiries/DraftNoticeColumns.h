#pragma once
// The list columns of the stored-bill notices ("보관어음 명세통지"), named by
// DraftCol: 23 shown columns, then the bank code and send flag kept hidden.

#include "core/ListColumns.h"

namespace DraftCol {
enum : int {
    No, BankName, SendDate, OrgSeqNo, Kind, BankNo, IbgumCode, DraftKind, DraftNo, Money, PubName, DepName, SutakDate,
    MankiDate, PayBankName, PayDepartName, DangTa, GyuljeBankNo, TransDepart, Service, SendId, RecvId, FirmId,
    // hidden
    BankId, SendFlag,
    Count
};
} // namespace DraftCol

const ListColumns &DraftNoticeColumns();
