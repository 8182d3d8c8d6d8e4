#pragma once
// The demo firm's mother accounts and bank codes as the conversion sees
// them, for the conversion tests and its benchmark: paying from 국민은행
// (04), collecting for 기업 (03), 국민 (04) and 신한 (88).

#include "transfers/ConvertDecision.h"

inline ConvertContext DemoConvertContext()
{
    ConvertContext c;
    c.banks = {
        {QStringLiteral("03"), QStringLiteral("12301234567890"), QStringLiteral("기업은행"), QStringLiteral("HB0301"),
         QStringLiteral("한빛상사"), QStringLiteral("1234"), QStringLiteral("123456"), QStringLiteral("IBK0300")},
        {QStringLiteral("04"), QStringLiteral("123401234567"), QStringLiteral("국민은행"), QStringLiteral("HB0401"),
         QStringLiteral("한빛상사"), QStringLiteral("2345"), QStringLiteral("234567"), QStringLiteral("KBK0400")},
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
