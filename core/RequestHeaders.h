#pragma once
// Request headers made from what a request is about: the header addressed
// with the ids a listed transfer carried (a result inquiry, a gap request),
// and the stamp every row of a batch shares (the direct liquor-trade send and
// the approval request of a transfer batch both stand on it).

#include "core/RequestRows.h"

#include <QString>

class Session;

// `header` addressed with these ids: a request about a listed transfer goes
// out with the ids the transfer carried.
RequestHeader AddressedHeader(RequestHeader header, const QString &sendId, const QString &recvId,
                              const QString &firmId, const QString &bankId);

struct BatchStamp
{
    QString sendDate;       // "yyyymmdd", one for the batch
    QString sendTime;       // "hhnnss", one for the batch
    QString serviceDiv;     // Service
    QString networkId;      // SendID
    QString userId;         // USERID
    QString sendFlagInit;   // SendFlag

    // The stamp of a batch made now in the session.
    static BatchStamp of(const Session &session);
    // The header of a row of the batch that goes to the mother account with
    // these ids.
    RequestHeader header(const QString &recvId, const QString &firmId, const QString &bankId) const;
};
