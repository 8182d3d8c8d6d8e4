#include "core/RequestHeaders.h"

#include "core/Session.h"

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
    const RequestHeader now = RequestHeader::of(session);
    return {now.SendDate, now.SendTime, now.Service, now.SendID, now.USERID, session.SendFlagInit};
}

RequestHeader BatchStamp::header(const QString &recvId, const QString &firmId, const QString &bankId) const
{
    return {.SendDate = sendDate, .SendTime = sendTime, .Service = serviceDiv, .SendID = networkId, .RecvID = recvId,
            .FirmID = firmId, .BankID = bankId, .USERID = userId, .SendFlag = sendFlagInit};
}
