#pragma once
// The reference-data screens store a change as "commit", the statement,
// "commit"; a failure rolls back, logs the statement and returns false.

#include <QString>

bool StoreReferenceChange(const QString &sql);
