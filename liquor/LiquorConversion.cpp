#include "liquor/LiquorConversion.h"

#include "core/TextUtils.h"
#include "liquor/LiquorRules.h"
#include "platform/Clock.h"
#include "platform/TextFile.h"
#include "transfers/TransferFileParser.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"

#include <QDir>

namespace {

const QChar Minus = QLatin1Char('-');
const QChar Comma = QLatin1Char(',');
const QChar Tab = QLatin1Char('\t');

bool isWholeNumber(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString withoutTabs(const QString &text)
{
    return text.contains(Tab) ? DelChar(text, Tab) : text;
}

LiquorFields packed(const std::array<QString, LiquorFieldCount> &values)
{
    std::array<QStringView, LiquorFieldCount> views;
    for (int f = 0; f < LiquorFieldCount; ++f)
        views[f] = values[f];
    return LiquorFields(views);
}

} // namespace

LiquorFields::LiquorFields(const std::array<QStringView, LiquorFieldCount> &values)
{
    qsizetype total = 0;
    for (QStringView v : values)
        total += v.size();
    m_text.reserve(total);
    for (int f = 0; f < LiquorFieldCount; ++f) {
        if (values[f].isNull())
            continue;
        m_start[f] = int(m_text.size());
        m_size[f] = int(values[f].size());
        m_text.append(values[f]);
    }
}

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
    if (m_form != DataForm::Fixed)
        out = cutDelimited(line);
    else {
        const Cp949Columns columns(line);
        std::array<QStringView, LiquorFieldCount> values;
        for (int f = 0; f < LiquorFieldCount; ++f)
            values[f] = columns.cut(m_layout[f].start, m_layout[f].length);
        out.fields = LiquorFields(values);
    }
    if (out.fault == LiquorRefusal::None && line.contains(QChar::ReplacementCharacter))
        out.fault = LiquorRefusal::BadBytes;
    return out;
}

LiquorLine LiquorLineCutter::cutDelimited(QStringView line) const
{
    const QChar delimiter = DelimiterOf(m_form);
    QStringView tokens[LiquorFieldCount];
    qsizetype start = 0;
    for (int i = 0; i < LiquorFieldCount && start <= line.size(); ++i) {
        qsizetype end = line.indexOf(delimiter, start);
        // The last field takes the rest of the line.
        if (end < 0 || i == LiquorFieldCount - 1)
            end = line.size();
        tokens[i] = line.mid(start, end - start);
        start = end + 1;
    }
    LiquorLine out;
    std::array<QString, LiquorFieldCount> f;
    f[lfBankId] = tokens[0].trimmed().toString();
    f[lfBankNo] = TrimmedWithout(tokens[1], Minus);
    f[lfJuMoney] = TrimmedWithout(tokens[2], Comma);
    f[lfBJuMoney] = TrimmedWithout(tokens[3], Comma);
    f[lfMoney] = TrimmedWithout(tokens[4], Comma);
    f[lfCInfo] = tokens[5].trimmed().toString();
    f[lfSName] = tokens[6].trimmed().toString();
    const QString eighth = tokens[7].trimmed().toString();
    if (eighth == u"20" || eighth == u"30") {
        f[lfGubun] = eighth;
        f[lfJumin] = TrimmedWithout(tokens[8], Minus);
    } else {
        // No kind written: the eighth token is the real-name number.
        f[lfGubun] = m_kind;
        f[lfJumin] = DelChar(eighth, Minus);
    }
    for (int i = 0; i < LiquorFieldCount; ++i)
        if (Cp949Width(f[i]) > m_layout[i].length)
            out.fault = LiquorRefusal::LongToken;
    out.fields = packed(f);
    return out;
}

QVector<LiquorLine> CutLiquorLines(const QList<QStringView> &lines, const LiquorLineCutter &cutter)
{
    QVector<LiquorLine> out;
    out.reserve(lines.size());
    for (QStringView line : lines)
        out.append(cutter.cut(line));
    return out;
}

// --- sheet rows -------------------------------------------------------------------------

QVector<QStringList> LiquorSheetRows(const qvx::SheetCells &cells)
{
    const int rowCount = cells.rowCount();
    int first = 0;
    for (int r = 0; r < rowCount; ++r)
        if (cells.cell(r, 0).trimmed().toUpper() == u"NO") {
            first = r + 1;
            break;
        }
    QVector<QStringList> rows;
    for (int r = first; r < rowCount; ++r) {
        if (cells.cell(r, 0).trimmed().isEmpty())
            continue;
        QStringList row;
        row.reserve(11);
        for (int c = 0; c < 11; ++c)
            row.append(cells.cell(r, c));
        rows.append(row);
    }
    return rows;
}

LiquorLine LiquorSheetLine(const QStringList &row)
{
    auto cell = [&row](int c) { return c < row.size() ? row[c].trimmed() : QString(); };
    LiquorLine out;
    std::array<QString, LiquorFieldCount> f;
    f[lfBankId] = cell(1);
    // A sheet holding the code as a number loses its leading zero.
    if (f[lfBankId].size() == 1 && isWholeNumber(f[lfBankId]))
        f[lfBankId].prepend(QLatin1Char('0'));
    f[lfBankNo] = DelChar(cell(3), Minus).trimmed();
    f[lfJuMoney] = DelChar(cell(4), Comma).trimmed();
    f[lfBJuMoney] = DelChar(cell(5), Comma).trimmed();
    f[lfMoney] = DelChar(cell(6), Comma).trimmed();
    f[lfCInfo] = cell(7);
    f[lfSName] = cell(8);
    f[lfGubun] = cell(9);
    f[lfJumin] = cell(10);
    out.fields = packed(f);
    return out;
}

QStringList LiquorSheetHeaders()
{
    return {QStringLiteral("NO"),     QStringLiteral("은행코드"), QStringLiteral("은행명"),
            QStringLiteral("거래계좌"), QStringLiteral("주류금액"), QStringLiteral("비주류금액"),
            QStringLiteral("이체금액"), QStringLiteral("기타"),     QStringLiteral("거래처명"),
            QStringLiteral("거래구분"), QStringLiteral("실명번호")};
}

// --- the run ----------------------------------------------------------------------------

QStringList LiquorTransferLogValues(const LiquorFields &f, const QString &kind)
{
    return {f[lfBankId].toString(), f[lfBankNo].toString(), f[lfMoney].toString(),
            f[lfJuMoney].toString(), f[lfBJuMoney].toString(), f[lfJumin].toString(),
            f[lfSName].toString(),   kind,                      f[lfCInfo].toString()};
}

LiquorConversion::LiquorConversion(const LiquorConvertContext &context)
    : m_context(context), m_kind(LiquorGubun(context.session->PaymentMode))
{
}

void LiquorConversion::addExistingRow(const QString &name, const QString &groupedAmount, const QString &info)
{
    m_duplicates.add(name, groupedAmount, info);
}

int LiquorConversion::findMother(const QString &bankId) const
{
    const QVector<MotherAccount> &banks = m_context.banks;
    if (m_context.chosen) {
        const QString id = m_context.chosen->bankid.trimmed();
        const QString no = m_context.chosen->mobankno.trimmed();
        for (int i = 0; i < banks.size(); ++i)
            if (banks[i].bankid.trimmed() == id && banks[i].mobankno.trimmed() == no)
                return i;
        return -1;
    }
    // "당행": the line's own bank; banks 88 (and, in sheets, 26) are paid from
    // a bank-21 account when one is registered.
    const bool group = bankId == u"88" || (m_context.sheet && bankId == u"26");
    for (int i = 0; i < banks.size(); ++i) {
        const QString id = banks[i].bankid.trimmed();
        if (id == bankId || (group && id == u"21"))
            return i;
    }
    return -1;
}

LiquorConvertCounters LiquorConversion::run(const QVector<LiquorLine> &lines, const LiquorConvertHooks &hooks)
{
    const Session &session = *m_context.session;
    // The date of the run's start holds for all its rows.
    const QDate today = qvx::Clock::date();
    LiquorConvertCounters c;
    c.total = int(lines.size());
    auto refuse = [&](const LiquorFields &f, const QString &kind) {
        if (hooks.transferLog)
            hooks.transferLog(kind, LiquorTransferLogValues(f, kind == u"0" ? f[lfGubun].toString() : m_kind));
    };

    // Each line on its own.
    struct Passed
    {
        const LiquorFields *fields;
        LiquorAmounts amounts;
    };
    QVector<Passed> passed;
    passed.reserve(lines.size());
    for (const LiquorLine &line : lines) {
        const LiquorFields &f = line.fields;
        const QString bankId = f[lfBankId].trimmed().toString();
        if (line.fault == LiquorRefusal::None && isWholeNumber(bankId)
            && IsResidentNoBanned(bankId, f[lfJumin].toString(), m_context.today)) {
            m_errorList.append(LiquorTransferLogValues(f, m_kind).join(QLatin1Char(' ')) + LiquorResidentNoErrorTail);
            if (hooks.log)
                hooks.log(QStringLiteral("자료변환 주민등록번호 입력건 삭제 : 실명번호의 주민등록번호는 생년월일로 대체 "
                                         "되었습니다."));
            refuse(f, QStringLiteral("1"));
            ++c.errors;
            continue;
        }
        const LiquorAmounts amounts = CheckLiquorAmounts(
            f[lfJuMoney].trimmed().toString(), f[lfBJuMoney].trimmed().toString(), f[lfMoney].trimmed().toString());
        if (line.fault != LiquorRefusal::None || !isWholeNumber(bankId)
            || !CheckAcctNo(bankId, withoutTabs(DelChar(f[lfBankNo].toString(), Minus).trimmed())) || !amounts.ok()) {
            refuse(f, QStringLiteral("1"));
            ++c.errors;
            continue;
        }
        passed.append({&f, amounts});
    }
    c.passed = int(passed.size());
    if (hooks.progress)
        hooks.progress(c);

    const QString otherKind = session.PaymentMode == 1 ? QStringLiteral("지급이체자료가 아닙니다.")
                                                       : QStringLiteral("수납이체자료가 아닙니다.");
    m_duplicates.reserve(m_duplicates.size() + passed.size());
    QVector<QString> hyphenMothers(m_context.banks.size());
    QVector<QString> plainMothers(m_context.banks.size());
    for (int i = 0; i < passed.size(); ++i) {
        const LiquorFields &f = *passed[i].fields;
        const LiquorAmounts &amounts = passed[i].amounts;
        c.position = i;
        auto next = [&] {
            if (hooks.progress)
                hooks.progress(c);
        };
        const QStringView gubun = f[lfGubun].trimmed();
        if (!gubun.isEmpty() && gubun != m_kind) {
            if (hooks.message)
                hooks.message(otherKind);
            ++c.errors;
            next();
            continue;
        }
        const QString name = withoutTabs(f[lfSName].toString()).trimmed();
        const QString grouped = CurrToMoneyStr(amounts.transfer);
        const QString info = f[lfCInfo].trimmed().toString();
        const QString memo = session.IcheCheckFlag != 0 ? info : QStringLiteral("N");
        const size_t key = TransferDuplicateIndex::keyOf(name, grouped);
        if (m_duplicates.contains(key, name, grouped, memo)) {
            const QString said = DuplicateLogTail(name, grouped);
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
        const QString bankId = f[lfBankId].trimmed().toString();
        const int mother = findMother(bankId);
        if (mother < 0) {
            // No mother account: a database-error line; the line is refused.
            refuse(f, QStringLiteral("0"));
            ++c.errors;
            next();
            continue;
        }
        const MotherAccount &account = m_context.banks[mother];
        LiquorEntry entry;
        entry.name = name;
        entry.bankId = bankId;
        entry.bankName = account.bankname;
        entry.bankNo = withoutTabs(f[lfBankNo].toString()).trimmed();
        entry.realNameNo = f[lfJumin].trimmed().toString();
        entry.info = info;
        entry.amounts = amounts;
        // Each mother's account hyphenated, and without '-' again, once.
        if (hyphenMothers[mother].isNull()) {
            hyphenMothers[mother] = FormatAcctNo(account.bankid, account.mobankno);
            plainMothers[mother] = DelChar(hyphenMothers[mother], Minus);
        }
        const QString plainBankNo = DelChar(entry.bankNo, Minus).trimmed();
        LiquorRow row = MakeLiquorEntryRow(session, account, entry, {hyphenMothers[mother], grouped, plainBankNo});
        try {
            // As LiquorEntryCheckCode, from the parts the run holds plain: the
            // row's accounts are these hyphenated, its amount this grouped.
            row.boki = EntryCheckCode(row.moBankId, plainMothers[mother], row.bankId, plainBankNo,
                                      AmountDigits(amounts.transfer), row.gubun, today);
        } catch (const ConvertError &) {
            refuse(f, QStringLiteral("1"));
            ++c.errors;
            next();
            continue;
        }
        m_duplicates.add(key, name, grouped, info);
        ++c.accepted;
        ++c.processed;
        c.money += amounts.transfer;
        if (hooks.row)
            hooks.row(std::move(row));
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
