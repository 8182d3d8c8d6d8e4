#include "transfers/ConvertRunLog.h"

#include "transfers/TransferLog.h"

namespace {
// The numeric field of a conversion error line: no message number yet.
const QString NoSeq = QStringLiteral("      ");
}

ConvertRunLog::ConvertRunLog(const Session &session, QString kind) : m_session(session), m_kind(std::move(kind))
{
}

void ConvertRunLog::refused(const TransferFields &cut)
{
    const QStringView values[] = {cut.bankId, cut.bankNo, cut.money, cut.sName, m_kind, cut.cInfo};
    static const QString kind = QStringLiteral("1");
    const QString &stamp = m_stamp.text();
    m_batch.appendMade([&](QByteArray &out) { AppendTransferLogLine(out, kind, NoSeq, values, stamp); });
}

void ConvertRunLog::log(const QString &text)
{
    m_batch.write(m_session, text);
}

void ConvertRunLog::attach(ConvertHooks &hooks)
{
    hooks.refused = [this](const TransferFields &cut, Refusal) { refused(cut); };
    hooks.log = [this](const QString &text) { log(text); };
    hooks.beforeQuestion = [this] { flush(); };
}
