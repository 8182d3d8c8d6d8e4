#pragma once
// The account-holder name inquiry ("타행 성명 조회"): one ta_name_search
// request row through a mother account, and the bank's answers.

#include "core/MotherAccount.h"
#include "core/RequestRows.h"

#include <QString>

namespace qvx { class ResultSet; }

struct HolderNameRequest
{
    MotherAccount parent;   // the account the inquiry goes through
    QString payeeBankId;    // the other bank's code
    QString accountNo;      // as typed; '-' removed in the request
    QString residentNo;     // as typed, optional
};

enum class HolderNameRefusal { None, NoAccountNo };

// Why the request cannot be made ("거래계좌번호를 입력하시기 바랍니다.").
HolderNameRefusal CheckHolderNameRequest(const HolderNameRequest &request);
// The request row (SeqNo set by the sender); the fixed price 1 won.
TaNameSearchRow HolderNameRequestRow(const RequestHeader &header, const HolderNameRequest &request);

// One answered inquiry.
struct HolderNameAnswer
{
    QString moBankName;
    QString bankId;
    QString moBankNo;
    QString price;
    QString payeeBankName;
    QString fee;
    QString name;
    QString rrNoCheck;
    QString commonDummy;
    // the bank's verdict: "0000" or its error code, and the error's text
    QString errCode;
    QString errContents;

    static HolderNameAnswer FromRow(const qvx::ResultSet &rs, int row);
    QString accountText() const;  // FormatAcctNo(bankId, moBankNo)
    // The list's 비고: the bank's error text when it refused the inquiry (a
    // closed account, a real-name mismatch, ...), else common_dummy.
    QString remark() const;
};
