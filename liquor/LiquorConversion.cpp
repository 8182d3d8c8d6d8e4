#include "liquor/LiquorConversion.h"

#include "core/TextUtils.h"
#include "liquor/LiquorBankRules.h"
#include "liquor/LiquorCheckCodes.h"
#include "liquor/LiquorRules.h"
#include "platform/Clock.h"
#include "platform/PartPipeline.h"
#include "platform/SideBySide.h"
#include "platform/SqlText.h"
#include "transfers/TransferFileParser.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace {

const QChar Minus = QLatin1Char('-');
const QChar Tab = QLatin1Char('\t');

// text without every c: text itself when it holds none, else a copy in out.
QStringView without(QStringView text, QChar c, LiquorTextBuffer &out)
{
    if (!LiquorFieldHolds(text, c))
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

} // namespace

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
                    part.errorLines.append(LiquorErrorListLine(v, LiquorResidentNoErrorTail));
                else if (!refused.reason.isEmpty())
                    part.errorLines.append(LiquorErrorListLine(v, QString(QStringLiteral(" : ") + refused.reason)));
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
