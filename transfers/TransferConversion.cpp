#include "transfers/TransferConversion.h"

#include "core/BankCheckCode.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "platform/PartPipeline.h"
#include "platform/SideBySide.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"

#include <algorithm>
#include <optional>
#include <vector>

TransferConversion::TransferConversion(const ConvertContext &context, DataForm form, const TransferPositions &fixed)
    : m_context(context), m_parser(form, fixed)
{
}

void TransferConversion::addExistingRow(const QString &name, const QString &moneyText, const QString &info)
{
    m_existing << name << moneyText << info;
}

namespace {

// A line that passed its checks, its row already made: the second pass only
// decides whether the row stays, in the order of the lines, and reports why
// not.
struct Candidate
{
    int line;        // in lines
    int mother;      // -1: none for the line's bank
    int row;         // in rows, -1 without a mother
    bool codeFailed; // the bank's check code cannot be made from the line
    size_t key;      // of name and amount in the duplicate index
    qint64 amount;
};

// The first pass's work on one line: cut, checked, and when it passes its
// row made. It reads only what the run shares and never changes it, so that
// parts of a long file can be checked side by side, each with its own.
class LineChecks
{
public:
    // The check codes of each mother whose bank has a rule, its bank, the
    // kind and the date read once (a coder keeps texts of its own: one set
    // for each thread).
    LineChecks(const ConvertContext &context, const TransferFileParser &parser, const LineScreen &screen,
               const MotherFinder &mothers, const QString &kind, const QDate &today)
        : m_parser(parser), m_screen(screen), m_mothers(mothers), m_coders(size_t(context.banks.size()))
    {
        for (int m = 0; m < context.banks.size(); ++m)
            if (HasBankCheckRule(context.banks[m].bankid))
                m_coders[size_t(m)].emplace(context.banks[m].bankid, kind, today);
    }

    // Checks line i; a line that passes gets its row in *rows and its
    // candidate in *candidates. The refusal (None when it passed) is given,
    // the fields as cut are held until the next line.
    Refusal check(QStringView line, int i, ConvertedRows *rows, std::vector<Candidate> *candidates)
    {
        ScreenedLine &s = m_line;
        m_parser.parse(line, &s.parsed);
        m_screen.screen(&s);
        if (s.refusal != Refusal::None)
            return s.refusal;
        // The row is made while the line's texts are at hand; a row the
        // second pass drops costs no more than the line's texts did.
        Candidate candidate{i, m_mothers.find(s.bankId), -1, false, 0, s.amount};
        if (candidate.mother >= 0) {
            candidate.row = rows->append(s, candidate.mother);
            candidate.key = TransferDuplicateIndex::keyOf(s.sName, rows->cell(candidate.row, tcMoney));
            if (std::optional<EntryCheckCoder> &coder = m_coders[size_t(candidate.mother)]) {
                // The screened account has no '-', and the list's amount
                // is the screened one grouped.
                const QStringView amount13 = AmountDigits(s.amount, m_digits);
                try {
                    rows->setCheckCode(candidate.row,
                                       coder->make(m_mothers.plainAccount(candidate.mother),
                                                   m_screen.banks()[s.bank].id, s.bankNo(), amount13, m_code));
                } catch (const ConvertError &) {
                    candidate.codeFailed = true;
                }
            }
        }
        candidates->push_back(candidate);
        return Refusal::None;
    }

    const ParsedLine &parsed() const { return m_line.parsed; }

private:
    const TransferFileParser &m_parser;
    const LineScreen &m_screen;
    const MotherFinder &m_mothers;
    std::vector<std::optional<EntryCheckCoder>> m_coders; // by mother
    ScreenedLine m_line;               // each line parsed and screened in this one place
    QChar m_digits[AmountDigitCount]; // each row's amount as the check codes read it
    BankCheckCoder::Room m_code;       // and its code
};

// A run of lines checked together: its rows, its candidates and its refused
// lines, taken by the run in the order of the file.
struct CheckedPart
{
    int from = 0, to = 0;
    ConvertedRows rows;
    std::vector<Candidate> candidates;
    std::vector<std::pair<int, Refusal>> refused;
};

constexpr int LinesPerPart = 4096;

} // namespace

ConvertCounters TransferConversion::run(const QList<QStringView> &lines, const ConvertHooks &hooks,
                                        ConvertedRows *rows)
{
    // The date of the run's start holds for all its rows.
    const QDate today = qvx::Clock::date();
    ConvertCounters c;
    c.total = int(lines.size());

    std::vector<Candidate> candidates;
    candidates.reserve(size_t(lines.size()));
    const MotherFinder mothers(m_context);
    const LineScreen screen(m_context);
    rows->begin(m_context, mothers, screen.banks(), lines.size());
    const QString kind = m_context.kind();
    // A refused line's fields for the log: views of the line and its parse.
    auto logRefused = [&](const ParsedLine &parsed, Refusal why) {
        if (hooks.refused)
            hooks.refused(m_parser.logFields(parsed), why);
    };
    if (hooks.progress)
        hooks.progress(c);

    {
        // A long file is checked in parts by a few threads while this one
        // takes the parts in order: it logs their refused lines and moves
        // the gauge, so the log, the questions and the rows are those of one
        // pass from the top.
        const int partCount = int((lines.size() + LinesPerPart - 1) / LinesPerPart);
        PartPipeline<CheckedPart> parts(partCount, SideBySideJobs(4) - 1, [&](int p, CheckedPart &part) {
            part.from = p * LinesPerPart;
            part.to = int(std::min<qsizetype>(lines.size(), qsizetype(p + 1) * LinesPerPart));
            part.rows.begin(m_context, mothers, screen.banks(), part.to - part.from);
            part.candidates.reserve(size_t(part.to - part.from));
            LineChecks checks(m_context, m_parser, screen, mothers, kind, today);
            for (int i = part.from; i < part.to; ++i) {
                const Refusal why = checks.check(lines[i], i, &part.rows, &part.candidates);
                if (why != Refusal::None)
                    part.refused.emplace_back(i, why);
            }
        });
        ParsedLine parsed;
        for (int p = 0; p < parts.count(); ++p) {
            CheckedPart &part = parts.take(p);
            const int rowsBefore = rows->size();
            rows->appendRows(part.rows);
            for (Candidate candidate : part.candidates) {
                if (candidate.row >= 0)
                    candidate.row += rowsBefore;
                candidates.push_back(candidate);
            }
            // The gauge moves a line at a time, each refused line logged as
            // the line before it is counted.
            auto refused = part.refused.cbegin();
            for (int i = part.from; i < part.to; ++i) {
                if (refused != part.refused.cend() && refused->first == i) {
                    m_parser.parse(lines[i], &parsed);
                    logRefused(parsed, refused->second);
                    ++c.errors;
                    ++refused;
                }
                c.checked = i + 1;
                if (hooks.progress)
                    hooks.progress(c);
            }
            parts.release(p);
        }
    }
    c.phase = ConvertCounters::Converting;
    c.passed = int(candidates.size());
    if (hooks.progress)
        hooks.progress(c);

    // The rows already in the batch, then each row kept, by views of the
    // texts held here and by the rows.
    TransferDuplicateIndex duplicates;
    duplicates.reserve(m_existing.size() / 3 + qsizetype(candidates.size()));
    for (qsizetype e = 0; e + 2 < m_existing.size(); e += 3)
        duplicates.addViews(TransferDuplicateIndex::keyOf(m_existing[e], m_existing[e + 1]), m_existing[e],
                            m_existing[e + 1], m_existing[e + 2]);
    std::vector<int> kept;
    kept.reserve(candidates.size());
    for (int i = 0; i < int(candidates.size()); ++i) {
        const Candidate &candidate = candidates[size_t(i)];
        // Its slot is read while this line is decided.
        if (size_t(i) + 1 < candidates.size())
            duplicates.prefetch(candidates[size_t(i) + 1].key);
        c.position = i + 1;
        auto refuse = [&](Refusal why) {
            logRefused(m_parser.parse(lines[candidate.line]), why);
            ++c.errors;
            ++c.processed;
            if (hooks.progress)
                hooks.progress(c);
        };
        if (candidate.mother < 0) {
            refuse(Refusal::NoMother);
            continue;
        }
        // The row holds the line's payee, grouped amount and other information.
        const QStringView name = rows->cell(candidate.row, tcName);
        const QStringView money = rows->cell(candidate.row, tcMoney);
        const QStringView info = rows->cell(candidate.row, tcInfo);
        if (duplicates.contains(candidate.key, name, money, m_context.checkInfo ? info : QStringView(u"N"))) {
            if (hooks.beforeQuestion)
                hooks.beforeQuestion();
            if (!hooks.askDuplicate || !hooks.askDuplicate(name.toString(), money.toString())) {
                if (hooks.log)
                    hooks.log(DuplicateLogTail(name, money, u"자료변환 중복이체건 삭제 -> "));
                ++c.errors;
                if (hooks.progress)
                    hooks.progress(c);
                continue;
            }
            if (hooks.log)
                hooks.log(DuplicateLogTail(name, money, u"자료변환 중복이체건 추가 -> "));
        }
        if (candidate.codeFailed) {
            // The bank's check value cannot be made from this account.
            refuse(Refusal::CheckCode);
            continue;
        }
        duplicates.addViews(candidate.key, name, money, info);
        ++c.accepted;
        c.money += candidate.amount;
        ++c.processed;
        kept.push_back(candidate.row);
        if (hooks.progress)
            hooks.progress(c);
    }
    rows->retain(kept);
    return c;
}

QString ConvertSummaryLog(qint64 rows, qint64 errors, qint64 money, const QString &networkId,
                          const QString &fileName)
{
    return QStringLiteral("자료변환  정상건수:") + FixLenSpace(QString::number(rows), 5, false) +
           QStringLiteral(" 오류건수:") + FixLenSpace(QString::number(errors), 5, false) +
           QStringLiteral(" 이체금액:") + FixLenSpace(QString::number(money), 15, false) +
           QStringLiteral(" 송신자:") + FixLenSpace(networkId, 10, true) + QStringLiteral(" 파일명:") +
           FixLenSpace(fileName, 50, true);
}
