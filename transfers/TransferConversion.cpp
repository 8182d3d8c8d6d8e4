#include "transfers/TransferConversion.h"

#include "core/BankCheckCode.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"

#include <vector>

TransferConversion::TransferConversion(const ConvertContext &context, DataForm form, const TransferPositions &fixed)
    : m_context(context), m_parser(form, fixed)
{
}

void TransferConversion::addExistingRow(const QString &name, const QString &moneyText, const QString &info)
{
    m_existing << name << moneyText << info;
}

ConvertCounters TransferConversion::run(const QList<QStringView> &lines, const ConvertHooks &hooks,
                                        ConvertedRows *rows)
{
    // The date of the run's start holds for all its rows.
    const QDate today = qvx::Clock::date();
    ConvertCounters c;
    c.total = int(lines.size());

    // A line that passed its checks, its row already made: the second pass
    // only decides whether the row stays, in the order of the lines, and
    // reports why not.
    struct Candidate
    {
        int line;        // in lines
        int mother;      // -1: none for the line's bank
        int row;         // in rows, -1 without a mother
        bool codeFailed; // the bank's check code cannot be made from the line
        size_t key;      // of name and amount in the duplicate index
        qint64 amount;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(size_t(lines.size()));
    const MotherFinder mothers(m_context);
    const LineScreen screen(m_context);
    rows->begin(m_context, mothers, screen.banks(), lines.size());
    // Whether each mother's bank has a check-code rule, and the kind, once.
    std::vector<char> motherHasRule;
    for (int m = 0; m < m_context.banks.size(); ++m)
        motherHasRule.push_back(HasBankCheckRule(m_context.banks[m].bankid));
    const QString kind = m_context.kind();
    QChar digits[AmountDigitCount]; // each row's amount as the check codes read it
    // A refused line's fields for the log: views of the line and its parse.
    auto logRefused = [&](const ParsedLine &parsed, Refusal why) {
        if (hooks.refused)
            hooks.refused(m_parser.logFields(parsed), why);
    };
    if (hooks.progress)
        hooks.progress(c);
    ScreenedLine s; // each line parsed and screened in this one place
    for (int i = 0; i < lines.size(); ++i) {
        m_parser.parse(lines[i], &s.parsed);
        screen.screen(&s);
        ++c.checked;
        if (s.refusal == Refusal::None) {
            // The row is made while the line's texts are at hand; a row the
            // second pass drops costs no more than the line's texts did.
            Candidate candidate{i, mothers.find(s.bankId), -1, false, 0, s.amount};
            if (candidate.mother >= 0) {
                candidate.row = rows->append(s, candidate.mother);
                candidate.key = TransferDuplicateIndex::keyOf(s.sName, rows->cell(candidate.row, tcMoney));
                if (motherHasRule[size_t(candidate.mother)]) {
                    // The screened account has no '-', and the list's amount
                    // is the screened one grouped: the row's own parts, lent
                    // to the check code as strings without a copy.
                    const QStringView account = s.bankNo();
                    const QStringView amount13 = AmountDigits(s.amount, digits);
                    try {
                        rows->setCheckCode(
                            candidate.row,
                            EntryCheckCode(m_context.banks[candidate.mother].bankid,
                                           mothers.plainAccount(candidate.mother), screen.banks()[s.bank].id,
                                           QString::fromRawData(account.data(), account.size()),
                                           QString::fromRawData(amount13.data(), amount13.size()), kind, today));
                    } catch (const ConvertError &) {
                        candidate.codeFailed = true;
                    }
                }
            }
            candidates.push_back(candidate);
        } else {
            logRefused(s.parsed, s.refusal);
            ++c.errors;
        }
        if (hooks.progress)
            hooks.progress(c);
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
