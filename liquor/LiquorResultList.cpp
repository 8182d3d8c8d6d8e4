#include "liquor/LiquorResultList.h"

#include "core/CellText.h"
#include "core/DataColumns.h"
#include "core/RequestSql.h"
#include "core/TextUtils.h"
#include "liquor/LiquorTempSave.h"
#include "platform/Cp949.h"
#include "transfers/TempSaveCodec.h"

#include <QDateTime>

namespace {

QString Field(const qvx::ResultSet &rs, int row, const char *name)
{
    const int col = rs.columnIndex(QString::fromLatin1(name));
    return col >= 0 ? rs.value(row, col) : QString();
}

QString KindText(const qvx::ResultSet &rs, int row)
{
    const QString gubun = Field(rs, row, "gubun");
    if (gubun == QLatin1String("20"))
        return QStringLiteral("수납");
    if (gubun == QLatin1String("30"))
        return QStringLiteral("지급");
    return gubun;
}

// The remain as a signed amount: "-" in SIGN negates it; no number reads 0.
QString RemainText(const qvx::ResultSet &rs, int row)
{
    bool ok = false;
    qint64 remain = Field(rs, row, "remain").trimmed().toLongLong(&ok);
    if (!ok)
        remain = 0;
    if (Field(rs, row, "sign").trimmed() == QLatin1String("-"))
        remain = -remain;
    return FormatMoney(QString::number(remain));
}

// The counterparty's account: a collection's hyphenated for the mother
// bank, a payment's for the counterparty's bank.
QString TransAccount(const qvx::ResultSet &rs, int row)
{
    const QString gubun = Field(rs, row, "gubun");
    if (gubun == QLatin1String("20"))
        return FormatAcctNo(Field(rs, row, "bankid"), Field(rs, row, "mainbankno"));
    if (gubun == QLatin1String("30"))
        return FormatAcctNo(Field(rs, row, "trans_bankid"), Field(rs, row, "bankno"));
    return QString();
}

ListColumn Computed(const char *title, int width, Qt::Alignment align,
                    std::function<QString(const qvx::ResultSet &, int)> compute)
{
    ListColumn c{QString::fromUtf8(title), width, align, "", CellFormat::Computed};
    c.compute = std::move(compute);
    return c;
}

QString Cell(const QStringList &cells, int col) { return col < cells.size() ? cells[col] : QString(); }

} // namespace

QString LiquorMotherAccount(const qvx::ResultSet &rs, int row)
{
    const bool payment = Field(rs, row, "gubun") == QLatin1String("30");
    return FormatAcctNo(Field(rs, row, "bankid"), Field(rs, row, payment ? "mainbankno" : "bankno"));
}

ListColumns LiquorResultColumns(bool checkBox, bool ownerName)
{
    ListColumn no{QStringLiteral("순번"), 50, AlignLeft, "", CellFormat::RowNo};
    ListColumn moAccount = ownerName ? ListColumn{QStringLiteral("모계좌번호"), 130, AlignCenter, "actowner"}
                                     : Computed("모계좌번호", 130, AlignCenter, LiquorMotherAccount);
    ListColumn account = ListColumn::data("", CellFormat::Computed);
    account.compute = LiquorMotherAccount;
    return ListColumns{
        checkBox ? no.withCheckBox() : no,
        {QStringLiteral("전송일자"), 84, AlignCenter, "senddate", CellFormat::Date},
        {QStringLiteral("전문번호"), 70, AlignCenter, "seqno"},
        {QStringLiteral("모은행"), 90, AlignCenter, "mobankname"},
        moAccount,
        Computed("거래구분", 60, AlignCenter, KindText),
        {QStringLiteral("송수신"), 70, AlignCenter, "sr_flag", CellFormat::SendFlag},
        {QStringLiteral("처리결과"), 140, AlignCenter, "errcontents"},
        {QStringLiteral("도매상명"), 120, AlignCenter, "name"},
        {QStringLiteral("이체금액"), 100, AlignRight, "price", CellFormat::Money},
        Computed("잔액", 100, AlignRight, RemainText),
        {QStringLiteral("거래은행"), 90, AlignCenter, "transbankname"},
        Computed("거래계좌", 130, AlignCenter, TransAccount),
        {QStringLiteral("수신일자"), 84, AlignCenter, "receivedate", CellFormat::Date},
        {QStringLiteral("수신시각"), 70, AlignCenter, "receivetime", CellFormat::Time},
        {QStringLiteral("수수료"), 70, AlignRight, "fee", CellFormat::Money},
        {QStringLiteral("실명번호"), 110, AlignCenter, "residentno"},
        {QStringLiteral("주류금액"), 100, AlignRight, "jumoney", CellFormat::Money},
        {QStringLiteral("비주류금액"), 100, AlignRight, "nonjumoney", CellFormat::Money},
        {QStringLiteral("기타"), 110, AlignCenter, "common_dummy", CellFormat::Trimmed},
        {QStringLiteral("조회결과"), 70, AlignCenter, "errcode"},
    } + DataColumns({"bankid", "gubun", "trans_bankid", "sr_flag", "sendid", "recvid", "firmid", "bankid", "passwd",
                     "boki"}) + ListColumns{account};
}

QString LiquorSemicolonLine(const QStringList &cells)
{
    QStringList parts;
    for (int col = lrSendDate; col <= lrErrCode; ++col) {
        QString text = col == lrMoBankNo ? Cell(cells, lrMoAccount) : Cell(cells, col);
        switch (col) {
        case lrSendDate:
        case lrMoBankNo:
        case lrTransBankNo:
        case lrRecvDate:
            text = DelChar(text, u'-');
            break;
        case lrPrice:
        case lrRemain:
        case lrFee:
        case lrJuMoney:
        case lrNonJuMoney:
            text = DelComma(text);
            break;
        case lrRecvTime:
            text = DelChar(text, u':');
            break;
        default:
            break;
        }
        parts << text;
    }
    return parts.join(u';');
}

QStringList LiquorReprocessFields(const QStringList &cells, const QString &userId, const QString &sendFlagInit)
{
    auto c = [&cells](int col) { return Cell(cells, col); };
    return {c(lrKind),
            c(lrMoBankName),
            DelChar(c(lrMoAccount), u'-'),
            DelComma(c(lrJuMoney)),
            DelComma(c(lrNonJuMoney)),
            DelComma(c(lrPrice)),
            c(lrName),
            c(lrTransBank),
            DelChar(c(lrTransBankNo), u'-'),
            QStringLiteral("주류"),
            DelChar(c(lrResidentNo), u'-'),
            c(lrDummy),
            c(lrSendId),
            c(lrRecvId),
            c(lrFirmId),
            QStringLiteral("DY2"),
            c(lrBankId2),
            userId,
            sendFlagInit,
            c(lrPassWd),
            c(lrBoki),
            c(lrGubun),
            QStringLiteral("1"),
            c(lrTransBankId),
            QStringLiteral("1"),
            c(lrTransBankId),
            DelChar(c(lrSendDate), u'-'),
            c(lrErrCode)};
}

namespace {

// What the refusal calls each field of the record.
const char *const ReprocessFieldTitles[FixedRecordFieldCount] = {
    "거래구분", "모은행", "모계좌번호", "주류금액", "비주류금액", "이체금액", "도매상명",
    "거래은행", "거래계좌", "결제구분", "실명번호", "기타", "송신ID", "수신ID",
    "업체코드", "서비스구분", "모은행코드", "사용자ID", "송신구분", "비밀번호", "검증코드",
    "거래구분코드", "주류구분", "거래은행코드", "구분", "거래은행코드", "전송일자", "조회결과"};

constexpr int ReprocessNameField = 6;

} // namespace

LiquorReprocessLine EncodeLiquorReprocessRecord(const QStringList &cells, const QString &userId,
                                                const QString &sendFlagInit)
{
    QStringList fields = LiquorReprocessFields(cells, userId, sendFlagInit);
    fields[ReprocessNameField] = LiquorSavedName(fields[ReprocessNameField]);
    LiquorReprocessLine out;
    for (int i = 0; i < FixedRecordFieldCount; ++i) {
        out.badCharacter = qvx::Cp949::firstUnencodable(fields[i]);
        if (!out.badCharacter.isEmpty() || Cp949Length(fields[i]) > FixedRecordWidth(i)) {
            out.badField = i;
            return out;
        }
    }
    out.line = MakeFixedRecord(fields);
    return out;
}

QString LiquorReprocessRefusalMessage(int gridRow, const LiquorReprocessLine &line)
{
    return TempSaveRefusalText(gridRow, QString::fromUtf8(ReprocessFieldTitles[line.badField]),
                               FixedRecordWidth(line.badField), line.badCharacter);
}

QString LiquorSaveName(bool collection, const QDateTime &now)
{
    return (collection ? QStringLiteral("수납_재처리") : QStringLiteral("지급_재처리"))
           + now.toString(QStringLiteral("yyMMdd-HHmmss"));
}

ReportParams LiquorReportParams(bool fillLastPage)
{
    ReportParams p;
    p.fillLastPage = fillLastPage;
    return p;
}
