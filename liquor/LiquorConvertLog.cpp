#include "liquor/LiquorConvertLog.h"

#include "transfers/TransferLog.h"

LiquorConvertLog::LiquorConvertLog(const Session &session) : RunLogBatch(session)
{
}

void LiquorConvertLog::transferLog(const QString &kind, std::span<const QStringView> values)
{
    const QString &stamp = m_stamp.text();
    m_batch.appendMade([&](QByteArray &out) {
        AppendTransferLogLine(out, kind, noSeq(), values, {}, stamp, TransferLogValues::EachSpaced);
    });
}

void LiquorConvertLog::attach(LiquorConvertHooks &hooks)
{
    hooks.transferLog = [this](const QString &kind, std::span<const QStringView> values) {
        transferLog(kind, values);
    };
    hooks.log = [this](const QString &text) { log(text); };
}
