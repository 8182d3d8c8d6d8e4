#pragma once
// One row of the transfer entry list: the values of its 22 cells by name.
// The list keeps the same values in cells 0-21 (16-21 hidden); the column
// numbers are TransferColumn. Conversion, reload, row edit and the approval
// request all read and write rows through this type.

#include "transfers/RowCells.h"

#include <QString>
#include <QStringList>

enum TransferColumn {
    tcNo = 0,       // 순번: running number from 1
    tcMoBankName,   // 모은행: mother bank name
    tcMoBankNo,     // 모계좌: mother account, hyphenated
    tcPassWd,       // 암호
    tcBoki,         // 복기: bank check code ("" for bank 23 until the approval request)
    tcWorkDiv,      // 업무구분: "당행" / "타행"
    tcTransDiv,     // 거래구분: "수납" / "지급"
    tcMoney,        // 이체금액: grouped digits ("1,000")
    tcBankName,     // 거래은행: counterpart bank name
    tcBankNo,       // 거래계좌: counterpart account, hyphenated
    tcName,         // 업체: payee name
    tcSendId,       // 송신ID: NetworkId
    tcRecvId,       // 수신ID: the mother account's recvid
    tcFirmId,       // 업체코드
    tcUserId,       // UserID: the maker
    tcInfo,         // 업체정보: other information
    tcSendFlag,     // (hidden) send flag
    tcGubun,        // (hidden) kind "20" collection / "30" payment
    tcMsgType,      // (hidden) message type "0100100" same bank / "0101100" other bank
    tcMoBankId,     // (hidden) mother bank code
    tcBankId,       // (hidden) counterpart bank code
    tcRealNameNo,   // (hidden) real-name number without '-'
    TransferColumnCount
};

struct TransferRow : CellRow<TransferRow, TransferColumn, TransferColumnCount>
{
    // Member of each column, in column order.
    static const RowMembers<TransferRow, TransferColumnCount> Members;

    // The cells in column order.
    QString no;
    QString moBankName;
    QString moBankNo;
    QString passWd;
    QString boki;
    QString workDiv;
    QString transDiv;
    QString money;
    QString bankName;
    QString bankNo;
    QString name;
    QString sendId;
    QString recvId;
    QString firmId;
    QString userId;
    QString info;
    QString sendFlag;
    QString gubun;
    QString msgType;
    QString moBankId;
    QString bankId;
    QString realNameNo;

    // The value of a column in place (col a column of the list).
    QString &at(TransferColumn col);

    bool operator==(const TransferRow &other) const = default;
};

// The list's header texts of columns 0-15, and names for the hidden 16-21.
QString TransferColumnTitle(TransferColumn col);
