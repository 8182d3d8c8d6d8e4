#pragma once
// One mother account of the firm: a row of table `bank`, as the transfer
// screens, the conversion and the list screens' account combos read it.

#include "platform/ResultSet.h"

#include <QString>

struct MotherAccount
{
    QString bankid, mobankno, bankname, firmid, sendname, tr_gubuncode, recvid, passwd, dblpasswd;

    // The account on row `row` of a bank select; columns the select did not
    // name stay empty.
    static MotherAccount FromRow(const qvx::ResultSet &rs, int row);
};
