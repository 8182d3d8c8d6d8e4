#include "liquor/LiquorSheetLines.h"

#include "platform/SqlText.h"
#include "transfers/TransferFileParser.h"

namespace {

const QChar Minus = QLatin1Char('-');

} // namespace

QVector<QStringList> LiquorSheetRows(const qvx::SheetCells &cells, QString *refusal)
{
    constexpr int Columns = 11;
    const int rowCount = cells.rowCount();
    int first = 0;
    for (int r = 0; r < rowCount; ++r)
        if (const QStringView key = cells.view(r, 0).trimmed(); key.size() == 2 && key.toString().toUpper() == u"NO") {
            first = r + 1;
            break;
        }
    // What the rows cost once the dialog's grid, its copy for the run and
    // the run itself hold every cell's text on its own: measured before any
    // is made, so that a sheet whose cells all show one long shared string
    // is refused with no more memory than its reading took.
    qint64 bytes = 0;
    for (int r = first; r < rowCount && bytes <= LiquorSheetMaxBytes; ++r) {
        if (cells.view(r, 0).trimmed().isEmpty())
            continue;
        bytes += qint64(Columns * sizeof(QString)) + 64;
        for (int c = 0; c < Columns; ++c)
            if (const qsizetype length = cells.view(r, c).size())
                bytes += 2 * length + 32;
    }
    if (bytes > LiquorSheetMaxBytes) {
        if (refusal)
            *refusal = qvx::SheetCells::tooMuchTextMessage(LiquorSheetMaxBytes);
        return {};
    }
    QVector<QStringList> rows;
    qvx::SheetCells::HandedOut handedOut;
    for (int r = first; r < rowCount; ++r) {
        if (cells.view(r, 0).trimmed().isEmpty())
            continue;
        QStringList row = cells.row(r, Columns, &handedOut);
        while (row.size() < Columns)
            row.append(QString());
        rows.append(row);
    }
    return rows;
}

LiquorLine LiquorSheetLine(const QStringList &row)
{
    LiquorLine out;
    LiquorSheetLine(row, &out);
    return out;
}

void LiquorSheetLine(const QStringList &row, LiquorLine *out)
{
    auto cell = [&row](int c) { return c < row.size() ? TrimmedView(row[c]) : QStringView(); };
    LiquorFields &f = out->fields;
    f.clear();
    out->fault = LiquorRefusal::None;
    // A sheet holding the code as a number loses its leading zero.
    const QStringView bankId = cell(1);
    if (bankId.size() == 1 && qvx::isAsciiDigits(bankId)) {
        const QChar padded[2] = {QLatin1Char('0'), bankId[0]};
        f.setHeld(lfBankId, QStringView(padded, 2));
    } else {
        f.setView(lfBankId, bankId);
    }
    f.setWithout(lfBankNo, cell(3), Minus, true);
    f.setAmount(lfJuMoney, cell(4));
    f.setAmount(lfBJuMoney, cell(5));
    f.setAmount(lfMoney, cell(6));
    f.setView(lfCInfo, cell(7));
    f.setView(lfSName, cell(8));
    f.setView(lfGubun, cell(9));
    f.setView(lfJumin, cell(10));
}

QStringList LiquorSheetHeaders()
{
    return {QStringLiteral("NO"),     QStringLiteral("은행코드"), QStringLiteral("은행명"),
            QStringLiteral("거래계좌"), QStringLiteral("주류금액"), QStringLiteral("비주류금액"),
            QStringLiteral("이체금액"), QStringLiteral("기타"),     QStringLiteral("거래처명"),
            QStringLiteral("거래구분"), QStringLiteral("실명번호")};
}
