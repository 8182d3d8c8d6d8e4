#pragma once

#include <QString>

namespace qvx {

// One batch registered by cms_senddesc, after its rows were found stored.
struct SendBatch
{
    QString serviceCode; // as the client passed it, e.g. "0600300"
    QString table;       // the request table of that service, e.g. "amt_search"
    QString userId;      // the user id passed (for giche batches: the confirming user, column CFMID)
    qint64 firstNo = 0;  // message-number range; 0/0 for a giche batch found by CFMID and SENDTIME
    qint64 lastNo = 0;
    QString time;        // as passed ("hhnnss" or "000000")
    QString date;        // the server's date of the registration (yyyymmdd), for a giche batch the rows'
                         // date; "" for the bank's today
    qint64 rowCount = 0; // rows found for the batch
};

// Takes registered batches on to the bank. Called on the thread of the client
// connection that registered the batch (so it must be thread-safe and quick:
// queue the work). Return false when too busy to take the batch now; the
// client is then answered -1 and asks again.
class BatchSink
{
public:
    virtual ~BatchSink();
    virtual bool acceptBatch(const SendBatch &batch) = 0;
};

// Accepts every batch and does nothing with it.
class NullBatchSink : public BatchSink
{
public:
    bool acceptBatch(const SendBatch &) override { return true; }
};

} // namespace qvx
