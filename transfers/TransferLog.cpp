#include "transfers/TransferLog.h"

#include "core/DayLog.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"

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

bool DuplicateComparesInfo(int icheCheckFlag, QStringView info)
{
    return icheCheckFlag != 0 && info.trimmed() != u"N";
}

QString DuplicateMemo(const QString &info, int icheCheckFlag)
{
    return DuplicateComparesInfo(icheCheckFlag, info) ? info.trimmed() : QStringLiteral("N");
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

QString DuplicateLogTail(QStringView name, QStringView groupedAmount, QStringView head)
{
    // Sized once: a run may log many duplicates.
    static constexpr QStringView nameLabel = u"거래처명 : ", amountLabel = u"  이체금액 : ", won = u" 원";
    const qsizetype pad = std::max<qsizetype>(13 - groupedAmount.size(), 0);
    QString text;
    text.reserve(head.size() + nameLabel.size() + name.size() + amountLabel.size() + pad + groupedAmount.size()
                 + won.size());
    text.append(head).append(nameLabel).append(name).append(amountLabel);
    text.resize(text.size() + pad, QLatin1Char(' '));
    text.append(groupedAmount).append(won);
    return text;
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

QStringView LoggedValuePart(QStringView value, bool *cut)
{
    *cut = value.size() > MaxLoggedValueLength;
    if (!*cut)
        return value;
    const qsizetype length = value[MaxLoggedValueLength - 1].isHighSurrogate() ? MaxLoggedValueLength - 1
                                                                               : MaxLoggedValueLength;
    return value.left(length);
}

namespace {
// The start of an error line of kind "1" or "2".
QStringView errorHead(const QString &kind)
{
    return kind == u"1" ? u"자료변환 Error -> " : u"이체송신 Error -> ";
}

// The values of an error line as they follow its message number.
template <typename Put, typename Pad>
void putTransferLogValues(Put &&put, Pad &&pad, std::span<const QStringView> values, std::span<const int> blanks,
                          TransferLogValues style)
{
    const bool spaceFirst = style == TransferLogValues::EachSpaced;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0 || spaceFirst)
            put(QStringView(u" "));
        bool cut = false;
        put(LoggedValuePart(values[i], &cut));
        if (cut)
            put(LoggedValueCutMark);
        if (i < blanks.size() && blanks[i] > 0)
            pad(blanks[i]);
    }
}

// The pieces of an error line, each handed to put in the order they stand,
// and the blanks after a value (blanks[i] after values[i], none where blanks
// ends) to pad: one layout for the line made as text and as bytes.
template <typename Put, typename Pad>
void putTransferLogLine(Put &&put, Pad &&pad, const QString &kind, const QString &seq,
                        std::span<const QStringView> values, std::span<const int> blanks, QStringView stamp,
                        TransferLogValues style)
{
    static constexpr QStringView space = u" ";
    auto value = [&](size_t i) {
        bool cut = false;
        put(LoggedValuePart(values[i], &cut));
        if (cut)
            put(LoggedValueCutMark);
        if (i < blanks.size() && blanks[i] > 0)
            pad(blanks[i]);
    };
    if (kind != u"1" && kind != u"2") {
        put(u"database Error -> ");
        put(stamp);
        put(space);
        put(seq);
        put(u"-");
        if (!values.empty())
            value(0);
        return;
    }
    put(errorHead(kind));
    put(stamp);
    put(space);
    put(seq);
    putTransferLogValues(put, pad, values, blanks, style);
}

qsizetype transferLogLineSize(const QString &kind, const QString &seq, std::span<const QStringView> values,
                              std::span<const int> blanks, QStringView stamp, TransferLogValues style)
{
    qsizetype size = 0;
    putTransferLogLine([&size](QStringView text) { size += text.size(); }, [&size](int n) { size += n; }, kind, seq,
                       values, blanks, stamp, style);
    return size;
}
} // namespace

QString TransferLogLine(const QString &kind, const QString &seq, std::span<const QStringView> values,
                        const QString &stamp, TransferLogValues style)
{
    // Sized once and written in place.
    QString line(transferLogLineSize(kind, seq, values, {}, stamp, style), Qt::Uninitialized);
    QChar *to = line.data();
    putTransferLogLine([&to](QStringView text) { to = std::copy_n(text.data(), text.size(), to); },
                       [&to](int n) { to = std::fill_n(to, n, QLatin1Char(' ')); }, kind, seq, values, {}, stamp,
                       style);
    return line;
}

namespace {
// Writes pieces of a line as CP949 at to, which has room for two bytes a
// character, and pads with blanks.
struct BytePieces
{
    char *to;
    void operator()(QStringView text)
    {
        if (text.size() == 1 && text.front().unicode() < 0x80)
            *to++ = char(text.front().unicode());
        else
            to = qvx::Cp949::write(to, text);
    }
    void pad(int n) { to = std::fill_n(to, n, ' '); }
};

// Appends what write(pieces) writes to out, given room for `chars` characters.
template <typename Write>
void appendBytes(QByteArray &out, qsizetype chars, Write &&write)
{
    const qsizetype at = out.size();
    out.resize(at + 2 * chars);
    char *const begin = out.data();
    BytePieces pieces{begin + at};
    write(pieces);
    out.truncate(pieces.to - begin);
}
} // namespace

void AppendTransferLogLine(QByteArray &out, const QString &kind, const QString &seq,
                           std::span<const QStringView> values, std::span<const int> blanks, QStringView stamp,
                           TransferLogValues style)
{
    // Room made once; each piece written in place.
    appendBytes(out, transferLogLineSize(kind, seq, values, blanks, stamp, style), [&](BytePieces &pieces) {
        putTransferLogLine(pieces, [&pieces](int n) { pieces.pad(n); }, kind, seq, values, blanks, stamp, style);
    });
}

void AppendTransferLogValues(QByteArray &out, std::span<const QStringView> values, std::span<const int> blanks,
                             TransferLogValues style)
{
    qsizetype size = 0;
    putTransferLogValues([&size](QStringView text) { size += text.size(); }, [&size](int n) { size += n; }, values,
                         blanks, style);
    appendBytes(out, size, [&](BytePieces &pieces) {
        putTransferLogValues(pieces, [&pieces](int n) { pieces.pad(n); }, values, blanks, style);
    });
}

bool WriteTransferLog(const QString &kind, const QString &seq, const QStringList &values)
{
    return AppendDayLogLine(TransferLogLine(kind, seq, values, TransferLogStamp()));
}

QString TransferRowLogLine(const QString &prefix, const TransferRow &row)
{
    return prefix + QStringLiteral("거래구분:") + row.workDiv + QStringLiteral(" 금액:") + PadSpace(row.money, 15, false)
           + QStringLiteral(" 송신자:") + FixLenSpace(row.sendId, 10, true) + QStringLiteral(" 수신자:")
           + FixLenSpace(row.recvId, 10, true) + QStringLiteral(" 성명:") + FixLenSpace(row.name, 10, true)
           + QStringLiteral(" 거래은행:") + FixLenSpace(row.bankName, 20, true);
}
