#include "liquor/LiquorConvertLog.h"

#include "transfers/TransferLog.h"

namespace {
// The numeric field of a conversion error line: no message number yet.
const QString NoSeq = QStringLiteral("      ");
}

LiquorConvertLog::LiquorConvertLog(const Session &session) : m_session(session)
{
}

void LiquorConvertLog::transferLog(const QString &kind, std::span<const QStringView> values)
{
    const QString &stamp = m_stamp.text();
    m_batch.appendMade([&](QByteArray &out) {
        AppendTransferLogLine(out, kind, NoSeq, values, {}, stamp, TransferLogValues::EachSpaced);
    });
}

void LiquorConvertLog::log(const QString &text)
{
    m_batch.write(m_session, text);
}

void LiquorConvertLog::attach(LiquorConvertHooks &hooks)
{
    hooks.transferLog = [this](const QString &kind, std::span<const QStringView> values) {
        transferLog(kind, values);
    };
    hooks.log = [this](const QString &text) { log(text); };
}
