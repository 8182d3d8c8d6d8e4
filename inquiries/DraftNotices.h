#pragma once
// The stored-bill notices ("보관어음 명세통지", table draft): statement, typed
// row, totals by kind and the text save's record.

#include "inquiries/NoticeFilter.h"

#include <QString>

class TotalsTable;
namespace qvx { class ResultSet; }

namespace DraftNoticeSql {
QString byFilter(const DraftNoticeFilter &filter);
} // namespace DraftNoticeSql

struct DraftNotice
{
    QString moBankName;
    QString draftSendDate;
    QString orgSeqNo;
    QString transDivContents;
    QString bankId;
    QString bankNo;
    QString ibgumCode;
    QString draftKindContents;
    QString draftNo;
    QString draftMoney;
    QString pubName;
    QString depName;
    QString sutakDate;
    QString mankiDate;
    QString payBankName;
    QString payDepartName;
    QString dangTaContents;
    QString gyuljeBankNo;
    QString transDepart;
    QString service;
    QString sendId;
    QString recvId;
    QString firmId;
    QString sendFlag;
    QString gubun;

    static DraftNotice FromRow(const qvx::ResultSet &rs, int row);
    qint64 amount() const;  // draftmoney as a whole number (0 when it is none)
};

// The totals cell of a kind ("" when the kind is not totalled) and the six cells.
QString DraftTotalsCode(const QString &gubun);
TotalsTable DraftTotalsTable();

// The text save's record: 23 fields joined by one blank; `rowNo` is the list's
// running number.
QString DraftSaveLine(const DraftNotice &notice, int rowNo);
