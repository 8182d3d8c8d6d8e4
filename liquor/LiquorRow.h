#pragma once
// One row of the liquor-trade entry list: the values of its 27 cells by name.
// The list keeps them in cells 0-26 (16-26 hidden); the column numbers are
// LiquorColumn. Sending, the temporary save, the row edit and the conversions
// read and write rows through this type.

#include "transfers/RowCells.h"

#include <QString>
#include <QStringList>

enum LiquorColumn {
    lcNo = 0,       // 순번: running number from 1
    lcTransDiv,     // 거래구분: "수납" / "지급"
    lcMoBankName,   // 모은행: mother bank name
    lcMoBankNo,     // 모계좌번호: mother account, hyphenated
    lcJuMoney,      // 주류금액: grouped digits
    lcNonJuMoney,   // 비주류금액: grouped digits
    lcMoney,        // 이체금액: grouped digits (liquor + non-liquor)
    lcName,         // 거래처명: counterparty name
    lcBankName,     // 거래은행: counterparty bank name
    lcBankNo,       // 거래은행계좌: counterparty account, hyphenated
    lcPayKind,      // 결제구분: "주류"
    lcRealNameNo,   // 실명번호: as typed
    lcInfo,         // 기타: other information
    lcSendId,       // 송신ID: NetworkId
    lcRecvId,       // 수신ID: recvid of the mother account
    lcFirmId,       // 업체코드: firmid of the mother account
    lcService,      // (hidden) ServiceDiv
    lcMoBankId,     // (hidden) mother bank code
    lcUserId,       // (hidden) the writer's user id
    lcSendFlag,     // (hidden) SendFlagInit
    lcPassWd,       // (hidden) passwd of the mother account
    lcBoki,         // (hidden) bank check code ("" for bank 23 until sending)
    lcGubun,        // (hidden) "20" collection / "30" payment
    lcJuFlag,       // (hidden) "1"
    lcBankId,       // (hidden) counterparty bank code
    lcFlag25,       // (hidden) "1"
    lcBankId2,      // (hidden) counterparty bank code again
    LiquorColumnCount
};

// Columns shown in the list (0-15); the rest are carried hidden.
constexpr int LiquorShownColumns = 16;

struct LiquorRow : CellRow<LiquorRow, LiquorColumn, LiquorColumnCount>
{
    // Member of each column, in column order.
    static const RowMembers<LiquorRow, LiquorColumnCount> Members;

    // The cells in column order.
    QString no;
    QString transDiv;
    QString moBankName;
    QString moBankNo;
    QString juMoney;
    QString nonJuMoney;
    QString money;
    QString name;
    QString bankName;
    QString bankNo;
    QString payKind;
    QString realNameNo;
    QString info;
    QString sendId;
    QString recvId;
    QString firmId;
    QString service;
    QString moBankId;
    QString userId;
    QString sendFlag;
    QString passWd;
    QString boki;
    QString gubun;
    QString juFlag;
    QString bankId;
    QString flag25;
    QString bankId2;

    // The liquor amounts without ','.
    QString plainJuMoney() const;
    QString plainNonJuMoney() const;
    // Whole won of a grouped amount text.
    static qint64 amountOf(const QString &groupedMoney);

    bool operator==(const LiquorRow &other) const = default;
};

// The list's header texts of columns 0-15 ("" for the hidden ones).
QString LiquorColumnTitle(LiquorColumn col);
// The name a message gives a column: its header, or a name of the hidden value.
QString LiquorColumnName(LiquorColumn col);
