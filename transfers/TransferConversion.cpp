#include "transfers/TransferConversion.h"

#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "transfers/TransferLog.h"

#include <vector>

TransferConversion::TransferConversion(const ConvertContext &context, DataForm form, const TransferPositions &fixed)
    : m_context(context), m_parser(form, fixed)
{
}

void TransferConversion::addExistingRow(const QString &name, const QString &moneyText, const QString &info)
{
    m_duplicates.add(name, moneyText, info);
}

ConvertCounters TransferConversion::run(const QList<QStringView> &lines, const ConvertHooks &hooks,
                                        QVector<TransferRow> *rows)
{
    // The date of the run's start holds for all its rows.
    const QDate today = qvx::Clock::date();
    ConvertCounters c;
    c.total = int(lines.size());

    // A line that passed its checks, its row already made (at the same place
    // among the rows appended by this run): the second pass only decides
    // whether the row stays, in the order of the lines, and reports why not.
    struct Candidate
    {
        int line;        // in lines
        int mother;      // -1: none for the line's bank
        bool codeFailed; // the bank's check code cannot be made from the line
        size_t key;      // of name and amount in the duplicate index
        qint64 amount;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(size_t(lines.size()));
    const qsizetype firstRow = rows->size();
    rows->reserve(firstRow + lines.size());
    const MotherFinder mothers(m_context);
    if (hooks.progress)
        hooks.progress(c);
    const LineScreen screen(m_context);
    for (int i = 0; i < lines.size(); ++i) {
        const ScreenedLine s = screen(m_parser.parse(lines[i]));
        ++c.checked;
        if (s.refusal == Refusal::None) {
            // The row is made while the line's texts are at hand; a row the
            // second pass drops costs no more than the line's texts did.
            Candidate candidate{i, mothers.find(s.bankId), false, TransferDuplicateIndex::keyOf(s.sName, s.grouped),
                                s.amount};
            rows->emplace_back();
            if (candidate.mother >= 0) {
                try {
                    BuildConvertedRow(s, mothers, candidate.mother, m_context, today, &rows->back());
                } catch (const ConvertError &) {
                    candidate.codeFailed = true;
                }
            }
            candidates.push_back(candidate);
        } else {
            if (hooks.refused)
                hooks.refused(m_parser.logFields(s.parsed), s.refusal);
            ++c.errors;
        }
        if (hooks.progress)
            hooks.progress(c);
    }
    c.phase = ConvertCounters::Converting;
    c.passed = int(candidates.size());
    if (hooks.progress)
        hooks.progress(c);

    m_duplicates.reserve(m_duplicates.size() + candidates.size());
    qsizetype kept = firstRow; // rows that stay are moved up to here
    for (int i = 0; i < int(candidates.size()); ++i) {
        const Candidate &candidate = candidates[size_t(i)];
        // Its slot is read while this line is decided.
        if (size_t(i) + 1 < candidates.size())
            m_duplicates.prefetch(candidates[size_t(i) + 1].key);
        TransferRow &row = (*rows)[firstRow + i];
        c.position = i + 1;
        auto refuse = [&](Refusal why) {
            if (hooks.refused)
                hooks.refused(m_parser.logFields(m_parser.parse(lines[candidate.line])), why);
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
        const QString &name = row.name;
        const QString &money = row.money;
        const QString memo = m_context.checkInfo ? row.info : QStringLiteral("N");
        if (m_duplicates.contains(candidate.key, name, money, memo)) {
            const QString said = DuplicateLogTail(name, money);
            if (!hooks.askDuplicate || !hooks.askDuplicate(name, money)) {
                if (hooks.log)
                    hooks.log(QStringLiteral("자료변환 중복이체건 삭제 -> ") + said);
                ++c.errors;
                if (hooks.progress)
                    hooks.progress(c);
                continue;
            }
            if (hooks.log)
                hooks.log(QStringLiteral("자료변환 중복이체건 추가 -> ") + said);
        }
        if (candidate.codeFailed) {
            // The bank's check value cannot be made from this account.
            refuse(Refusal::CheckCode);
            continue;
        }
        m_duplicates.add(candidate.key, name, money, row.info);
        ++c.accepted;
        c.money += candidate.amount;
        ++c.processed;
        if (kept != firstRow + i)
            (*rows)[kept] = std::move(row);
        ++kept;
        if (hooks.progress)
            hooks.progress(c);
    }
    rows->resize(kept);
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
