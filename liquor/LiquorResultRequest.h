#pragma once
// The result-inquiry requests of the liquor result inquiry: one row of
// icheresult_102 (collections, "0601100") or icheresult_103 (payments,
// "0602100") per listed transfer, made from the transfer's list row.

#include "core/RequestRows.h"
#include "core/RequestSender.h"

#include <QList>
#include <QStringList>

class Session;

struct LiquorInquiryRows
{
    QList<IcheResult102Row> collections; // gubun "20"
    QList<IcheResult103Row> payments;    // every other gubun
};

// The request of one list row (cells 0-31), SeqNo left to the sender.
IcheResult102Row LiquorCollectionInquiry(const QStringList &cells, const Session &session, const QString &date,
                                         const QString &time);
IcheResult103Row LiquorPaymentInquiry(const QStringList &cells, const Session &session, const QString &date,
                                      const QString &time);

// The rows of a whole inquiry split by each transfer's own kind, so that
// every request lands in the table of its transfer.
LiquorInquiryRows LiquorWholeInquiry(const QList<QStringList> &rows, const Session &session, const QString &date,
                                     const QString &time);

// What the user is told when a batch of the whole inquiry did not go out: a
// refused insert asks to check and send again, a refused commit says so, a
// lost link is the usual failure; the reservation and the registration have
// told the user themselves (empty text). When the other kind's batch went out
// before, a line says so: those requests are registered and must not be sent
// again.
QString LiquorWholeInquiryFailure(const RequestResult &result, bool collectionsWentOut);
