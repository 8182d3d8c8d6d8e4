#include "transfers/TransferLog.h"

#include "core/DayLog.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"

#include <QDateTime>
#include <QVarLengthArray>

#include <algorithm>

bool IsDuplicateTransfer(const std::function<QString(int col, int row)> &cell, int rowCount,
                         const QString &name, const QString &amount, const QString &memo,
                         const DuplicateColumns &columns)
{
    return IsDuplicateTransfer(cell, rowCount, name, amount, memo, memo != u"N", columns);
}

bool IsDuplicateTransfer(const std::function<QString(int col, int row)> &cell, int rowCount,
                         const QString &name, const QString &amount, const QString &memo, bool withMemo,
                         const DuplicateColumns &columns)
{
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

QString PadAmount(const QString &groupedAmount, int width)
{
    const int pad = width - int(groupedAmount.size());
    return pad > 0 ? QString(pad, QLatin1Char(' ')) + groupedAmount : groupedAmount;
}

QString DuplicateQuestion(const QString &name, const QString &groupedAmount)
{
    return QStringLiteral("중복이체자료를 발견하였습니다.\r\r거래처명 : ") + name + QStringLiteral("\r")
           + QStringLiteral("이체금액 : ") + PadAmount(groupedAmount, 13) + QStringLiteral(" 원")
           + QStringLiteral("\r\r") + QStringLiteral("위의 자료는 이미 이체작성화면에 등록되어 있는 상태입니다.")
           + QStringLiteral("\r\r") + QStringLiteral("이체자료에 추가하시겠습니까?");
}

QString DuplicateLogTail(const QString &name, const QString &groupedAmount)
{
    return QStringLiteral("거래처명 : ") + name + QStringLiteral("  이체금액 : ") + PadAmount(groupedAmount, 13)
           + QStringLiteral(" 원");
}

QString TransferLogStamp()
{
    const QDateTime now = qvx::Clock::now();
    return now.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char(' ') + now.toString(QStringLiteral("hhmmss"));
}

QString TransferLogLine(const QString &kind, const QString &seq, const QStringList &values, const QString &stamp,
                        TransferLogValues style)
{
    const QVarLengthArray<QStringView, 12> views(values.cbegin(), values.cend());
    return TransferLogLine(kind, seq, std::span<const QStringView>(views.data(), size_t(views.size())), stamp, style);
}

namespace {
// The start of an error line of kind "1" or "2".
QStringView errorHead(const QString &kind)
{
    return kind == u"1" ? u"자료변환 Error -> " : u"이체송신 Error -> ";
}
} // namespace

QString TransferLogLine(const QString &kind, const QString &seq, std::span<const QStringView> values,
                        const QString &stamp, TransferLogValues style)
{
    if (kind != u"1" && kind != u"2")
        return QStringLiteral("database Error -> ") + stamp + QLatin1Char(' ') + seq + QLatin1Char('-')
               + (values.empty() ? QString() : values.front().toString());
    // Made in one piece.
    qsizetype size = errorHead(kind).size() + stamp.size() + 1 + seq.size() + qsizetype(values.size());
    for (QStringView value : values)
        size += value.size();
    QString line;
    line.reserve(size);
    AppendTransferLogLine(line, kind, seq, values, stamp, style);
    return line;
}

void AppendTransferLogLine(QString &out, const QString &kind, const QString &seq, std::span<const QStringView> values,
                           const QString &stamp, TransferLogValues style)
{
    if (kind != u"1" && kind != u"2") {
        out.append(TransferLogLine(kind, seq, values, stamp, style));
        return;
    }
    // Sized once and written in place: a run logs many such lines into one text.
    const QStringView head = errorHead(kind);
    const bool spaceFirst = style == TransferLogValues::EachSpaced;
    qsizetype size = head.size() + stamp.size() + 1 + seq.size();
    for (QStringView value : values)
        size += value.size() + 1;
    if (!spaceFirst && !values.empty())
        --size;
    const qsizetype at = out.size();
    out.resize(at + size);
    QChar *to = out.data() + at;
    auto put = [&to](QStringView text) { to = std::copy_n(text.data(), text.size(), to); };
    put(head);
    put(stamp);
    *to++ = QLatin1Char(' ');
    put(seq);
    bool first = true;
    for (QStringView value : values) {
        if (!first || spaceFirst)
            *to++ = QLatin1Char(' ');
        put(value);
        first = false;
    }
}

bool WriteTransferLog(const QString &kind, const QString &seq, const QStringList &values)
{
    return AppendDayLogLine(TransferLogLine(kind, seq, values, TransferLogStamp()));
}

QString TransferRowLogLine(const QString &prefix, const TransferRow &row)
{
    return prefix + QStringLiteral("거래구분:") + row.workDiv + QStringLiteral(" 금액:") + FixLenSpace(row.money, 15, false)
           + QStringLiteral(" 송신자:") + FixLenSpace(row.sendId, 10, true) + QStringLiteral(" 수신자:")
           + FixLenSpace(row.recvId, 10, true) + QStringLiteral(" 성명:") + FixLenSpace(row.name, 10, true)
           + QStringLiteral(" 거래은행:") + FixLenSpace(row.bankName, 20, true);
}
