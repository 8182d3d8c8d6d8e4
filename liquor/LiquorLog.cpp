#include "liquor/LiquorLog.h"

#include "core/DayLog.h"
#include "liquor/LiquorRules.h"
#include "transfers/TransferLog.h"

QString LiquorTransferLogLine(const QString &kind, const QString &seq, const QStringList &values,
                              const QString &stamp)
{
    return TransferLogLine(kind, seq, values, stamp, TransferLogValues::EachSpaced);
}

bool WriteLiquorTransferLog(const QString &kind, const QString &seq, const QStringList &values)
{
    return AppendDayLogLine(LiquorTransferLogLine(kind, seq, values, TransferLogStamp()));
}

QStringList LiquorSendErrorValues(const LiquorRow &row, int paymentMode)
{
    return {row.moBankId, row.moBankNo, row.plainMoney(), row.plainJuMoney(), row.plainNonJuMoney(),
            row.realNameNo, row.name, LiquorGubun(paymentMode), row.info};
}

QString LiquorStoreFailedLogLine(const LiquorRow &row, int paymentMode, const QString &userId)
{
    return LiquorModeWord(paymentMode) + QStringLiteral("이체자료 저장 실패 User : ") + userId
           + QStringLiteral("  은행계좌 : ") + row.bankNo + QStringLiteral("  이체금액 : ") + row.money
           + QStringLiteral("  거래처명 : ") + row.name.trimmed();
}
