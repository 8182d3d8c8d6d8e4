#pragma once
// The query answers of the application-server protocol, written and read
// without building a JSON document: a 100,000-row answer is tens of
// megabytes, and a document of small values costs seconds to build and to
// parse. The text is the protocol's ordinary JSON.

#include "platform/ResultSet.h"

#include <QByteArray>
#include <QString>

namespace qvx {

// {"columns":[name,...],"rows":[[text or null,...],...]}
QByteArray ResultSetJson(const ResultSet &rs);

// One answer frame's body as the server writes a query's answer:
// {"id":<number|null>,"ok":<bool>,"result":{"columns":[...],"rows":[[...]]}}
// or {"id":...,"ok":false,"error":"..."}, keys in any order.
struct QueryAnswer
{
    bool idNull = true;
    qint64 id = -1;
    bool ok = false;
    QString error;
    ResultSet rows;
};

// False when the body is not of that shape (the caller then reads it as a
// JSON document).
bool ReadQueryAnswer(const QByteArray &body, QueryAnswer *answer);

} // namespace qvx
