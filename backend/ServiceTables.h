#pragma once

#include <QString>
#include <QStringList>

namespace qvx {

// The request table of a service code ("0600300" -> "amt_search"); empty for
// an unknown code.
QString requestTableForService(const QString &serviceCode);

// Every request table (the tables that carry message numbers in SeqNo).
QStringList requestTables();

} // namespace qvx
