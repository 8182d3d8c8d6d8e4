#pragma once
// The screens' standard messages for a request that did not go out: the
// reservation and the registration tell the user themselves; a refused insert,
// commit or a lost link is "정상적으로 처리되지 않았습니다.".

#include <QString>

struct RequestResult;

extern const QString RequestFailedMessage;

// True when the request was sent (stored, committed and registered).
// emptyMessage: what a batch without rows shows ("" for nothing);
// failedMessage: what a refused insert or commit or a lost link shows.
bool RequestWentOut(const RequestResult &result, const QString &emptyMessage = QString(),
                    const QString &failedMessage = RequestFailedMessage);
