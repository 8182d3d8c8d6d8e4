#pragma once
// One statement as a transaction of its own: "commit" (what an earlier step
// left open is closed first), the statement, "commit"; when any of them
// fails, "rollback" (a link that fails there rolls back by closing).
//
//   QString error;
//   if (!RunCommitted(server, ApprovalSql::detailDelete(seqNo, date), &error)) ...

#include <QString>

namespace qvx { class AppServer; }

// True when the statement is stored; otherwise the server's message in *error.
bool RunCommitted(qvx::AppServer &server, const QString &sql, QString *error = nullptr);
