#include "transfers/TransferConversion.h"

#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "transfers/TransferLog.h"

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

    QVector<ScreenedLine> passed;
    passed.reserve(lines.size());
    if (hooks.progress)
        hooks.progress(c);
    const LineScreen screen(m_context);
    for (QStringView line : lines) {
        ScreenedLine s = screen(m_parser.parse(line));
        ++c.checked;
        if (s.refusal == Refusal::None) {
            passed.append(std::move(s));
        } else {
            if (hooks.refused)
                hooks.refused(m_parser.logFields(s.parsed), s.refusal);
            ++c.errors;
        }
        if (hooks.progress)
            hooks.progress(c);
    }
    c.phase = ConvertCounters::Converting;
    c.passed = int(passed.size());
    if (hooks.progress)
        hooks.progress(c);

    const MotherFinder mothers(m_context);
    m_duplicates.reserve(m_duplicates.size() + passed.size());
    rows->reserve(rows->size() + passed.size());
    // The duplicate key of the next line is made one line ahead, so that its
    // slot is read while this line is converted.
    size_t nextKey = passed.isEmpty() ? 0 : TransferDuplicateIndex::keyOf(passed[0].sName, passed[0].grouped);
    for (int i = 0; i < passed.size(); ++i) {
        const ScreenedLine &s = passed[i];
        const size_t key = nextKey;
        if (i + 1 < passed.size()) {
            nextKey = TransferDuplicateIndex::keyOf(passed[i + 1].sName, passed[i + 1].grouped);
            m_duplicates.prefetch(nextKey);
        }
        c.position = i + 1;
        const int mother = mothers.find(s.bankId);
        if (mother < 0) {
            if (hooks.refused)
                hooks.refused(m_parser.logFields(s.parsed), Refusal::NoMother);
            ++c.errors;
            ++c.processed;
            if (hooks.progress)
                hooks.progress(c);
            continue;
        }
        const QString &money = s.grouped;
        const QString memo = m_context.checkInfo ? s.cInfo : QStringLiteral("N");
        if (m_duplicates.contains(key, s.sName, money, memo)) {
            const QString said = DuplicateLogTail(s.sName, money);
            if (!hooks.askDuplicate || !hooks.askDuplicate(s.sName, money)) {
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
        try {
            rows->emplace_back();
            BuildConvertedRow(s, mothers, mother, m_context, today, &rows->back());
        } catch (const ConvertError &) {
            rows->removeLast();
            // The bank's check value cannot be made from this account.
            if (hooks.refused)
                hooks.refused(m_parser.logFields(s.parsed), Refusal::CheckCode);
            ++c.errors;
            ++c.processed;
            if (hooks.progress)
                hooks.progress(c);
            continue;
        }
        m_duplicates.add(key, s.sName, money, s.cInfo);
        ++c.accepted;
        c.money += s.amount;
        ++c.processed;
        if (hooks.progress)
            hooks.progress(c);
    }
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
