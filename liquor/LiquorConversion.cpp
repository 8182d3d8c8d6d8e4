#include "liquor/LiquorConversion.h"

#include "core/TextUtils.h"
#include "liquor/LiquorBankRules.h"
#include "liquor/LiquorCheckCodes.h"
#include "liquor/LiquorRules.h"
#include "platform/Clock.h"
#include "platform/PartPipeline.h"
#include "platform/SideBySide.h"
#include "platform/SqlText.h"
#include "platform/TextFile.h"
#include "transfers/TransferFileParser.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"

#include <QDir>

#include <algorithm>
#include <exception>
#include <vector>

namespace {

const QChar Minus = QLatin1Char('-');
const QChar Comma = QLatin1Char(',');
const QChar Tab = QLatin1Char('\t');

// QStringView::contains for the short fields of a line, without a call.
inline bool holds(QStringView text, QChar c)
{
    for (QChar ch : text)
        if (ch == c)
            return true;
    return false;
}

// text without every c: text itself when it holds none, else a copy in out.
QStringView without(QStringView text, QChar c, LiquorTextBuffer &out)
{
    if (!holds(text, c))
        return text;
    out.clear();
    for (QChar ch : text)
        if (ch != c)
            out.append(ch);
    return QStringView(out.constData(), out.size());
}

// A whole amount grouped by ',' (CurrToMoneyStr), written in place.
class GroupedAmount
{
public:
    explicit GroupedAmount(qint64 value)
    {
        quint64 rest = value < 0 ? 0 - quint64(value) : quint64(value);
        int n = int(sizeof m_text / sizeof m_text[0]);
        int digits = 0;
        do {
            if (digits > 0 && digits % 3 == 0)
                m_text[--n] = u',';
            m_text[--n] = char16_t(u'0' + rest % 10);
            rest /= 10;
            ++digits;
        } while (rest != 0);
        if (value < 0)
            m_text[--n] = u'-';
        m_start = n;
    }
    QStringView view() const { return QStringView(m_text + m_start, qsizetype(sizeof m_text / sizeof m_text[0]) - m_start); }

private:
    char16_t m_text[32];
    int m_start;
};

// The characters of a fixed-width line by CP949 byte: for each byte the first
// character starting at or after it, so that a field's cut is two look-ups
// (as Cp949Columns, read from one walk over the line).
class FixedColumns
{
public:
    explicit FixedColumns(QStringView line) : m_line(line)
    {
        const char16_t *data = line.utf16();
        const qsizetype size = line.size();
        m_first.resize(2 * size + 1);
        int *first = m_first.data();
        int pos = 0;
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t c = data[i];
            first[pos++] = int(i);
            if (c >= 0x80) // its second byte: the next character is the first after it
                first[pos++] = int(i + 1) | Inside;
            m_badBytes |= c == QChar::ReplacementCharacter;
        }
        first[pos] = int(size);
        m_bytes = pos;
    }
    // The characters wholly inside bytes start (1-based) .. start + length - 1.
    QStringView cut(int start, int length) const
    {
        if (length <= 0)
            return {};
        const int from = std::min((start < 1 ? 1 : start) - 1, m_bytes);
        const int to = std::min(from + length, m_bytes);
        const qsizetype first = m_first[from] & ~Inside;
        const int past = m_first[to];
        // A character that starts before to and ends after it stays out.
        const qsizetype end = past & Inside ? (past & ~Inside) - 1 : past;
        return first < end ? m_line.mid(first, end - first) : QStringView();
    }
    bool badBytes() const { return m_badBytes; }

private:
    static constexpr int Inside = 1 << 30; // the byte is a character's second
    QStringView m_line;
    QVarLengthArray<int, 512> m_first;
    int m_bytes = 0;
    bool m_badBytes = false;
};

} // namespace

LiquorFields::LiquorFields(const std::array<QStringView, LiquorFieldCount> &values)
{
    for (int f = 0; f < LiquorFieldCount; ++f)
        setHeld(LiquorField(f), values[f]);
}

void LiquorFields::clear()
{
    m_field.fill(Field());
    m_held.clear();
}

void LiquorFields::setView(LiquorField f, QStringView value)
{
    m_field[f] = value.isNull() ? Field() : Field{value.data(), 0, value.size()};
}

void LiquorFields::setHeld(LiquorField f, QStringView value)
{
    if (value.isNull()) {
        m_field[f] = Field();
        return;
    }
    m_field[f] = Field{nullptr, m_held.size(), value.size()};
    m_held.append(value.data(), value.size());
}

void LiquorFields::setWithout(LiquorField f, QStringView value, QChar c, bool trim)
{
    if (!holds(value, c)) {
        setView(f, trim ? TrimmedView(value) : value);
        return;
    }
    qsizetype start = m_held.size();
    for (QChar ch : value)
        if (ch != c)
            m_held.append(ch);
    qsizetype end = m_held.size();
    if (trim) {
        while (start < end && m_held[start].isSpace())
            ++start;
        while (end > start && m_held[end - 1].isSpace())
            --end;
    }
    m_field[f] = Field{nullptr, start, end - start};
}

void LiquorFields::setAmount(LiquorField f, QStringView value)
{
    const QStringView trimmed = TrimmedView(value);
    if (holds(trimmed, Comma) && IsThousandsGrouped(trimmed))
        setWithout(f, trimmed, Comma, false);
    else
        setView(f, trimmed);
}

QString LiquorLineFaultReason(LiquorRefusal fault)
{
    // Made once: a long file may refuse many lines for the same reason.
    static const QString longToken = QStringLiteral("길이 오류(항목이 정해진 길이보다 깁니다.)");
    static const QString badBytes = QStringLiteral("문자 오류(읽을 수 없는 문자가 있습니다.)");
    switch (fault) {
    case LiquorRefusal::LongToken:
        return longToken;
    case LiquorRefusal::BadBytes:
        return badBytes;
    default:
        return QString();
    }
}

const QString &LiquorAmountReason(const LiquorAmounts &amounts)
{
    // Made once for each field: a long file may refuse many lines alike.
    struct Reasons
    {
        QString tooLong;
        QString notWhole;
    };
    static const QString head = QStringLiteral("금액 오류(");
    static const QString missing = head + LiquorAmountMissingMessage + QLatin1Char(')');
    static const std::array<Reasons, 4> byField = [] {
        std::array<Reasons, 4> out;
        for (LiquorAmountField f : {LiquorAmountField::Liquor, LiquorAmountField::NonLiquor, LiquorAmountField::Transfer})
            out[size_t(f)] = {head + LiquorAmountFieldName(f) + QStringLiteral(" : ") + LiquorAmountTooLongMessage
                                  + QLatin1Char(')'),
                              head + LiquorAmountNotWholeMessage(f) + QLatin1Char(')')};
        return out;
    }();
    if (amounts.message == LiquorAmountMissingMessage)
        return missing;
    const Reasons &r = byField[size_t(amounts.faultField)];
    return amounts.message == LiquorAmountTooLongMessage ? r.tooLong : r.notWhole;
}

namespace {

// An error-list line: the refused line's values joined by blanks, then its tail.
QString ErrorListLine(const std::array<QStringView, 9> &values, QStringView tail)
{
    qsizetype size = tail.size() + qsizetype(values.size());
    for (QStringView v : values)
        size += v.size();
    QString line;
    line.reserve(size);
    for (size_t k = 0; k < values.size(); ++k) {
        if (k > 0)
            line += QLatin1Char(' ');
        line += values[k];
    }
    line += tail;
    return line;
}

} // namespace

const LiquorLayout &LiquorDelimitedLayout()
{
    static const LiquorLayout layout{{{1, 2}, {3, 15}, {18, 13}, {31, 13}, {44, 13}, {57, 31}, {88, 14}, {102, 2},
                                      {104, 13}}};
    return layout;
}

ConvPair LiquorConvPair(LiquorField field)
{
    static const ConvPair pairs[LiquorFieldCount] = {cvBankId, cvBankNo, cvJuMoney, cvBJuMoney, cvMoney,
                                                     cvCInfo,  cvSName,  cvGubun,   cvJumin};
    return pairs[field];
}

// --- text lines -------------------------------------------------------------------------

LiquorLineCutter::LiquorLineCutter(DataForm form, const LiquorLayout &fixed, const QString &kind)
    : m_form(form), m_layout(form == DataForm::Fixed ? fixed : LiquorDelimitedLayout()), m_kind(kind)
{
}

LiquorLine LiquorLineCutter::cut(QStringView line) const
{
    LiquorLine out;
    cut(line, &out);
    return out;
}

void LiquorLineCutter::cut(QStringView line, LiquorLine *out) const
{
    out->fields.clear();
    out->fault = LiquorRefusal::None;
    if (m_form != DataForm::Fixed) {
        cutDelimited(line, out);
        return;
    }
    const FixedColumns columns(line);
    for (int f = 0; f < LiquorFieldCount; ++f)
        out->fields.setView(LiquorField(f), columns.cut(m_layout[f].start, m_layout[f].length));
    if (columns.badBytes())
        out->fault = LiquorRefusal::BadBytes;
}

void LiquorLineCutter::cutDelimited(QStringView line, LiquorLine *out) const
{
    // One walk over the line: where its tokens are, whether each is ASCII
    // (its width is then its length), and whether it holds bytes that were
    // no CP949. The last field takes the rest of the line.
    const char16_t delimiter = DelimiterOf(m_form).unicode();
    QStringView tokens[LiquorFieldCount];
    char16_t high[LiquorFieldCount] = {};
    const char16_t *data = line.utf16();
    qsizetype start = 0;
    int token = 0;
    char16_t bits = 0;
    bool badBytes = false;
    for (qsizetype k = 0; k < line.size(); ++k) {
        const char16_t ch = data[k];
        if (ch == delimiter && token < LiquorFieldCount - 1) {
            tokens[token] = line.mid(start, k - start);
            high[token++] = bits;
            bits = 0;
            start = k + 1;
            continue;
        }
        bits |= ch;
        badBytes |= ch == QChar::ReplacementCharacter;
    }
    tokens[token] = line.mid(start);
    high[token] = bits;

    LiquorFields &f = out->fields;
    f.setView(lfBankId, TrimmedView(tokens[0]));
    f.setWithout(lfBankNo, TrimmedView(tokens[1]), Minus, true);
    f.setAmount(lfJuMoney, tokens[2]);
    f.setAmount(lfBJuMoney, tokens[3]);
    f.setAmount(lfMoney, tokens[4]);
    f.setView(lfCInfo, TrimmedView(tokens[5]));
    f.setView(lfSName, TrimmedView(tokens[6]));
    // The token each field was taken from (-1: none).
    int source[LiquorFieldCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    const QStringView eighth = TrimmedView(tokens[7]);
    if (eighth == u"20" || eighth == u"30") {
        f.setView(lfGubun, eighth);
        f.setWithout(lfJumin, TrimmedView(tokens[8]), Minus, true);
    } else {
        // No kind written: the eighth token is the real-name number.
        f.setHeld(lfGubun, m_kind);
        f.setWithout(lfJumin, eighth, Minus, false);
        source[lfGubun] = -1;
        source[lfJumin] = 7;
    }
    for (int i = 0; i < LiquorFieldCount; ++i) {
        const QStringView value = f[LiquorField(i)];
        const qsizetype width =
            source[i] >= 0 && high[source[i]] < 0x80 ? value.size() : qsizetype(Cp949Width(value));
        if (width > m_layout[i].length)
            out->fault = LiquorRefusal::LongToken;
    }
    if (out->fault == LiquorRefusal::None && badBytes)
        out->fault = LiquorRefusal::BadBytes;
}

LiquorTextLines::LiquorTextLines(const QList<QStringView> &lines, const LiquorLineCutter &cutter)
    : m_lines(lines), m_cutter(cutter)
{
}

// --- sheet rows -------------------------------------------------------------------------

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
            *refusal = QStringLiteral("시트의 자료가 너무 많거나 길어 읽을 수 없습니다 (최대 %1MB).")
                           .arg(LiquorSheetMaxBytes / (1024 * 1024));
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

// --- the run ----------------------------------------------------------------------------

std::array<QStringView, 9> LiquorTransferLogViews(const LiquorFields &f, QStringView kind)
{
    return {f[lfBankId], f[lfBankNo], f[lfMoney], f[lfJuMoney], f[lfBJuMoney], f[lfJumin], f[lfSName], kind, f[lfCInfo]};
}

LiquorConversion::LiquorConversion(const LiquorConvertContext &context)
    : m_context(context), m_kind(LiquorGubun(context.session->PaymentMode))
{
}

void LiquorConversion::addExistingRow(const QString &name, const QString &groupedAmount, const QString &info)
{
    m_duplicates.add(name, groupedAmount, info);
}

int LiquorConversion::findMother(QStringView bankId) const
{
    const QVector<MotherAccount> &banks = m_context.banks;
    if (m_context.chosen) {
        const QStringView id = QStringView(m_context.chosen->bankid).trimmed();
        const QStringView no = QStringView(m_context.chosen->mobankno).trimmed();
        for (int i = 0; i < banks.size(); ++i)
            if (QStringView(banks[i].bankid).trimmed() == id && QStringView(banks[i].mobankno).trimmed() == no)
                return i;
        return -1;
    }
    // "당행": the line's own bank; banks 88 (and, in sheets, 26) are paid from
    // a bank-21 account when one is registered.
    const bool group = bankId == u"88" || (m_context.sheet && bankId == u"26");
    for (int i = 0; i < banks.size(); ++i) {
        const QStringView id = QStringView(banks[i].bankid).trimmed();
        if (id == bankId || (group && id == u"21"))
            return i;
    }
    return -1;
}

namespace {

// The mother account of each usual (two-digit) bank code, looked up once.
class MotherCache
{
public:
    template <class Find>
    int find(QStringView bankId, const Find &findMother)
    {
        if (bankId.size() != 2 || !qvx::isAsciiDigits(bankId))
            return findMother(bankId);
        int &cached = m_byCode[size_t((bankId[0].unicode() - u'0') * 10 + bankId[1].unicode() - u'0')];
        if (cached == Unknown)
            cached = findMother(bankId);
        return cached;
    }

private:
    static constexpr int Unknown = -2;
    std::array<int, 100> m_byCode = [] {
        std::array<int, 100> a;
        a.fill(Unknown);
        return a;
    }();
};


// What the checks of the first pass found of a line that passed them; the
// second pass settles it in line order.
enum class Outcome : quint8 {
    Row,       // a row unless it is a declined duplicate
    OtherKind, // a transfer of the other kind
    NoMother,
    CheckCode, // the check code cannot be made
    Later      // the check code failed otherwise: made again in its turn
};

struct Passed
{
    qint64 transfer;
    quint64 hash; // of name and grouped amount
    LiquorConvertedRows::Staged texts;
    int line;
    int mother;
    Outcome outcome;
};

// The row a line that passed its own checks would make, its texts put aside
// in the rows given (those of the part of the lines being checked, taken
// over by the run's rows), with what the second pass must say of it.
class RowStager
{
public:
    RowStager(const LiquorConvertContext &context, const QString &kind, const QDate &today,
              LiquorBankRules &bankRules, std::function<int(QStringView)> findMother, LiquorConvertedRows *rows)
        : m_kind(kind),
          m_bankRules(bankRules),
          m_checkCodes(context.banks, kind, today),
          m_findMother(std::move(findMother)),
          m_rows(rows)
    {
    }

    Passed stage(int line, const LiquorFields &f, QStringView bankId, const LiquorAmounts &amounts)
    {
        Passed p{amounts.transfer, 0, {}, line, -1, Outcome::Row};
        const GroupedAmount grouped(amounts.transfer), liquor(amounts.liquor), nonLiquor(amounts.nonLiquor);
        LiquorOwnTexts own;
        own.money = grouped.view();
        own.name = TrimmedView(without(f[lfSName], Tab, m_name));
        own.info = TrimmedView(f[lfCInfo]);
        const QStringView gubun = TrimmedView(f[lfGubun]);
        if (!gubun.isEmpty() && gubun != m_kind) {
            p.outcome = Outcome::OtherKind;
        } else {
            p.mother = m_mothers.find(bankId, m_findMother);
            if (p.mother < 0) {
                p.outcome = Outcome::NoMother;
            } else {
                const QStringView plainBankNo = this->plainBankNo(f);
                try {
                    own.boki = m_checkCodes.make(p.mother, bankId, plainBankNo, amounts.transfer);
                } catch (const ConvertError &) {
                    p.outcome = Outcome::CheckCode;
                } catch (...) {
                    p.outcome = Outcome::Later;
                }
                // An amount equal to the transfer shares its grouped text.
                own.juMoney = amounts.liquor == amounts.transfer ? grouped.view() : liquor.view();
                own.nonJuMoney = amounts.nonLiquor == amounts.transfer ? grouped.view() : nonLiquor.view();
                own.bankNo = m_bankRules.hyphenated(bankId, plainBankNo, m_shown);
                own.realNameNo = TrimmedView(f[lfJumin]);
                own.bankId = bankId;
            }
        }
        p.hash = LiquorDuplicateIndex::hashOf(own.name, own.money);
        p.texts = m_rows->stage(own);
        return p;
    }

    // The check code of a Later line in its turn (throws as the first time,
    // or gives the code, which its texts then take).
    void makeCheckCodeAgain(const Passed &p, const LiquorFields &f, LiquorConvertedRows::Staged *texts)
    {
        const QString boki = m_checkCodes.make(p.mother, TrimmedView(f[lfBankId]), plainBankNo(f), p.transfer).toString();
        LiquorOwnTexts own = m_rows->staged(p.texts);
        own.boki = boki;
        *texts = m_rows->stage(own); // its texts are the rows' own: the arena never moves them
    }

private:
    // The counterparty account as typed, without tabs, '-' and blanks.
    QStringView plainBankNo(const LiquorFields &f)
    {
        return TrimmedView(without(TrimmedView(without(f[lfBankNo], Tab, m_bankNo)), Minus, m_plain));
    }

    const QString &m_kind;
    LiquorBankRules &m_bankRules;
    // As LiquorEntryCheckCode, from the parts the run holds plain: the row's
    // accounts are these hyphenated, its amount this grouped.
    LiquorCheckCodes m_checkCodes;
    std::function<int(QStringView)> m_findMother;
    MotherCache m_mothers;
    LiquorConvertedRows *m_rows;
    LiquorTextBuffer m_name, m_bankNo, m_plain, m_shown;
};

// A line's own checks (bank code, real-name rule, account, amounts) and, when
// it passes them, the row it would make. It reads only what the run shares
// and never changes it: each part of a long file is checked with its own,
// its bank rules' answers and check-code coders kept apart.
class LineChecks
{
public:
    enum class Verdict { Passed, Refused, ResidentNo };

    LineChecks(const LiquorConvertContext &context, const QString &kind, const QDate &today,
               std::function<int(QStringView)> findMother, LiquorConvertedRows *texts)
        : m_bankRules(context.today), m_stager(context, kind, today, m_bankRules, std::move(findMother), texts)
    {
    }

    // Line i read and checked; a line that passes gets its entry in *passed.
    Verdict check(const LiquorLineSource &lines, int i, std::vector<Passed> *passed)
    {
        lines.read(i, &m_line);
        const LiquorFields &f = m_line.fields;
        const QStringView bankId = TrimmedView(f[lfBankId]);
        m_reason.clear();
        if (m_line.fault == LiquorRefusal::None && qvx::isAsciiDigits(bankId)
            && m_bankRules.residentNoBanned(bankId, f[lfJumin]))
            return Verdict::ResidentNo;
        const LiquorAmounts amounts =
            CheckLiquorAmounts(TrimmedView(f[lfJuMoney]), TrimmedView(f[lfBJuMoney]), TrimmedView(f[lfMoney]));
        if (m_line.fault != LiquorRefusal::None) {
            m_reason = LiquorLineFaultReason(m_line.fault);
            return Verdict::Refused;
        }
        // A line refused by the account check is said by its error line alone.
        // The bank code and the account are taken trimmed, without their tabs
        // where the line has fixed positions (a delimited line keeps them),
        // and the account also without its '-': accounts are commonly written
        // hyphenated, as the screens show them.
        QStringView checkedBank = bankId;
        QStringView account = TrimmedView(f[lfBankNo]);
        if (lines.removesTabs()) {
            checkedBank = without(checkedBank, Tab, m_untabbedBank);
            account = without(account, Tab, m_untabbedAccount);
        }
        account = without(account, Minus, m_plainAccount);
        if (!qvx::isAsciiDigits(checkedBank) || !m_bankRules.accountValid(checkedBank, account))
            return Verdict::Refused;
        if (!amounts.ok()) {
            m_reason = LiquorAmountReason(amounts);
            return Verdict::Refused;
        }
        // The row the line makes if it is kept, and why it would not be.
        passed->push_back(m_stager.stage(i, f, bankId, amounts));
        return Verdict::Passed;
    }

    // The fields of the line checked last.
    const LiquorFields &fields() const { return m_line.fields; }
    // Why the line checked last was refused, where the log and the error
    // list say it (empty for the account check and the real-name rule).
    const QString &reason() const { return m_reason; }

private:
    LiquorBankRules m_bankRules;
    RowStager m_stager;
    LiquorLine m_line;
    LiquorTextBuffer m_plainAccount;
    LiquorTextBuffer m_untabbedAccount;
    LiquorTextBuffer m_untabbedBank;
    QString m_reason;
};

// A line refused by its own checks, said by the run in its turn: the nine
// values of its transfer-log line one after the other.
struct RefusedLine
{
    using Values = std::array<QStringView, 9>;
    const QChar *text;
    std::array<int, 9> ends;
    bool residentNo; // by the real-name rule: also an error-list line
    QString reason;  // another refusal said in the log and the error list

    Values values() const
    {
        Values out;
        for (size_t k = 0; k < out.size(); ++k) {
            const int from = k == 0 ? 0 : ends[k - 1];
            out[k] = QStringView(text + from, ends[k] - from);
        }
        return out;
    }
};

// A run of lines checked together: the texts of the rows its lines would
// make, what the second pass must decide of them, and its refused lines
// with what is said of them, taken by the run in the order of the file.
struct CheckedPart
{
    int from = 0;
    int to = 0; // past the last line checked
    LiquorConvertedRows texts;
    std::vector<Passed> passed;
    std::vector<RefusedLine> refused;
    LiquorTextArena refusedTexts;
    QStringList errorLines; // of the lines refused by the real-name rule
    std::exception_ptr failure; // what line `to` threw: the run ends there
};

constexpr int LinesPerPart = 4096;

} // namespace

LiquorConvertCounters LiquorConversion::run(const LiquorLineSource &lines, const LiquorConvertHooks &hooks,
                                            LiquorConvertedRows *rows)
{
    const Session &session = *m_context.session;
    // The date of the run's start holds for all its rows.
    const QDate today = qvx::Clock::date();
    if (rows->isEmpty())
        *rows = LiquorConvertedRows(session, m_context.banks);
    LiquorConvertCounters c;
    c.total = lines.count();
    const int total = c.total;
    LiquorLine line;
    auto refuse = [&](const LiquorFields &f, const QString &kind) {
        if (hooks.transferLog)
            hooks.transferLog(kind, LiquorTransferLogViews(f, kind == u"0" ? f[lfGubun] : QStringView(m_kind)));
    };
    // A refusal said after a line's checks logs its fields: the line is cut again.
    auto refuseLine = [&](int i, const QString &kind) {
        if (!hooks.transferLog)
            return;
        lines.read(i, &line);
        refuse(line.fields, kind);
    };
    auto findMother = [this](QStringView id) { return this->findMother(id); };

    std::vector<Passed> passed;
    passed.reserve(size_t(total));
    rows->reserve(rows->size() + total, 0);

    {
        // A long file is checked in parts by a few threads while this one
        // takes the parts in order and says their refused lines, so that the
        // log and the error list are those of one pass from the top.
        const int partCount = (total + LinesPerPart - 1) / LinesPerPart;
        PartPipeline<CheckedPart> parts(partCount, SideBySideJobs(4) - 1, [&](int p, CheckedPart &part) {
            part.from = p * LinesPerPart;
            part.to = std::min(total, part.from + LinesPerPart);
            part.passed.reserve(size_t(part.to - part.from));
            part.texts.reserve(0, qsizetype(part.to - part.from) * 64);
            LineChecks checks(m_context, m_kind, today, findMother, &part.texts);
            for (int i = part.from; i < part.to; ++i) {
                LineChecks::Verdict verdict;
                try {
                    verdict = checks.check(lines, i, &part.passed);
                } catch (...) {
                    // The lines before it are still said.
                    part.failure = std::current_exception();
                    part.to = i;
                    return;
                }
                if (verdict == LineChecks::Verdict::Passed)
                    continue;
                // What the run will say of the line, made here: the line is
                // not cut again.
                const RefusedLine::Values v = LiquorTransferLogViews(checks.fields(), m_kind);
                RefusedLine refused;
                refused.text = part.refusedTexts.append({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]},
                                                        refused.ends.data());
                refused.residentNo = verdict == LineChecks::Verdict::ResidentNo;
                refused.reason = checks.reason();
                part.refused.push_back(refused);
                if (refused.residentNo)
                    part.errorLines.append(ErrorListLine(v, LiquorResidentNoErrorTail));
                else if (!refused.reason.isEmpty())
                    part.errorLines.append(ErrorListLine(v, QString(QStringLiteral(" : ") + refused.reason)));
            }
        });
        for (int p = 0; p < parts.count(); ++p) {
            CheckedPart &part = parts.take(p);
            // The staged texts stay where the part put them.
            rows->adoptStaged(std::move(part.texts));
            passed.insert(passed.end(), part.passed.cbegin(), part.passed.cend());
            qsizetype errorLine = 0;
            for (const RefusedLine &refused : part.refused) {
                if (refused.residentNo) {
                    m_errorList.append(part.errorLines[errorLine++]);
                    if (hooks.log)
                        hooks.log(QStringLiteral("자료변환 주민등록번호 입력건 삭제 : 실명번호의 주민등록번호는 "
                                                 "생년월일로 대체 되었습니다."));
                } else if (!refused.reason.isEmpty()) {
                    m_errorList.append(part.errorLines[errorLine++]);
                    if (hooks.log)
                        hooks.log(QStringLiteral("자료변환 오류건 삭제 : ") + refused.reason);
                }
                if (hooks.transferLog)
                    hooks.transferLog(QStringLiteral("1"), refused.values());
                ++c.errors;
            }
            if (part.failure)
                std::rethrow_exception(part.failure);
            parts.release(p);
        }
    }
    c.passed = int(passed.size());
    if (hooks.progress)
        hooks.progress(c);

    // A line whose check code failed otherwise has it made again here, in its turn.
    LiquorBankRules bankRules(m_context.today);
    RowStager stager(m_context, m_kind, today, bankRules, findMother, rows);
    const QString otherKind = session.PaymentMode == 1 ? QStringLiteral("지급이체자료가 아닙니다.")
                                                       : QStringLiteral("수납이체자료가 아닙니다.");
    m_duplicates.reserve(m_duplicates.size() + qsizetype(passed.size()), 0);
    constexpr size_t Ahead = 8; // lines whose duplicate slot is read ahead
    for (size_t i = 0; i < passed.size(); ++i) {
        const Passed &p = passed[i];
        if (i + Ahead < passed.size())
            m_duplicates.prefetch(passed[i + Ahead].hash);
        c.position = int(i);
        auto next = [&] {
            if (hooks.progress)
                hooks.progress(c);
        };
        if (p.outcome == Outcome::OtherKind) {
            if (hooks.message)
                hooks.message(otherKind);
            ++c.errors;
            next();
            continue;
        }
        LiquorOwnTexts own = rows->staged(p.texts);
        const bool anyInfo = !DuplicateComparesInfo(session.IcheCheckFlag, own.info);
        if (m_duplicates.contains(p.hash, own.name, own.money, own.info, anyInfo)) {
            const QString name = own.name.toString();
            const QString grouped = own.money.toString();
            // Each of these lines ends in a CR of its own before the line end.
            const QString said = DuplicateLogTail(name, grouped) + QLatin1Char('\r');
            if (!hooks.askDuplicate || !hooks.askDuplicate(name, grouped)) {
                if (hooks.log)
                    hooks.log(QStringLiteral("자료변환 중복이체건 삭제 -> ") + said);
                ++c.errors;
                next();
                continue;
            }
            if (hooks.log)
                hooks.log(QStringLiteral("자료변환 중복이체건 추가 -> ") + said);
        }
        LiquorConvertedRows::Staged texts = p.texts;
        if (p.outcome == Outcome::Later) {
            lines.read(p.line, &line);
            try {
                stager.makeCheckCodeAgain(p, line.fields, &texts);
            } catch (const ConvertError &) {
                refuse(line.fields, QStringLiteral("1"));
                ++c.errors;
                next();
                continue;
            }
            own = rows->staged(texts);
        }
        if (p.outcome == Outcome::NoMother || p.outcome == Outcome::CheckCode) {
            // No mother account: a database-error line; the line is refused.
            // A text line so dropped still counts as handled (처리 건수), a
            // sheet row as an error, each as its screen reports it.
            refuseLine(p.line, p.outcome == Outcome::NoMother ? QStringLiteral("0") : QStringLiteral("1"));
            if (p.outcome == Outcome::NoMother && !m_context.sheet)
                ++c.processed;
            else
                ++c.errors;
            next();
            continue;
        }
        rows->append(p.mother, p.transfer, texts);
        m_duplicates.addKept(p.hash, own.name, own.money, own.info); // in the rows' texts
        ++c.accepted;
        ++c.processed;
        c.money += p.transfer;
        next();
    }
    c.position = c.passed;
    return c;
}

QString SaveLiquorErrorList(const QString &folder, const QStringList &lines, QString *error)
{
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("폴더를 만들 수 없습니다: ") + folder;
        return QString();
    }
    const QString path = QDir(folder).filePath(QStringLiteral("ErrorList.Txt"));
    if (!qvx::TextFile::writeLines(path, lines, error))
        return QString();
    return path;
}
