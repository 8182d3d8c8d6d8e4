#include "transfers/TransferLog.h"

#include "core/DayLog.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"

bool IsDuplicateTransfer(const std::function<QString(int col, int row)> &cell, int rowCount,
                         const QString &name, const QString &amount, const QString &memo,
                         const DuplicateColumns &columns)
{
    const bool withMemo = memo != u"N";
    for (int r = 1; r < rowCount; ++r) {
        if (cell(columns.name, r) != name || cell(columns.amount, r) != amount)
            continue;
        if (!withMemo || cell(columns.memo, r) == memo)
            return true;
    }
    return false;
}

QString DuplicateMemo(const QString &info, int icheCheckFlag)
{
    return icheCheckFlag != 0 ? info.trimmed() : QStringLiteral("N");
}

QString DuplicateQuestion(const QString &name, const QString &groupedAmount)
{
    return QStringLiteral("중복이체자료를 발견하였습니다.\r\r거래처명 : ") + name + QStringLiteral("\r")
           + QStringLiteral("이체금액 : ") + FixLenSpace(groupedAmount, 13, false) + QStringLiteral(" 원")
           + QStringLiteral("\r\r") + QStringLiteral("위의 자료는 이미 이체작성화면에 등록되어 있는 상태입니다.")
           + QStringLiteral("\r\r") + QStringLiteral("이체자료에 추가하시겠습니까?");
}

QString DuplicateLogTail(const QString &name, const QString &groupedAmount)
{
    return QStringLiteral("거래처명 : ") + name + QStringLiteral("  이체금액 : ")
           + FixLenSpace(groupedAmount, 13, false) + QStringLiteral(" 원");
}

QString TransferLogLine(const QString &kind, const QString &seq, const QStringList &values, const QString &stamp)
{
    if (kind == u"1" || kind == u"2")
        return (kind == u"1" ? QStringLiteral("자료변환 Error -> ") : QStringLiteral("이체송신 Error -> ")) + stamp
               + QLatin1Char(' ') + seq + values.join(QLatin1Char(' '));
    return QStringLiteral("database Error -> ") + stamp + QLatin1Char(' ') + seq + QLatin1Char('-') + values.value(0);
}

bool WriteTransferLog(const QString &kind, const QString &seq, const QStringList &values)
{
    const QString stamp = qvx::Clock::today() + QLatin1Char(' ') + qvx::Clock::nowText(QStringLiteral("hhmmss"));
    return AppendDayLogLine(TransferLogLine(kind, seq, values, stamp));
}

QString TransferRowLogLine(const QString &prefix, const TransferRow &row)
{
    return prefix + QStringLiteral("거래구분:") + row.workDiv + QStringLiteral(" 금액:") + FixLenSpace(row.money, 15, false)
           + QStringLiteral(" 송신자:") + FixLenSpace(row.sendId, 10, true) + QStringLiteral(" 수신자:")
           + FixLenSpace(row.recvId, 10, true) + QStringLiteral(" 성명:") + FixLenSpace(row.name, 10, true)
           + QStringLiteral(" 거래은행:") + FixLenSpace(row.bankName, 20, true);
}
