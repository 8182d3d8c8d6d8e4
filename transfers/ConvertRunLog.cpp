#include "transfers/ConvertRunLog.h"

#include "transfers/TransferLog.h"

ConvertRunLog::ConvertRunLog(const Session &session, QString kind) : RunLogBatch(session), m_kind(std::move(kind))
{
}

void ConvertRunLog::refused(const TransferFields &cut)
{
    const QStringView values[] = {cut.bankId.text, cut.bankNo.text, cut.money.text, cut.sName.text, m_kind,
                                  cut.cInfo.text};
    const int blanks[] = {cut.bankId.blanks, cut.bankNo.blanks, cut.money.blanks, cut.sName.blanks, 0,
                          cut.cInfo.blanks};
    // What comes before the values changes only with the second.
    const QString &stamp = m_stamp.text();
    if (stamp != m_headStamp) {
        m_headStamp = stamp;
        m_head.resize(0);
        AppendTransferLogLine(m_head, QStringLiteral("1"), noSeq(), {}, {}, stamp);
    }
    m_batch.appendMade([&](QByteArray &out) {
        out.append(m_head);
        AppendTransferLogValues(out, values, blanks);
    });
}

void ConvertRunLog::attach(ConvertHooks &hooks)
{
    hooks.refused = [this](const TransferFields &cut, Refusal) { refused(cut); };
    hooks.log = [this](const QString &text) { log(text); };
    hooks.beforeQuestion = [this] { flush(); };
}
