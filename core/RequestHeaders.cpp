#include "core/RequestHeaders.h"

#include "core/Session.h"
#include "platform/Clock.h"

#include <QDateTime>

RequestHeader AddressedHeader(RequestHeader header, const QString &sendId, const QString &recvId,
                              const QString &firmId, const QString &bankId)
{
    header.SendID = sendId;
    header.RecvID = recvId;
    header.FirmID = firmId;
    header.BankID = bankId;
    return header;
}

BatchStamp BatchStamp::of(const Session &session)
{
    const QDateTime now = qvx::Clock::now();
    BatchStamp b;
    b.sendDate = now.toString(QStringLiteral("yyyyMMdd"));
    b.sendTime = now.toString(QStringLiteral("hhmmss"));
    b.serviceDiv = session.ServiceDiv;
    b.networkId = session.NetworkId;
    b.userId = session.LoginUserId;
    b.sendFlagInit = session.SendFlagInit;
    return b;
}

RequestHeader BatchStamp::header(const QString &recvId, const QString &firmId, const QString &bankId) const
{
    return {.SendDate = sendDate, .SendTime = sendTime, .Service = serviceDiv, .SendID = networkId, .RecvID = recvId,
            .FirmID = firmId, .BankID = bankId, .USERID = userId, .SendFlag = sendFlagInit};
}
