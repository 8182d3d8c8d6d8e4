#pragma once
// The demo firm's mother accounts and bank codes as the conversion sees
// them, for the conversion tests and its benchmark: paying from 국민은행
// (04), collecting for 기업 (03), 국민 (04) and 신한 (88).

#include "transfers/ConvertDecision.h"

inline ConvertContext DemoConvertContext()
{
    ConvertContext c;
    c.banks = {
        {.bankid = QStringLiteral("03"), .mobankno = QStringLiteral("12301234567890"), .bankname = QStringLiteral("기업은행"),
         .firmid = QStringLiteral("HB0301"), .sendname = QStringLiteral("한빛상사"), .tr_gubuncode = QStringLiteral("20"),
         .recvid = QStringLiteral("IBK0300"), .passwd = QStringLiteral("1234"), .dblpasswd = QStringLiteral("123456")},
        {.bankid = QStringLiteral("04"), .mobankno = QStringLiteral("123401234567"), .bankname = QStringLiteral("국민은행"),
         .firmid = QStringLiteral("HB0401"), .sendname = QStringLiteral("한빛상사"), .tr_gubuncode = QStringLiteral("30"),
         .recvid = QStringLiteral("KBK0400"), .passwd = QStringLiteral("2345"), .dblpasswd = QStringLiteral("234567")},
    };
    c.bankNames = {{QStringLiteral("03"), QStringLiteral("기업은행")},
                   {QStringLiteral("04"), QStringLiteral("국민은행")},
                   {QStringLiteral("88"), QStringLiteral("신한은행")}};
    c.chosen = c.banks[1];
    c.transDiv = QStringLiteral("지급");
    c.networkId = QStringLiteral("QVX0000001");
    c.userId = QStringLiteral("MAKER");
    c.sendFlagInit = QStringLiteral("1");
    return c;
}
